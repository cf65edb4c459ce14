#include "ui/main/Application.h"

#include <cstdio>
#include <exception>
#include <utility>

#include "ui/main/MessageBox.h"

namespace brenta::ui {

namespace {

void ToStandardError(const QString& text)
{
    std::fputs(("Brenta: " + text + "\n").toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

void Application::SetUnattended(std::function<bool()> unattended) { unattended_ = std::move(unattended); }

QString Application::FailureText(const QString& what)
{
    return QStringLiteral("Brenta could not finish what it was doing:\n\n") + what
        + QStringLiteral("\n\nThe program goes on. Figures that this action would have changed may still show "
                         "their earlier values.");
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        Report(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        Report(QStringLiteral("An unexpected failure of an unknown kind."));
    }
    // The event counts as not handled: its handler did not finish.
    return false;
}

void Application::Report(const QString& what)
{
    const QString text = FailureText(what);
    bool unattended = false;
    try {
        unattended = unattended_ && unattended_();
    } catch (...) {
        unattended = true;
    }
    if (reporting_ || unattended) {
        ToStandardError(text);
        return;
    }
    reporting_ = true;
    try {
        ShowMessage(activeWindow(), text);
    } catch (const std::exception& e) {
        ToStandardError(text);
        ToStandardError(QStringLiteral("The message could not be shown: ") + QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ToStandardError(text);
    }
    reporting_ = false;
}

} // namespace brenta::ui
