// What a stamped pixel becomes. The drawing routines hand the ink whole
// runs of pixels (columns x1..x2 of one row), so an ink is added here alone.
#pragma once

#include "core/paint/paint_picture.h"

#include <algorithm>
#include <array>

namespace velmora {

enum class InkKind {
    Colour,         // the button's colour (see-through for the eraser)
    SeeThrough,     // see-through whichever button
    ReplaceColour,  // the colour, only over pixels of the other button's colour
    Shade,          // one step along the pixel's ramp: lighter with one button, darker with the other
};

struct Ink {
    InkKind kind = InkKind::Colour;
    PaintValue value = 0;  // what it paints
    PaintValue other = 0;  // ReplaceColour: the only colour it paints over
    // Shade: each room index's next step in the button's direction (itself at a ramp's end).
    const std::array<uint8_t, 256>* steps = nullptr;

    // Inks that read the pixel take it from `before` (the picture at the
    // press), so a stroke passing twice over a pixel changes it once.
    void apply(PaintValue* row, const PaintValue* before, int32_t count) const
    {
        switch (kind) {
        case InkKind::Colour: std::fill_n(row, count, value); return;
        case InkKind::SeeThrough: std::fill_n(row, count, kSeeThrough); return;
        case InkKind::ReplaceColour:
            for (int32_t i = 0; i < count; ++i)
                if (before[i] == other)
                    row[i] = value;
            return;
        case InkKind::Shade:
            for (int32_t i = 0; i < count; ++i)
                if (before[i] < kSeeThrough)
                    row[i] = (*steps)[before[i]];
            return;
        }
    }
    // Whether apply reads the picture at the press.
    bool readsBefore() const { return kind == InkKind::ReplaceColour || kind == InkKind::Shade; }
};

inline Ink ColourInk(PaintValue value)
{
    return Ink{InkKind::Colour, value};
}

}  // namespace velmora
