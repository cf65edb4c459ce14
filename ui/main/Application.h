#pragma once

// The program's application object. Every handler answers the core's failures
// itself; this is the last line behind them: a failure that escapes an event
// handler is caught where the event loop delivered the event, reported, and the
// program goes on, so no input can end it before the player's files are written.

#include <QApplication>

#include <functional>

namespace brenta::ui {

class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Whether nobody is there to answer a message (the main window shutting down):
    // a failure then goes to standard error alone. Without one, every failure is
    // shown in a message box.
    void SetUnattended(std::function<bool()> unattended);

    // The message for a failure that escaped a handler; what names the failure.
    static QString FailureText(const QString& what);

private:
    void Report(const QString& what);

    std::function<bool()> unattended_;
    // A message box runs an event loop of its own: a failure while one is shown, or
    // while showing it, goes to standard error rather than open a box on a box.
    bool reporting_ = false;
};

} // namespace brenta::ui
