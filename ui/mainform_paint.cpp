// The painter from the editor: Paint... of the part menu, Enter on a
// picture box and, when the settings say so, the double-click. One painter
// window per editor; opening another part switches it.
#include "ui/mainform.h"

#include "ui/painter/painter_window.h"

#include <QScreen>

namespace velmora {

void TMainForm::PaintClick()
{
    const int slot = selectedSlot_;
    if (!painter_) {
        painter_ = std::make_unique<PainterWindow>(*document_, *this);
        // In the middle of the screen: a window manager that puts a new
        // window under the pointer would leave its status line off the edge.
        QRect frame(QPoint(), painter_->size());
        frame.moveCenter(screen()->availableGeometry().center());
        painter_->move(frame.topLeft());
    }
    painter_->showSlot(slot);
}

void TMainForm::PictureDoubleClick()
{
    if (doubleClickPaints())
        PaintClick();
    else
        EditClick();
}

bool TMainForm::doubleClickPaints() const
{
    // A value this version does not know, or one that is no text, leaves the
    // image editor, as a missing one does.
    const Result<std::optional<QString>> setting = settings_.read(QString::fromLatin1(Settings::kDoubleClick));
    return setting && setting.value() && *setting.value() == QLatin1String(Settings::kDoubleClickPainter);
}

void TMainForm::closePainter()
{
    if (painter_)
        painter_->close();
}

}  // namespace velmora
