// The lint command: what will make a room look wrong, one line each.
#include "commands.h"
#include "pac_common.h"

#include "core/image/palette.h"
#include "core/room/room_lint.h"

#include <cstdio>

namespace velmora::pac {

int RunLint(const QStringList& args, const Options&)
{
    const Room room = ReadRoom(args[0]);
    const std::vector<LintFinding> findings = LintRoom(room.pictures, RoomPalette());
    for (const LintFinding& f : findings)
        std::printf("%02d %s: %s\n", f.slot, std::string(PartSlotTable::BoxName(f.slot)).c_str(), f.text.c_str());
    return findings.empty() ? kSuccess : kBadInput;
}

}  // namespace velmora::pac
