#pragma once

#include <cstdint>

class QWidget;

namespace brenta::ui::AlwaysOnTop {

// Puts a window into the topmost band (on != 0) or takes it out (on = 0), neither
// moving nor resizing it. A window already in the wanted band is left alone, so
// calling it on every loss of focus costs nothing.
void SetTopmost(QWidget* window, std::int16_t& on);

} // namespace brenta::ui::AlwaysOnTop
