#include "ui/painter/palette_grid.h"

#include "ui/painter/pixel_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace velmora {

namespace {

constexpr int kCell = 14;
constexpr int kColumns = 16;
constexpr int kSwatch = 2 * kCell;

QColor RoomColour(int index)
{
    return QColor(RoomRgb()[size_t(index)]);
}

// Black or white, whichever stands out on `colour`.
QColor Contrast(const QColor& colour)
{
    return colour.red() * 299 + colour.green() * 587 + colour.blue() * 114 > 128000 ? Qt::black : Qt::white;
}

}  // namespace

PaletteGrid::PaletteGrid(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PaletteGrid"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize PaletteGrid::sizeHint() const
{
    return QSize(kColumns * kCell + 1, kColumns * kCell + kSwatch + kCell / 2 + 2);
}

QRect PaletteGrid::cellRect(int index) const
{
    return QRect((index % kColumns) * kCell, (index / kColumns) * kCell, kCell, kCell);
}

void PaletteGrid::setColours(uint8_t foreground, uint8_t background)
{
    if (foreground == foreground_ && background == background_)
        return;
    foreground_ = foreground;
    background_ = background;
    update();
}

void PaletteGrid::setUsed(const std::bitset<256>& used)
{
    if (used == used_)
        return;
    used_ = used;
    update();
}

int PaletteGrid::indexAt(QPoint pos) const
{
    if (pos.x() < 0 || pos.y() < 0 || pos.x() >= kColumns * kCell || pos.y() >= kColumns * kCell)
        return -1;
    return pos.y() / kCell * kColumns + pos.x() / kCell;
}

void PaletteGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    for (int i = 0; i < 256; ++i) {
        const QRect cell = cellRect(i);
        const QColor colour = RoomColour(i);
        painter.fillRect(cell, colour);
        if (used_.test(size_t(i)))
            painter.fillRect(QRect(cell.center() - QPoint(1, 1), QSize(3, 3)), Contrast(colour));
    }
    if (!isEnabled())
        painter.fillRect(QRect(0, 0, kColumns * kCell, kColumns * kCell), QColor(128, 128, 128, 160));
    auto frame = [&](int index, Qt::PenStyle style) {
        const QRect cell = cellRect(index).adjusted(0, 0, -1, -1);
        painter.setPen(QPen(Contrast(RoomColour(index)), 1, style));
        painter.drawRect(cell);
        painter.setPen(QPen(RoomColour(index) == Qt::black ? Qt::white : Qt::black, 1, style));
        painter.drawRect(cell.adjusted(1, 1, -1, -1));
    };
    frame(background_, Qt::DotLine);
    frame(foreground_, Qt::SolidLine);

    // The foreground over the background, below the grid.
    const int top = kColumns * kCell + kCell / 2;
    const QRect back(kSwatch / 2, top + kSwatch / 2 - kSwatch / 4, kSwatch, kSwatch / 2 + 1);
    const QRect front(0, top, kSwatch, kSwatch / 2 + 1);
    painter.setPen(palette().windowText().color());
    painter.fillRect(back.translated(kSwatch / 2, 0), RoomColour(background_));
    painter.drawRect(back.translated(kSwatch / 2, 0));
    painter.fillRect(front, RoomColour(foreground_));
    painter.drawRect(front);
}

void PaletteGrid::mousePressEvent(QMouseEvent* event)
{
    const int index = indexAt(event->position().toPoint());
    if (index < 0)
        return;
    if (event->button() == Qt::LeftButton)
        emit foregroundPicked(index);
    else if (event->button() == Qt::RightButton)
        emit backgroundPicked(index);
}

}  // namespace velmora
