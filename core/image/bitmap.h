// A decoded picture as the room keeps it: size, depth, colour table, pixels.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

// One colour-table entry in BMP order (blue, green, red, reserved).
struct RgbQuad {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t reserved = 0;

    friend bool operator==(const RgbQuad&, const RgbQuad&) = default;
};

// How the picture was stored in the file it came from. The encoder always
// writes the standard uncompressed form; this is kept for diagnostics (lint).
struct BmpSourceForm {
    uint32_t infoHeaderSize = 40;
    uint32_t compression = 0;
    bool topDown = false;
    uint32_t coloursUsed = 0;

    friend bool operator==(const BmpSourceForm&, const BmpSourceForm&) = default;
};

// Pixels are held unpacked, rows top-down:
// - 1, 4 and 8 bits per pixel: one byte per pixel holding the colour index;
//   the colour table always has 2^bits entries (missing entries are black);
// - 24 bits per pixel: three bytes per pixel, blue, green, red; no colour table.
struct Bitmap {
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitsPerPixel = 8;
    std::vector<RgbQuad> colours;
    std::vector<uint8_t> pixels;
    BmpSourceForm source;

    // A blank picture of the given form: every index 0, full colour table.
    static Bitmap Make(int32_t width, int32_t height, uint16_t bitsPerPixel,
                       std::vector<RgbQuad> colours = {});

    bool isIndexed() const { return bitsPerPixel <= 8; }
    int bytesPerPixel() const { return bitsPerPixel == 24 ? 3 : 1; }
    bool empty() const { return width <= 0 || height <= 0; }

    uint8_t index(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    void setIndex(int x, int y, uint8_t v) { pixels[static_cast<size_t>(y) * width + x] = v; }
    // The colour of a pixel, whatever the depth.
    RgbQuad colourAt(int x, int y) const;

    // Same size, depth, colour table and pixels; the source form is not compared.
    bool samePicture(const Bitmap& other) const;
};

}  // namespace velmora
