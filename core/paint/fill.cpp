#include "core/paint/fill.h"

#include "core/paint/plotter.h"

#include <vector>

namespace velmora {

PixelRect FloodFill(PaintPicture& picture, PixelPoint seed, PaintValue value)
{
    if (!picture.contains(seed) || picture.at(seed) == value)
        return PixelRect{};
    const PaintValue old = picture.at(seed);
    const int32_t w = picture.width;
    PaintValue* const pixels = picture.pixels.data();
    const Ink ink = ColourInk(value);
    Plotter plot(picture, ink);
    // Scanlines: fill the run of old pixels through a seed, then seed each
    // run of old pixels above and below it once.
    std::vector<PixelPoint> seeds{seed};
    while (!seeds.empty()) {
        const PixelPoint s = seeds.back();
        seeds.pop_back();
        PaintValue* row = pixels + size_t(s.y) * size_t(w);
        if (row[s.x] != old)
            continue;
        int32_t left = s.x, right = s.x;
        while (left > 0 && row[left - 1] == old)
            --left;
        while (right < w - 1 && row[right + 1] == old)
            ++right;
        plot.span(s.y, left, right);
        for (int32_t y : {s.y - 1, s.y + 1}) {
            if (y < 0 || y >= picture.height)
                continue;
            const PaintValue* next = pixels + size_t(y) * size_t(w);
            for (int32_t x = left; x <= right; ++x)
                if (next[x] == old && (x == left || next[x - 1] != old))
                    seeds.push_back({x, y});
        }
    }
    return plot.drawn();
}

PixelRect ReplaceEverywhere(PaintPicture& picture, PixelPoint seed, PaintValue value)
{
    if (!picture.contains(seed) || picture.at(seed) == value)
        return PixelRect{};
    const PaintValue old = picture.at(seed);
    const Ink ink = ColourInk(value);
    Plotter plot(picture, ink);
    for (PixelPoint p{0, 0}; p.y < picture.height; ++p.y)
        for (p.x = 0; p.x < picture.width; ++p.x)
            if (picture.at(p) == old)
                plot.plot(p);
    return plot.drawn();
}

}  // namespace velmora
