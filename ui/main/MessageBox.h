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

} // namespace brenta::ui
