// Rectangular selections: blocks of pixels copied, cleared, moved and
// placed, and a drag that redraws from the picture as it was at the press.
#pragma once

#include "core/paint/paint_picture.h"

#include <utility>

namespace velmora {

// The pixels of `area` clipped to the picture (Ctrl+C); empty when none are inside.
PaintPicture CopyArea(const PaintPicture& picture, const PixelRect& area);
// `block` with its top-left pixel at `at`, every pixel of it, see-through
// ones too, clipped to the picture (Ctrl+V).
PixelRect PlaceBlock(PaintPicture& picture, const PaintPicture& block, PixelPoint at);
// Makes `area` see-through (Delete).
PixelRect ClearArea(PaintPicture& picture, const PixelRect& area);
// Moves the pixels of `area` by (dx, dy), leaving see-through behind, or with
// `copy` copies them there. What lands outside the picture is lost.
PixelRect MoveArea(PaintPicture& picture, const PixelRect& area, int32_t dx, int32_t dy, bool copy);
// Puts the pixels of `area` back from `from`, a picture of the same size.
PixelRect RestoreArea(PaintPicture& picture, const PaintPicture& from, const PixelRect& area);

// A shape, a move or a copy during a drag: every update starts again from
// the picture as it was at the press, so the last position alone counts.
// Between updates the picture must differ from the press only where the last
// update drew.
class DragPreview {
public:
    explicit DragPreview(const PaintPicture& atPress) : atPress_(atPress) {}

    // Puts back what the last update drew, then runs draw(picture), which
    // returns the rectangle it drew in. Returns the rectangle where the
    // picture may now differ from before the call: what to repaint and write back.
    template <class Draw>
    PixelRect update(PaintPicture& picture, Draw&& draw)
    {
        const PixelRect before = drawn_;
        RestoreArea(picture, atPress_, drawn_);
        drawn_ = std::forward<Draw>(draw)(picture);
        return United(before, drawn_);
    }
    const PaintPicture& atPress() const { return atPress_; }

private:
    PaintPicture atPress_;
    PixelRect drawn_;
};

}  // namespace velmora
