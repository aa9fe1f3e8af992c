// Which commands of the part menu apply to a slot.
#pragma once

namespace velmora {

struct PartCommands {
    bool copyFromRoomView = false;  // a part other than the room picture
    bool pasteParts = false;        // the room picture
    bool makeMask = false;          // the room picture and the parts drawn over it
    bool copyFromImage = false;     // a mask
    bool importPicture = true;      // every slot
    bool exportPicture = true;      // every slot
};

PartCommands PartCommandsFor(int slot);

}  // namespace velmora
