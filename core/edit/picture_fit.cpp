#include "core/edit/picture_fit.h"

#include "core/image/bmp.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace velmora {

namespace {

// How the pixels [first, first + count) of an axis scaled from `source` to
// `scaled` pixels take their sources. On a grid where a source pixel is
// `scaled` units wide and a scaled pixel `source` units, each weight is the
// overlap of the two, so the weights of one scaled pixel add up to `source`.
struct AxisWeights {
    std::vector<int32_t> start;   // first source pixel of each scaled pixel
    std::vector<uint32_t> begin;  // its weights in `weights`, to begin[i + 1]
    std::vector<uint32_t> weights;
    int32_t lowest = 0, highest = 0;  // the source pixels used, highest exclusive

    AxisWeights(int64_t source, int64_t scaled, int32_t first, int32_t count)
    {
        start.reserve(size_t(count));
        begin.reserve(size_t(count) + 1);
        for (int64_t t = first; t < int64_t{first} + count; ++t) {
            const int64_t from = t * source, to = (t + 1) * source;
            const int64_t s0 = from / scaled, s1 = (to + scaled - 1) / scaled;
            start.push_back(int32_t(s0));
            begin.push_back(uint32_t(weights.size()));
            for (int64_t s = s0; s < s1; ++s)
                weights.push_back(uint32_t(std::min(to, (s + 1) * scaled) - std::max(from, s * scaled)));
        }
        begin.push_back(uint32_t(weights.size()));
        lowest = start.front();
        highest = start.back() + int32_t(begin.back() - begin[begin.size() - 2]);
    }
};

// The window [x0, x0 + width) x [y0, y0 + height) of `source` scaled to
// scaledWidth x scaledHeight. Sums are exact: a row sum is at most
// 65025 * source height (< 2^32), a pixel sum 65025 * source pixels (< 2^43).
RgbaPicture ScaleWindow(const RgbaPicture& source, int32_t scaledWidth, int32_t scaledHeight, int32_t x0, int32_t y0,
                        int32_t width, int32_t height)
{
    const AxisWeights across(source.width, scaledWidth, x0, width);
    const AxisWeights down(source.height, scaledHeight, y0, height);
    const uint64_t total = uint64_t(source.width) * uint64_t(source.height);
    RgbaPicture out{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * 4)};
    const int32_t columns = across.highest - across.lowest;
    std::vector<uint32_t> rowSums(size_t(columns) * 4);
    for (int32_t ty = 0; ty < height; ++ty) {
        std::fill(rowSums.begin(), rowSums.end(), 0u);
        for (uint32_t k = down.begin[size_t(ty)]; k < down.begin[size_t(ty) + 1]; ++k) {
            const uint32_t wy = down.weights[k];
            const int32_t sy = down.start[size_t(ty)] + int32_t(k - down.begin[size_t(ty)]);
            const uint8_t* p = &source.pixels[(size_t(sy) * size_t(source.width) + size_t(across.lowest)) * 4];
            for (size_t i = 0; i < size_t(columns) * 4; i += 4) {
                const uint32_t wa = wy * p[i + 3];
                rowSums[i] += wa * p[i];
                rowSums[i + 1] += wa * p[i + 1];
                rowSums[i + 2] += wa * p[i + 2];
                rowSums[i + 3] += wa;
            }
        }
        uint8_t* o = &out.pixels[size_t(ty) * size_t(width) * 4];
        for (int32_t tx = 0; tx < width; ++tx, o += 4) {
            uint64_t sum[4] = {0, 0, 0, 0};
            const uint32_t* r = &rowSums[size_t(across.start[size_t(tx)] - across.lowest) * 4];
            for (uint32_t k = across.begin[size_t(tx)]; k < across.begin[size_t(tx) + 1]; ++k, r += 4) {
                const uint64_t wx = across.weights[k];
                for (int c = 0; c < 4; ++c)
                    sum[c] += wx * r[c];
            }
            const uint64_t alphaWeight = sum[3];
            for (int c = 0; c < 3; ++c)
                o[c] = alphaWeight ? uint8_t((sum[c] + alphaWeight / 2) / alphaWeight) : 0;
            o[3] = uint8_t((alphaWeight + total / 2) / total);
        }
    }
    return out;
}

// Copies the rectangle of `from` at (fromX, fromY) to `to` at (toX, toY).
void CopyRect(const RgbaPicture& from, int32_t fromX, int32_t fromY, RgbaPicture& to, int32_t toX, int32_t toY,
              int32_t width, int32_t height)
{
    for (int32_t y = 0; y < height; ++y)
        std::memcpy(&to.pixels[(size_t(toY + y) * size_t(to.width) + size_t(toX)) * 4],
                    &from.pixels[(size_t(fromY + y) * size_t(from.width) + size_t(fromX)) * 4], size_t(width) * 4);
}

bool SaneSide(int32_t side)
{
    return side >= 1 && side <= kMaxBmpSide;
}

// a * b / c to the nearest whole number, at least 1.
int32_t ScaledSide(int64_t a, int64_t b, int64_t c)
{
    return int32_t(std::max<int64_t>(1, (2 * a * b + c) / (2 * c)));
}

}  // namespace

RgbaPicture FitPicture(const RgbaPicture& picture, int32_t width, int32_t height, Fitting fit)
{
    if (!SaneSide(picture.width) || !SaneSide(picture.height) || !SaneSide(width) || !SaneSide(height) ||
        picture.pixels.size() != size_t(picture.width) * size_t(picture.height) * 4)
        throw std::invalid_argument("the picture cannot be fitted: a side is empty or too large");
    if (picture.width == width && picture.height == height)
        return picture;
    if (fit == Fitting::Exact)
        throw std::invalid_argument("the picture does not have the size asked for");
    RgbaPicture out{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * 4)};
    const int64_t sw = picture.width, sh = picture.height;
    if (fit == Fitting::Crop) {
        CopyRect(picture, 0, 0, out, 0, 0, std::min(width, picture.width), std::min(height, picture.height));
        return out;
    }
    // Whether the width decides the scale: the frame is relatively narrower
    // than the picture (contain), or wider (cover).
    const bool byWidth = fit == Fitting::Contain ? width * sh <= height * sw : width * sh >= height * sw;
    const int32_t scaledWidth = byWidth ? width : ScaledSide(sw, height, sh);
    const int32_t scaledHeight = byWidth ? ScaledSide(sh, width, sw) : height;
    if (fit == Fitting::Cover)
        return ScaleWindow(picture, scaledWidth, scaledHeight, (scaledWidth - width) / 2, (scaledHeight - height) / 2,
                           width, height);
    const RgbaPicture scaled = ScaleWindow(picture, scaledWidth, scaledHeight, 0, 0, scaledWidth, scaledHeight);
    CopyRect(scaled, 0, 0, out, (width - scaledWidth) / 2, (height - scaledHeight) / 2, scaledWidth, scaledHeight);
    return out;
}

}  // namespace velmora
