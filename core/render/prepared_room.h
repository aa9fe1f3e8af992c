// A room made ready for composing again and again: the check dialog composes
// on every change of state, and the pictures stay the same meanwhile.
#pragma once

#include "core/render/compose.h"
#include "core/render/compose_layers.h"

#include <array>

namespace velmora {

// Holds every layer mapped to room indices and sampled to its rectangle, and
// the picture up to the table for day and night, so that a composition is a
// copy and the few layers the state chooses. Composes exactly what
// ComposeRoom composes from the same pictures.
class PreparedRoom {
public:
    PreparedRoom() = default;
    explicit PreparedRoom(const RoomPictures& pictures) { prepare(pictures); }

    // Prepares every layer from `pictures`.
    void prepare(const RoomPictures& pictures);
    // Prepares again only what uses `slot`, after that slot of `pictures` changed.
    void slotChanged(const RoomPictures& pictures, int slot);
    // The same after only the pixels in `area` (the slot's coordinates) of
    // that slot changed: quick enough to follow every dab of a brush, and the
    // room composes exactly as after prepare().
    void slotChanged(const RoomPictures& pictures, int slot, const PixelRect& area);

    bool prepared() const { return prepared_; }
    // Composes `state` into `out`, as ComposeRoom does; an unprepared room gives white.
    void compose(const PreviewState& state, Bitmap& out) const;

private:
    void prepareLayer(const RoomPictures& pictures, Layer layer);
    void prepareBases();
    void prepareBasesIn(const PixelRect& area);

    std::array<MaskedLayer, kLayerCount> layers_;
    std::array<Bitmap, 2> bases_;  // day, night
    bool prepared_ = false;
};

// The same as PreparedRoom::compose, beside ComposeRoom(pictures, state, out).
inline void ComposeRoom(const PreparedRoom& room, const PreviewState& state, Bitmap& out)
{
    room.compose(state, out);
}

}  // namespace velmora
