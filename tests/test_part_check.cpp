// The acceptance check for pictures that replace a slot: the order of its
// tests and where it finds the fields it reads.
#include "bmp_builder.h"

#include "core/image/palette.h"
#include "core/room/part_check.h"
#include "core/room/slot_table.h"
#include "common/message_lines.h"

#include <set>

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing;

namespace {

const std::optional<std::array<uint8_t, 1024>> kPalette = RoomPaletteBytes();
const std::optional<std::array<uint8_t, 1024>> kNoPalette = std::nullopt;

// The header of a BMP of the given form, built byte by byte.
BmpCheckFields Fields(int32_t width, int32_t height, uint16_t bpp, uint32_t compression = 0,
                      uint32_t infoSize = 40, std::vector<RgbQuad> colours = RoomPaletteVector())
{
    BmpLayout s;
    s.infoSize = infoSize;
    s.width = width;
    s.height = height;
    s.bpp = bpp;
    s.compression = compression;
    s.colours = std::move(colours);
    return ReadCheckFields(BuildBmp(s));
}

// The check's answer as the user meets it: the outcome and its message line.
struct Said {
    CheckOutcome outcome;
    int message;
    friend bool operator==(const Said&, const Said&) = default;
};

Said Check(const BmpCheckFields& fields, int slot, const std::optional<std::array<uint8_t, 1024>>& palette)
{
    const CheckResult r = PartBitmapCheck(fields, slot, palette);
    return {r.outcome, CheckMessageLine(r.kind)};
}

Said Refused(int message) { return {CheckOutcome::Refused, message}; }
const Said kAccepted{CheckOutcome::Accepted, -1};

}  // namespace

TEST(PartBitmapCheck, ReadsTheFieldsAtTheirOffsets)
{
    const BmpCheckFields f = Fields(96, -76, 8, 1);
    EXPECT_EQ(f.infoHeaderSize, 40u);
    EXPECT_EQ(f.width, 96);
    EXPECT_EQ(f.height, -76);
    EXPECT_EQ(f.bitsPerPixel, 8);
    EXPECT_EQ(f.compression, 1u);
    EXPECT_TRUE(f.colourTableComplete);
    EXPECT_EQ(f.colourTable, RoomPaletteBytes());

    // Missing bytes read as 0 and cannot pass the size test.
    const BmpCheckFields empty = ReadCheckFields({});
    EXPECT_EQ(empty.width, 0);
    EXPECT_FALSE(empty.colourTableComplete);
    EXPECT_EQ(Check(empty, 8, kPalette), Refused(11));
}

TEST(PartBitmapCheck, SizeIsTestedFirst)
{
    // Wrong size wins over every other fault, in picture and mask slots.
    for (int slot : {8, 28}) {
        EXPECT_EQ(Check(Fields(95, 76, 24, 3, 12), slot, kNoPalette), Refused(11)) << slot;
        EXPECT_EQ(Check(Fields(96, 75, 8), slot, kPalette), Refused(11)) << slot;
        EXPECT_EQ(Check(Fields(96, -76, 8), slot, kPalette), Refused(11)) << slot;  // top-down
    }
    // A mask takes its part's size: the room's mask is 320x240.
    EXPECT_EQ(Check(Fields(320, 240, 1, 0, 40, MaskColoursBlackFirst()), 24, kNoPalette), kAccepted);
    EXPECT_EQ(Check(Fields(82, 71, 8), 14, kPalette), kAccepted);
}

TEST(PartBitmapCheck, CoreHeaderRefusedOnlyWhenTheSizeFieldsMatch)
{
    // A genuine core header has 16-bit sizes: the 32-bit reads do not match.
    EXPECT_EQ(Check(Fields(96, 76, 8, 0, 12), 8, kPalette), Refused(11));
    // Header size 12 with 32-bit fields that equal the slot's size.
    BmpCheckFields f = Fields(96, 76, 8);
    f.infoHeaderSize = 12;
    EXPECT_EQ(Check(f, 8, kPalette), Refused(2));
    EXPECT_EQ(Check(f, 28, kPalette), Refused(2));
}

TEST(PartBitmapCheck, PictureSlotDepthCompressionThenPalette)
{
    EXPECT_EQ(Check(Fields(55, 83, 1, 0, 40, MaskColoursBlackFirst()), 0, kPalette), Refused(3));
    EXPECT_EQ(Check(Fields(55, 83, 24, 0, 40, {}), 0, kPalette), Refused(3));
    EXPECT_EQ(Check(Fields(55, 83, 4, 2), 0, kPalette), Refused(3));  // depth before compression
    EXPECT_EQ(Check(Fields(55, 83, 8, 1), 0, kPalette), Refused(4));
    EXPECT_EQ(Check(Fields(55, 83, 8, 1), 0, kNoPalette), Refused(4));  // compression before palette
    EXPECT_EQ(Check(Fields(55, 83, 8), 0, kNoPalette), (Said{CheckOutcome::PaletteMissing, 5}));
    EXPECT_EQ(Check(Fields(55, 83, 8), 0, kPalette), kAccepted);

    std::vector<RgbQuad> other = RoomPaletteVector();
    other[255].reserved = 1;  // one byte differs, the last one
    EXPECT_EQ(Check(Fields(55, 83, 8, 0, 40, other), 0, kPalette),
              (Said{CheckOutcome::PaletteDiffers, 6}));
    // A file too short to hold the whole table cannot equal the palette.
    std::vector<RgbQuad> partial = RoomPaletteVector();
    partial.resize(200);
    EXPECT_EQ(Check(Fields(55, 83, 8, 0, 40, partial), 0, kPalette),
              (Said{CheckOutcome::PaletteDiffers, 6}));
}

TEST(PartBitmapCheck, TableAfterALongerHeaderIsCompared)
{
    // A V5 header puts the table at offset 138, not 54.
    EXPECT_EQ(Check(Fields(55, 83, 8, 0, 124), 0, kPalette), kAccepted);
    EXPECT_EQ(Check(Fields(55, 83, 8, 0, 108), 0, kPalette), kAccepted);
}

TEST(PartBitmapCheck, MaskSlotDepthThenCompressionNoPalette)
{
    EXPECT_EQ(Check(Fields(55, 83, 1, 0, 40, MaskColoursWhiteFirst()), 20, kNoPalette), kAccepted);
    // An 8-bit mask is taken, with any colour table.
    EXPECT_EQ(Check(Fields(55, 83, 8, 0, 40, TestColours(256)), 20, kPalette), kAccepted);
    EXPECT_EQ(Check(Fields(55, 83, 24, 0, 40, {}), 20, kPalette), Refused(7));
    EXPECT_EQ(Check(Fields(55, 83, 4, 2), 20, kPalette), Refused(7));
    EXPECT_EQ(Check(Fields(55, 83, 8, 1), 20, kPalette), Refused(4));
}

TEST(PartBitmapCheck, EveryKindHasAReasonAndItsOwnMessage)
{
    std::set<int> lines;
    for (CheckKind k : {CheckKind::WrongSize, CheckKind::CoreHeader, CheckKind::PictureDepth, CheckKind::Compressed,
                        CheckKind::MaskDepth, CheckKind::PaletteMissing, CheckKind::PaletteDiffers}) {
        EXPECT_STRNE(CheckKindText(k), "unknown reason");
        lines.insert(CheckMessageLine(k));
    }
    EXPECT_EQ(lines, (std::set<int>{2, 3, 4, 5, 6, 7, 11}));
}
