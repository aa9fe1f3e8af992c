// One of the forty boxes of the main window: shows its slot's picture
// scaled to fill the box and reports presses, double clicks and the context
// menu request with its slot number (its tag). It takes the focus, shows it
// with a frame, and opens the part menu from the keyboard (the Menu key,
// Shift+F10); the arrow keys go to the previous or next box in reading order,
// and Enter (or Return) asks for it to be opened.
#pragma once

#include "ui/widgets/pixel_view.h"

#include <vector>

namespace velmora {

class PictureBox : public PixelView {
    Q_OBJECT
public:
    PictureBox(int tag, QWidget* parent);

    int tag() const { return tag_; }

    // The boxes sorted as a page is read: by row from the top, then from the left.
    static std::vector<PictureBox*> ReadingOrder(std::vector<PictureBox*> boxes);

signals:
    void pressed(int tag);
    void doubleClicked(int tag);
    void enterPressed(int tag);
    void contextMenuRequested(int tag, const QPoint& globalPos);
    // One local file was dropped on the box.
    void fileDropped(int tag, const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Selects the slot as a press does and asks for the menu at the box's middle.
    void menuFromKeyboard();
    void focusNeighbour(bool forward);

    int tag_;
};

}  // namespace velmora
