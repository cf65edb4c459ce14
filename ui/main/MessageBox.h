#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace brenta::ui {

// Message boxes of the program: OK only, the application title as caption. Tests
// answer them through a hook instead of a modal box.
using MessageHook = std::function<void(const QString& text)>;

void ShowMessage(QWidget* parent, const QString& text);

// Installs a hook that receives every message instead of the box; an empty hook
// restores the box. Returns the hook that was installed before.
MessageHook SetMessageHook(MessageHook hook);

// A question with the buttons Yes and No under its own caption; true for Yes.
// Tests answer it through a hook that receives the caption and the text.
using QuestionHook = std::function<bool(const QString& caption, const QString& text)>;

bool AskYesNo(QWidget* parent, const QString& caption, const QString& text);

// As SetMessageHook, for the questions.
QuestionHook SetQuestionHook(QuestionHook hook);

} // namespace brenta::ui
