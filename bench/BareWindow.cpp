// The yardstick of the start-up: the least a Qt Widgets program does to open one
// window, paint it and close again. scripts/startup-ratio.sh runs it beside the
// calculator, which quits the same way under BRENTA_QUIT_AFTER_START.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "app/QuitAfterFirstFrame.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Brenta"), &window));
    window.installEventFilter(new brenta::app::QuitAfterFirstFrame(&window));
    window.show();
    return app.exec();
}
