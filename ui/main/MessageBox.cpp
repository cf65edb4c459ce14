#include "ui/main/MessageBox.h"

#include <QMessageBox>

namespace brenta::ui {

namespace {
MessageHook& Hook()
{
    static MessageHook hook;
    return hook;
}
QuestionHook& Question()
{
    static QuestionHook hook;
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

bool AskYesNo(QWidget* parent, const QString& caption, const QString& text)
{
    if (Question())
        return Question()(caption, text);
    // The box breaks lines at LF; a CR before it would show as a stray character.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return QMessageBox::question(parent, caption, shown, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

QuestionHook SetQuestionHook(QuestionHook hook)
{
    QuestionHook previous = std::move(Question());
    Question() = std::move(hook);
    return previous;
}

} // namespace brenta::ui
