#include "core/room/room_lint.h"

#include "core/image/palette.h"

#include <algorithm>

namespace velmora {

namespace {

std::string SizeText(int w, int h)
{
    return std::to_string(w) + "x" + std::to_string(h);
}

// Whether each colour-table entry (or, for 24 bits, colour) is black as the
// masked draw sees it: its nearest room-palette index is 255.
bool IsBlack(RgbQuad c)
{
    return NearestRoomIndex(c) == kBlackIndex;
}

void LintShowThrough(const RoomPictures& pictures, int part, std::vector<LintFinding>& out)
{
    const Bitmap& picture = pictures[static_cast<size_t>(part)];
    // Judge the part as the preview shows it: through the mask it is drawn with.
    const int maskSlot = PartSlotTable::DrawMaskOf(part);
    const Bitmap& mask = pictures[static_cast<size_t>(maskSlot)];
    const int w = std::min(picture.width, mask.width);
    const int h = std::min(picture.height, mask.height);
    // Per-entry answers once per table; 24-bit pictures ask per pixel.
    std::array<bool, 256> pictureBlack{}, maskBlack{};
    for (size_t i = 0; i < picture.colours.size() && i < 256; ++i)
        pictureBlack[i] = IsBlack(picture.colours[i]);
    for (size_t i = 0; i < mask.colours.size() && i < 256; ++i)
        maskBlack[i] = IsBlack(mask.colours[i]);
    auto black = [](const Bitmap& b, const std::array<bool, 256>& table, int x, int y) {
        return b.isIndexed() ? table[b.index(x, y)] : IsBlack(b.colourAt(x, y));
    };
    LintFinding f{LintFinding::Kind::PartShowsThrough, part, {}, 0, w, h, -1, -1};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!black(mask, maskBlack, x, y) && !black(picture, pictureBlack, x, y)) {
                ++f.count;
                f.left = std::min(f.left, x);
                f.top = std::min(f.top, y);
                f.right = std::max(f.right, x);
                f.bottom = std::max(f.bottom, y);
            }
    if (f.count == 0)
        return;
    f.text = std::to_string(f.count) + " pixels are not black where " +
             std::string(PartSlotTable::BoxName(maskSlot)) + " is see-through, in (" +
             std::to_string(f.left) + "," + std::to_string(f.top) + ")-(" + std::to_string(f.right) + "," +
             std::to_string(f.bottom) + "); they blend into what lies beneath";
    out.push_back(std::move(f));
}

}  // namespace

std::vector<LintFinding> LintRoom(const RoomPictures& pictures, const std::array<RgbQuad, 256>& standardPalette)
{
    std::vector<LintFinding> out;
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot) {
        const Bitmap& b = pictures[static_cast<size_t>(slot)];
        const PartSize size = PartSlotTable::RequiredSize(slot);
        if (b.width != size.width || b.height != size.height)
            out.push_back({LintFinding::Kind::WrongSize, slot,
                           "the picture is " + SizeText(b.width, b.height) + "; the slot's size is " +
                               SizeText(size.width, size.height)});
        if (PartSlotTable::IsMask(slot)) {
            if (b.bitsPerPixel != 1)
                out.push_back({LintFinding::Kind::MaskNotOneBit, slot,
                               "the mask has " + std::to_string(b.bitsPerPixel) + " bits per pixel, not 1"});
            continue;
        }
        if (b.bitsPerPixel != 8)
            out.push_back({LintFinding::Kind::WrongDepth, slot,
                           "the picture has " + std::to_string(b.bitsPerPixel) + " bits per pixel, not 8"});
        else if (!std::equal(b.colours.begin(), b.colours.end(), standardPalette.begin(), standardPalette.end()))
            out.push_back({LintFinding::Kind::ForeignPalette, slot,
                           "the colour table differs from the standard palette"});
        LintShowThrough(pictures, slot, out);
    }
    return out;
}

}  // namespace velmora
