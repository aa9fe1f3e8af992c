// A room as one scene of layers on its 320x240 canvas, the way layered
// drawing programs hold it, and such a scene cut back into the room's parts.
#pragma once

#include "core/edit/picture_convert.h"
#include "core/image/errors.h"
#include "core/room/room_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// One layer: its pixels placed with their top-left at (x, y) on the canvas,
// which may lie off the canvas on any side.
struct SceneLayer {
    std::string name;
    int32_t x = 0;
    int32_t y = 0;
    RgbaPicture picture;
    bool visible = true;
    // Opacity 1 and the normal blending mode; anything else is taken as if
    // it were, with a warning.
    bool plain = true;
};

struct Scene {
    int32_t width = PartSlotTable::kRoomWidth;
    int32_t height = PartSlotTable::kRoomHeight;
    std::vector<SceneLayer> layers;  // bottom first
};

// The twenty parts, bottom first in the order the room draws them (the
// window and door views beneath the room picture), each named by its picture
// box, at the top-left of its place, its pixels seen through the mask the
// room draws it with (alpha 0 where that mask is see-through, 255
// elsewhere). The bubble is its 73 drawn columns, squeezed as the room
// squeezes its 82. Visible are the layers of the default state: daytime,
// door and treasure box closed, bed default, no letters or bubble.
Scene SceneOfRoom(const RoomPictures& pictures);

// What the room shows in the default state, opaque: the scene's visible
// layers flattened, as the room itself composes them.
RgbaPicture DefaultStatePicture(const RoomPictures& pictures);

// The bubble's 82 columns made from the 73 the room draws: each column the
// squeeze draws takes that drawn column, each column it skips its left
// neighbour. `drawn` is 73 pixels wide.
RgbaPicture UnsqueezeBubble(const RgbaPicture& drawn);

// Something the cut left out or took otherwise than the file says.
struct SceneWarning {
    enum class Kind {
        NoPart,     // the layer names no part: left out
        NotPlain,   // opacity below 1 or a blending mode other than normal: taken as normal
        Outside,    // `count` drawn pixels lie outside the part's place: cut off
        Covered,    // another layer above names the same part: this one is left out
    };
    Kind kind;
    std::string layer;
    int part = -1;
    int64_t count = 0;
};

// The warning in English, one line without the file: "layer \"Sketch\"
// names no part: left out".
std::string WarningText(const SceneWarning& warning);

struct SceneCut {
    RoomPictures pictures;
    // Which layer became which part, bottom first.
    struct Taken {
        std::string layer;
        int part;
    };
    std::vector<Taken> taken;
    std::vector<SceneWarning> warnings;
    std::vector<int> changedSlots;  // the part and mask slots replaced, ascending
};

// Refused: a canvas of another size than the room's.
class SceneError : public FormatError {
public:
    using FormatError::FormatError;
};

// The part a layer's name names: a picture box of a part, its name trimmed,
// in any case; -1 for none.
int PartNamed(const std::string& layerName);

// `pictures` with every part the scene has a layer for replaced: the layer
// placed on the canvas at its offset, the part's place cut out of it (what
// the layer does not cover see-through) and converted as Import picture
// does with `choices` (its fitting is not used), the mask always from the
// alpha. A part takes its own mask slot, the night views too (their masks
// are never drawn, the day views' stay). The bubble is made from the 73
// columns at its place (UnsqueezeBubble). Hidden layers count like visible
// ones. Throws SceneError for a canvas that is not 320x240.
SceneCut CutScene(const RoomPictures& pictures, const Scene& scene, const ImportChoices& choices);

}  // namespace velmora
