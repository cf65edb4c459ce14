#include "ui/main/WheelGuard.h"

#include <QComboBox>
#include <QEvent>

namespace brenta::ui {

namespace {

class WheelGuard : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Wheel && !static_cast<QWidget*>(watched)->hasFocus()) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void WheelNeedsFocus(QComboBox* box)
{
    // Focus by click or key only; the wheel neither takes the focus nor changes an unfocused box.
    box->setFocusPolicy(Qt::StrongFocus);
    box->installEventFilter(new WheelGuard(box));
}

} // namespace brenta::ui
