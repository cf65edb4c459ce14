#pragma once

// Quits the application once a window has painted its first frame: the window's
// own paint comes first, its children follow in the same pass, and the quit waits
// for the event loop. The calculator (under BRENTA_QUIT_AFTER_START) and the bare
// window it is measured against quit through this one filter, so both measure
// the same span.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

namespace brenta::app {

class QuitAfterFirstFrame : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace brenta::app
