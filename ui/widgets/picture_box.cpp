#include "ui/widgets/picture_box.h"

#include "ui/widgets/file_drop.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPainter>

namespace velmora {

PictureBox::PictureBox(int tag, QWidget* parent) : QWidget(parent), tag_(tag)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
}

void PictureBox::setPicture(QImage picture)
{
    picture_ = std::move(picture);
    shown_ = picture_.convertToFormat(QImage::Format_RGB32);
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Parts are pixel drawings: every pixel stays a sharp block, no blending.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (shown_.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawImage(rect(), shown_);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    emit pressed(tag_);
    event->accept();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked(tag_);
    event->accept();
}

void PictureBox::contextMenuEvent(QContextMenuEvent* event)
{
    emit contextMenuRequested(tag_, event->globalPos());
    event->accept();
}

void PictureBox::dragEnterEvent(QDragEnterEvent* event)
{
    if (SingleDroppedFile(event->mimeData()))
        event->acceptProposedAction();
}

void PictureBox::dropEvent(QDropEvent* event)
{
    if (const std::optional<QString> path = SingleDroppedFile(event->mimeData())) {
        event->acceptProposedAction();
        emit fileDropped(tag_, *path);
    }
}

}  // namespace velmora
