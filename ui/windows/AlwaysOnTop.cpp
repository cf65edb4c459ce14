#include "ui/windows/AlwaysOnTop.h"

#include <QWidget>

namespace brenta::ui::AlwaysOnTop {

void SetTopmost(QWidget* window, std::int16_t& on)
{
    if (window == nullptr)
        return;
    const bool topmost = on != 0;
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost)
        return;
    const bool visible = window->isVisible();
    const QPoint position = window->pos();
    // Changing a window flag hides the window; show it again where it was.
    window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    if (visible) {
        window->move(position);
        window->show();
    }
}

} // namespace brenta::ui::AlwaysOnTop
