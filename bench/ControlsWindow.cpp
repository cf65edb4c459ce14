// A second yardstick of the start-up: the calculator's main window without the
// calculator. Its controls are built as the program builds them and cut to what
// the first frame shows (one grid row, the frames and the window as low as for
// one row), and nothing is read, computed or saved. scripts/startup-ratio.sh
// times it beside the bare window and the calculator, so what the controls alone
// cost is told apart from what the program does with them.
#include <QApplication>
#include <QMainWindow>

#include "app/QuitAfterFirstFrame.h"
#include "ui/main/Look.h"
#include "ui/main/Placement.h"
#include "ui/main/frmMainShared.h"
#include "ui/main/frmMainUi.h"

int main(int argc, char** argv)
{
    using namespace brenta::ui;
    QApplication app(argc, argv);
    // Kept to the end of the process, as the program keeps its main window.
    static QMainWindow* const window = new QMainWindow();
    frmMainUi ui;
    ui.setupUi(window);
    // The rows and heights the program gives an empty sheet of one row.
    const int frameTwips = ui.grid.ShowRows(0);
    SetOuterHeight(window, TwipsToPixels(mainwindow::OuterHeightTwips(frameTwips)));
    window->installEventFilter(new brenta::app::QuitAfterFirstFrame(window));
    window->show();
    return app.exec();
}
