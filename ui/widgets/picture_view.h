// A picture shown as large as its box allows, keeping its shape, over a
// chequerboard where it is see-through.
#pragma once

#include <QImage>
#include <QWidget>

namespace velmora {

class PictureView : public QWidget {
    Q_OBJECT
public:
    // `smooth`: blend when scaling (photos); otherwise every pixel stays a
    // sharp block at every zoom (pixel art, the room's parts).
    explicit PictureView(bool smooth, QWidget* parent = nullptr);

    void setPicture(QImage picture);
    const QImage& picture() const { return picture_; }
    // Where the picture is drawn: the largest rectangle of its shape that
    // fits, centred. Empty without a picture.
    QRect pictureRect() const;

    QSize sizeHint() const override { return {320, 240}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool smooth_;
    QImage picture_;
};

}  // namespace velmora
