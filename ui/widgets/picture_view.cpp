#include "ui/widgets/picture_view.h"

#include <QPainter>

namespace velmora {

namespace {

constexpr int kChequerSize = 8;

}  // namespace

PictureView::PictureView(bool smooth, QWidget* parent) : QWidget(parent), smooth_(smooth)
{
    setMinimumSize(160, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PictureView::setPicture(QImage picture)
{
    picture_ = std::move(picture);
    update();
}

QRect PictureView::pictureRect() const
{
    if (picture_.isNull())
        return {};
    const QSize size = picture_.size().scaled(this->size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

void PictureView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().dark());
    const QRect target = pictureRect();
    if (target.isEmpty())
        return;
    // Grey squares behind the see-through pixels.
    painter.save();
    painter.setClipRect(target);
    painter.fillRect(target, QColor(0xcc, 0xcc, 0xcc));
    for (int y = target.top(); y <= target.bottom(); y += kChequerSize)
        for (int x = target.left() + ((y - target.top()) / kChequerSize % 2) * kChequerSize; x <= target.right();
             x += 2 * kChequerSize)
            painter.fillRect(x, y, kChequerSize, kChequerSize, QColor(0x99, 0x99, 0x99));
    painter.restore();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth_);
    painter.drawImage(target, picture_);
}

}  // namespace velmora
