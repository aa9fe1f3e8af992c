// Painter pictures written out as rows of characters, for tests:
// '-' see-through, '.' index 0, 'a'..'z' indices 1..26, '#' index 255.
#pragma once

#include "core/paint/paint_picture.h"

#include <string>
#include <vector>

namespace velmora::test {

inline PaintValue GridValue(char c)
{
    return c == '-' ? kSeeThrough : c == '.' ? 0 : c == '#' ? 255 : PaintValue(c - 'a' + 1);
}

inline PaintPicture Grid(const std::vector<std::string>& rows)
{
    PaintPicture p = PaintPicture::Make(rows.empty() ? 0 : int32_t(rows[0].size()), int32_t(rows.size()));
    for (int32_t y = 0; y < p.height; ++y)
        for (int32_t x = 0; x < p.width; ++x)
            p.set({x, y}, GridValue(rows[size_t(y)][size_t(x)]));
    return p;
}

inline std::vector<std::string> Rows(const PaintPicture& p)
{
    std::vector<std::string> rows;
    for (int32_t y = 0; y < p.height; ++y) {
        std::string row;
        for (int32_t x = 0; x < p.width; ++x) {
            const PaintValue v = p.at({x, y});
            row += v == kSeeThrough ? '-' : v == 0 ? '.' : v == 255 ? '#' : v <= 26 ? char('a' + v - 1) : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

// A picture of w x h pixels of index 0.
inline PaintPicture Blank(int32_t w, int32_t h)
{
    return PaintPicture::Make(w, h, 0);
}

}  // namespace velmora::test
