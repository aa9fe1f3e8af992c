// Everything in a room that will make it look wrong in the host application,
// though the room file itself reads fine.
#pragma once

#include "core/room/room_file.h"

#include <array>
#include <string>
#include <vector>

namespace velmora {

struct LintFinding {
    enum class Kind {
        WrongSize,         // width or height differs from the slot's
        WrongDepth,        // a part picture that is not 8-bit
        ForeignPalette,    // a part's colour table is not the standard palette
        MaskNotOneBit,     // a mask stored with more than 1 bit per pixel
        PartShowsThrough,  // part pixels not black where the mask is see-through
    };
    Kind kind;
    int slot;
    std::string text;  // one line for the user, without the slot's name
    // PartShowsThrough: how many pixels and their bounding box (inclusive).
    int count = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Findings in slot order. `standardPalette` is what part pictures should carry.
std::vector<LintFinding> LintRoom(const RoomPictures& pictures, const std::array<RgbQuad, 256>& standardPalette);

}  // namespace velmora
