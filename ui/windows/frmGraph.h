#pragma once

// The waste graph window: a black drawing surface that keeps the last picture it was
// given and paints it, in the picture's own coordinates, whenever the window system
// asks (covered, moved, exposed again). It has no controls and no behaviour of its
// own; the main window fills it (DrawGraphMLvWaste).

#include <QTransform>
#include <QWidget>

#include "calc/WasteGraph.h"

namespace brenta::ui {

class frmGraph : public QWidget {
    Q_OBJECT
public:
    // A window of parent's, deleted when the player closes it.
    explicit frmGraph(QWidget* parent);

    // Replaces the picture and repaints.
    void Draw(graph::Picture picture);
    const graph::Picture& Picture() const { return picture_; }

    // The picture's coordinates onto the window's area: its scale rectangle fills it.
    QTransform Mapping() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    graph::Picture picture_;
};

} // namespace brenta::ui
