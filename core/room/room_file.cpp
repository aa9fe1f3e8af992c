#include "core/room/room_file.h"

#include "core/image/bmp.h"

#include <algorithm>
#include <cstring>

namespace velmora {

namespace {

std::string ReadText(std::span<const uint8_t> file, size_t offset)
{
    // A length byte of 128 or more is negative as a signed byte: an empty text.
    const int8_t n = static_cast<int8_t>(file[offset]);
    if (n <= 0)
        return {};
    const uint8_t* begin = file.data() + offset + 1;
    const uint8_t* end = std::find(begin, begin + n, uint8_t{0});
    return std::string(begin, end);
}

std::string SlotLabel(int slot)
{
    return "slot " + std::to_string(slot) + " (" + std::string(PartSlotTable::BoxName(slot)) + ")";
}

}  // namespace

Room ReadRoomFile(std::span<const uint8_t> file)
{
    if (file.size() < kRoomMinFileSize)
        throw RoomFileError(RoomFileError::Kind::TooShort, -1,
                            "the room file is " + std::to_string(file.size()) + " bytes long; a room file has at least " +
                                std::to_string(kRoomMinFileSize));
    if (file.size() > kRoomMaxFileSize)
        throw RoomFileError(RoomFileError::Kind::TooLarge, -1,
                            "the room file is " + std::to_string(file.size()) + " bytes long, more than the " +
                                std::to_string(kRoomMaxFileSize) + " bytes a room file may have");
    Room room;
    room.texts.name = ReadText(file, kRoomTextOffsets[0]);
    room.texts.comment = ReadText(file, kRoomTextOffsets[1]);
    room.texts.copyright = ReadText(file, kRoomTextOffsets[2]);

    // The record length fields are not read: each BMP's own size field says
    // how long it is, and the next record follows after a 4-byte length.
    size_t p = kRoomHeaderSize + 4;
    size_t pictureBytes = 0;
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot) {
        if (p > file.size() || file.size() - p < 6)
            throw RoomFileError(RoomFileError::Kind::BadRecord, slot,
                                SlotLabel(slot) + ": the picture record lies past the end of the file");
        const uint32_t length = ReadLe32(file.data() + p + 2);
        if (length < 14 + 12)
            throw RoomFileError(RoomFileError::Kind::BadRecord, slot,
                                SlotLabel(slot) + ": the picture's size field (" + std::to_string(length) +
                                    ") is too small");
        if (length > file.size() - p)
            throw RoomFileError(RoomFileError::Kind::BadRecord, slot,
                                SlotLabel(slot) + ": the picture (" + std::to_string(length) +
                                    " bytes) runs past the end of the file");
        try {
            room.pictures[static_cast<size_t>(slot)] = DecodeBmp(file.subspan(p, length));
        } catch (const FormatError& e) {
            throw RoomFileError(RoomFileError::Kind::BadRecord, slot, SlotLabel(slot) + ": " + e.what());
        }
        room.bmpLengths[static_cast<size_t>(slot)] = length;
        pictureBytes += room.pictures[static_cast<size_t>(slot)].pixels.size();
        if (pictureBytes > kRoomMaxPictureBytes)
            throw RoomFileError(RoomFileError::Kind::BadRecord, slot,
                                SlotLabel(slot) + ": the pictures up to this one take more than " +
                                    std::to_string(kRoomMaxPictureBytes >> 20) + " MiB unpacked");
        p += size_t{length} + 4;
    }
    return room;
}

std::vector<uint8_t> WriteRoomFile(std::span<const uint8_t> headerTemplate, const RoomTexts& texts,
                                   const RoomPictures& pictures)
{
    if (headerTemplate.size() != kRoomHeaderSize)
        throw RoomFileError(RoomFileError::Kind::BadTemplate, -1,
                            "the header template is " + std::to_string(headerTemplate.size()) + " bytes long, not " +
                                std::to_string(kRoomHeaderSize));
    const std::array<const std::string*, 3> fields = {&texts.name, &texts.comment, &texts.copyright};
    for (size_t i = 0; i < 3; ++i)
        if (fields[i]->size() > kRoomTextMax)
            throw RoomFileError(RoomFileError::Kind::TextTooLong, -1,
                                std::string("the ") + kRoomTextNames[i] + " is " + std::to_string(fields[i]->size()) +
                                    " bytes long; a room file holds at most " + std::to_string(kRoomTextMax));

    // Every picture is checked and measured first, then encoded in place:
    // one buffer, each byte written once.
    std::array<size_t, PartSlotTable::kSlotCount> lengths{};
    size_t total = kRoomHeaderSize;
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot) {
        const Bitmap& picture = pictures[static_cast<size_t>(slot)];
        try {
            CheckEncodable(picture);
        } catch (const FormatError& e) {
            throw RoomFileError(RoomFileError::Kind::BadPicture, slot, SlotLabel(slot) + ": " + e.what());
        }
        lengths[static_cast<size_t>(slot)] = EncodedBmpSize(picture);
        total += 4 + lengths[static_cast<size_t>(slot)];
    }

    std::vector<uint8_t> out(total);
    std::memcpy(out.data(), headerTemplate.data(), kRoomHeaderSize);
    for (size_t i = 0; i < 3; ++i) {
        out[kRoomTextOffsets[i]] = static_cast<uint8_t>(fields[i]->size());
        std::memcpy(out.data() + kRoomTextOffsets[i] + 1, fields[i]->data(), fields[i]->size());
    }
    size_t p = kRoomHeaderSize;
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot) {
        uint8_t* bmp = out.data() + p + 4;
        EncodeBmpInto(pictures[static_cast<size_t>(slot)], ColoursUsedField::Zero, bmp);
        std::memcpy(out.data() + p, bmp + 2, 4);  // the BMP's own size field
        p += 4 + lengths[static_cast<size_t>(slot)];
    }
    return out;
}

}  // namespace velmora
