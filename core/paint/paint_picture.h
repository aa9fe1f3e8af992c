// The picture the painter edits: a part as it is drawn through its mask,
// every pixel a room-palette index or see-through. The tools draw on it and
// return the rectangle they drew in; paint_slots.h makes it from the room's
// pictures and writes it back.
#pragma once

#include "core/render/pixel_rect.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace velmora {

// A room-palette index (0-255), or kSeeThrough.
using PaintValue = uint16_t;
constexpr PaintValue kSeeThrough = 256;

struct PixelPoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PaintPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<PaintValue> pixels;  // rows top-down

    // Throws std::invalid_argument for a negative size; 0 gives an empty picture.
    static PaintPicture Make(int32_t width, int32_t height, PaintValue fill = kSeeThrough);

    bool contains(PixelPoint p) const { return p.x >= 0 && p.y >= 0 && p.x < width && p.y < height; }
    PaintValue at(PixelPoint p) const { return pixels[size_t(p.y) * size_t(width) + size_t(p.x)]; }
    void set(PixelPoint p, PaintValue v) { pixels[size_t(p.y) * size_t(width) + size_t(p.x)] = v; }
    PixelRect bounds() const { return PixelRect{0, 0, width, height}; }

    friend bool operator==(const PaintPicture&, const PaintPicture&) = default;
};

// The colour picker: the room index at p; nothing where it is see-through or outside.
inline std::optional<uint8_t> PickColour(const PaintPicture& picture, PixelPoint p)
{
    if (!picture.contains(p) || picture.at(p) == kSeeThrough)
        return std::nullopt;
    return uint8_t(picture.at(p));
}

// a / b rounded down, negatives included; b > 0.
constexpr int64_t FloorDiv(int64_t a, int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Coordinates the shapes take: a drag far off the picture is brought in to
// this distance, which keeps the arithmetic of every shape inside 64 bits.
constexpr int32_t kPaintCoordinateLimit = 8192;

}  // namespace velmora
