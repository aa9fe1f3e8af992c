// The room's 256 colours as a 16x16 grid: left click picks the foreground,
// right click the background; the two are framed, the colours the part uses
// carry a dot, and the two chosen colours stand below the grid.
#pragma once

#include <QWidget>

#include <bitset>
#include <cstdint>

namespace velmora {

class PaletteGrid : public QWidget {
    Q_OBJECT
public:
    explicit PaletteGrid(QWidget* parent = nullptr);

    void setColours(uint8_t foreground, uint8_t background);
    void setUsed(const std::bitset<256>& used);
    // The cell of a colour, in widget coordinates.
    QRect cellRect(int index) const;

    QSize sizeHint() const override;

signals:
    void foregroundPicked(int index);
    void backgroundPicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int indexAt(QPoint pos) const;

    uint8_t foreground_ = 255;
    uint8_t background_ = 0;
    std::bitset<256> used_;
};

}  // namespace velmora
