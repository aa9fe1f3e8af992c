#include "core/render/compose.h"

#include "core/render/compose_layers.h"

#include "core/image/colour_map.h"
#include "core/image/palette.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>
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

// Where a layer's pixels come from: the clipped target's first pixel and the
// source column and row of each target column and row.
struct LayerGeometry {
    int32_t x0 = 0;
    int32_t y0 = 0;
    std::vector<int32_t> columns;
    std::vector<int32_t> rows;
    bool consecutive = false;
};

bool GeometryOf(int32_t targetWidth, int32_t targetHeight, const Placement& targetRect, const Bitmap& part,
                const Bitmap& mask, PartSize sourceSize, LayerGeometry& g)
{
    if (!IsSaneRect(targetRect.left, targetRect.top, targetRect.right, targetRect.bottom))
        return false;
    const int32_t rectWidth = targetRect.right - targetRect.left + 1;
    const int32_t rectHeight = targetRect.bottom - targetRect.top + 1;
    if (rectWidth <= 0 || rectHeight <= 0 || sourceSize.width <= 0 || sourceSize.height <= 0 ||
        !HasWholePixels(part) || !HasWholePixels(mask))
        return false;
    g.x0 = std::max(targetRect.left, 0);
    const int32_t x1 = std::min(targetRect.right, targetWidth - 1);
    g.y0 = std::max(targetRect.top, 0);
    const int32_t y1 = std::min(targetRect.bottom, targetHeight - 1);
    if (g.x0 > x1 || g.y0 > y1)
        return false;

    // Source columns of the clipped target columns; they grow with the target
    // column, so those inside both pictures are a leading run. So are the rows.
    const int32_t sourceLimitX = std::min({sourceSize.width, part.width, mask.width});
    const int32_t sourceLimitY = std::min({sourceSize.height, part.height, mask.height});
    g.columns.reserve(size_t(x1 - g.x0 + 1));
    for (int32_t x = g.x0; x <= x1; ++x) {
        const int32_t sx = SampleCoordinate(x - targetRect.left, rectWidth, sourceSize.width);
        if (sx >= sourceLimitX)
            break;
        g.columns.push_back(sx);
    }
    for (int32_t y = g.y0; y <= y1; ++y) {
        const int32_t sy = SampleCoordinate(y - targetRect.top, rectHeight, sourceSize.height);
        if (sy >= sourceLimitY)
            break;
        g.rows.push_back(sy);
    }
    if (g.columns.empty() || g.rows.empty())
        return false;
    g.consecutive = g.columns.back() - g.columns.front() == int32_t(g.columns.size()) - 1;
    return true;
}

// Samples rows [rowFrom, rowTo) and columns [columnFrom, columnTo) of a layer
// whose extent is already set from `g`.
void SampleBlock(const LayerGeometry& g, const Bitmap& part, const Bitmap& mask, int rowFrom, int rowTo,
                 int columnFrom, int columnTo, MaskedLayer& layer)
{
    const auto& palette = RoomPalette();
    IndexMapper partIndex(part, palette);
    IndexMapper maskIndex(mask, palette);
    const int count = columnTo - columnFrom;
    for (int r = rowFrom; r < rowTo; ++r) {
        const int32_t sy = g.rows[size_t(r)];
        const size_t at = size_t(r) * size_t(layer.width) + size_t(columnFrom);
        uint8_t* m = &layer.mask[at];
        uint8_t* p = &layer.part[at];
        const int32_t* columns = &g.columns[size_t(columnFrom)];
        if (const uint8_t* got = maskIndex.row(sy, columns, count, g.consecutive, m); got != m)
            std::memcpy(m, got, size_t(count));
        if (const uint8_t* got = partIndex.row(sy, columns, count, g.consecutive, p); got != p)
            std::memcpy(p, got, size_t(count));
    }
}

PixelRect ExtentOf(const MaskedLayer& layer)
{
    return PixelRect{layer.x0, layer.y0, layer.width, layer.rows};
}

// The first and one past the last place in `sources` (nondecreasing) whose value lies in [from, to].
std::pair<int, int> RunWithin(const std::vector<int32_t>& sources, int64_t from, int64_t to)
{
    const auto first = std::lower_bound(sources.begin(), sources.end(), from);
    const auto last = std::upper_bound(first, sources.end(), to);
    return {int(first - sources.begin()), int(last - sources.begin())};
}

}  // namespace

bool SampleLayer(int32_t targetWidth, int32_t targetHeight, const Placement& targetRect, const Bitmap& part,
                 const Bitmap& mask, PartSize sourceSize, MaskedLayer& layer)
{
    layer = MaskedLayer{};
    LayerGeometry g;
    if (!GeometryOf(targetWidth, targetHeight, targetRect, part, mask, sourceSize, g))
        return false;
    layer.x0 = g.x0;
    layer.y0 = g.y0;
    layer.width = int32_t(g.columns.size());
    layer.rows = int32_t(g.rows.size());
    layer.mask.resize(size_t(layer.width) * size_t(layer.rows));
    layer.part.resize(layer.mask.size());
    SampleBlock(g, part, mask, 0, layer.rows, 0, layer.width, layer);
    return true;
}

PixelRect ResampleLayerArea(int32_t targetWidth, int32_t targetHeight, const Placement& targetRect,
                            const Bitmap& part, const Bitmap& mask, PartSize sourceSize, const PixelRect& sourceArea,
                            MaskedLayer& layer)
{
    LayerGeometry g;
    const bool drawn = GeometryOf(targetWidth, targetHeight, targetRect, part, mask, sourceSize, g);
    if (!drawn || g.x0 != layer.x0 || g.y0 != layer.y0 || int32_t(g.columns.size()) != layer.width ||
        int32_t(g.rows.size()) != layer.rows) {
        // The pictures changed size: the layer is sampled whole.
        const PixelRect before = ExtentOf(layer);
        SampleLayer(targetWidth, targetHeight, targetRect, part, mask, sourceSize, layer);
        return United(before, ExtentOf(layer));
    }
    if (sourceArea.empty())
        return PixelRect{};
    const auto [columnFrom, columnTo] = RunWithin(g.columns, sourceArea.x, sourceArea.right());
    const auto [rowFrom, rowTo] = RunWithin(g.rows, sourceArea.y, sourceArea.bottom());
    if (columnFrom >= columnTo || rowFrom >= rowTo)
        return PixelRect{};
    SampleBlock(g, part, mask, rowFrom, rowTo, columnFrom, columnTo, layer);
    return PixelRect{layer.x0 + columnFrom, layer.y0 + rowFrom, columnTo - columnFrom, rowTo - rowFrom};
}

void ApplyLayer(Bitmap& target, const MaskedLayer& layer)
{
    ApplyLayerIn(target, layer, ExtentOf(layer));
}

void ApplyLayerIn(Bitmap& target, const MaskedLayer& layer, const PixelRect& area)
{
    const PixelRect a = Intersected(area, ExtentOf(layer));
    for (int32_t y = a.y; y < a.y + a.height; ++y) {
        const size_t from = size_t(y - layer.y0) * size_t(layer.width) + size_t(a.x - layer.x0);
        CombineRow(&target.pixels[size_t(y) * size_t(target.width) + size_t(a.x)], &layer.mask[from],
                   &layer.part[from], a.width);
    }
}

void DrawMaskedPart(Bitmap& target, const Placement& targetRect, const Bitmap& part, const Bitmap& mask,
                    PartSize sourceSize)
{
    if (target.bitsPerPixel != 8)
        throw std::invalid_argument("masked drawing needs an 8-bit target picture");
    // The layer is sampled in full before the target is touched, so drawing a
    // picture onto itself reads the original.
    MaskedLayer layer;
    if (HasWholePixels(target) && SampleLayer(target.width, target.height, targetRect, part, mask, sourceSize, layer))
        ApplyLayer(target, layer);
}

void DrawSlotPart(Bitmap& target, const RoomPictures& pictures, int part)
{
    DrawMaskedPart(target, PartSlotTable::PlacementOf(part), pictures[size_t(part)],
                   pictures[size_t(PartSlotTable::DrawMaskOf(part))], PartSlotTable::RequiredSize(part));
}

const LayerSource& SourceOf(Layer layer)
{
    // The views lie beneath the room; each picture is drawn through the mask
    // the slot table names for it, and every state of a part is placed at its
    // first state's rectangle.
    constexpr auto from = [](int picture, int placeOf) {
        return LayerSource{picture, PartSlotTable::DrawMaskOf(picture), placeOf};
    };
    static constexpr std::array<LayerSource, kLayerCount> kSources = {{
        from(slot::WinDayImage, slot::WinDayImage),
        from(slot::WinNightImage, slot::WinDayImage),
        from(slot::DoorDayImage, slot::DoorDayImage),
        from(slot::DoorNightImage, slot::DoorDayImage),
        from(slot::RoomImage, slot::RoomImage),
        from(slot::PostImage, slot::PostImage),
        from(slot::BathImage, slot::BathImage),
        from(slot::TableImage, slot::TableImage),
        from(slot::TBoxImage, slot::TBoxImage),
        from(slot::TBoxOpenImage, slot::TBoxImage),
        from(slot::BedImage, slot::BedImage),
        from(slot::BedSleepingImage, slot::BedImage),
        from(slot::DoorCloseImage, slot::DoorCloseImage),
        from(slot::DoorHalfImage, slot::DoorCloseImage),
        from(slot::DoorOpenImage, slot::DoorCloseImage),
        from(slot::Letter1Image, slot::Letter1Image),
        from(slot::Letter2Image, slot::Letter2Image),
        from(slot::Letter3Image, slot::Letter3Image),
        from(slot::BubbleImage, slot::BubbleImage),
    }};
    return kSources[size_t(layer)];
}

Placement TargetRectOf(Layer layer)
{
    // The room covers the whole picture; its stored rectangle is one past the edges.
    if (layer == Layer::Room)
        return Placement{0, 0, PartSlotTable::kRoomWidth - 1, PartSlotTable::kRoomHeight - 1};
    return PartSlotTable::PlacementOf(SourceOf(layer).placeOf);
}

LayerList LayersOf(const PreviewState& state)
{
    LayerList list;
    auto add = [&list](Layer l) { list.layers[size_t(list.count++)] = l; };
    add(state.night ? Layer::WinNight : Layer::WinDay);
    add(state.night ? Layer::DoorViewNight : Layer::DoorViewDay);
    for (Layer l : {Layer::Room, Layer::Post, Layer::Bath, Layer::Table})
        add(l);
    add(state.treasureBoxOpen ? Layer::TBoxOpen : Layer::TBox);
    add(state.bedSleeping ? Layer::BedSleeping : Layer::Bed);
    add(state.door == DoorState::Open       ? Layer::DoorOpen
        : state.door == DoorState::HalfOpen ? Layer::DoorHalf
                                            : Layer::DoorClose);
    if (state.lettersAndBubble)
        for (Layer l : {Layer::Letter1, Layer::Letter2, Layer::Letter3, Layer::Bubble})
            add(l);
    return list;
}

namespace {

void DrawLayer(Bitmap& out, const RoomPictures& pictures, Layer layer)
{
    const LayerSource& s = SourceOf(layer);
    DrawMaskedPart(out, TargetRectOf(layer), pictures[size_t(s.picture)], pictures[size_t(s.mask)],
                   PartSlotTable::RequiredSize(s.placeOf));
}

bool IsPreviewForm(const Bitmap& b)
{
    constexpr auto w = PartSlotTable::kRoomWidth, h = PartSlotTable::kRoomHeight;
    return b.width == w && b.height == h && b.bitsPerPixel == 8 && b.pixels.size() == size_t(w) * h &&
           std::equal(b.colours.begin(), b.colours.end(), RoomPalette().begin(), RoomPalette().end());
}

}  // namespace

void MakePreviewForm(Bitmap& out)
{
    if (!IsPreviewForm(out))
        out = Bitmap::Make(PartSlotTable::kRoomWidth, PartSlotTable::kRoomHeight, 8, RoomPaletteVector());
}

void ComposeRoom(const RoomPictures& pictures, const PreviewState& state, Bitmap& out)
{
    MakePreviewForm(out);
    std::fill(out.pixels.begin(), out.pixels.end(), kWhiteIndex);
    const LayerList list = LayersOf(state);
    for (int i = 0; i < list.count; ++i)
        DrawLayer(out, pictures, list.layers[size_t(i)]);
}

}  // namespace velmora
