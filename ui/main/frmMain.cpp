#include "ui/main/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStringList>

#include <filesystem>

#include "calc/Ideal.h"
#include "calc/Sheet.h"
#include "calc/Times.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/OwnedFile.h"
#include "storage/PricesFile.h"
#include "storage/Settings.h"
#include "storage/SkillsFile.h"
#include "storage/TextFile.h"
#include "ui/main/Look.h"
#include "ui/main/MessageBox.h"
#include "ui/windows/AlwaysOnTop.h"
#include "ui/windows/CustomFSO.h"

namespace brenta::ui {

namespace {

constexpr const char* kTitle = "Brenta";
constexpr const char* kVersion = "1.9.5";
constexpr const char* kSkillsFile = "skills.dat";
constexpr const char* kOwnedFile = "ownedbps.dat";
constexpr int kAnalysisHeight = 1575;
constexpr int kFullGridHeight = 6615;
constexpr int kRows = sheet::kRows;

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

QString AppTitle() { return QString::fromLatin1(kTitle) + ' ' + QString::fromLatin1(kVersion); }

// Text colour of a material's name and amount by the kind prefix of its name.
unsigned KindColour(const std::string& name)
{
    const struct {
        const char* prefix;
        unsigned colour;
    } kinds[] = {
        {"[Skill]", Colour::Yellow}, {"[Item]", Colour::Green}, {"[T1]", Colour::Yellow},
        {"[Ship]", Colour::Red}, {"[T2]", Colour::Magenta}, {"[Raw]", Colour::Cyan},
    };
    for (const auto& kind : kinds)
        if (name.starts_with(kind.prefix))
            return kind.colour;
    return Colour::White;
}

template <typename T>
typename std::vector<T>::const_reference At(const std::vector<T>& table, std::int64_t index)
{
    if (index < 0 || index >= static_cast<std::int64_t>(table.size()))
        throw Failure("Index " + std::to_string(index) + " outside the table");
    return table[static_cast<std::size_t>(index)];
}

} // namespace

frmMain::frmMain(std::string programFolder, storage::SettingsStore& settings, NumberFormat fmt, QWidget* parent)
    : QMainWindow(parent), programFolder_(std::move(programFolder)), settings_(settings), fmt_(fmt)
{
    setObjectName(QStringLiteral("frmMain"));
    ui.setupUi(this);

    for (int r = 0; r < kRows; ++r) {
        for (QLabel* cell : {ui.lblPrefix[r], ui.lblAmount[r], ui.lblWaste[r], ui.lblTotal[r], ui.lblIdeal[r]}) {
            cell->setProperty("row", r);
            cell->installEventFilter(this);
        }
    }
    ui.txtRuns->installEventFilter(this);

    connect(ui.cboBP, &QComboBox::activated, this, [this] { cboBP_Click(); });
    connect(ui.txtML, &QLineEdit::textChanged, this, [this] { txtML_Change(); });
    connect(ui.txtPL, &QLineEdit::textChanged, this, [this] { txtPL_Change(); });
    connect(ui.txtRuns, &QLineEdit::textChanged, this, [this] { txtRuns_Change(); });
    // The skill selectors and the lab box only recompute the sheet.
    for (QComboBox* skill : {ui.cboMetallurgy, ui.cboResearch, ui.cboIndustry, ui.cboPE})
        connect(skill, &QComboBox::currentIndexChanged, this, [this] { UpdateML(); });
    connect(ui.chkPOSLab, &QCheckBox::toggled, this, [this] { UpdateML(); });
    connect(ui.cboAssemblyArray, &QComboBox::currentIndexChanged, this, [this] { cboAssemblyArray_Click(); });
    connect(ui.Exit, &QAction::triggered, this, [this] { Exit_Click(); });
    connect(ui.AOT, &QAction::triggered, this, [this] { AOT_Click(); });
    connect(ui.Improvements, &QAction::triggered, this, [this] { Improvements_Click(); });

    FormLoad();
}

frmMain::~frmMain() = default;

CustomFSO& frmMain::Fso()
{
    if (!fso_)
        fso_ = std::make_unique<CustomFSO>();
    return *fso_;
}

std::string frmMain::FolderPath(const std::string& fileName) const
{
    return programFolder_ + static_cast<char>(std::filesystem::path::preferred_separator) + fileName;
}

// --- Start-up and shut-down -------------------------------------------------------------

void frmMain::FormLoad()
{
    cat.DimArrays();
    setWindowTitle(AppTitle());

    storage::Options options;
    try {
        options = storage::ReadOptions(settings_, fmt_);
    } catch (const Failure&) {
        // An unreadable store starts the program with the defaults.
    }
    ui.Improvements->setChecked(options.showNextImprovement);
    ui.AOT->setChecked(options.alwaysOnTop);
    PlaceWindow(options.x, options.y);
    strPricesFile = options.pricesFile;

    InitializeArrays();
    baseWastageFactor = 0.1;

    decSep = numbers::Format(0.1, ".", fmt_);
    digSep = decSep == "," ? "." : ",";
    decSepASCII = static_cast<std::int16_t>(static_cast<unsigned char>(decSep[0]));

    UpdateML();
    for (std::int16_t r = 0; r < kRows; ++r)
        UnhighlightRow(r);

    QStringList names;
    names.reserve(static_cast<qsizetype>(cat.strBPs.size()));
    for (const std::string& rec : cat.strBPs) {
        if (rec.empty())
            continue;
        const auto fields = record::Split(rec, '{');
        const std::string name(fields[0]);
        const std::string id(fields.size() > 1 ? fields[1] : std::string_view());
        lstIDs.push_back(id);
        lstBPs.push_back(name);
        names.push_back(Q(name));
        lstBPIDs.push_back(id);
    }
    // One batch for the selector: a single model insertion instead of 2,579.
    ui.cboBP->addItems(names);
    ui.cboBP->setCurrentIndex(-1);

    backBP = -1;
    ShrinkFrame(0);
    show();
    if (ui.AOT->isChecked()) {
        std::int16_t on = 1;
        AlwaysOnTop::SetTopmost(this, on);
    }
    ui.cboAssemblyArray->setCurrentIndex(0);
}

void frmMain::PlaceWindow(std::int32_t xTwips, std::int32_t yTwips)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize area = screen ? screen->size() : QSize(1024, 768);
    const int screenWidth = PixelsToTwips(area.width());
    const int screenHeight = PixelsToTwips(area.height());
    // An edge that would put the window off the screen, or too far right or down to
    // reach, starts at 0 instead; each edge is judged on its own.
    const std::int32_t left = (xTwips > screenWidth - 1500 || xTwips < 0) ? 0 : xTwips;
    const std::int32_t top = (yTwips > screenHeight - 1500 || yTwips < 0) ? 0 : yTwips;
    move(TwipsToPixels(left), TwipsToPixels(top));
}

void frmMain::InitializeArrays()
{
    for (QComboBox* skill : {ui.cboMetallurgy, ui.cboResearch, ui.cboIndustry, ui.cboPE})
        skill->setCurrentIndex(0);
    cat.LoadBPNames();
    cat.LoadMatNames();
    cat.LoadDefaultPrices();
    cat.LoadBPIndexMap();
    cat.LoadBatchSizes();
    LoadSkills();
    LoadPricesFile(strPricesFile);
    LoadOwnedBPs();
    lstCurrentIDs.assign(kRows, "0");
}

std::optional<std::string> frmMain::ReadPlayerFile(const std::string& fileName)
{
    const std::string path = FolderPath(fileName);
    if (!Fso().FileExists(path))
        return std::nullopt;
    try {
        return storage::ReadWholeFile(path);
    } catch (const Failure&) {
        // What cannot be read is not overwritten at shut-down either.
        unreadable_.insert(fileName);
        return std::nullopt;
    }
}

void frmMain::LoadSkills()
{
    const auto content = ReadPlayerFile(kSkillsFile);
    if (!content)
        return;
    const storage::SkillLevels levels = storage::ReadSkills(*content, fmt_);
    const std::pair<QComboBox*, std::optional<std::int16_t>> selections[] = {
        {ui.cboMetallurgy, levels.metallurgy},
        {ui.cboResearch, levels.research},
        {ui.cboIndustry, levels.industry},
        {ui.cboPE, levels.productionEfficiency},
    };
    for (const auto& [selector, level] : selections)
        if (level)
            selector->setCurrentIndex(*level);
}

void frmMain::LoadPricesFile(const std::string& fileName)
{
    if (const auto content = ReadPlayerFile(fileName))
        storage::ApplyPrices(*content, cat.dblPrices, fmt_);
    setWindowTitle(AppTitle() + " - " + Q(fileName));
}

void frmMain::LoadOwnedBPs()
{
    if (const auto content = ReadPlayerFile(kOwnedFile))
        storage::ApplyOwned(*content, cat, fmt_);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    FormUnload();
    event->accept();
}

void frmMain::FormUnload()
{
    if (unloaded_)
        return;
    unloaded_ = true;

    QStringList problems;
    const auto save = [&problems](const QString& what, const auto& write) {
        try {
            write();
        } catch (const std::exception& e) {
            problems << what + ": " + QString::fromLocal8Bit(e.what());
        }
    };
    const auto saveFile = [&](const std::string& fileName, const auto& content) {
        if (unreadable_.contains(fileName)) {
            problems << Q(fileName) + ": it could not be read when Brenta started, so it was left as it was";
            return;
        }
        save(Q(fileName), [&] { storage::WriteFileAtomically(FolderPath(fileName), content()); });
    };

    const bool alwaysOnTop = ui.AOT->isChecked();
    save("The settings", [&] {
        storage::Options options;
        options.showNextImprovement = ui.Improvements->isChecked();
        options.pricesFile = strPricesFile;
        options.alwaysOnTop = alwaysOnTop;
        options.x = PixelsToTwips(x());
        options.y = PixelsToTwips(y());
        storage::WriteOptions(settings_, options, fmt_);
    });
    saveFile(strPricesFile, [&] { return storage::PricesText(cat.strItemNames, cat.dblPrices, fmt_); });
    saveFile(kSkillsFile, [&] {
        return storage::SkillsText(static_cast<std::int16_t>(ui.cboMetallurgy->currentIndex()),
            static_cast<std::int16_t>(ui.cboResearch->currentIndex()),
            static_cast<std::int16_t>(ui.cboIndustry->currentIndex()),
            static_cast<std::int16_t>(ui.cboPE->currentIndex()));
    });
    saveFile(kOwnedFile, [&] { return storage::OwnedText(cat); });

    if (!problems.empty())
        ShowMessage(this, "Some of your data could not be saved:\n\n" + problems.join("\n"));

    // The program ends with its main window: every other window closes too.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible() && w->isWindow() && w->parentWidget() == this)
            w->close();
}

void frmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && ui.AOT->isChecked()) {
        std::int16_t on = 1;
        AlwaysOnTop::SetTopmost(this, on);
    }
}

void frmMain::Exit_Click() { close(); }

void frmMain::Improvements_Click()
{
    // The entry toggles its own check mark before this runs.
    if (!ui.Improvements->isChecked()) {
        for (QLabel* cell : ui.lblImprove) {
            cell->setText(QStringLiteral("0"));
            SetForeColour(cell, BgrColour(Colour::White));
        }
        return;
    }
    try {
        for (std::int16_t r = 0; r < kRows; ++r) {
            const QString name = ui.lblPrefix[static_cast<std::size_t>(r)]->text();
            if (!name.isEmpty() && !name.startsWith(QStringLiteral("[Skill]")))
                FindNextImprovement(r);
        }
    } catch (const Failure&) {
        // An ML that is no number leaves the remaining cells as they are.
    }
}

void frmMain::AOT_Click()
{
    // The entry toggles its own check mark before this runs.
    std::int16_t on = ui.AOT->isChecked() ? 1 : 0;
    AlwaysOnTop::SetTopmost(this, on);
}

// --- The sheet ---------------------------------------------------------------------------

std::string frmMain::SelectedRecord() const
{
    const int k = ui.cboBP->currentIndex();
    if (k < 0 || k >= static_cast<int>(lstBPIDs.size()))
        return {};
    try {
        const std::int32_t id = numbers::TextToInt32(lstBPIDs[static_cast<std::size_t>(k)], fmt_);
        return At(cat.strBPs, At(cat.intBPIndex, id));
    } catch (const Failure&) {
        return {};
    }
}

void frmMain::UpdateML()
{
    sheet::Input in;
    in.fmt = fmt_;
    in.mlText = S(ui.txtML->text());
    in.plText = S(ui.txtPL->text());
    in.runsText = S(ui.txtRuns->text());
    in.batchText = S(ui.txtBatchSize->text());
    in.pe = ui.cboPE->currentIndex();
    in.industry = ui.cboIndustry->currentIndex();
    in.metallurgy = ui.cboMetallurgy->currentIndex();
    in.research = ui.cboResearch->currentIndex();
    in.posLab = ui.chkPOSLab->isChecked();
    in.matMult = dblMatMult;
    in.timeMult = dblTimeMult;
    in.baseWastageFactor = baseWastageFactor;
    in.blueprintSelected = ui.cboBP->currentIndex() >= 0;
    in.improvements = ui.Improvements->isChecked();
    if (in.blueprintSelected) {
        in.times = strTimes;
        in.selectedRecord = SelectedRecord();
        for (int r = 0; r < kRows; ++r) {
            auto& row = in.rows[static_cast<std::size_t>(r)];
            row.caption = S(ui.lblPrefix[r]->text());
            row.amount = S(ui.lblAmount[r]->text());
            row.price = S(ui.txtPPU[r]->text());
        }
        in.baseQty = lngBaseQty;
    }

    const sheet::Output out = sheet::Compute(in);

    const auto put = [](QLabel* label, const std::optional<std::string>& text) {
        if (text)
            label->setText(Q(*text));
    };
    for (int r = 0; r < kRows; ++r) {
        const auto& row = out.rows[static_cast<std::size_t>(r)];
        put(ui.lblWaste[r], row.waste);
        put(ui.lblTotal[r], row.total);
        put(ui.lblIdeal[r], row.ideal);
        put(ui.lblImprove[r], row.improve);
        if (row.improveReached)
            SetForeColour(ui.lblImprove[r], BgrColour(*row.improveReached ? Colour::Green : Colour::White));
    }
    put(ui.lblEfficiency, out.efficiency);
    put(ui.lblBuildCost, out.buildCost);
    put(ui.lblCostPerUnit, out.costPerUnit);
    put(ui.lblBuildWaste, out.buildWaste);
    put(ui.lblWastePerUnit, out.wastePerUnit);
    put(ui.lblBuildTime, out.buildTime);
    put(ui.lblTime, out.mlTime);
    put(ui.lblPLTime, out.plTime);
    if (out.wf)
        ShowWF(Q(*out.wf));
}

void frmMain::ApplyRunsToAmounts()
{
    const double runs = numbers::ToNumber(S(ui.txtRuns->text()), fmt_);
    const auto materials = sheet::ShownMaterials(At(cat.strBPs, curBP), fmt_);
    for (std::size_t row = 0; row < materials.size(); ++row) {
        const int r = static_cast<int>(row);
        // Only rows the shown blueprint filled; skill rows keep the required level.
        if (lstCurrentIDs[row] == "0" || ui.lblPrefix[r]->text().contains(QStringLiteral("Skill")))
            continue;
        ui.lblAmount[r]->setText(Q(numbers::ToText(numbers::Finite(materials[row].quantity * runs), fmt_)));
    }
}

void frmMain::FindNextImprovement(std::int16_t& row)
{
    const std::size_t r = static_cast<std::size_t>(row);
    if (ui.txtML->text().isEmpty())
        return;
    const std::int32_t ideal = numbers::ToInt32(numbers::ToNumber(S(ui.lblIdeal.at(r)->text()), fmt_));
    const std::int32_t ml = numbers::ToInt32(numbers::ToNumber(S(ui.txtML->text()), fmt_));
    if (const auto next = ideal::NextImprovement(ml, ideal, At(lngBaseQty, row), baseWastageFactor, fmt_)) {
        ui.lblImprove[r]->setText(next->reached ? ui.lblIdeal[r]->text() : Q(numbers::ToText(next->level, fmt_)));
        SetForeColour(ui.lblImprove[r], BgrColour(next->reached ? Colour::Green : Colour::White));
    }
}

void frmMain::cboAssemblyArray_Click()
{
    const int position = ui.cboAssemblyArray->currentIndex();
    if (position >= 0 && position < static_cast<int>(times::kAssemblyArrays.size())) {
        dblTimeMult = times::kAssemblyArrays[static_cast<std::size_t>(position)].timeMult;
        dblMatMult = times::kAssemblyArrays[static_cast<std::size_t>(position)].matMult;
    }
    ui.cboAssemblyArray->setToolTip("Time * " + Q(numbers::ToText(dblTimeMult, fmt_)) + ", Materials * "
        + Q(numbers::ToText(dblMatMult, fmt_)));
    UpdateML();
}

// The read-only box shows its text from the start, not scrolled to its end.
void frmMain::ShowWF(const QString& text)
{
    ui.txtWF->setText(text);
    ui.txtWF->setCursorPosition(0);
}

// --- Input fields ------------------------------------------------------------------------

void frmMain::txtML_Change() { UpdateML(); }

void frmMain::txtPL_Change() { UpdateML(); }

void frmMain::txtRuns_Change()
{
    try {
        const double runs = numbers::LeadingNumber(S(ui.txtRuns->text()));
        if (runs > 1000000) {
            // Setting the text runs this reaction again, nested, with the capped count.
            ui.txtRuns->setText(QStringLiteral("1000000"));
            ui.txtRuns->setCursorPosition(static_cast<int>(ui.txtRuns->text().size()));
        }
        ApplyRunsToAmounts();
        UpdateML();
    } catch (const Failure&) {
        ShowWF(QStringLiteral("Invalid Runs"));
    }
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
    if (watched == ui.txtRuns && event->type() == QEvent::KeyPress) {
        // Only digits and Backspace are typed into the run count; keys that type no
        // character (arrows, Home, Delete) edit the box as usual.
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (!text.isEmpty()) {
            const char16_t c = text.at(0).unicode();
            const bool digit = c >= u'0' && c <= u'9';
            if (!(digit || c == 8 || c == 127))
                return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- Blueprint display -------------------------------------------------------------------

void frmMain::cboBP_Click()
{
    const int k = ui.cboBP->currentIndex();
    if (k < 0)
        return;
    try {
        const std::int32_t id = numbers::TextToInt32(At(lstBPIDs, k), fmt_);
        LoadBP(At(cat.intBPIndex, id));
    } catch (const Failure&) {
        // An entry that names no blueprint shows nothing.
    }
}

void frmMain::ShowIcon(std::int16_t id)
{
    const QString icons = Q(FolderPath("icons")) + QDir::separator();
    QPixmap picture;
    if (!picture.load(icons + QString::number(id) + ".jpg")) {
        const std::string fallback = S(icons) + "unknown.jpg";
        if (!Fso().FileExists(fallback) || !picture.load(Q(fallback)))
            picture = QPixmap();
    }
    ui.pctIcon->setPixmap(picture);
}

void frmMain::LoadBP(std::int16_t Index)
{
    const std::string& rec = At(cat.strBPs, Index);
    curBP = Index;
    try {
        const std::int16_t id = numbers::TextToInt16(record::Field(rec, record::kFieldTypeId), fmt_);
        strTimes = record::Times(rec);
        baseWastageFactor = record::BaseWastageFactor(rec, fmt_);
        ShowIcon(id);

        ui.chkOwnThis->setChecked(false);
        if (At(cat.bOwned, curBP)) {
            const std::string& owned = cat.strOwned[static_cast<std::size_t>(curBP)];
            const auto fields = record::Split(owned, '{');
            if (fields.size() < 3)
                throw Failure("Owned record without three fields: " + owned);
            ui.chkOwnThis->setChecked(true);
            ui.txtML->setText(Q(std::string(fields[1])));
            ui.txtPL->setText(Q(std::string(fields[2])));
        } else {
            ui.txtML->setText(QStringLiteral("0"));
            ui.txtPL->setText(QStringLiteral("0"));
        }
        ui.txtBatchSize->setText(Q(numbers::IntText(At(cat.intBatchSize, id))));

        const auto materials = sheet::ShownMaterials(rec, fmt_);
        for (int r = 0; r < kRows; ++r)
            ResetRow(r, Colour::Green);

        std::int16_t row = -1;
        ShrinkFrame(0);
        for (const auto& material : materials) {
            const std::string& name = At(cat.strItemNames, material.typeId);
            row = numbers::Add16(row, 1);
            ShrinkFrame(row);
            ui.lblPrefix[row]->setText(Q(name));
            lstCurrentIDs[static_cast<std::size_t>(row)] = numbers::IntText(material.typeId);
            ui.txtPPU[row]->setText(Q(numbers::ToText(At(cat.dblPrices, material.typeId), fmt_)));
            const QColor colour = BgrColour(KindColour(name));
            SetForeColour(ui.lblPrefix[row], colour);
            SetForeColour(ui.lblAmount[row], colour);
            ui.lblAmount[row]->setText(Q(std::string(material.quantityText)));
            lngBaseQty[static_cast<std::size_t>(row)] = material.quantity;
        }

        ui.chkOwnThis->setEnabled(!ui.cboBP->currentText().isEmpty());
        UpdateML();
        ui.txtRuns->setText(QStringLiteral("1"));
        ui.cmdBack->setEnabled(false);
    } catch (const Failure&) {
        // A record the display cannot read is abandoned where it stands; nothing
        // stored is changed and the program goes on.
    }
}

void frmMain::ShrinkFrame(std::int16_t maxIndex)
{
    lngBaseQty.resize(static_cast<std::size_t>(maxIndex) + 1, 0);
    for (int r = 0; r < kRows; ++r) {
        const std::size_t i = static_cast<std::size_t>(r);
        for (QWidget* cell : {static_cast<QWidget*>(ui.lblPrefix[i]), static_cast<QWidget*>(ui.lblAmount[i]),
                 static_cast<QWidget*>(ui.txtPPU[i]), static_cast<QWidget*>(ui.lblWaste[i]),
                 static_cast<QWidget*>(ui.lblTotal[i]), static_cast<QWidget*>(ui.lblIdeal[i]),
                 static_cast<QWidget*>(ui.lblImprove[i])})
            cell->setVisible(r <= maxIndex);
    }
    // The full grid is taller than the rule for fewer rows would make it.
    const int frameHeight = maxIndex == kRows - 1
        ? kFullGridHeight
        : numbers::Add16(numbers::Mul16(numbers::Add16(maxIndex, 1), 240), 375);
    for (QGroupBox* frame : {ui.fraMats, ui.fraWaste, ui.fraTotal, ui.fraIdealML, ui.fraPPU, ui.fraNextImprovement})
        frame->setFixedHeight(TwipsToPixels(frameHeight));

    windowHeightTwips_ = frameHeight + kAnalysisHeight + 1800;
    // The outer height includes the title bar and borders; the window manager adds
    // those around the client area once the window is shown.
    const int decoration = isVisible() ? frameGeometry().height() - height() : 0;
    setFixedHeight(TwipsToPixels(windowHeightTwips_) - decoration);
}

// An empty row: no name, zeros everywhere, no material; its background stays.
void frmMain::ResetRow(int r, unsigned improveColour)
{
    ui.lblPrefix[r]->setText(QString());
    SetForeColour(ui.lblPrefix[r], BgrColour(Colour::White));
    ui.lblAmount[r]->setText(QStringLiteral("0"));
    SetForeColour(ui.lblAmount[r], BgrColour(Colour::White));
    for (QLabel* cell : {ui.lblWaste[r], ui.lblTotal[r], ui.lblIdeal[r], ui.lblImprove[r]})
        cell->setText(QStringLiteral("0"));
    SetForeColour(ui.lblImprove[r], BgrColour(improveColour));
    ui.txtPPU[r]->setText(QStringLiteral("0"));
    lstCurrentIDs[static_cast<std::size_t>(r)] = "0";
}

void frmMain::ClearMaterialRows()
{
    ui.pctIcon->setPixmap(QPixmap());
    for (int r = 0; r < kRows; ++r)
        ResetRow(r, Colour::White);
    ui.lblEfficiency->setText(QStringLiteral("0%"));
    ui.lblBuildCost->setText(QStringLiteral("0 ISK"));
    ui.lblBuildWaste->setText(QStringLiteral("0 ISK"));
    ui.lblTime->setText(QStringLiteral("0D 0H 0M 0S"));
    ui.cboBP->setCurrentIndex(-1);
    ui.txtML->setText(QStringLiteral("0"));
    ui.txtRuns->setText(QStringLiteral("1"));
    ShrinkFrame(0);
}

void frmMain::HighlightRow(std::int16_t r)
{
    const std::size_t i = static_cast<std::size_t>(r);
    for (QLabel* cell : {ui.lblPrefix.at(i), ui.lblAmount.at(i), ui.lblWaste.at(i), ui.lblTotal.at(i),
             ui.lblIdeal.at(i), ui.lblImprove.at(i)})
        SetBackColour(cell, BgrColour(Colour::Navy));
}

void frmMain::UnhighlightRow(std::int16_t r)
{
    const std::size_t i = static_cast<std::size_t>(r);
    const QColor stripe = BgrColour(r % 2 == 0 ? Colour::StripeEven : Colour::StripeOdd);
    for (QWidget* cell : {static_cast<QWidget*>(ui.lblPrefix.at(i)), static_cast<QWidget*>(ui.lblAmount.at(i)),
             static_cast<QWidget*>(ui.lblWaste.at(i)), static_cast<QWidget*>(ui.lblTotal.at(i)),
             static_cast<QWidget*>(ui.lblIdeal.at(i)), static_cast<QWidget*>(ui.lblImprove.at(i)),
             static_cast<QWidget*>(ui.txtPPU.at(i))})
        SetBackColour(cell, stripe);
}

void frmMain::lblPrefix_Click(std::int16_t r)
{
    if (BackColour(ui.lblPrefix.at(static_cast<std::size_t>(r))) == BgrColour(Colour::Navy)) {
        UnhighlightRow(r);
        return;
    }
    for (std::int16_t i = 0; i < kRows; ++i)
        UnhighlightRow(i);
    HighlightRow(r);
}

} // namespace brenta::ui
