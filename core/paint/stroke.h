// A freehand stroke: dabs of the brush that follow the mouse, joined by lines.
#pragma once

#include "core/paint/brush.h"
#include "core/paint/ink.h"
#include "core/paint/paint_picture.h"

#include <optional>
#include <vector>

namespace velmora {

// Paints with `ink` on the picture as the mouse moves; each call changes
// the picture at once, so the room can follow it. With pixelPerfect (a
// one-pixel brush only), the corner pixel of every L-shaped step (right
// then down, say) is put back as it was, which leaves clean one-pixel
// diagonals. Inks that read a pixel read `before` (see Plotter).
class PencilStroke {
public:
    PencilStroke(PaintPicture& picture, const Ink& ink, const Brush& brush, bool pixelPerfect,
                 const PaintPicture* before = nullptr);
    // A one-pixel stroke of one value (kSeeThrough for the eraser).
    PencilStroke(PaintPicture& picture, PaintValue value, bool pixelPerfect)
        : PencilStroke(picture, ColourInk(value), Brush{}, pixelPerfect)
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

    PaintPicture& picture_;
    Ink ink_;
    std::vector<FootprintRow> footprint_;
    bool pixelPerfect_;
    const PaintPicture* before_;
    std::optional<Visit> previous_, last_;
    PixelRect drawn_;
};

}  // namespace velmora
