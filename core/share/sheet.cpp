#include "core/share/sheet.h"

#include "core/image/palette.h"
#include "core/room/slot_table.h"
#include "core/share/share_states.h"

#include <cstring>
#include <stdexcept>

namespace velmora {

int SheetLayout::tileWidth() const
{
    return PartSlotTable::kRoomWidth * scale;
}

int SheetLayout::tileHeight() const
{
    return PartSlotTable::kRoomHeight * scale;
}

int SheetLayout::rows() const
{
    return (kStateCount + columns - 1) / columns;
}

int64_t SheetLayout::width() const
{
    return int64_t{columns} * tileWidth() + int64_t{columns + 1} * gap;
}

int64_t SheetLayout::height() const
{
    return int64_t{rows()} * (tileHeight() + labelHeight) + int64_t{rows() + 1} * gap;
}

PixelRect SheetLayout::tile(int i) const
{
    const int column = i % columns, row = i / columns;
    return PixelRect{gap + column * (tileWidth() + gap), gap + row * (tileHeight() + labelHeight + gap), tileWidth(),
                     tileHeight()};
}

PixelRect SheetLayout::label(int i) const
{
    const PixelRect t = tile(i);
    return PixelRect{t.x, t.y + t.height, t.width, labelHeight};
}

Bitmap ComposeSheet(const PreparedRoom& room, const SheetLayout& layout)
{
    if (layout.columns < 1 || layout.columns > kMaxColumns || layout.gap < 0 || layout.gap > kMaxGap ||
        layout.scale < 1 || layout.scale > 8 || layout.labelHeight < 0)
        throw std::invalid_argument("ComposeSheet: a layout out of range");
    if (layout.width() * layout.height() > kMaxSheetPixels)
        throw std::invalid_argument("ComposeSheet: the sheet is too large");
    Bitmap sheet = Bitmap::Make(int32_t(layout.width()), int32_t(layout.height()), 8, RoomPaletteVector());
    std::memset(sheet.pixels.data(), kWhiteIndex, sheet.pixels.size());
    const std::vector<PreviewState> states = EveryState();
    Bitmap composed;
    const int scale = layout.scale;
    for (int i = 0; i < kStateCount; ++i) {
        room.compose(states[size_t(i)], composed);
        const PixelRect at = layout.tile(i);
        for (int32_t y = 0; y < composed.height; ++y) {
            const uint8_t* in = composed.pixels.data() + size_t(y) * composed.width;
            uint8_t* first = sheet.pixels.data() + (size_t(at.y) + size_t(y) * scale) * sheet.width + at.x;
            if (scale == 1) {
                std::memcpy(first, in, size_t(composed.width));
                continue;
            }
            for (int32_t x = 0; x < composed.width; ++x)
                std::memset(first + size_t(x) * scale, in[x], size_t(scale));
            for (int r = 1; r < scale; ++r)
                std::memcpy(first + size_t(r) * sheet.width, first, size_t(at.width));
        }
    }
    return sheet;
}

}  // namespace velmora
