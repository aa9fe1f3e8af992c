#include "ui/painter/paint_canvas.h"

#include "ui/painter/pixel_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <array>
#include <cmath>

namespace velmora {

namespace {

constexpr std::array kZoomSteps = {1, 2, 4, 8, 16, 32};
const QColor kGridColour(128, 128, 128, 110);

}  // namespace

PaintCanvas::PaintCanvas(QWidget* parent) : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("PaintCanvas"));
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void PaintCanvas::showPicture(const PaintPicture& picture, bool maskAlone, QPoint place)
{
    picture_ = &picture;
    maskAlone_ = maskAlone;
    place_ = place;
    image_ = PaintPictureImage(picture, maskAlone, onion_ ? &*onion_ : nullptr);
    updateScrollBars();
    viewport()->update();
}

void PaintCanvas::setOnionSkin(std::optional<PaintPicture> onion)
{
    onion_ = std::move(onion);
    if (!picture_)
        return;
    image_ = PaintPictureImage(*picture_, maskAlone_, onion_ ? &*onion_ : nullptr);
    viewport()->update();
}

void PaintCanvas::picturePixelsChanged(const PixelRect& area)
{
    if (!picture_ || area.empty())
        return;
    UpdatePaintPictureImage(image_, *picture_, area, maskAlone_, onion_ ? &*onion_ : nullptr);
    updateCells(QRect(area.x, area.y, area.width, area.height));
}

void PaintCanvas::setSurroundings(const QImage& dimmedRoom)
{
    const bool resized = dimmedRoom.size() != surroundings_.size();
    surroundings_ = dimmedRoom;
    // The first room shown makes the content larger: the scroll bars must reach it.
    if (resized)
        updateScrollBars();
    if (surroundingsShown_)
        viewport()->update();
}

void PaintCanvas::showSurroundings(bool shown)
{
    if (shown == surroundingsShown_)
        return;
    surroundingsShown_ = shown;
    updateScrollBars();
    viewport()->update();
}

void PaintCanvas::setSelection(const PixelRect& selection)
{
    if (selection == selection_)
        return;
    // Only the frames move: the old one and the new one are redrawn.
    for (const PixelRect& r : {selection_, selection}) {
        if (r.empty())
            continue;
        updateCells(QRect(r.x, r.y, r.width, 1));
        updateCells(QRect(r.x, r.y + r.height - 1, r.width, 1));
        updateCells(QRect(r.x, r.y, 1, r.height));
        updateCells(QRect(r.x + r.width - 1, r.y, 1, r.height));
    }
    selection_ = selection;
}

QRect PaintCanvas::contentPixels() const
{
    QRect content(0, 0, picture_ ? picture_->width : 0, picture_ ? picture_->height : 0);
    if (surroundingsShown_ && !surroundings_.isNull())
        content |= QRect(-place_.x(), -place_.y(), surroundings_.width(), surroundings_.height());
    return content;
}

PaintCanvas::Geometry PaintCanvas::geometry() const
{
    Geometry g;
    g.dpr = viewport()->devicePixelRatioF();
    g.cell = DeviceCell(zoom_, g.dpr);
    g.content = contentPixels();
    g.view = QSize(int(std::lround(viewport()->width() * g.dpr)), int(std::lround(viewport()->height() * g.dpr)));
    const int viewWidth = g.view.width(), viewHeight = g.view.height();
    const int contentWidth = g.content.width() * g.cell, contentHeight = g.content.height() * g.cell;
    // Smaller than the view: centred; larger: where the scroll bars put it.
    const int left = contentWidth < viewWidth ? (viewWidth - contentWidth) / 2 : -horizontalScrollBar()->value();
    const int top = contentHeight < viewHeight ? (viewHeight - contentHeight) / 2 : -verticalScrollBar()->value();
    g.origin = QPoint(left - g.content.x() * g.cell, top - g.content.y() * g.cell);
    return g;
}

void PaintCanvas::updateScrollBars()
{
    const Geometry g = geometry();
    // The scroll bars count device pixels.
    horizontalScrollBar()->setRange(0, std::max(0, g.content.width() * g.cell - g.view.width()));
    verticalScrollBar()->setRange(0, std::max(0, g.content.height() * g.cell - g.view.height()));
    horizontalScrollBar()->setPageStep(g.view.width());
    verticalScrollBar()->setPageStep(g.view.height());
    const int step = std::max(g.cell, int(16 * g.dpr));
    horizontalScrollBar()->setSingleStep(step);
    verticalScrollBar()->setSingleStep(step);
}

PixelPoint PaintCanvas::pixelAt(QPointF viewportPos) const
{
    const Geometry g = geometry();
    const int x = int(std::floor(viewportPos.x() * g.dpr)), y = int(std::floor(viewportPos.y() * g.dpr));
    return PixelPoint{int32_t(FloorDiv(x - g.origin.x(), g.cell)), int32_t(FloorDiv(y - g.origin.y(), g.cell))};
}

QRect PaintCanvas::toDevice(const QRect& logical, qreal dpr) const
{
    const int left = int(std::floor(logical.x() * dpr)), top = int(std::floor(logical.y() * dpr));
    const int right = int(std::ceil((logical.x() + logical.width()) * dpr));
    const int bottom = int(std::ceil((logical.y() + logical.height()) * dpr));
    return QRect(left, top, right - left, bottom - top);
}

void PaintCanvas::updateCells(const QRect& area)
{
    const Geometry g = geometry();
    const QRect device(g.origin + area.topLeft() * g.cell, area.size() * g.cell);
    const int left = int(std::floor(device.x() / g.dpr)), top = int(std::floor(device.y() / g.dpr));
    const int right = int(std::ceil((device.x() + device.width()) / g.dpr));
    const int bottom = int(std::ceil((device.y() + device.height()) / g.dpr));
    viewport()->update(QRect(left, top, right - left, bottom - top) & viewport()->rect());
}

void PaintCanvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const Geometry g = geometry();
    UseDevicePixels(painter, g.dpr);
    const QRect exposed = toDevice(event->rect(), g.dpr);
    const QRect contentDevice(g.origin + g.content.topLeft() * g.cell, g.content.size() * g.cell);

    // What lies outside the content: the window's background.
    for (const QRect& r : QRegion(exposed) - QRegion(contentDevice))
        painter.fillRect(r, palette().window());
    if (!picture_)
        return;

    const QRect partDevice(g.origin, QSize(picture_->width, picture_->height) * g.cell);
    if (surroundingsShown_ && !surroundings_.isNull()) {
        const QPoint roomCorner = g.origin - place_ * g.cell;
        const QRegion around = (QRegion(contentDevice) - QRegion(partDevice)) & exposed;
        for (const QRect& r : around)
            DrawCells(painter, surroundings_, surroundings_.rect(), roomCorner, g.cell, r, QColor(), scratch_);
        // The room does not cover the whole of a part that reaches past it.
        for (const QRect& r : around - QRegion(QRect(roomCorner, surroundings_.size() * g.cell)))
            painter.fillRect(r, palette().window());
    }
    // The grid: a line of one device pixel on the top and left of each cell.
    const QColor grid = gridShown_ && zoom_ >= kGridZoom ? kGridColour : QColor();
    DrawCells(painter, image_, image_.rect(), g.origin, g.cell, exposed & partDevice, grid, scratch_);

    if (!selection_.empty()) {
        const QRect frame(g.origin.x() + selection_.x * g.cell, g.origin.y() + selection_.y * g.cell,
                          selection_.width * g.cell - 1, selection_.height * g.cell - 1);
        DrawDashedFrame(painter, frame);
    }
    drawOverlay(painter, g);
}

void PaintCanvas::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PaintCanvas::scrollContentsBy(int, int)
{
    viewport()->update();
}

void PaintCanvas::setZoom(int zoom, std::optional<QPointF> anchor)
{
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (zoom == zoom_)
        return;
    const QPointF at = anchor.value_or(QPointF(viewport()->width() / 2.0, viewport()->height() / 2.0));
    const Geometry before = geometry();
    // The picture point under the anchor, in pixels with fractions.
    const double fx = (at.x() * before.dpr - before.origin.x()) / before.cell;
    const double fy = (at.y() * before.dpr - before.origin.y()) / before.cell;
    zoom_ = zoom;
    updateScrollBars();
    const Geometry after = geometry();
    horizontalScrollBar()->setValue(
        int(std::lround((fx - after.content.x()) * after.cell - at.x() * after.dpr)));
    verticalScrollBar()->setValue(int(std::lround((fy - after.content.y()) * after.cell - at.y() * after.dpr)));
    viewport()->update();
    emit zoomChanged(zoom_);
}

void PaintCanvas::zoomIn(std::optional<QPointF> anchor)
{
    for (int step : kZoomSteps)
        if (step > zoom_)
            return setZoom(step, anchor);
}

void PaintCanvas::zoomOut(std::optional<QPointF> anchor)
{
    for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it)
        if (*it < zoom_)
            return setZoom(*it, anchor);
}

void PaintCanvas::fitToWindow()
{
    const Geometry g = geometry();
    if (g.content.isEmpty())
        return;
    int zoom = kMinZoom;
    while (zoom < kMaxZoom && DeviceCell(zoom + 1, g.dpr) * g.content.width() <= g.view.width() &&
           DeviceCell(zoom + 1, g.dpr) * g.content.height() <= g.view.height())
        ++zoom;
    setZoom(zoom);
}

void PaintCanvas::setGridShown(bool shown)
{
    if (shown == gridShown_)
        return;
    gridShown_ = shown;
    viewport()->update();
}

void PaintCanvas::setPanning(bool panning)
{
    panning_ = panning;
    viewport()->setCursor(panning ? Qt::ClosedHandCursor : spaceHeld_ ? Qt::OpenHandCursor : Qt::CrossCursor);
}

void PaintCanvas::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const Qt::MouseButton button = event->button();
    if (button_ != Qt::NoButton || panning_)
        return;  // one button at a time
    if (button == Qt::MiddleButton || (button == Qt::LeftButton && spaceHeld_)) {
        panFrom_ = event->position();
        setPanning(true);
        button_ = button;
        return;
    }
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    button_ = button;
    const PixelPoint p = pixelAt(event->position());
    emit pressed(QPoint(p.x, p.y), button, event->modifiers());
}

void PaintCanvas::mouseMoveEvent(QMouseEvent* event)
{
    if (panning_) {
        const qreal dpr = viewport()->devicePixelRatioF();
        const QPointF delta = (event->position() - panFrom_) * dpr;
        panFrom_ = event->position();
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - int(std::lround(delta.x())));
        verticalScrollBar()->setValue(verticalScrollBar()->value() - int(std::lround(delta.y())));
        return;
    }
    const PixelPoint p = pixelAt(event->position());
    setHovered(QPoint(p.x, p.y));
    emit hovered(QPoint(p.x, p.y));
    if (button_ != Qt::NoButton)
        emit dragged(QPoint(p.x, p.y), event->modifiers());
}

void PaintCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != button_)
        return;
    button_ = Qt::NoButton;
    if (panning_) {
        setPanning(false);
        return;
    }
    const PixelPoint p = pixelAt(event->position());
    emit released(QPoint(p.x, p.y));
}

void PaintCanvas::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int delta = event->angleDelta().y();
    if (delta > 0)
        zoomIn(event->position());
    else if (delta < 0)
        zoomOut(event->position());
    event->accept();
}

bool PaintCanvas::spaceKey(QKeyEvent* event, bool held)
{
    if (event->key() != Qt::Key_Space)
        return false;
    if (!event->isAutoRepeat())
        setSpaceHeld(held);
    event->accept();
    return true;
}

void PaintCanvas::setSpaceHeld(bool held)
{
    spaceHeld_ = held;
    setPanning(panning_);  // the cursor shows the hand while Space is held
}

void PaintCanvas::keyPressEvent(QKeyEvent* event)
{
    if (!spaceKey(event, true))
        QAbstractScrollArea::keyPressEvent(event);
}

void PaintCanvas::keyReleaseEvent(QKeyEvent* event)
{
    if (!spaceKey(event, false))
        QAbstractScrollArea::keyReleaseEvent(event);
}

void PaintCanvas::leaveEvent(QEvent* event)
{
    setHovered(std::nullopt);
    emit left();
    QAbstractScrollArea::leaveEvent(event);
}

void PaintCanvas::focusOutEvent(QFocusEvent* event)
{
    // The key release goes elsewhere: do not stay in the hand.
    setSpaceHeld(false);
    QAbstractScrollArea::focusOutEvent(event);
}

}  // namespace velmora
