// The yardstick of the start-up: the least a Qt Widgets program does to open one
// window, paint it and close again. scripts/startup-ratio.sh runs it beside the
// calculator, which quits the same way under BRENTA_QUIT_AFTER_START.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

namespace {

// Quits once the window has painted its first frame (its children follow in the same pass).
class QuitAfterFirstFrame : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Brenta"), &window));
    window.installEventFilter(new QuitAfterFirstFrame(&window));
    window.show();
    return app.exec();
}
