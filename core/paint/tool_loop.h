// The painter's tool loop: press, move, release and cancel of any tool row
// (tool_parts.h) on a picture, mirrored by the symmetry. It draws on the
// picture at once and returns where it changed it, so the room can follow;
// what the drag changed becomes one step when it ends, which is the caller's.
#pragma once

#include "core/paint/brush.h"
#include "core/paint/selection.h"
#include "core/paint/stroke.h"
#include "core/paint/symmetry.h"
#include "core/paint/tool_parts.h"

#include <array>
#include <optional>
#include <vector>

namespace velmora {

// A press of the mouse with a tool.
struct ToolInput {
    ToolParts parts;
    PaintValue value = 0;  // the colour of the button pressed
    PaintValue other = 0;  // the other button's colour
    Brush brush;
    Symmetry symmetry;
    bool pixelPerfect = false;  // the pencil's option
    bool shift = false;         // constrain a shape; Shift+click lines and fills
    bool control = false;       // a selection drag copies
    // Shade: each room index's next step in the button's direction.
    const std::array<uint8_t, 256>* shadeSteps = nullptr;
};

class ToolLoop {
public:
    explicit ToolLoop(PaintPicture& picture) : picture_(picture) {}

    // Each returns the rectangle where the picture may have changed.
    PixelRect press(const ToolInput& input, PixelPoint at);
    PixelRect move(PixelPoint at);
    // Ends the drag; what it drew stays.
    void release();
    // Ends the drag and puts the picture and the selection back as they were at the press.
    PixelRect cancel();
    bool active() const { return active_; }

    const PixelRect& selection() const { return selection_; }
    void setSelection(const PixelRect& area) { selection_ = area.empty() ? PixelRect{} : area; }
    // Forgets where the last freehand stroke ended (another picture).
    void forgetLastPoint() { lastPoint_.reset(); }

private:
    enum class Drag { None, Selecting, Moving };
    PixelRect drawFigure(PaintPicture& picture, PixelPoint at);
    PixelRect drawFreehand(PixelPoint at);

    PaintPicture& picture_;
    ToolInput input_;
    Ink ink_;
    bool active_ = false;
    Drag drag_ = Drag::None;
    PixelPoint start_;
    PixelRect selectionAtPress_;
    PixelRect drawn_;  // since the press
    std::vector<Mirror> mirrors_;
    std::vector<PencilStroke> strokes_;   // one for each mirror
    std::vector<PixelPoint> points_;      // a freehand drag that redraws
    std::optional<DragPreview> preview_;  // the picture at the press
    std::optional<PixelPoint> lastPoint_;  // where the last freehand stroke ended
    PixelRect selection_;
};

}  // namespace velmora
