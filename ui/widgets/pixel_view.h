// A picture shown scaled to its widget, every pixel a sharp block: parts are
// pixel drawings, and blending would show colours that are not in the room
// palette (at a device pixel ratio of 2, for one).
#pragma once

#include <QImage>
#include <QWidget>

namespace velmora {

class PixelView : public QWidget {
    Q_OBJECT
public:
    explicit PixelView(QWidget* parent);

    void setPicture(QImage picture);
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    QImage shown_;  // picture_ converted once for fast scaled drawing
};

}  // namespace velmora
