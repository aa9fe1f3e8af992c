// One of the forty boxes of the main window: shows its slot's picture
// scaled to fill the box and reports presses, double clicks and the context
// menu request with its slot number (its tag).
#pragma once

#include <QImage>
#include <QWidget>

namespace velmora {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(int tag, QWidget* parent);

    int tag() const { return tag_; }
    void setPicture(QImage picture);
    const QImage& picture() const { return picture_; }

signals:
    void pressed(int tag);
    void doubleClicked(int tag);
    void contextMenuRequested(int tag, const QPoint& globalPos);
    // One local file was dropped on the box.
    void fileDropped(int tag, const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int tag_;
    QImage picture_;
    QImage shown_;  // picture_ converted once for fast scaled drawing
};

}  // namespace velmora
