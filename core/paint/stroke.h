// The pencil and the eraser: a stroke of dabs that follows the mouse.
#pragma once

#include "core/paint/paint_picture.h"

#include <optional>

namespace velmora {

// Paints `value` (kSeeThrough for the eraser) on the picture as the mouse
// moves; each call changes the picture at once, so the room can follow it.
// With pixelPerfect, the corner pixel of every L-shaped step (right then
// down, say) is put back as it was, which leaves clean one-pixel diagonals.
class PencilStroke {
public:
    PencilStroke(PaintPicture& picture, PaintValue value, bool pixelPerfect)
        : picture_(picture), value_(value), pixelPerfect_(pixelPerfect)
    {
    }

    // The first call dabs p; later ones draw the line from the last point to
    // p. Returns the rectangle this call drew in (empty when p is the last point).
    PixelRect to(PixelPoint p);
    // Everything the stroke has drawn in.
    const PixelRect& drawn() const { return drawn_; }
    // Where the stroke is; Shift+click draws a line from here.
    std::optional<PixelPoint> last() const;

private:
    struct Visit {
        PixelPoint at;
        PaintValue before;  // the pixel before this visit painted it
    };
    PixelRect step(PixelPoint p);
    void put(PixelPoint p, PaintValue v, PixelRect& area);

    PaintPicture& picture_;
    PaintValue value_;
    bool pixelPerfect_;
    std::optional<Visit> previous_, last_;
    PixelRect drawn_;
};

}  // namespace velmora
