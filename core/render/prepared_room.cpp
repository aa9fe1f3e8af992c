#include "core/render/prepared_room.h"

#include "core/image/palette.h"

#include <algorithm>
#include <cstring>

namespace velmora {

void PreparedRoom::prepareLayer(const RoomPictures& pictures, Layer layer)
{
    const LayerSource& s = SourceOf(layer);
    SampleLayer(PartSlotTable::kRoomWidth, PartSlotTable::kRoomHeight, TargetRectOf(layer), pictures[size_t(s.picture)],
                pictures[size_t(s.mask)], PartSlotTable::RequiredSize(s.placeOf), layers_[size_t(layer)]);
}

void PreparedRoom::prepareBases()
{
    for (bool night : {false, true}) {
        Bitmap& base = bases_[night ? 1 : 0];
        MakePreviewForm(base);
        std::fill(base.pixels.begin(), base.pixels.end(), kWhiteIndex);
        PreviewState state;
        state.night = night;
        const LayerList list = LayersOf(state);
        for (int i = 0; i < kDayLayersBelowParts; ++i)
            ApplyLayer(base, layers_[size_t(list.layers[size_t(i)])]);
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
