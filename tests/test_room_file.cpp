// The room file reader and writer, and the exact layout of the default room.
#include "core/image/bmp.h"
#include "core/room/default_room.h"
#include "core/image/palette.h"
#include "core/room/room_file.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace velmora;

namespace {

// A template whose every byte is recognisable: byte i holds (i * 7 + 3) & 0xFF.
std::vector<uint8_t> PatternTemplate(uint8_t salt = 3)
{
    std::vector<uint8_t> t(kRoomHeaderSize);
    for (size_t i = 0; i < t.size(); ++i)
        t[i] = static_cast<uint8_t>(i * 7 + salt);
    return t;
}

std::vector<uint8_t> DefaultFile(const RoomTexts& texts = {})
{
    return WriteRoomFile(PatternTemplate(), texts, DefaultRoomPictures());
}

// Offset of the BMP of each slot in a file written by us.
std::vector<size_t> BmpOffsets(const std::vector<uint8_t>& file)
{
    std::vector<size_t> offsets;
    size_t p = kRoomHeaderSize + 4;
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot) {
        offsets.push_back(p);
        p += ReadLe32(&file[p + 2]) + 4;
    }
    return offsets;
}

void ExpectRoomError(std::span<const uint8_t> file, RoomFileError::Kind kind, int slot, const std::string& part)
{
    try {
        ReadRoomFile(file);
        ADD_FAILURE() << "read; expected an error containing \"" << part << "\"";
    } catch (const RoomFileError& e) {
        EXPECT_EQ(e.kind(), kind) << e.what();
        EXPECT_EQ(e.slot(), slot) << e.what();
        EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
    }
}

}  // namespace

TEST(DefaultRoom, FileLayoutByteForByte)
{
    const std::vector<uint8_t> file = DefaultFile();
    ASSERT_EQ(file.size(), 214032u);
    const std::vector<uint8_t> tmpl = PatternTemplate();
    // Header: the template, with the three length bytes set to 0.
    for (size_t i = 0; i < kRoomHeaderSize; ++i) {
        const bool lengthByte = i == 32 || i == 288 || i == 544;
        EXPECT_EQ(file[i], lengthByte ? 0 : tmpl[i]) << i;
    }
    size_t p = kRoomHeaderSize;
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        const PartSize size = PartSlotTable::RequiredSize(slot);
        const bool mask = PartSlotTable::IsMask(slot);
        const uint8_t* bmp = &file[p + 4];
        const uint32_t length = ReadLe32(bmp + 2);
        EXPECT_EQ(ReadLe32(&file[p]), length);  // record length = the BMP's size field
        const uint32_t rowBytes = ((uint32_t(size.width) * (mask ? 1 : 8) + 31) / 32) * 4;
        EXPECT_EQ(length, (mask ? 62u : 1078u) + rowBytes * uint32_t(size.height));
        EXPECT_EQ(ReadLe32(bmp + 10), mask ? 62u : 1078u);
        EXPECT_EQ(ReadLe32(bmp + 14), 40u);
        EXPECT_EQ(static_cast<int32_t>(ReadLe32(bmp + 18)), size.width);
        EXPECT_EQ(static_cast<int32_t>(ReadLe32(bmp + 22)), size.height);
        EXPECT_EQ(ReadLe16(bmp + 28), mask ? 1 : 8);
        EXPECT_EQ(ReadLe32(bmp + 30), 0u);
        EXPECT_EQ(ReadLe32(bmp + 46), 0u);  // colours used
        if (mask) {
            const bool whiteFirst = (slot >= 20 && slot <= 23) || slot == 39;
            EXPECT_EQ(bmp[54], whiteFirst ? 255 : 0);
            EXPECT_EQ(bmp[58], whiteFirst ? 0 : 255);
        } else {
            const auto palette = RoomPaletteBytes();
            EXPECT_TRUE(std::equal(palette.begin(), palette.end(), bmp + 54));
        }
        p += 4 + length;
    }
    EXPECT_EQ(p, file.size());
    EXPECT_EQ(BmpOffsets(file)[0], 1060u);
    EXPECT_EQ(BmpOffsets(file)[4], 1060u + 3 * (4 + 5726) + 8198 + 4);  // after three windows and the door view
}

TEST(DefaultRoom, PicturesFollowTheDrawingRules)
{
    const RoomPictures pics = DefaultRoomPictures();
    for (int slot : {0, 1, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 19})
        EXPECT_TRUE(std::all_of(pics[slot].pixels.begin(), pics[slot].pixels.end(), [](uint8_t v) { return v == 0; }))
            << "slot " << slot << " is blank";
    const Bitmap& room = pics[4];
    EXPECT_TRUE(std::all_of(room.pixels.begin(), room.pixels.end(), [](uint8_t v) { return v == 0 || v == 247; }));
    EXPECT_GT(std::count(room.pixels.begin(), room.pixels.end(), 247), 500);
    // The frames show where the window and the door are.
    EXPECT_EQ(room.index(78, 40), 247);
    EXPECT_EQ(room.index(134, 40), 247);
    EXPECT_EQ(room.index(212, 100), 247);
    EXPECT_EQ(room.index(278, 100), 247);
    for (int slot : {2, 14, 16, 17, 18}) {
        const Bitmap& b = pics[slot];
        EXPECT_EQ(b.index(0, 0), kBlackIndex) << slot;  // black background
        EXPECT_GT(std::count_if(b.pixels.begin(), b.pixels.end(), [](uint8_t v) { return v != kBlackIndex; }), 20)
            << slot;
    }
    // Every mask: white exactly where its picture is black.
    for (int part = 0; part < PartSlotTable::kPartCount; ++part) {
        const Bitmap& pic = pics[part];
        const Bitmap& mask = pics[PartSlotTable::MaskOf(part)];
        ASSERT_EQ(mask.pixels.size(), pic.pixels.size());
        for (size_t i = 0; i < pic.pixels.size(); ++i) {
            const RgbQuad c = mask.colours[mask.pixels[i]];
            ASSERT_EQ(c.red == 255, pic.pixels[i] == kBlackIndex) << "part " << part << " pixel " << i;
        }
    }
}

TEST(RoomFile, TextsAreStoredByLengthOverTheTemplate)
{
    RoomTexts texts;
    texts.name = "";
    texts.comment = std::string("line one\r\nline two");
    texts.copyright = std::string(127, 'c');
    const std::vector<uint8_t> file = DefaultFile(texts);
    const std::vector<uint8_t> tmpl = PatternTemplate();
    EXPECT_EQ(file[32], 0);
    EXPECT_EQ(file[33], tmpl[33]);  // the area after an empty text keeps the template
    EXPECT_EQ(file[288], 18);
    EXPECT_EQ(file[289 + 8], 13);
    EXPECT_EQ(file[289 + 9], 10);
    EXPECT_EQ(file[289 + 18], tmpl[289 + 18]);  // no terminator written
    EXPECT_EQ(file[544], 127);
    EXPECT_EQ(file[545 + 126], 'c');
    EXPECT_EQ(file[545 + 127], tmpl[545 + 127]);
    EXPECT_EQ(file[800], tmpl[800]);

    const Room room = ReadRoomFile(file);
    EXPECT_EQ(room.texts, texts);
}

TEST(RoomFile, ReadingStopsAtAZeroByteAndTakesNegativeLengthsAsEmpty)
{
    RoomTexts texts;
    texts.name = std::string("ab\0cd", 5);
    texts.comment = "kept";
    const std::vector<uint8_t> written = DefaultFile(texts);
    EXPECT_EQ(written[32], 5);  // written whole
    std::vector<uint8_t> file = written;
    file[288] = 128;  // -128 as a signed byte
    file[544] = 0xFF;
    const Room room = ReadRoomFile(file);
    EXPECT_EQ(room.texts.name, "ab");
    EXPECT_EQ(room.texts.comment, "");
    EXPECT_EQ(room.texts.copyright, "");
}

TEST(RoomFile, WriterRefusesLongTextsAndBadTemplates)
{
    RoomTexts texts;
    texts.comment = std::string(128, 'x');
    try {
        DefaultFile(texts);
        ADD_FAILURE() << "a 128-byte comment was written";
    } catch (const RoomFileError& e) {
        EXPECT_EQ(e.kind(), RoomFileError::Kind::TextTooLong);
        EXPECT_NE(std::string(e.what()).find("comment is 128 bytes"), std::string::npos) << e.what();
    }
    std::vector<uint8_t> shortTemplate(1055);
    EXPECT_THROW(WriteRoomFile(shortTemplate, {}, DefaultRoomPictures()), RoomFileError);

    RoomPictures broken = DefaultRoomPictures();
    broken[9].pixels.clear();
    try {
        WriteRoomFile(PatternTemplate(), {}, broken);
        ADD_FAILURE() << "a picture without pixels was written";
    } catch (const RoomFileError& e) {
        EXPECT_EQ(e.slot(), 9);
        EXPECT_NE(std::string(e.what()).find("BedSleepingImage"), std::string::npos) << e.what();
    }
}

TEST(RoomFile, ColoursUsedIsZeroInEveryRecordWhateverThePictureCameFrom)
{
    RoomPictures pics = DefaultRoomPictures();
    // Pictures read from files that stated their colour count.
    for (Bitmap& b : pics)
        b = DecodeBmp(EncodeBmp(b, ColoursUsedField::EntriesWritten));
    ASSERT_EQ(pics[0].source.coloursUsed, 256u);
    const std::vector<uint8_t> file = WriteRoomFile(PatternTemplate(), {}, pics);
    for (size_t offset : BmpOffsets(file))
        EXPECT_EQ(ReadLe32(&file[offset + 46]), 0u) << offset;
    EXPECT_EQ(file, DefaultFile());
}

TEST(RoomFile, HeaderComesFromTheTemplateNotFromTheFileRead)
{
    RoomTexts texts{"Room", "A comment", "(c) us"};
    const Room room = ReadRoomFile(WriteRoomFile(PatternTemplate(3), texts, DefaultRoomPictures()));
    const std::vector<uint8_t> other = PatternTemplate(100);
    const std::vector<uint8_t> again = WriteRoomFile(other, room.texts, room.pictures);
    for (size_t i = 0; i < kRoomHeaderSize; ++i) {
        const bool text = (i >= 32 && i <= 36) || (i >= 288 && i <= 297) || (i >= 544 && i <= 550);
        if (!text) {
            EXPECT_EQ(again[i], other[i]) << i;
        }
    }
    EXPECT_TRUE(std::equal(again.begin() + kRoomHeaderSize, again.end(),
                           WriteRoomFile(PatternTemplate(3), texts, DefaultRoomPictures()).begin() + kRoomHeaderSize));
}

TEST(RoomFile, LengthTestAt200000Bytes)
{
    // A room of tiny pictures padded to the limit: bytes after the last
    // record are ignored, and pictures of any size are taken unchanged.
    RoomPictures tiny;
    for (size_t s = 0; s < tiny.size(); ++s) {
        tiny[s] = Bitmap::Make(1 + int(s % 3), 2, s < 20 ? 8 : 1);
        tiny[s].pixels[0] = 1;
    }
    std::vector<uint8_t> file = WriteRoomFile(PatternTemplate(), {}, tiny);
    ASSERT_LT(file.size(), kRoomMinFileSize);
    file.resize(kRoomMinFileSize, 0xEE);
    const Room room = ReadRoomFile(file);
    for (size_t s = 0; s < tiny.size(); ++s)
        EXPECT_TRUE(room.pictures[s].samePicture(tiny[s])) << s;

    file.resize(kRoomMinFileSize - 1);
    ExpectRoomError(file, RoomFileError::Kind::TooShort, -1, "199999 bytes long");
    ExpectRoomError({}, RoomFileError::Kind::TooShort, -1, "0 bytes long");
    const std::vector<uint8_t> huge(kRoomMaxFileSize + 1);
    ExpectRoomError(huge, RoomFileError::Kind::TooLarge, -1, "more than");
}

TEST(RoomFile, BadRecordsNameTheirSlot)
{
    const std::vector<uint8_t> good = DefaultFile();
    const std::vector<size_t> at = BmpOffsets(good);

    // A file cut at 200,000 bytes: the first record that runs past the end is named.
    std::vector<uint8_t> shortFile(good.begin(), good.begin() + 200000);
    size_t firstPast = 0;
    while (at[firstPast] + ReadLe32(&good[at[firstPast] + 2]) <= 200000)
        ++firstPast;
    ExpectRoomError(shortFile, RoomFileError::Kind::BadRecord, int(firstPast), "runs past the end of the file");

    std::vector<uint8_t> tooSmall = good;
    WriteLe32(&tooSmall[at[5] + 2], 10);
    ExpectRoomError(tooSmall, RoomFileError::Kind::BadRecord, 5, "slot 5 (DoorCloseImage): the picture's size field (10)");

    std::vector<uint8_t> zero = good;
    WriteLe32(&zero[at[30] + 2], 0);
    ExpectRoomError(zero, RoomFileError::Kind::BadRecord, 30, "too small");

    std::vector<uint8_t> huge = good;
    WriteLe32(&huge[at[12] + 2], 0xFFFFFFFFu);
    ExpectRoomError(huge, RoomFileError::Kind::BadRecord, 12, "runs past the end");

    std::vector<uint8_t> notBmp = good;
    notBmp[at[28]] = 'X';
    ExpectRoomError(notBmp, RoomFileError::Kind::BadRecord, 28, "slot 28 (BedMask): not a usable BMP picture");

    // Record length fields are never read: the records are found by the
    // pictures' own size fields, so every picture comes back whole.
    std::vector<uint8_t> lengths = good;
    for (size_t offset : at)
        WriteLe32(&lengths[offset - 4], 0xDEADBEEF);
    const Room read = ReadRoomFile(lengths);
    const Room expected = ReadRoomFile(good);
    for (size_t s = 0; s < read.pictures.size(); ++s) {
        EXPECT_TRUE(read.pictures[s].samePicture(expected.pictures[s])) << s;
        EXPECT_EQ(read.bmpLengths[s], expected.bmpLengths[s]) << s;
    }
}

// Besides its English, a refusal carries its fault and numbers for the
// editor to word in the user's language.
TEST(RoomFile, RefusalsCarryTheirFaultAndNumbers)
{
    std::vector<uint8_t> file = DefaultFile();
    WriteLe32(&file[kRoomHeaderSize + 4 + 18], 40000);
    try {
        ReadRoomFile(file);
        FAIL() << "a picture 40000 pixels wide was taken";
    } catch (const RoomFileError& e) {
        EXPECT_EQ(e.slot(), 0);
        EXPECT_EQ(e.fault(), FormatFault::BmpSizeTooLarge);
        ASSERT_EQ(e.args().size(), 2u);
        EXPECT_EQ(e.args()[0].value, 40000);
        EXPECT_EQ(std::string(e.what()), "slot 0 (WinDayImage): not a usable BMP picture: the picture size 40000x" +
                                             std::to_string(e.args()[1].value) + " is too large");
    }
    try {
        DefaultFile({"", std::string(128, 'c'), ""});
        FAIL() << "a comment of 128 bytes was written";
    } catch (const RoomFileError& e) {
        EXPECT_EQ(e.fault(), FormatFault::RoomTextTooLong);
        ASSERT_EQ(e.args().size(), 3u);
        EXPECT_EQ(e.args()[0].kind, FaultArg::Kind::RoomText);
        EXPECT_EQ(e.args()[0].value, 1);
    }
    // Texts go in place of %1 to %9 once; other percent signs stay.
    EXPECT_EQ(FillTemplate("%1x%2 at 100% %3", {"%2", "7"}), "%2x7 at 100% %3");
}

TEST(RoomFile, ReadGivesTheDefaultPicturesAndTheirLengths)
{
    const Room room = ReadRoomFile(DefaultFile());
    const RoomPictures pics = DefaultRoomPictures();
    for (size_t s = 0; s < pics.size(); ++s)
        EXPECT_TRUE(room.pictures[s].samePicture(pics[s])) << s;
    EXPECT_EQ(room.bmpLengths[4], 77878u);
    EXPECT_EQ(room.bmpLengths[24], 9662u);
    EXPECT_EQ(std::accumulate(room.bmpLengths.begin(), room.bmpLengths.end(), size_t{0}) + 40 * 4 + 1056, 214032u);
}
