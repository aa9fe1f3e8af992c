// The painter's canvas under the mouse: a press with the current tool's
// parts from the tool table, the drag, the release, the picker and Escape.
#include "ui/painter/painter_window.h"

#include "ui/services/language_texts.h"

#include "core/image/palette.h"
#include "core/paint/shade_ramps.h"

#include <QAction>

namespace velmora {

void PainterWindow::canvasPressed(QPoint pixel, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    run([&] {
        if (placingAxes_) {
            placingAxes_ = false;
            axesAt_ = pixel;
            refreshAxes();
            return;
        }
        const ToolEntry& entry = EntryOf(tool_);
        if (entry.parts.controller == Controller::Pick || (modifiers & Qt::AltModifier)) {
            picking_ = button;
            pick(pixel, button);
            return;
        }
        const bool right = button == Qt::RightButton;
        ToolInput input;
        input.parts = entry.parts;
        const PaintValue front = session_->maskAlone() ? PaintValue{kBlackIndex} : PaintValue{foreground_};
        const PaintValue back = session_->maskAlone() ? kSeeThrough : PaintValue{background_};
        input.value = right ? back : front;
        input.other = right ? front : back;
        input.pixelPerfect = actions_[size_t(Text::PixelPerfect)]->isChecked();
        input.brush = brush_;
        input.symmetry = symmetry();
        input.shadeSteps = right ? &DarkerSteps() : &LighterSteps();
        input.shift = modifiers & Qt::ShiftModifier;
        input.control = modifiers & Qt::ControlModifier;
        session_->press(input, PixelPoint{pixel.x(), pixel.y()}, stepName(entry, input));
    });
}

QString PainterWindow::stepName(const ToolEntry& entry, const ToolInput& input) const
{
    if (entry.parts.figure == Figure::Fill && input.shift)
        return TextOrEnglish(texts_, Text::ReplaceColourStep);
    if (entry.parts.controller == Controller::Selection)
        return TextOrEnglish(texts_, input.control ? Text::CopyStep : Text::MoveStep);
    return StepName(TextOrEnglish(texts_, entry.caption));
}

void PainterWindow::canvasDragged(QPoint pixel)
{
    run([&] {
        if (picking_ != Qt::NoButton)
            pick(pixel, picking_);
        else
            session_->move(PixelPoint{pixel.x(), pixel.y()});
    });
}

void PainterWindow::canvasReleased()
{
    run([this] {
        if (picking_ != Qt::NoButton)
            picking_ = Qt::NoButton;
        else
            session_->release();
    });
}

void PainterWindow::escape()
{
    if (!session_->cancel())
        session_->clearSelection();
}

void PainterWindow::pick(QPoint pixel, Qt::MouseButton button)
{
    if (session_->maskAlone())
        return;  // a mask has no colours to pick
    const std::optional<uint8_t> colour = PickColour(session_->picture(), PixelPoint{pixel.x(), pixel.y()});
    if (!colour)
        return;
    if (button == Qt::RightButton)
        setColours(foreground_, *colour);
    else
        setColours(*colour, background_);
}

}  // namespace velmora
