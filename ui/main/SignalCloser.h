#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace brenta::ui {

// Closes a window when the process receives SIGTERM, SIGINT or SIGHUP (the desktop
// session ending, a terminal closing), so the window's shut-down saves everything
// as if the player had closed it. The signal handler only writes to a socket; the
// close runs in the event loop. A window with an invokable CloseUnattended() gets
// that instead of close(): nobody may be there to answer a message.
class SignalCloser : public QObject {
    Q_OBJECT
public:
    explicit SignalCloser(QWidget* window);
    ~SignalCloser() override;

    // While one lives, a termination signal ends the process at once, as if no
    // handler were installed: the shut-down's writes are done, and a message
    // about them must not keep a program that was told to end from ending.
    class EndAtOnce {
    public:
        EndAtOnce();
        ~EndAtOnce();
        EndAtOnce(const EndAtOnce&) = delete;
        EndAtOnce& operator=(const EndAtOnce&) = delete;
    };

private:
    void OnSignal();

    QWidget* window_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace brenta::ui
