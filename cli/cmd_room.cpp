// Commands on whole rooms: default and info.
#include "commands.h"
#include "console_out.h"
#include "pac_common.h"

#include "core/room/default_room.h"
#include "core/room/room_file.h"

#include <cstdio>

namespace velmora::pac {

namespace {

// Texts are raw bytes; control bytes are shown escaped so that a line break
// inside a text cannot be mistaken for the next line of the listing.
std::string Printable(const std::string& text)
{
    std::string out;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\\')
            out += "\\\\";
        else if (c < 32 || c == 127) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out;
}

}  // namespace

int RunDefault(const QStringList& args, const Options&)
{
    const std::vector<uint8_t> header = ReadHeaderTemplate();
    const std::vector<uint8_t> file = WriteRoomFile(header, RoomTexts{}, DefaultRoomPictures());
    SaveWholeFile(args[0], file);
    return kSuccess;
}

int RunInfo(const QStringList& args, const Options& options)
{
    const TextConversion conversion(options.encoding);
    const Room room = ReadRoom(args[0]);
    PrintLocal(stdout, "name: " + Printable(conversion.toUser(room.texts.name)) + "\n");
    PrintLocal(stdout, "comment: " + Printable(conversion.toUser(room.texts.comment)) + "\n");
    PrintLocal(stdout, "copyright: " + Printable(conversion.toUser(room.texts.copyright)) + "\n");
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot) {
        const Bitmap& b = room.pictures[static_cast<size_t>(slot)];
        const std::string size = std::to_string(b.width) + "x" + std::to_string(b.height);
        std::printf("%02d %-17s %-8s %2u bpp %6u bytes\n", slot, std::string(PartSlotTable::BoxName(slot)).c_str(),
                    size.c_str(), unsigned{b.bitsPerPixel}, unsigned{room.bmpLengths[static_cast<size_t>(slot)]});
    }
    return kSuccess;
}

}  // namespace velmora::pac
