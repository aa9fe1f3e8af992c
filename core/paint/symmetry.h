// Mirrored drawing: a vertical axis mirrors left and right, a horizontal one
// top and bottom, both give four copies. The tool loop mirrors the points
// of every tool once, here, so no tool knows of it.
#pragma once

#include "core/paint/paint_picture.h"

#include <vector>

namespace velmora {

struct Symmetry {
    bool vertical = false;    // an axis running down the picture: x mirrored
    bool horizontal = false;  // an axis running across: y mirrored
    // The axes in doubled coordinates, so an axis may run through a pixel's
    // middle (even) or between two pixels (odd): width - 1 is the centre.
    int32_t axisX2 = 0;
    int32_t axisY2 = 0;

    bool any() const { return vertical || horizontal; }
    // The symmetry about the picture's middle.
    static Symmetry Centred(bool vertical, bool horizontal, int32_t width, int32_t height)
    {
        return Symmetry{vertical, horizontal, width - 1, height - 1};
    }
    friend bool operator==(const Symmetry&, const Symmetry&) = default;
};

// One copy of the drawing: which coordinates it mirrors.
struct Mirror {
    bool x = false, y = false;
};

// The copies the symmetry asks for, the drawing itself first: 1, 2 or 4.
inline std::vector<Mirror> MirrorsOf(const Symmetry& s)
{
    std::vector<Mirror> out{Mirror{}};
    if (s.vertical)
        out.push_back(Mirror{true, false});
    if (s.horizontal)
        out.push_back(Mirror{false, true});
    if (s.vertical && s.horizontal)
        out.push_back(Mirror{true, true});
    return out;
}

// p as that copy draws it; p within kPaintCoordinateLimit and the axes
// within twice that keep the sums small.
inline PixelPoint Mirrored(const Symmetry& s, Mirror m, PixelPoint p)
{
    return PixelPoint{m.x ? s.axisX2 - p.x : p.x, m.y ? s.axisY2 - p.y : p.y};
}

}  // namespace velmora
