#include "ui/main/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QThread>

#include <cstdio>

#include <filesystem>
#include <utility>

#include "calc/Ideal.h"
#include "calc/Sheet.h"
#include "calc/Times.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/Folders.h"
#include "storage/OwnedFile.h"
#include "storage/PricesFile.h"
#include "storage/ProgramFiles.h"
#include "storage/Settings.h"
#include "storage/SkillsFile.h"
#include "storage/TextFile.h"
#include "ui/main/Look.h"
#include "ui/main/MessageBox.h"
#include "ui/main/SignalCloser.h"
#include "ui/main/frmMainShared.h"
#include "ui/windows/AlwaysOnTop.h"

namespace brenta::ui {

using namespace mainwindow;

// --- Start-up and shut-down -------------------------------------------------------------

void frmMain::FormLoad()
{
    cat.DimArrays();
    setWindowTitle(AppTitle());

    storage::Options options;
    try {
        options = storage::ReadOptions(settings_, fmt_, executableName_);
    } catch (const Failure&) {
        // An unreadable store starts the program with the defaults.
    }
    ui.Improvements->setChecked(options.showNextImprovement);
    ui.AOT->setChecked(options.alwaysOnTop);
    PlaceWindow(options.x, options.y);
    strPricesFile = options.pricesFile;
    // A stored name that became a folder or a pipe could never be written: the
    // prices go to the default file instead of being lost at every close. One that
    // became a link to another of the program's files (a picture, the skills) would
    // have the close write the prices over that file.
    if (storage::InspectWriteTarget(FolderPath(strPricesFile)) == storage::WriteTarget::NotOrdinary
        || LeadsToAnotherOwnFile(strPricesFile))
        strPricesFile = storage::kDefaultPricesFile;

    // Temporary files of saves a killed program never finished go first.
    storage::RemoveLeftovers(programFolder_);
    InitializeArrays();

    // The rows start unselected: setupUi gave every cell its stripe.
    UpdateML();

    std::vector<std::int16_t> indexes;
    indexes.reserve(cat.strBPs.size());
    lstBPs.reserve(cat.strBPs.size());
    for (std::size_t i = 0; i < cat.strBPs.size(); ++i) {
        const std::string_view rec = cat.strBPs[i];
        if (rec.empty())
            continue;
        // Only the name: splitting the whole record (its long material list
        // included) for every blueprint was a measurable part of the start-up.
        lstBPs.emplace_back(std::string_view(rec).substr(0, rec.find('{')));
        indexes.push_back(static_cast<std::int16_t>(i));
    }
    // The selector reads the names from here and makes text of one only when it
    // shows it; the window takes them back before they go (~frmMain).
    ui.SetBlueprintNames(&lstBPs);
    ui.FillBlueprints(indexes);

    backBP = -1;
    ShrinkFrame(0);
    show();
    // The player starts by choosing a blueprint, from the keyboard as well.
    ui.cboBP->setFocus(Qt::OtherFocusReason);
    if (ui.AOT->isChecked()) {
        std::int16_t on = 1;
        AlwaysOnTop::SetTopmost(this, on);
    }
    ui.cboAssemblyArray->setCurrentIndex(0);

    // The player learns now, not after a whole session on defaults, that a file
    // was not read; it stays untouched at shut-down.
    if (!unreadableReasons_.empty()) {
        QStringList lines;
        for (const std::string& reason : unreadableReasons_)
            lines << QString::fromLocal8Bit(reason);
        ShowMessage(this,
            "Brenta could not read some of your files and started without them. "
            "They will be left as they are when Brenta closes:\n\n"
                + lines.join("\n"));
    }
}

void frmMain::PlaceWindow(std::int32_t xTwips, std::int32_t yTwips)
{
    // The screen the remembered corner is on, else the primary one; judged by the
    // area the desktop leaves free (panels excluded).
    const QPoint corner(TwipsToPixels(xTwips), TwipsToPixels(yTwips));
    const QScreen* screen = QGuiApplication::screenAt(corner);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int areaLeft = PixelsToTwips(area.left());
    const int areaTop = PixelsToTwips(area.top());
    const int screenWidth = PixelsToTwips(area.width());
    const int screenHeight = PixelsToTwips(area.height());
    // An edge that would put the window off the screen, or too far right or down to
    // reach, starts at the area's edge instead; each edge is judged on its own.
    const std::int32_t x = xTwips - areaLeft;
    const std::int32_t y = yTwips - areaTop;
    const std::int32_t left = areaLeft + ((x > screenWidth - 1500 || x < 0) ? 0 : x);
    const std::int32_t top = areaTop + ((y > screenHeight - 1500 || y < 0) ? 0 : y);
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
}

std::optional<std::string> frmMain::ReadPlayerFile(const std::string& fileName)
{
    const std::string path = FolderPath(fileName);
    if (!storage::IsPlayerFile(path)) {
        // A folder or a pipe under the name is no file the close could replace
        // either: the player hears it now, with the other files not read.
        if (std::string why = storage::NotAFileReason(path); !why.empty() && unreadable_.insert(fileName).second)
            unreadableReasons_.push_back(std::move(why));
        return std::nullopt;
    }
    try {
        return storage::ReadWholeFile(path);
    } catch (const Failure& failure) {
        // What cannot be read is not overwritten at shut-down either.
        if (unreadable_.insert(fileName).second)
            unreadableReasons_.push_back(failure.what());
        return std::nullopt;
    }
}

bool frmMain::LeadsToAnotherOwnFile(const std::string& fileName) const
{
    try {
        return storage::ProgramFileAt(FolderPath(fileName), {programFolder_, executableName_, fileName})
            == storage::OwnFile::Other;
    } catch (const Failure&) {
        return true; // a link loop leads nowhere a close could write
    }
}

bool frmMain::AcceptPricesFileName(const std::string& fileName)
{
    if (!storage::IsUsablePricesFileName(fileName, executableName_)) {
        ShowMessage(this,
            FileNameText(fileName)
                + " cannot be used as a prices file: Brenta keeps its own data under that name. "
                  "Please choose another file.");
        return false;
    }
    if (LeadsToAnotherOwnFile(fileName)) {
        ShowMessage(this,
            FileNameText(fileName)
                + " cannot be used as a prices file: it leads to one of Brenta's own files, which the prices "
                  "would replace. Please choose another file.");
        return false;
    }
    // Chosen now, written at every close: a folder or a pipe of that name could
    // never take the prices, and the session's prices would be lost each time.
    if (storage::InspectWriteTarget(FolderPath(fileName)) == storage::WriteTarget::NotOrdinary) {
        ShowMessage(this,
            FileNameText(fileName)
                + " cannot be used as a prices file: it is not an ordinary file (a folder, a pipe or a device). "
                  "Please choose another file.");
        return false;
    }
    return true;
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
    setWindowTitle(AppTitle() + " - " + FileNameText(fileName));
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
    // The program ends with its main window, also when the window was hidden behind
    // the floating button: the application does not count a hidden window's close
    // as its last window closing.
    QCoreApplication::quit();
}

void frmMain::CloseUnattended()
{
    unattended_ = true;
    close();
    // A message box or another window's own event loop may be running: end them
    // all, the shut-down is done.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
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
            problems << FileNameText(fileName)
                    + ": it could not be read when Brenta started, so it was left as it was";
            return;
        }
        save(FileNameText(fileName), [&] {
            // A file that already holds what would be written stays as it is: a close
            // after only looking writes nothing, and a folder the player may not write
            // to is no failure while nothing in it changed.
            const std::string path = FolderPath(fileName);
            const std::string text = content();
            if (!storage::HoldsExactly(path, text))
                storage::WriteFileAtomically(path, text);
        });
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

    if (!problems.empty()) {
        const QString text = "Some of your data could not be saved:\n\n" + problems.join("\n");
        if (unattended_) {
            std::fputs(("Brenta: " + text + "\n").toLocal8Bit().constData(), stderr);
            std::fflush(stderr);
        } else {
            const SignalCloser::EndAtOnce endOnSignal;
            ShowMessage(this, text);
        }
    }

    // The program ends with its main window: every other window closes too.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible() && w->isWindow() && w->parentWidget() == this)
            w->close();
}

} // namespace brenta::ui
