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

}  // namespace

std::string RoomFileError::InSlot(int slot, const std::string& what)
{
    if (!PartSlotTable::IsValidSlot(slot))
        return what;
    return FillTemplate(kSlotFaultTemplate, {std::to_string(slot), std::string(PartSlotTable::BoxName(slot)), what});
}

Room ReadRoomFile(std::span<const uint8_t> file)
{
    if (file.size() < kRoomMinFileSize)
        throw RoomFileError(RoomFileError::Kind::TooShort, -1, FormatFault::RoomTooShort,
                            {Num(int64_t(file.size())), Num(int64_t(kRoomMinFileSize))});
    if (file.size() > kRoomMaxFileSize)
        throw RoomFileError(RoomFileError::Kind::TooLarge, -1, FormatFault::RoomTooLarge,
                            {Num(int64_t(file.size())), Num(int64_t(kRoomMaxFileSize))});
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
            throw RoomFileError(RoomFileError::Kind::BadRecord, slot, FormatFault::RoomRecordPastEnd, {});
        const uint32_t length = ReadLe32(file.data() + p + 2);
        if (length < 14 + 12)
            throw RoomFileError(RoomFileError::Kind::BadRecord, slot, FormatFault::RoomRecordSizeTooSmall,
                                {Num(length)});
        if (length > file.size() - p)
            throw RoomFileError(RoomFileError::Kind::BadRecord, slot, FormatFault::RoomRecordTooLong, {Num(length)});
        try {
            room.pictures[static_cast<size_t>(slot)] = DecodeBmp(file.subspan(p, length));
        } catch (const FormatError& e) {
            throw RoomFileError(RoomFileError::Kind::BadRecord, slot, e);
        }
        room.bmpLengths[static_cast<size_t>(slot)] = length;
        pictureBytes += room.pictures[static_cast<size_t>(slot)].pixels.size();
        if (pictureBytes > kRoomMaxPictureBytes)
            throw RoomFileError(RoomFileError::Kind::BadRecord, slot, FormatFault::RoomPicturesTooLarge,
                                {Num(int64_t(kRoomMaxPictureBytes >> 20))});
        p += size_t{length} + 4;
    }
    return room;
}

std::vector<uint8_t> WriteRoomFile(std::span<const uint8_t> headerTemplate, const RoomTexts& texts,
                                   const RoomPictures& pictures)
{
    if (headerTemplate.size() != kRoomHeaderSize)
        throw RoomFileError(RoomFileError::Kind::BadTemplate, -1, FormatFault::RoomTemplateSize,
                            {Num(int64_t(headerTemplate.size())), Num(int64_t(kRoomHeaderSize))});
    const std::array<const std::string*, 3> fields = {&texts.name, &texts.comment, &texts.copyright};
    for (size_t i = 0; i < 3; ++i)
        if (fields[i]->size() > kRoomTextMax)
            throw RoomFileError(RoomFileError::Kind::TextTooLong, -1, FormatFault::RoomTextTooLong,
                                {{FaultArg::Kind::RoomText, int64_t(i)}, Num(int64_t(fields[i]->size())),
                                 Num(int64_t(kRoomTextMax))});

    // Every picture is checked and measured first, then encoded in place:
    // one buffer, each byte written once.
    std::array<size_t, PartSlotTable::kSlotCount> lengths{};
    size_t total = kRoomHeaderSize;
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot) {
        const Bitmap& picture = pictures[static_cast<size_t>(slot)];
        try {
            CheckEncodable(picture);
        } catch (const FormatError& e) {
            throw RoomFileError(RoomFileError::Kind::BadPicture, slot, e);
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
