// ReadRoomFile on any bytes, then WriteRoomFile of what it read: reading
// either refuses with a RoomFileError or gives a room that writes back with
// the template's header, and reads back the same.
#include "fuzz/fuzz_check.h"
#include "core/room/room_file.h"

#include <algorithm>

using namespace velmora;

namespace {

// Not all zero, so that a header byte taken from the wrong place shows.
std::vector<uint8_t> MakeTemplate()
{
    std::vector<uint8_t> t(kRoomHeaderSize);
    for (size_t i = 0; i < t.size(); ++i)
        t[i] = static_cast<uint8_t>(i * 7 + 3);
    return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::vector<uint8_t> kTemplate = MakeTemplate();
    Room room;
    try {
        room = ReadRoomFile(std::span(data, size));
    } catch (const RoomFileError& e) {
        FUZZ_CHECK(e.slot() >= -1 && e.slot() < PartSlotTable::kSlotCount);
        return 0;
    }
    for (const std::string* t : {&room.texts.name, &room.texts.comment, &room.texts.copyright})
        FUZZ_CHECK(t->size() <= kRoomTextMax && t->find('\0') == std::string::npos);

    const std::vector<uint8_t> written = WriteRoomFile(kTemplate, room.texts, room.pictures);
    FUZZ_CHECK(written.size() > kRoomHeaderSize);
    // Every header byte outside the three texts comes from the template.
    size_t next = 0;
    for (size_t i = 0; i < 3; ++i) {
        const size_t at = kRoomTextOffsets[i];
        FUZZ_CHECK(std::equal(kTemplate.begin() + long(next), kTemplate.begin() + long(at), written.begin() + long(next)));
        next = at + 1 + written[at];
    }
    FUZZ_CHECK(std::equal(kTemplate.begin() + long(next), kTemplate.end(), written.begin() + long(next)));

    // Rooms of small pictures write files too short to be read again.
    if (written.size() < kRoomMinFileSize || written.size() > kRoomMaxFileSize)
        return 0;
    const Room again = ReadRoomFile(written);
    FUZZ_CHECK(again.texts == room.texts);
    for (size_t s = 0; s < room.pictures.size(); ++s)
        FUZZ_CHECK(again.pictures[s].samePicture(room.pictures[s]));
    return 0;
}
