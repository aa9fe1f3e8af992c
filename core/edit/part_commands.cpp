#include "core/edit/part_commands.h"

#include "core/room/slot_table.h"

namespace velmora {

PartCommands PartCommandsFor(int s)
{
    PartCommands c;
    c.copyFromRoomView = !PartSlotTable::IsMask(s) && s != slot::RoomImage;
    c.pasteParts = s == slot::RoomImage;
    c.makeMask = s >= slot::RoomImage && s <= slot::Letter3Image;
    c.copyFromImage = PartSlotTable::IsMask(s);
    return c;
}

}  // namespace velmora
