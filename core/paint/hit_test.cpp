#include "core/paint/hit_test.h"

#include "core/image/colour_map.h"
#include "core/paint/paint_slots.h"
#include "core/render/compose_layers.h"

namespace velmora {

int PartAt(const RoomPictures& pictures, const PreviewState& state, int32_t x, int32_t y)
{
    const LayerList list = LayersOf(state);
    for (int i = list.count - 1; i >= 0; --i) {
        const Layer layer = list.layers[size_t(i)];
        const LayerSource& source = SourceOf(layer);
        const Placement rect = TargetRectOf(layer);
        if (x < rect.left || x > rect.right || y < rect.top || y > rect.bottom)
            continue;
        // The pixel the masked draw samples there (the bubble is narrowed).
        const PartSize size = PartSlotTable::RequiredSize(source.placeOf);
        const int32_t sx = SampleCoordinate(x - rect.left, rect.right - rect.left + 1, size.width);
        const int32_t sy = SampleCoordinate(y - rect.top, rect.bottom - rect.top + 1, size.height);
        const Bitmap& part = pictures[size_t(source.picture)];
        if (!HasWholePixels(part) || sx >= part.width || sy >= part.height)
            continue;  // where the part has no pixel it is see-through
        if (MaskDrawsAt(pictures[size_t(source.mask)], sx, sy))
            return source.picture;
    }
    return slot::RoomImage;
}

}  // namespace velmora
