#pragma once

// The waste graph window: a black drawing surface that keeps the last picture it was
// given and paints it, in the picture's own coordinates, whenever the window system
// asks (covered, moved, exposed again). It has no controls and no behaviour of its
// own; the main window fills it (DrawGraphMLvWaste).

#include <QRect>
#include <QString>
#include <QTransform>
#include <QWidget>

#include <vector>

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

    // Where each text of the picture is drawn, in pixels: at its own place (moved
    // in from the right edge) when that is clear of the curve, the axes and the
    // texts before it, else at the nearest clear place a little to its right or
    // above or below it at the same level; a text with no clear place is left out
    // and shown in the tool tip at its level instead.
    struct Label {
        QString text;
        unsigned colour = 0;
        double level = 0; // the material level the text belongs to
        QRect rect;
        bool shown = true;
    };
    const std::vector<Label>& Labels() const { return labels_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // A window cut to a small screen (once it shows, when its frame is known) draws
    // the picture at the size it gets, its texts placed anew for it.
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceLabels();

    graph::Picture picture_;
    std::vector<Label> labels_;
};

} // namespace brenta::ui
