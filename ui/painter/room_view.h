// The composed room beside the canvas, at 1x or 2x, with the place of the
// part being painted framed; a click names the room pixel under it.
#pragma once

#include "core/image/bitmap.h"
#include "core/room/slot_table.h"

#include <QImage>
#include <QWidget>

#include <optional>

namespace velmora {

class RoomView : public QWidget {
    Q_OBJECT
public:
    explicit RoomView(QWidget* parent = nullptr);

    void setRoom(const Bitmap& composed);
    // The part's place in the room, framed; none for the room itself.
    void setFramed(std::optional<Placement> place);
    void setScale(int scale);
    // The room pixel under a point of the widget; nothing outside the room.
    std::optional<QPoint> roomPixelAt(QPointF pos) const;

    QSize sizeHint() const override;

signals:
    void roomPixelClicked(QPoint pixel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage image_;
    QImage scratch_;
    std::optional<Placement> framed_;
    int scale_ = 1;
};

}  // namespace velmora
