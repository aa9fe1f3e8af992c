// The room file (.pac): a 1056-byte header with three texts, then forty BMPs.
#pragma once

#include "core/image/bitmap.h"
#include "core/image/errors.h"
#include "core/room/slot_table.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velmora {

constexpr size_t kRoomHeaderSize = 1056;
constexpr size_t kRoomMinFileSize = 200000;
// Far above a real room (214,032 bytes); keeps a stranger's file from taking
// memory before it is refused.
constexpr size_t kRoomMaxFileSize = size_t{16} * 1024 * 1024;
// The unpacked pixels of all forty pictures together. Run-length records can
// claim 128 pixels per byte; without this a 16 MiB file could take gigabytes.
constexpr size_t kRoomMaxPictureBytes = size_t{128} * 1024 * 1024;
constexpr size_t kRoomTextMax = 127;
// kRoomTextNames, the three texts as a message names them, is in
// core/image/errors.h: a fault's text names them too.
// Offsets of the three length bytes: name, comment, copyright.
constexpr std::array<size_t, 3> kRoomTextOffsets = {32, 288, 544};

// The three texts as raw bytes in the room's 8-bit encoding, line breaks as 13 10.
struct RoomTexts {
    std::string name;
    std::string comment;
    std::string copyright;

    friend bool operator==(const RoomTexts&, const RoomTexts&) = default;
};

using RoomPictures = std::array<Bitmap, PartSlotTable::kSlotCount>;

struct Room {
    RoomTexts texts;
    RoomPictures pictures;
    // The length in bytes of each slot's BMP in the file it was read from.
    std::array<uint32_t, PartSlotTable::kSlotCount> bmpLengths{};
};

// Why a room file was refused; the editor maps these to its messages.
class RoomFileError : public FormatError {
public:
    enum class Kind {
        TooShort,      // under 200,000 bytes
        TooLarge,      // over kRoomMaxFileSize
        BadRecord,     // a record runs past the end or does not decode
        TextTooLong,   // writing a text of more than 127 bytes
        BadTemplate,   // a header template that is not 1056 bytes
        BadPicture,    // writing a picture the encoder cannot encode
    };
    RoomFileError(Kind kind, int slot, const std::string& what) : FormatError(what), kind_(kind), slot_(slot) {}
    // The fault's text after the slot's name when a slot is concerned.
    RoomFileError(Kind kind, int slot, FormatFault fault, const std::vector<FaultArg>& args)
        : FormatError(InSlot(slot, FaultText(fault, args)), fault, args), kind_(kind), slot_(slot)
    {
    }
    // A picture's own error, found in `slot`.
    RoomFileError(Kind kind, int slot, const FormatError& inner)
        : FormatError(InSlot(slot, inner.what()), inner.fault(), inner.args()), kind_(kind), slot_(slot)
    {
    }
    Kind kind() const { return kind_; }
    int slot() const { return slot_; }  // -1 when no slot is concerned

    // "slot 5 (DoorCloseImage): " before `what`, for a slot from 0 to 39.
    static std::string InSlot(int slot, const std::string& what);

private:
    Kind kind_;
    int slot_;
};

// Decodes all forty pictures before returning: a caller never receives half a room.
Room ReadRoomFile(std::span<const uint8_t> file);

// The file bytes for a room: the template's header with the texts patched in,
// then the forty records with colours-used forced to 0.
std::vector<uint8_t> WriteRoomFile(std::span<const uint8_t> headerTemplate, const RoomTexts& texts,
                                   const RoomPictures& pictures);

}  // namespace velmora
