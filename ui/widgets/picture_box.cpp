#include "ui/widgets/picture_box.h"

#include "ui/widgets/file_drop.h"

#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace velmora {

namespace {

// Screen readers announce a box as a picture, not as an unnamed filler.
QAccessibleInterface* BoxAccessible(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget && className == QLatin1String(PictureBox::staticMetaObject.className()))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    return nullptr;
}

}  // namespace

PictureBox::PictureBox(int tag, QWidget* parent) : PixelView(parent), tag_(tag)
{
    static const bool accessible = [] {
        QAccessible::installFactory(&BoxAccessible);
        return true;
    }();
    Q_UNUSED(accessible);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
}

std::vector<PictureBox*> PictureBox::ReadingOrder(std::vector<PictureBox*> boxes)
{
    std::stable_sort(boxes.begin(), boxes.end(), [](const PictureBox* a, const PictureBox* b) {
        return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
    return boxes;
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    PixelView::paintEvent(event);
    if (!hasFocus())
        return;
    // Drawn over the picture's edge: the boxes sit close together, and a
    // frame outside them would hide the neighbours.
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Highlight), 2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
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
    // The mouse's press has chosen the slot already; the keyboard's has not.
    if (event->reason() == QContextMenuEvent::Keyboard)
        menuFromKeyboard();
    else
        emit contextMenuRequested(tag_, event->globalPos());
    event->accept();
}

void PictureBox::keyPressEvent(QKeyEvent* event)
{
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (event->key() == Qt::Key_Menu || shiftF10) {
        menuFromKeyboard();
    } else if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        emit enterPressed(tag_);
    } else if (plain && (event->key() == Qt::Key_Right || event->key() == Qt::Key_Down)) {
        focusNeighbour(true);
    } else if (plain && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Up)) {
        focusNeighbour(false);
    } else {
        PixelView::keyPressEvent(event);
        return;
    }
    event->accept();
}

void PictureBox::menuFromKeyboard()
{
    emit pressed(tag_);
    emit contextMenuRequested(tag_, mapToGlobal(rect().center()));
}

void PictureBox::focusNeighbour(bool forward)
{
    if (!parentWidget())
        return;
    const QList<PictureBox*> siblings = parentWidget()->findChildren<PictureBox*>(Qt::FindDirectChildrenOnly);
    const std::vector<PictureBox*> order = ReadingOrder({siblings.begin(), siblings.end()});
    const auto at = std::find(order.begin(), order.end(), this);
    if (at == order.end())
        return;
    if (forward && at + 1 != order.end())
        (*(at + 1))->setFocus(Qt::TabFocusReason);
    else if (!forward && at != order.begin())
        (*(at - 1))->setFocus(Qt::BacktabFocusReason);
}

void PictureBox::focusInEvent(QFocusEvent* event)
{
    PixelView::focusInEvent(event);
    update();
}

void PictureBox::focusOutEvent(QFocusEvent* event)
{
    PixelView::focusOutEvent(event);
    update();
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
