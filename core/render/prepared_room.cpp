#include "core/render/prepared_room.h"

#include "core/image/palette.h"

#include <algorithm>
#include <cstring>

namespace velmora {

namespace {

// Whether a layer is drawn into the day or the night base.
bool InBases(Layer layer)
{
    for (bool night : {false, true}) {
        PreviewState state;
        state.night = night;
        const LayerList list = LayersOf(state);
        for (int i = 0; i < kDayLayersBelowParts; ++i)
            if (list.layers[size_t(i)] == layer)
                return true;
    }
    return false;
}

}  // namespace

void PreparedRoom::prepareLayer(const RoomPictures& pictures, Layer layer)
{
    const LayerSource& s = SourceOf(layer);
    SampleLayer(PartSlotTable::kRoomWidth, PartSlotTable::kRoomHeight, TargetRectOf(layer), pictures[size_t(s.picture)],
                pictures[size_t(s.mask)], PartSlotTable::RequiredSize(s.placeOf), layers_[size_t(layer)]);
}

void PreparedRoom::prepareBases()
{
    prepareBasesIn(PixelRect{0, 0, PartSlotTable::kRoomWidth, PartSlotTable::kRoomHeight});
}

void PreparedRoom::prepareBasesIn(const PixelRect& area)
{
    const PixelRect a = Intersected(area, PixelRect{0, 0, PartSlotTable::kRoomWidth, PartSlotTable::kRoomHeight});
    for (bool night : {false, true}) {
        Bitmap& base = bases_[night ? 1 : 0];
        MakePreviewForm(base);
        for (int32_t y = a.y; y < a.y + a.height; ++y)
            std::fill_n(&base.pixels[size_t(y) * size_t(base.width) + size_t(a.x)], a.width, kWhiteIndex);
        PreviewState state;
        state.night = night;
        const LayerList list = LayersOf(state);
        for (int i = 0; i < kDayLayersBelowParts; ++i)
            ApplyLayerIn(base, layers_[size_t(list.layers[size_t(i)])], a);
    }
}

void PreparedRoom::prepare(const RoomPictures& pictures)
{
    for (int i = 0; i < kLayerCount; ++i)
        prepareLayer(pictures, Layer(i));
    prepareBases();
    prepared_ = true;
}

void PreparedRoom::slotChanged(const RoomPictures& pictures, int slot)
{
    if (!prepared_) {
        prepare(pictures);
        return;
    }
    bool changed = false;
    for (int i = 0; i < kLayerCount; ++i) {
        const LayerSource& s = SourceOf(Layer(i));
        if (s.picture == slot || s.mask == slot) {
            prepareLayer(pictures, Layer(i));
            changed = true;
        }
    }
    if (changed)
        prepareBases();
}

void PreparedRoom::slotChanged(const RoomPictures& pictures, int slot, const PixelRect& area)
{
    if (!prepared_) {
        prepare(pictures);
        return;
    }
    PixelRect baseArea;
    for (int i = 0; i < kLayerCount; ++i) {
        const Layer layer = Layer(i);
        const LayerSource& s = SourceOf(layer);
        if (s.picture != slot && s.mask != slot)
            continue;
        const PixelRect changed = ResampleLayerArea(
            PartSlotTable::kRoomWidth, PartSlotTable::kRoomHeight, TargetRectOf(layer), pictures[size_t(s.picture)],
            pictures[size_t(s.mask)], PartSlotTable::RequiredSize(s.placeOf), area, layers_[size_t(i)]);
        if (InBases(layer))
            baseArea = United(baseArea, changed);
    }
    if (!baseArea.empty())
        prepareBasesIn(baseArea);
}

void PreparedRoom::compose(const PreviewState& state, Bitmap& out) const
{
    MakePreviewForm(out);
    if (!prepared_) {
        std::fill(out.pixels.begin(), out.pixels.end(), kWhiteIndex);
        return;
    }
    const Bitmap& base = bases_[state.night ? 1 : 0];
    std::memcpy(out.pixels.data(), base.pixels.data(), out.pixels.size());
    const LayerList list = LayersOf(state);
    for (int i = kDayLayersBelowParts; i < list.count; ++i)
        ApplyLayer(out, layers_[size_t(list.layers[size_t(i)])]);
}

}  // namespace velmora
