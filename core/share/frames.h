// Frames of the room as render composes it, enlarged by whole numbers.
#pragma once

#include "core/render/prepared_room.h"
#include "core/share/animation.h"

#include <span>

namespace velmora {

constexpr int kMinScale = 1;
constexpr int kMaxScale = 8;

// Every pixel of an 8-bit picture as a `scale` x `scale` square (nearest
// neighbour); the colour table is kept.
Bitmap ScaledUp(const Bitmap& picture, int scale);

// The room in each state, as ComposeRoom composes it, enlarged by `scale`.
std::vector<Bitmap> ComposeFrames(const PreparedRoom& room, std::span<const PreviewState> states, int scale);

// The animation of those frames: each `delayMs`, the last `holdMs`.
Animation MakeAnimation(std::vector<Bitmap> frames, int delayMs, int holdMs, int plays);

}  // namespace velmora
