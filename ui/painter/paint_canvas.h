// The painter's canvas: the picture scaled by a whole number, each pixel a
// cell of whole device pixels, with a grid from 8x on and, around the part,
// the composed room dimmed. It maps the mouse to picture pixels and tells
// what happened there; it changes nothing itself.
#pragma once

#include "core/paint/brush.h"
#include "core/paint/paint_picture.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <optional>
#include <vector>

class QPainter;

namespace velmora {

class PaintCanvas : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kMinZoom = 1;
    static constexpr int kMaxZoom = 32;
    // The grid shows from this zoom on.
    static constexpr int kGridZoom = 8;

    explicit PaintCanvas(QWidget* parent = nullptr);

    // Shows `picture`, which stays alive and is redrawn from on every change;
    // `place` is its corner in the room, where the surroundings put it.
    void showPicture(const PaintPicture& picture, bool maskAlone, QPoint place);
    // Another state of the part shown faintly under the picture's see-through
    // pixels; none without one. Only the view changes.
    void setOnionSkin(std::optional<PaintPicture> onion);
    // Pixels of the picture inside `area` changed: only their cells are redrawn.
    void picturePixelsChanged(const PixelRect& area);
    // The composed room drawn dimmed around the part.
    void setSurroundings(const QImage& dimmedRoom);
    void showSurroundings(bool shown);
    bool surroundingsShown() const { return surroundingsShown_; }
    void setSelection(const PixelRect& selection);
    // The brush's footprint, outlined round the pixel under the mouse
    // (paint_canvas_overlay.cpp); an empty one outlines nothing.
    void setFootprint(std::vector<FootprintRow> footprint);
    // The symmetry axes as lines, in doubled coordinates (Symmetry); none when off.
    void setAxes(std::optional<int32_t> axisX2, std::optional<int32_t> axisY2);

    int zoom() const { return zoom_; }
    // Zooms to `zoom` (kept within 1-32), the pixel under `anchor` (viewport
    // coordinates) staying there; without one, around the view's centre.
    void setZoom(int zoom, std::optional<QPointF> anchor = std::nullopt);
    void zoomIn(std::optional<QPointF> anchor = std::nullopt);
    void zoomOut(std::optional<QPointF> anchor = std::nullopt);
    // The largest zoom at which the picture (and its surroundings) fits the view.
    void fitToWindow();
    void setGridShown(bool shown);
    bool gridShown() const { return gridShown_; }

    // The picture pixel under a point of the viewport; may lie outside the picture.
    PixelPoint pixelAt(QPointF viewportPos) const;

signals:
    void pressed(QPoint pixel, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void dragged(QPoint pixel, Qt::KeyboardModifiers modifiers);
    void released(QPoint pixel);
    void hovered(QPoint pixel);
    void left();
    void zoomChanged(int zoom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Where things are, in device pixels.
    struct Geometry {
        qreal dpr;
        int cell;
        QRect content;  // picture pixels: the part, and the room around it when shown
        QSize view;     // the viewport
        QPoint origin;  // the corner of picture pixel (0, 0)
    };
    Geometry geometry() const;
    QRect contentPixels() const;
    void updateScrollBars();
    // Schedules a repaint of the cells of picture pixels `area`: their grid
    // lines and the selection's frame lie inside them.
    void updateCells(const QRect& area);
    QRect toDevice(const QRect& logical, qreal dpr) const;
    void setPanning(bool panning);
    // Space held turns a left drag into panning; true when `event` was Space.
    bool spaceKey(QKeyEvent* event, bool held);
    void setSpaceHeld(bool held);
    void drawOverlay(QPainter& painter, const Geometry& g) const;
    // The picture pixels the footprint covers round `at`.
    QRect footprintBox(QPoint at) const;
    void setHovered(std::optional<QPoint> pixel);

    const PaintPicture* picture_ = nullptr;
    bool maskAlone_ = false;
    std::optional<PaintPicture> onion_;
    QImage image_;
    QImage scratch_;  // the cells drawn, kept for the next repaint
    QPoint place_;
    QImage surroundings_;
    bool surroundingsShown_ = false;
    PixelRect selection_;
    std::vector<FootprintRow> footprint_;
    std::optional<int32_t> axisX2_, axisY2_;
    std::optional<QPoint> hovered_;
    int zoom_ = 8;
    bool gridShown_ = true;

    bool spaceHeld_ = false;
    bool panning_ = false;
    QPointF panFrom_;
    Qt::MouseButton button_ = Qt::NoButton;
};

}  // namespace velmora
