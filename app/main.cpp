// The calculator: one main window over the program folder, the player's settings
// store and the locale's number format.
#include <QFile>
#include <QLocale>

#include <filesystem>

#include "app/FileIcon.h"
#include "app/QuitAfterFirstFrame.h"
#include "storage/Folders.h"
#include "storage/Settings.h"
#include "ui/main/Application.h"
#include "ui/main/ProgramFolderLock.h"
#include "ui/main/QtSettingsStore.h"
#include "ui/main/SignalCloser.h"
#include "ui/main/frmMain.h"

namespace {

// The program's own file as the file system names it. The bytes stay as they are:
// a folder whose name is not valid UTF-8 must not become another folder (or "/")
// on a round trip through text.
std::filesystem::path ExecutablePath()
{
    std::error_code failed;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", failed);
    if (failed || !exe.is_absolute())
        exe = QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    return exe;
}

} // namespace

int main(int argc, char** argv)
{
    // A failure escaping any handler is reported and the program goes on.
    brenta::ui::Application app(argc, argv);
    const std::filesystem::path exe = ExecutablePath();
    const std::string folder = exe.parent_path().string();
    // One program per program folder, for as long as this process lives.
    const auto lock = brenta::ui::TakeProgramFolder(folder);
    if (!lock)
        return 1;
    QGuiApplication::setDesktopFileName(QStringLiteral("brenta"));
    QApplication::setWindowIcon(brenta::app::IconFromFile(
        QFile::decodeName(QByteArray::fromStdString(brenta::storage::JoinPath(folder, "brenta.png")))));
    const QString point = QLocale::system().decimalPoint();
    const char decSep = point == QStringLiteral(",") ? ',' : '.';

    auto settings = brenta::ui::QtSettingsStore::ForUser();
    // The window is never deleted: its close saves everything, and taking its 250
    // widgets apart one by one would only delay the end of the process. A static
    // keeps it reachable, so a leak check does not count it.
    static brenta::ui::frmMain* const window = new brenta::ui::frmMain(
        folder, *settings, brenta::NumberFormat::FromDecimalSeparator(decSep), exe.filename().string());
    // Once the shut-down has begun nobody may be there to answer a message box.
    app.SetUnattended([] { return window->IsUnloading(); });
    brenta::ui::SignalCloser closer(window);
    // However the application is asked to quit (the session manager included), the
    // main window's shut-down saves first; it runs once, with nobody to answer a
    // message.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, window, [] { window->CloseUnattended(); });
    // Only for measuring the start-up (scripts/startup-ratio.sh): quit, and so save and
    // close as above, once the first frame is painted.
    if (qEnvironmentVariableIsSet("BRENTA_QUIT_AFTER_START"))
        window->installEventFilter(new brenta::app::QuitAfterFirstFrame(window));
    return app.exec();
}
