#include "ui/main/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QValidator>

#include <algorithm>
#include <functional>
#include <optional>

#include <filesystem>

#include "calc/AutoPrice.h"
#include "calc/Ideal.h"
#include "calc/InputFields.h"
#include "calc/Sheet.h"
#include "calc/Times.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/OwnedFile.h"
#include "storage/OwnedRecord.h"
#include "storage/PricesFile.h"
#include "storage/Settings.h"
#include "storage/SkillsFile.h"
#include "storage/TextFile.h"
#include "ui/main/FittedTexts.h"
#include "ui/main/Look.h"
#include "ui/main/MessageBox.h"
#include "ui/main/frmMainShared.h"
#include "ui/windows/AlwaysOnTop.h"

namespace brenta::ui {

using namespace mainwindow;

void frmMain::cboAssemblyArray_Click()
{
    const int position = ui.cboAssemblyArray->currentIndex();
    if (position >= 0 && position < static_cast<int>(times::kAssemblyArrays.size())) {
        job_.timeMult = times::kAssemblyArrays[static_cast<std::size_t>(position)].timeMult;
        job_.matMult = times::kAssemblyArrays[static_cast<std::size_t>(position)].matMult;
    }
    ui.cboAssemblyArray->setToolTip("Time * " + Q(numbers::ToText(job_.timeMult, fmt_)) + ", Materials * "
        + Q(numbers::ToText(job_.matMult, fmt_)));
    UpdateML();
}

void frmMain::ReadSkills()
{
    job_.skills = job::Skills{ui.cboMetallurgy->currentIndex(), ui.cboResearch->currentIndex(),
        ui.cboIndustry->currentIndex(), ui.cboPE->currentIndex()};
}

void frmMain::ReadPrice(int r) { job_.prices[static_cast<std::size_t>(r)] = S(ui.txtPPU[r]->text()); }

// The read-only box shows its text from the start, not scrolled to its end.
void frmMain::ShowWF(const QString& text)
{
    ui.txtWF->setText(text);
    ui.txtWF->setCursorPosition(0);
}

// --- Input fields ------------------------------------------------------------------------

namespace {

// Keeps out of a box, when it arrives by paste or drag, any text its key filter
// would keep out when typed.
class TextRule : public QValidator {
public:
    TextRule(QObject* parent, std::function<bool(const std::string&)> rule)
        : QValidator(parent), rule_(std::move(rule))
    {
    }
    State validate(QString& input, int&) const override { return rule_(S(input)) ? Acceptable : Invalid; }

private:
    std::function<bool(const std::string&)> rule_;
};

// The character a key types, or nothing for keys that type none (arrows, Delete,
// Tab) and for shortcuts held with Ctrl, Alt or Meta: those edit or leave the box
// as usual, so copy, paste, select all and undo work in every box.
std::optional<int> TypedCharacter(const QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    const QString text = event->text();
    if (text.isEmpty())
        return std::nullopt;
    const int c = text.at(0).unicode();
    if (c == fields::kBackspace || c == fields::kEnter)
        return c;
    if (c < ' ' || c == 127)
        return std::nullopt;
    return c;
}

} // namespace

void frmMain::ConnectInputs()
{
    // The player's click or space key only; the display setting the box runs nothing.
    connect(ui.chkOwnThis, &QCheckBox::clicked, this, [this] { chkOwnThis_Click(); });
    ui.txtRuns->setValidator(new TextRule(ui.txtRuns, fields::IsRunsText));
    for (QLineEdit* box : ui.txtPPU) {
        box->installEventFilter(this);
        box->setValidator(
            new TextRule(box, [this](const std::string& text) { return fields::IsPriceText(text, fmt_.decSep); }));
    }
}

std::string frmMain::ShownTypeId() const
{
    return std::string(record::Field(At(cat.strBPs, curBP), record::kFieldTypeId));
}

// An owned blueprint on display keeps the levels the player types into its record.
void frmMain::EditOwnedRecord(bool mlEdited)
{
    if (!Showing() || !ui.chkOwnThis->isChecked())
        return;
    try {
        if (!At(cat.bOwned, curBP))
            return;
        const owned::Box box = mlEdited ? owned::Box::ML : owned::Box::PL;
        const std::string& edited = mlEdited ? job_.ml.text : job_.pl.text;
        cat.strOwned[static_cast<std::size_t>(curBP)]
            = owned::WithBox(At(cat.strOwned, curBP), ShownTypeId(), box, edited, fmt_);
    } catch (const Failure&) {
        // No blueprint or record in that slot: nothing to keep the levels in.
    }
}

void frmMain::txtML_Change()
{
    job_.ml = job::Box::Read(S(ui.txtML->text()), fmt_);
    EditOwnedRecord(true);
    UpdateML();
}

void frmMain::txtPL_Change()
{
    job_.pl = job::Box::Read(S(ui.txtPL->text()), fmt_);
    EditOwnedRecord(false);
    UpdateML();
}

void frmMain::chkOwnThis_Click()
{
    const bool checked = ui.chkOwnThis->isChecked();
    if (!Showing()) {
        ui.chkOwnThis->setChecked(false);
        return;
    }
    const std::size_t b = static_cast<std::size_t>(curBP);
    if (curBP < 0 || b >= cat.bOwned.size() || b >= cat.strOwned.size())
        return;
    try {
        if (checked) {
            cat.strOwned[b] = owned::Record(ShownTypeId(), job_.ml.text, job_.pl.text, fmt_);
            cat.bOwned[b] = true;
        } else {
            // The record stays in memory; without its flag it is not saved.
            cat.bOwned[b] = false;
        }
    } catch (const Failure&) {
        // Levels beyond what a record holds: the blueprint stays as it was.
        ui.chkOwnThis->setChecked(!checked);
    }
}

void frmMain::txtRuns_Change()
{
    try {
        std::string text = S(ui.txtRuns->text());
        if (numbers::LeadingNumber(text) > fields::kMaxRuns) {
            text = numbers::IntText(fields::kMaxRuns);
            SetTextQuietly(ui.txtRuns, Q(text));
            ui.txtRuns->setCursorPosition(static_cast<int>(ui.txtRuns->text().size()));
        }
        job_.runs = job::Box::Read(text, fmt_);
        // An empty box leaves the amounts at the last count it held.
        job_.amountRuns = numbers::ToNumber(text, fmt_);
        ShowAmounts();
        UpdateML();
    } catch (const Failure&) {
        ShowWF(QStringLiteral("Invalid Runs"));
    }
}

void frmMain::SavePrice(std::int16_t row)
{
    try {
        QLineEdit* box = At(ui.txtPPU, row);
        const std::int32_t id = RowMaterial(row);
        if (id <= 0)
            return;
        const std::string& name = At(cat.strItemNames, id);
        if (static_cast<std::size_t>(id) >= cat.dblPrices.size())
            return;
        double& stored = cat.dblPrices[static_cast<std::size_t>(id)];
        std::string typed = S(box->text());
        const auto price = pricing::StoredPrice(typed, fmt_);
        if (box->text().isEmpty())
            box->setText(Q(typed));
        if (!price) {
            // Nothing is stored; the box shows again the price the sheet goes on with.
            const std::string kept = numbers::ToText(stored, fmt_);
            box->setText(Q(kept));
            ShowMessage(
                this, Q("Not saved: \"" + typed + "\" is not a price; [" + name + "] keeps " + kept + " ISK"));
            return;
        }
        stored = *price;
        ShowMessage(this, Q("Saved value (" + numbers::ToText(stored, fmt_) + " ISK) to [" + name + "]"));
    } catch (const Failure&) {
        // A row outside the grid, or whose material the catalogue does not hold, stores nothing.
    }
}

// Keys typed into the run count and the price boxes; true when the key is used up.
bool frmMain::FilterInputKey(QObject* watched, QKeyEvent* event)
{
    const std::optional<int> c = TypedCharacter(event);
    if (!c)
        return false;
    if (watched == ui.txtRuns)
        return !fields::RunsKeyPasses(*c);
    const auto box = std::find(ui.txtPPU.begin(), ui.txtPPU.end(), watched);
    if (box == ui.txtPPU.end())
        return false;
    if (!fields::PriceKeyPasses(
            *c, static_cast<std::int16_t>(static_cast<unsigned char>(fmt_.decSep)), S((*box)->text())))
        return true;
    if (*c != fields::kEnter)
        return false;
    // A price is saved whenever a blueprint is on display, also one that Back or
    // "Find BP" reached while the selector holds no entry.
    if (Showing()) {
        SavePrice(static_cast<std::int16_t>(box - ui.txtPPU.begin()));
        UpdateML();
    }
    return true;
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QVariant row = watched->property("row");
        if (mouse->button() == Qt::LeftButton && row.isValid()) {
            lblPrefix_Click(static_cast<std::int16_t>(row.toInt()));
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && FilterInputKey(watched, static_cast<QKeyEvent*>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

// --- Blueprint display -------------------------------------------------------------------

} // namespace brenta::ui
