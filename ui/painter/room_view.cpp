#include "ui/painter/room_view.h"

#include "ui/painter/pixel_view.h"
#include "ui/widgets/bitmap_image.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace velmora {

RoomView::RoomView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("RoomView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(sizeHint());
}

QSize RoomView::sizeHint() const
{
    // Whole device pixels a room pixel, which at a scale factor such as 1.5
    // is more than the scale: the widget holds them all.
    const qreal dpr = devicePixelRatioF();
    const int cell = DeviceCell(scale_, dpr);
    return QSize(int(std::ceil(PartSlotTable::kRoomWidth * cell / dpr)),
                 int(std::ceil(PartSlotTable::kRoomHeight * cell / dpr)));
}

void RoomView::showEvent(QShowEvent* event)
{
    // Only now is the screen, and so its scale factor, known.
    setFixedSize(sizeHint());
    QWidget::showEvent(event);
}

void RoomView::setRoom(const Bitmap& composed)
{
    image_ = ToQImage(composed).convertToFormat(QImage::Format_RGB32);
    update();
}

void RoomView::setFramed(std::optional<Placement> place)
{
    if (place == framed_)
        return;
    framed_ = place;
    update();
}

void RoomView::setScale(int scale)
{
    if (scale == scale_)
        return;
    scale_ = scale;
    setFixedSize(sizeHint());
    updateGeometry();
    update();
}

std::optional<QPoint> RoomView::roomPixelAt(QPointF pos) const
{
    const qreal dpr = devicePixelRatioF();
    const int cell = DeviceCell(scale_, dpr);
    const int x = int(std::floor(pos.x() * dpr)) / cell, y = int(std::floor(pos.y() * dpr)) / cell;
    if (pos.x() < 0 || pos.y() < 0 || x >= PartSlotTable::kRoomWidth || y >= PartSlotTable::kRoomHeight)
        return std::nullopt;
    return QPoint(x, y);
}

void RoomView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const qreal dpr = devicePixelRatioF();
    UseDevicePixels(painter, dpr);
    painter.fillRect(QRect(QPoint(0, 0), size() * dpr), palette().window());
    const int cell = DeviceCell(scale_, dpr);
    DrawCells(painter, image_, image_.rect(), QPoint(0, 0), cell, QRect(QPoint(0, 0), size() * dpr), QColor(), scratch_);
    if (framed_) {
        // Right and bottom are the part's last column and row; the room's own
        // rectangle and the bubble's are kept inside the room.
        const int right = std::min(framed_->right, PartSlotTable::kRoomWidth - 1);
        const int bottom = std::min(framed_->bottom, PartSlotTable::kRoomHeight - 1);
        const QRect frame(framed_->left * cell, framed_->top * cell, (right - framed_->left + 1) * cell - 1,
                          (bottom - framed_->top + 1) * cell - 1);
        DrawDashedFrame(painter, frame);
    }
}

void RoomView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (const std::optional<QPoint> pixel = roomPixelAt(event->position()))
        emit roomPixelClicked(*pixel);
}

}  // namespace velmora
