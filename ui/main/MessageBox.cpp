#include "ui/main/MessageBox.h"

#include <QMessageBox>

namespace brenta::ui {

namespace {
MessageHook& Hook()
{
    static MessageHook hook;
    return hook;
}
} // namespace

void ShowMessage(QWidget* parent, const QString& text)
{
    if (Hook()) {
        Hook()(text);
        return;
    }
    QMessageBox::information(parent, QStringLiteral("Brenta"), text, QMessageBox::Ok);
}

MessageHook SetMessageHook(MessageHook hook)
{
    MessageHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

} // namespace brenta::ui
