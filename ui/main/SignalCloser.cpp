#include "ui/main/SignalCloser.h"

#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace brenta::ui {

namespace {

int g_fds[2] = {-1, -1};
volatile std::sig_atomic_t g_endAtOnce = 0;
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void OnTerminationSignal(int signalNumber)
{
    if (g_endAtOnce != 0) {
        // Ends the way an unhandled signal does; both calls are safe in a handler.
        std::signal(signalNumber, SIG_DFL);
        std::raise(signalNumber);
        return;
    }
    const char byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(g_fds[0], &byte, 1);
}

} // namespace

SignalCloser::SignalCloser(QWidget* window) : QObject(window), window_(window)
{
    if (g_fds[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_fds) != 0)
        return;
    notifier_ = new QSocketNotifier(g_fds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SignalCloser::OnSignal);

    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : kSignals)
        ::sigaction(s, &action, nullptr);
}

SignalCloser::~SignalCloser()
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int s : kSignals)
        ::sigaction(s, &action, nullptr);
}

SignalCloser::EndAtOnce::EndAtOnce() { g_endAtOnce = 1; }

SignalCloser::EndAtOnce::~EndAtOnce() { g_endAtOnce = 0; }

void SignalCloser::OnSignal()
{
    char byte = 0;
    [[maybe_unused]] const ssize_t got = ::read(g_fds[1], &byte, 1);
    if (window_ == nullptr)
        return;
    if (window_->metaObject()->indexOfMethod("CloseUnattended()") >= 0)
        QMetaObject::invokeMethod(window_, "CloseUnattended", Qt::DirectConnection);
    else
        window_->close();
}

} // namespace brenta::ui
