// The calculator: one main window over the program folder, the player's settings
// store and the locale's number format.
#include <QApplication>
#include <QLocale>

#include "storage/Settings.h"
#include "ui/main/QtSettingsStore.h"
#include "ui/main/SignalCloser.h"
#include "ui/main/frmMain.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString point = QLocale::system().decimalPoint();
    const char decSep = point == QStringLiteral(",") ? ',' : '.';

    auto settings = brenta::ui::QtSettingsStore::ForUser();
    brenta::ui::frmMain window(QCoreApplication::applicationDirPath().toStdString(), *settings,
        brenta::NumberFormat::FromDecimalSeparator(decSep));
    brenta::ui::SignalCloser closer(&window);
    // However the application is asked to quit (the session manager included), the
    // main window's shut-down saves first; it runs once.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] { window.close(); });
    return app.exec();
}
