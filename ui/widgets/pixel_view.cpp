#include "ui/widgets/pixel_view.h"

#include <QPainter>

namespace velmora {

PixelView::PixelView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PixelView::setPicture(QImage picture)
{
    picture_ = std::move(picture);
    shown_ = picture_.convertToFormat(QImage::Format_RGB32);
    update();
}

void PixelView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // A painter on a high-density device smooths scaled pictures unless told not to.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (shown_.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawImage(rect(), shown_);
}

}  // namespace velmora
