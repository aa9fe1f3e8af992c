#include "core/edit/mask_ops.h"

#include "core/image/colour_map.h"
#include "core/render/compose.h"
#include "core/image/palette.h"

#include <array>

namespace velmora {

namespace {

// 1-bit picture of the same size, white where the pixel has exactly `colour`.
Bitmap MaskWhereColour(const Bitmap& picture, RgbQuad colour)
{
    if (!HasWholePixels(picture)) {
        Bitmap empty = picture;
        empty.bitsPerPixel = 1;
        empty.colours = MaskColoursBlackFirst();
        empty.pixels.clear();
        return empty;
    }
    Bitmap mask = Bitmap::Make(picture.width, picture.height, 1, MaskColoursBlackFirst());
    const auto matches = [&](RgbQuad c) {
        return c.red == colour.red && c.green == colour.green && c.blue == colour.blue;
    };
    std::array<uint8_t, 256> byIndex{};
    if (picture.isIndexed())
        for (size_t i = 0; i < byIndex.size(); ++i)
            byIndex[i] = i < picture.colours.size() && matches(picture.colours[i]) ? 1 : 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            mask.setIndex(x, y, picture.isIndexed() ? byIndex[picture.index(x, y)] : matches(picture.colourAt(x, y)));
    return mask;
}

// Draws the ticked parts onto an 8-bit picture in room-palette indices.
void DrawChosenParts(Bitmap& target, const RoomPictures& pictures, const PasteChoice& choice)
{
    const std::array<std::pair<bool, int>, 5> parts = {{
        {choice.bed, slot::BedImage},
        {choice.treasureBox, slot::TBoxImage},
        {choice.table, slot::TableImage},
        {choice.mailbox, slot::PostImage},
        {choice.bathTub, slot::BathImage}}};
    for (const auto& [ticked, part] : parts)
        if (ticked)
            DrawSlotPart(target, pictures, part);
}

}  // namespace

Bitmap MakeMaskFromPicture(const Bitmap& picture)
{
    return MaskWhereColour(picture, RgbQuad{0, 0, 0, 0});
}

Bitmap MaskFromImageWhite(const Bitmap& picture)
{
    return MaskWhereColour(picture, RgbQuad{255, 255, 255, 0});
}

Bitmap CopyFromRoomView(const Bitmap& room, const Placement& rect, const Bitmap& part)
{
    Bitmap result = part;
    if (!IsSaneRect(rect.left, rect.top, rect.right, rect.bottom))
        return result;
    const int32_t areaWidth = rect.right - rect.left + 1;
    const int32_t areaHeight = rect.bottom - rect.top + 1;
    if (!HasWholePixels(part) || !HasWholePixels(room) || areaWidth <= 0 || areaHeight <= 0)
        return result;
    IndexMapper toPart(room, part.colours);
    for (int y = 0; y < part.height; ++y) {
        const int32_t sy = rect.top + SampleCoordinate(y, part.height, areaHeight);
        if (sy < 0 || sy >= room.height)
            continue;
        for (int x = 0; x < part.width; ++x) {
            const int32_t sx = rect.left + SampleCoordinate(x, part.width, areaWidth);
            if (sx < 0 || sx >= room.width)
                continue;
            if (part.isIndexed()) {
                result.setIndex(x, y, toPart.at(sx, sy));
            } else {
                const RgbQuad c = room.colourAt(sx, sy);
                uint8_t* p = &result.pixels[(size_t(y) * size_t(part.width) + size_t(x)) * 3];
                p[0] = c.blue;
                p[1] = c.green;
                p[2] = c.red;
            }
        }
    }
    return result;
}

Bitmap CopyPartFromRoom(const RoomPictures& pictures, int part)
{
    return CopyFromRoomView(pictures[slot::RoomImage], PartSlotTable::PlacementOf(part),
                            pictures[size_t(part)]);
}

Bitmap PasteParts(const RoomPictures& pictures, const PasteChoice& choice)
{
    const Bitmap& room = pictures[slot::RoomImage];
    Bitmap preview = room;
    const bool any = choice.bed || choice.treasureBox || choice.table || choice.mailbox || choice.bathTub;
    if (!any || !HasWholePixels(room))
        return preview;
    if (room.bitsPerPixel == 8) {
        DrawChosenParts(preview, pictures, choice);
        return preview;
    }
    // No index arithmetic is possible on other depths: draw on the room's
    // nearest room-palette colours and carry back what the drawing changed.
    Bitmap work = Bitmap::Make(room.width, room.height, 8, RoomPaletteVector());
    IndexMapper toRoomPalette(room, RoomPalette());
    for (int y = 0; y < room.height; ++y)
        for (int x = 0; x < room.width; ++x)
            work.setIndex(x, y, toRoomPalette.at(x, y));
    const std::vector<uint8_t> before = work.pixels;
    DrawChosenParts(work, pictures, choice);
    std::array<uint8_t, 256> toRoomTable{};
    if (room.isIndexed())
        for (size_t i = 0; i < toRoomTable.size(); ++i)
            toRoomTable[i] = NearestIndexIn(room.colours, RoomPalette()[i]);
    for (size_t i = 0; i < work.pixels.size(); ++i) {
        if (work.pixels[i] == before[i])
            continue;
        if (room.isIndexed()) {
            preview.pixels[i] = toRoomTable[work.pixels[i]];
        } else {
            const RgbQuad c = RoomPalette()[work.pixels[i]];
            preview.pixels[i * 3] = c.blue;
            preview.pixels[i * 3 + 1] = c.green;
            preview.pixels[i * 3 + 2] = c.red;
        }
    }
    return preview;
}

}  // namespace velmora
