#include "core/render/compose.h"

#include "core/image/colour_map.h"
#include "core/image/palette.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace velmora {

namespace {

// The two raster operations on one row: OR with the mask, AND with the part.
// Eight pixels at a time in a 64-bit word; the rows never overlap.
void CombineRow(uint8_t* target, const uint8_t* mask, const uint8_t* part, int count)
{
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        uint64_t t, m, p;
        std::memcpy(&t, target + i, 8);
        std::memcpy(&m, mask + i, 8);
        std::memcpy(&p, part + i, 8);
        t = (t | m) & p;
        std::memcpy(target + i, &t, 8);
    }
    for (; i < count; ++i)
        target[i] = static_cast<uint8_t>((target[i] | mask[i]) & part[i]);
}

}  // namespace

void DrawMaskedPart(Bitmap& target, const Placement& targetRect, const Bitmap& part, const Bitmap& mask,
                    PartSize sourceSize)
{
    if (target.bitsPerPixel != 8)
        throw std::invalid_argument("masked drawing needs an 8-bit target picture");
    // Drawing a picture onto itself reads from a copy.
    if (&part == &target || &mask == &target) {
        const Bitmap copy = target;
        DrawMaskedPart(target, targetRect, &part == &target ? copy : part, &mask == &target ? copy : mask, sourceSize);
        return;
    }
    if (!IsSaneRect(targetRect.left, targetRect.top, targetRect.right, targetRect.bottom))
        return;
    const int32_t rectWidth = targetRect.right - targetRect.left + 1;
    const int32_t rectHeight = targetRect.bottom - targetRect.top + 1;
    if (rectWidth <= 0 || rectHeight <= 0 || sourceSize.width <= 0 || sourceSize.height <= 0 ||
        !HasWholePixels(target) || !HasWholePixels(part) || !HasWholePixels(mask))
        return;
    const int32_t x0 = std::max(targetRect.left, 0);
    const int32_t x1 = std::min(targetRect.right, target.width - 1);
    const int32_t y0 = std::max(targetRect.top, 0);
    const int32_t y1 = std::min(targetRect.bottom, target.height - 1);
    if (x0 > x1 || y0 > y1)
        return;

    // Source columns of the clipped target columns; they grow with the target
    // column, so those inside both pictures are a leading run.
    const int32_t sourceLimitX = std::min({sourceSize.width, part.width, mask.width});
    const int32_t sourceLimitY = std::min({sourceSize.height, part.height, mask.height});
    std::vector<int32_t> columns;
    columns.reserve(size_t(x1 - x0 + 1));
    for (int32_t x = x0; x <= x1; ++x) {
        const int32_t sx = SampleCoordinate(x - targetRect.left, rectWidth, sourceSize.width);
        if (sx >= sourceLimitX)
            break;
        columns.push_back(sx);
    }
    const int count = static_cast<int>(columns.size());
    if (count == 0)
        return;
    const bool consecutive = columns.back() - columns.front() == count - 1;

    const auto& palette = RoomPalette();
    IndexMapper partIndex(part, palette);
    IndexMapper maskIndex(mask, palette);
    std::vector<uint8_t> partRow(static_cast<size_t>(count)), maskRow(static_cast<size_t>(count));
    for (int32_t y = y0; y <= y1; ++y) {
        const int32_t sy = SampleCoordinate(y - targetRect.top, rectHeight, sourceSize.height);
        if (sy >= sourceLimitY)
            break;
        const uint8_t* m = maskIndex.row(sy, columns.data(), count, consecutive, maskRow.data());
        const uint8_t* p = partIndex.row(sy, columns.data(), count, consecutive, partRow.data());
        CombineRow(&target.pixels[size_t(y) * size_t(target.width) + size_t(x0)], m, p, count);
    }
}

void DrawSlotPart(Bitmap& target, const RoomPictures& pictures, int part)
{
    DrawMaskedPart(target, PartSlotTable::PlacementOf(part), pictures[size_t(part)],
                   pictures[size_t(PartSlotTable::DrawMaskOf(part))], PartSlotTable::RequiredSize(part));
}

namespace {

// One layer: a picture through the mask it is drawn with, placed at the
// rectangle of `placeOf`.
void DrawLayer(Bitmap& out, const RoomPictures& pictures, int picture, int placeOf)
{
    DrawMaskedPart(out, PartSlotTable::PlacementOf(placeOf), pictures[size_t(picture)],
                   pictures[size_t(PartSlotTable::DrawMaskOf(picture))], PartSlotTable::RequiredSize(placeOf));
}

bool IsPreviewForm(const Bitmap& b)
{
    constexpr auto w = PartSlotTable::kRoomWidth, h = PartSlotTable::kRoomHeight;
    return b.width == w && b.height == h && b.bitsPerPixel == 8 && b.pixels.size() == size_t(w) * h &&
           std::equal(b.colours.begin(), b.colours.end(), RoomPalette().begin(), RoomPalette().end());
}

}  // namespace

void ComposeRoom(const RoomPictures& pictures, const PreviewState& state, Bitmap& out)
{
    if (!IsPreviewForm(out))
        out = Bitmap::Make(PartSlotTable::kRoomWidth, PartSlotTable::kRoomHeight, 8, RoomPaletteVector());
    std::fill(out.pixels.begin(), out.pixels.end(), kWhiteIndex);

    // The views lie beneath the room; the night pictures use the day masks.
    DrawLayer(out, pictures, state.night ? slot::WinNightImage : slot::WinDayImage, slot::WinDayImage);
    DrawLayer(out, pictures, state.night ? slot::DoorNightImage : slot::DoorDayImage, slot::DoorDayImage);
    // The room covers the whole picture; its stored rectangle is one past the edges.
    DrawMaskedPart(out, Placement{0, 0, PartSlotTable::kRoomWidth - 1, PartSlotTable::kRoomHeight - 1},
                   pictures[slot::RoomImage], pictures[slot::RoomMask],
                   PartSlotTable::RequiredSize(slot::RoomImage));
    DrawSlotPart(out, pictures, slot::PostImage);
    DrawSlotPart(out, pictures, slot::BathImage);
    DrawSlotPart(out, pictures, slot::TableImage);
    const int box = state.treasureBoxOpen ? slot::TBoxOpenImage : slot::TBoxImage;
    DrawLayer(out, pictures, box, slot::TBoxImage);
    const int bed = state.bedSleeping ? slot::BedSleepingImage : slot::BedImage;
    DrawLayer(out, pictures, bed, slot::BedImage);
    const int door = state.door == DoorState::Open       ? slot::DoorOpenImage
                     : state.door == DoorState::HalfOpen ? slot::DoorHalfImage
                                                         : slot::DoorCloseImage;
    DrawLayer(out, pictures, door, slot::DoorCloseImage);
    if (state.lettersAndBubble) {
        DrawSlotPart(out, pictures, slot::Letter1Image);
        DrawSlotPart(out, pictures, slot::Letter2Image);
        DrawSlotPart(out, pictures, slot::Letter3Image);
        DrawSlotPart(out, pictures, slot::BubbleImage);
    }
}

}  // namespace velmora
