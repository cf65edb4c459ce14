#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace brenta::ui {

// Closes a window when the process receives SIGTERM, SIGINT or SIGHUP (the desktop
// session ending, a terminal closing), so the window's shut-down saves everything
// as if the player had closed it. The signal handler only writes to a socket; the
// close runs in the event loop.
class SignalCloser : public QObject {
    Q_OBJECT
public:
    explicit SignalCloser(QWidget* window);
    ~SignalCloser() override;

private:
    void OnSignal();

    QWidget* window_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace brenta::ui
