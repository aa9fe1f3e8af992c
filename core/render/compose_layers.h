// The pieces ComposeRoom is built from, shared with the prepared composition:
// which layers a state draws, in order, and a layer sampled into room indices.
#pragma once

#include "core/render/compose.h"
#include "core/render/pixel_rect.h"

#include <array>
#include <cstdint>
#include <vector>

namespace velmora {

// A part and its mask mapped to room indices and sampled to the target's
// pixels, clipped: `rows` rows of `width` pixels from (x0, y0).
struct MaskedLayer {
    int32_t x0 = 0;
    int32_t y0 = 0;
    int32_t width = 0;
    int32_t rows = 0;
    std::vector<uint8_t> mask;
    std::vector<uint8_t> part;
};

// Samples what DrawMaskedPart would draw on a target of the given size;
// false (and an empty layer) when nothing would be drawn.
bool SampleLayer(int32_t targetWidth, int32_t targetHeight, const Placement& targetRect, const Bitmap& part,
                 const Bitmap& mask, PartSize sourceSize, MaskedLayer& layer);
// Samples again, after only the pixels in `sourceArea` (part coordinates) of
// the part or mask changed, what those pixels give; the layer is then the
// one SampleLayer gives. Pictures whose size changed are sampled whole.
// Returns the target area whose layer pixels may differ.
PixelRect ResampleLayerArea(int32_t targetWidth, int32_t targetHeight, const Placement& targetRect,
                            const Bitmap& part, const Bitmap& mask, PartSize sourceSize, const PixelRect& sourceArea,
                            MaskedLayer& layer);
// Draws a sampled layer onto an 8-bit target of the size it was sampled for;
// ApplyLayerIn only the pixels inside `area`.
void ApplyLayer(Bitmap& target, const MaskedLayer& layer);
void ApplyLayerIn(Bitmap& target, const MaskedLayer& layer, const PixelRect& area);

// Every picture a composition may draw, one per part state.
enum class Layer : uint8_t {
    WinDay, WinNight, DoorViewDay, DoorViewNight, Room, Post, Bath, Table,
    TBox, TBoxOpen, Bed, BedSleeping, DoorClose, DoorHalf, DoorOpen,
    Letter1, Letter2, Letter3, Bubble,
};
constexpr int kLayerCount = 19;
// The layers up to here do not depend on the state except through the time of day.
constexpr int kDayLayersBelowParts = 6;

struct LayerSource {
    int picture;
    int mask;
    int placeOf;  // the slot whose rectangle and size it takes
};
const LayerSource& SourceOf(Layer layer);
Placement TargetRectOf(Layer layer);

struct LayerList {
    std::array<Layer, kLayerCount> layers{};
    int count = 0;
};
// The layers of a state, bottom first; the first kDayLayersBelowParts differ
// only by night and day.
LayerList LayersOf(const PreviewState& state);

// Makes `out` a 320x240 8-bit picture in the room palette, keeping it when it is one.
void MakePreviewForm(Bitmap& out);

}  // namespace velmora
