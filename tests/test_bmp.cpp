// The BMP decoder on every form it takes and on malformed input, and the
// encoder's exact layout.
#include "bmp_builder.h"
#include "bmp_expect.h"

#include "core/image/bit_rows.h"
#include "core/image/bmp.h"
#include "core/image/palette.h"

#include <gtest/gtest.h>

#include <random>

#include <string>

using namespace velmora;
using namespace velmora::testing;

namespace {

using Rows = std::vector<std::vector<uint8_t>>;

Bitmap DecodeRows(uint16_t bpp, const Rows& rows, size_t colours)
{
    BmpLayout s;
    s.bpp = bpp;
    s.width = static_cast<int32_t>(rows[0].size());
    s.height = static_cast<int32_t>(rows.size());
    s.colours = TestColours(colours);
    s.pixelData = PackRows(bpp, rows);
    return DecodeBmp(BuildBmp(s));
}

}  // namespace

// --- Uncompressed forms -------------------------------------------------------

TEST(BmpDecode, UncompressedIndexedDepthsGiveIndicesTopRowFirst)
{
    const Rows rows1 = {{1, 0, 1, 1, 0, 0, 0, 0, 1, 1}, {0, 1, 0, 0, 1, 1, 1, 1, 0, 1}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 0}};
    const Bitmap b1 = DecodeRows(1, rows1, 2);
    EXPECT_EQ(b1.bitsPerPixel, 1);
    EXPECT_EQ(b1.pixels, Flatten(rows1));
    EXPECT_EQ(b1.colours, TestColours(2));

    const Rows rows4 = {{1, 2, 3, 4, 15}, {14, 13, 0, 7, 8}};
    const Bitmap b4 = DecodeRows(4, rows4, 16);
    EXPECT_EQ(b4.pixels, Flatten(rows4));
    EXPECT_EQ(b4.colours.size(), 16u);

    const Rows rows8 = {{10, 20, 30}, {40, 50, 255}};  // 3 bytes + 1 padding per row
    const Bitmap b8 = DecodeRows(8, rows8, 256);
    EXPECT_EQ(b8.width, 3);
    EXPECT_EQ(b8.height, 2);
    EXPECT_EQ(b8.pixels, Flatten(rows8));
    EXPECT_EQ(b8.colours, TestColours(256));
    EXPECT_EQ(b8.source, (BmpSourceForm{40, 0, false, 0}));
}

TEST(BmpDecode, TwentyFourBitsKeepBlueGreenRed)
{
    BmpLayout s;
    s.bpp = 24;
    s.width = 2;
    s.height = 2;
    // Bottom row first, each 6 bytes + 2 padding.
    s.pixelData = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    const Bitmap b = DecodeBmp(BuildBmp(s));
    EXPECT_TRUE(b.colours.empty());
    EXPECT_EQ(b.pixels, (std::vector<uint8_t>{7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(b.colourAt(1, 0), (RgbQuad{10, 11, 12, 0}));
}

TEST(BmpDecode, TopDownRowsAreNotFlipped)
{
    const Rows rows = {{1, 2}, {3, 4}, {5, 6}};
    BmpLayout s;
    s.width = 2;
    s.height = -3;
    s.colours = TestColours(256);
    s.pixelData = PackRows(8, rows, /*topDown=*/true);
    const Bitmap b = DecodeBmp(BuildBmp(s));
    EXPECT_EQ(b.height, 3);
    EXPECT_EQ(b.pixels, Flatten(rows));
    EXPECT_TRUE(b.source.topDown);
}

TEST(BmpDecode, LastRowWithoutPaddingIsTaken)
{
    BmpLayout s;
    s.width = 3;
    s.height = 2;
    s.colours = TestColours(256);
    s.pixelData = {4, 5, 6, 0, 1, 2, 3};  // bottom row padded, top row not
    EXPECT_EQ(DecodeBmp(BuildBmp(s)).pixels, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
}

TEST(BmpDecode, CoreHeaderHasThreeByteColours)
{
    const Rows rows = {{0, 1, 1}, {1, 0, 0}};
    BmpLayout s;
    s.infoSize = 12;
    s.bpp = 1;
    s.width = 3;
    s.height = 2;
    s.colours = {RgbQuad{10, 20, 30, 0}, RgbQuad{40, 50, 60, 0}};
    s.pixelData = PackRows(1, rows);
    const Bitmap b = DecodeBmp(BuildBmp(s));
    EXPECT_EQ(b.colours, s.colours);
    EXPECT_EQ(b.pixels, Flatten(rows));
    EXPECT_EQ(b.source.infoHeaderSize, 12u);

    s.bpp = 8;
    s.colours = TestColours(256);
    s.pixelData = PackRows(8, {{7, 8, 9}, {200, 201, 202}});
    const Bitmap b8 = DecodeBmp(BuildBmp(s));
    EXPECT_EQ(b8.colours, TestColours(256));
    EXPECT_EQ(b8.pixels, (std::vector<uint8_t>{7, 8, 9, 200, 201, 202}));
}

TEST(BmpDecode, LongerInformationHeadersPutTheTableAfterThem)
{
    for (uint32_t infoSize : {108u, 124u}) {
        BmpLayout s;
        s.infoSize = infoSize;
        s.width = 2;
        s.height = 1;
        s.colours = TestColours(256);
        s.pixelData = {77, 99, 0, 0};
        const Bitmap b = DecodeBmp(BuildBmp(s));
        EXPECT_EQ(b.colours, TestColours(256)) << infoSize;
        EXPECT_EQ(b.pixels, (std::vector<uint8_t>{77, 99})) << infoSize;
        EXPECT_EQ(b.source.infoHeaderSize, infoSize);
    }
}

TEST(BmpDecode, ShortColourTableIsFilledWithBlack)
{
    BmpLayout s;
    s.infoSize = 124;
    s.width = 2;
    s.height = 1;
    s.coloursUsed = 3;
    s.colours = {RgbQuad{1, 2, 3, 0}, RgbQuad{4, 5, 6, 0}, RgbQuad{7, 8, 9, 0}};
    s.pixelData = {2, 1, 0, 0};
    const Bitmap b = DecodeBmp(BuildBmp(s));
    ASSERT_EQ(b.colours.size(), 256u);
    EXPECT_EQ(b.colours[2], (RgbQuad{7, 8, 9, 0}));
    EXPECT_EQ(b.colours[3], RgbQuad{});
    EXPECT_EQ(b.colours[255], RgbQuad{});
    EXPECT_EQ(b.source.coloursUsed, 3u);
}

// --- Run-length encoded forms -------------------------------------------------

TEST(BmpDecode, Rle8RunsAbsoluteRunsAndEndOfLine)
{
    BmpLayout s;
    s.width = 5;
    s.height = 3;
    s.compression = 1;
    s.colours = TestColours(256);
    s.pixelData = {
        0, 3, 7, 8, 9, 0,  // bottom row: absolute run of 3 (padded), rest left 0
        0, 0,              // end of line
        5, 4, 0, 0,        // middle row: five 4s
        3, 1, 1, 2, 1, 3,  // top row: 1 1 1 2 3
        0, 1,              // end of picture
    };
    const Bitmap b = DecodeBmp(BuildBmp(s));
    EXPECT_EQ(b.pixels, Flatten({{1, 1, 1, 2, 3}, {4, 4, 4, 4, 4}, {7, 8, 9, 0, 0}}));
    EXPECT_EQ(b.source.compression, 1u);
}

TEST(BmpDecode, Rle8DeltaSkipsPixels)
{
    BmpLayout s;
    s.width = 4;
    s.height = 3;
    s.compression = 1;
    s.colours = TestColours(256);
    s.pixelData = {1, 5, 0, 2, 2, 1, 1, 6, 0, 1};  // 5 at (0,bottom); delta +2,+1; 6
    EXPECT_EQ(DecodeBmp(BuildBmp(s)).pixels, Flatten({{0, 0, 0, 0}, {0, 0, 0, 6}, {5, 0, 0, 0}}));
}

TEST(BmpDecode, Rle4NibblesOddAbsoluteRunAndDelta)
{
    BmpLayout s;
    s.bpp = 4;
    s.width = 6;
    s.height = 3;
    s.compression = 2;
    s.colours = TestColours(16);
    s.pixelData = {
        0, 5, 0x12, 0x34, 0x50, 0,  // bottom: absolute 1 2 3 4 5 (3 bytes, padded to 4)
        1, 0x60, 0, 0,              // then 6; end of line
        6, 0xAB, 0, 0,              // middle: A B A B A B
        0, 2, 2, 0, 2, 0xCD,        // top: skip two, then C D
        0, 1,
    };
    const Bitmap b = DecodeBmp(BuildBmp(s));
    EXPECT_EQ(b.pixels, Flatten({{0, 0, 0xC, 0xD, 0, 0}, {0xA, 0xB, 0xA, 0xB, 0xA, 0xB}, {1, 2, 3, 4, 5, 6}}));
}

// --- Malformed input ----------------------------------------------------------

TEST(BmpDecode, MalformedHeadersAreRefusedWithTheReason)
{
    ExpectFormatError(std::vector<uint8_t>(10, 0), "too short");
    BmpLayout ok;
    ok.colours = TestColours(256);
    ok.pixelData = {1, 0, 0, 0};
    std::vector<uint8_t> notBm = BuildBmp(ok);
    notBm[0] = 'X';
    ExpectFormatError(notBm, "does not start with \"BM\"");

    auto with = [&](auto change) {
        BmpLayout s = ok;
        change(s);
        return BuildBmp(s);
    };
    ExpectFormatError(with([](BmpLayout& s) { s.infoSize = 20; }), "information header size 20");
    ExpectFormatError(with([](BmpLayout& s) { s.planes = 2; }), "planes");
    ExpectFormatError(with([](BmpLayout& s) { s.infoSize = 12; s.planes = 0; }), "planes");
    ExpectFormatError(with([](BmpLayout& s) { s.width = 0; }), "not positive");
    ExpectFormatError(with([](BmpLayout& s) { s.width = -3; }), "not positive");
    ExpectFormatError(with([](BmpLayout& s) { s.height = INT32_MIN; }), "height");
    ExpectFormatError(with([](BmpLayout& s) { s.width = 20000; }), "too large");
    ExpectFormatError(with([](BmpLayout& s) { s.width = 10000; s.height = 10000; }), "too large");
    for (uint16_t bpp : {0, 2, 64})
        ExpectFormatError(with([&](BmpLayout& s) { s.bpp = bpp; }), "bits per pixel are not supported");
    for (uint32_t compression : {4u, 5u, 0xFFFFFFFFu})
        ExpectFormatError(with([&](BmpLayout& s) { s.compression = compression; }), "compression method");
    ExpectFormatError(with([](BmpLayout& s) { s.compression = 2; }), "does not match");
    ExpectFormatError(with([](BmpLayout& s) { s.compression = 1; s.height = -1; }), "top-down");
    ExpectFormatError(with([](BmpLayout& s) { s.coloursUsed = 300; }), "more than 256");

    // A 124-byte header in a file that ends after 60 of its bytes.
    std::vector<uint8_t> cut = with([](BmpLayout& s) { s.infoSize = 124; });
    cut.resize(14 + 60);
    ExpectFormatError(cut, "ends inside the information header");
}

TEST(BmpDecode, MalformedLayoutIsRefusedWithTheReason)
{
    BmpLayout s;
    s.width = 4;
    s.height = 4;
    s.colours = TestColours(2);  // table says 256 entries, only 2 present before the data
    s.pixelData = std::vector<uint8_t>(16, 1);
    ExpectFormatError(BuildBmp(s), "colour table does not fit");

    // A whole table that runs into the pixel data the offset points at: the
    // table's last entries would be read as pixels too.
    s.colours = TestColours(256);
    s.pixelOffset = 14 + 40 + 4 * 255;
    ExpectFormatError(BuildBmp(s), "colour table does not fit");
    s.infoSize = 12;
    s.pixelOffset = 14 + 12 + 3 * 200;
    ExpectFormatError(BuildBmp(s), "colour table does not fit");
    s.infoSize = 40;

    s.pixelOffset = 5000;
    ExpectFormatError(BuildBmp(s), "lies outside the file");
    s.pixelOffset = 20;
    ExpectFormatError(BuildBmp(s), "lies inside the header");
    s.pixelOffset.reset();

    s.pixelData.resize(10);
    ExpectFormatError(BuildBmp(s), "truncated (10 of 16 bytes)");

    s.compression = 1;
    s.pixelData = {2, 5};  // a run, then the stream ends before the picture does
    ExpectFormatError(BuildBmp(s), "compressed pixel data is truncated");
    s.pixelData = {0, 3, 1, 2};  // absolute run of 3 with 2 bytes present
    ExpectFormatError(BuildBmp(s), "truncated");
    s.pixelData = {6, 1, 0, 1};  // a run of 6 in a row of 4
    ExpectFormatError(BuildBmp(s), "runs past");
    s.pixelData = {0, 2, 9, 0, 1, 1, 0, 1};  // delta past the right edge
    ExpectFormatError(BuildBmp(s), "runs past");

    s.width = 16000;
    s.height = 4000;
    s.pixelData = {0, 1};
    ExpectFormatError(BuildBmp(s), "too large for the compressed data");
}

TEST(BmpDecode, EveryTruncationFailsCleanly)
{
    // Valid pictures cut at every length must decode or throw, never crash
    // or read outside the buffer (the sanitizer build checks the latter).
    BmpLayout plain;
    plain.bpp = 4;
    plain.width = 5;
    plain.height = 3;
    plain.colours = TestColours(16);
    plain.pixelData = PackRows(4, {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}});
    BmpLayout rle;
    rle.width = 5;
    rle.height = 3;
    rle.compression = 1;
    rle.colours = TestColours(256);
    rle.pixelData = {0, 3, 7, 8, 9, 0, 0, 0, 5, 4, 0, 0, 3, 1, 1, 2, 1, 3, 0, 1};
    // Only the plain picture may lose a byte: the last row's padding.
    const std::pair<BmpLayout, size_t> cases[] = {{plain, 1}, {rle, 0}};
    for (const auto& [s, spare] : cases) {
        const std::vector<uint8_t> full = BuildBmp(s);
        const Bitmap whole = DecodeBmp(full);
        for (size_t n = 0; n < full.size(); ++n) {
            const std::vector<uint8_t> cut(full.begin(), full.begin() + static_cast<ptrdiff_t>(n));
            try {
                const Bitmap b = DecodeBmp(cut);
                EXPECT_GE(n, full.size() - spare) << "decoded a picture cut at " << n << " of " << full.size();
                EXPECT_TRUE(b.samePicture(whole)) << n;
            } catch (const FormatError&) {
                EXPECT_LT(n, full.size() - spare) << "refused a picture that lost only padding, at " << n;
            }
        }
    }
}

// --- Encoder ------------------------------------------------------------------

TEST(BmpEncode, EightBitLayoutIsTheStandardForm)
{
    Bitmap b = Bitmap::Make(3, 2, 8, RoomPaletteVector());
    b.pixels = {1, 2, 3, 4, 5, 6};
    const std::vector<uint8_t> out = EncodeBmp(b, ColoursUsedField::Zero);
    ASSERT_EQ(out.size(), 1078u + 2 * 4);
    EXPECT_EQ(out[0], 'B');
    EXPECT_EQ(out[1], 'M');
    EXPECT_EQ(ReadLe32(&out[2]), out.size());
    EXPECT_EQ(ReadLe32(&out[6]), 0u);
    EXPECT_EQ(ReadLe32(&out[10]), 1078u);
    EXPECT_EQ(ReadLe32(&out[14]), 40u);
    EXPECT_EQ(ReadLe32(&out[18]), 3u);
    EXPECT_EQ(ReadLe32(&out[22]), 2u);
    EXPECT_EQ(ReadLe16(&out[26]), 1u);
    EXPECT_EQ(ReadLe16(&out[28]), 8u);
    EXPECT_EQ(ReadLe32(&out[30]), 0u);
    EXPECT_EQ(ReadLe32(&out[34]), 8u);
    EXPECT_EQ(ReadLe32(&out[46]), 0u);
    const auto palette = RoomPaletteBytes();
    EXPECT_TRUE(std::equal(palette.begin(), palette.end(), out.begin() + 54));
    // Bottom row first, padded to 4 bytes.
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + 1078, out.end()), (std::vector<uint8_t>{4, 5, 6, 0, 1, 2, 3, 0}));
    EXPECT_EQ(ReadLe32(&EncodeBmp(b, ColoursUsedField::EntriesWritten)[46]), 256u);
}

TEST(BmpEncode, OneBitMaskPacksHighBitFirst)
{
    Bitmap m = Bitmap::Make(10, 1, 1, MaskColoursWhiteFirst());
    m.pixels = {1, 0, 0, 0, 0, 0, 0, 1, 1, 0};
    const std::vector<uint8_t> out = EncodeBmp(m, ColoursUsedField::EntriesWritten);
    ASSERT_EQ(out.size(), 62u + 4);
    EXPECT_EQ(ReadLe32(&out[10]), 62u);
    EXPECT_EQ(ReadLe32(&out[46]), 2u);
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + 54, out.begin() + 62),
              (std::vector<uint8_t>{255, 255, 255, 0, 0, 0, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + 62, out.end()), (std::vector<uint8_t>{0x81, 0x80, 0, 0}));
}

TEST(BmpEncode, EveryDepthRoundTrips)
{
    for (uint16_t bpp : {1, 4, 8, 24}) {
        Bitmap b = Bitmap::Make(7, 5, bpp, bpp <= 8 ? TestColours(size_t{1} << bpp) : std::vector<RgbQuad>{});
        for (size_t i = 0; i < b.pixels.size(); ++i)
            b.pixels[i] = static_cast<uint8_t>((i * 37 + 11) % (bpp <= 8 ? (1u << bpp) : 256u));
        const Bitmap back = DecodeBmp(EncodeBmp(b, ColoursUsedField::Zero));
        EXPECT_TRUE(back.samePicture(b)) << bpp;
    }
}

TEST(BmpEncode, RefusesPicturesItCannotWrite)
{
    Bitmap b = Bitmap::Make(2, 2, 8);
    b.pixels.pop_back();
    EXPECT_THROW(EncodeBmp(b, ColoursUsedField::Zero), FormatError);
    Bitmap odd = Bitmap::Make(2, 2, 8);
    odd.bitsPerPixel = 16;
    EXPECT_THROW(EncodeBmp(odd, ColoursUsedField::Zero), FormatError);
}

TEST(BitRows, FastAndPortableFormsMatchTheBitOrderAtEveryWidth)
{
    std::mt19937 rng(15);
    for (int32_t width = 1; width <= 300; ++width) {
        const size_t packedBytes = size_t(width + 7) / 8;
        std::vector<uint8_t> packed(packedBytes);
        for (auto& b : packed)
            b = uint8_t(rng());
        packed.back() &= uint8_t(0xFF << (packedBytes * 8 - size_t(width)));  // unused bits are 0
        std::vector<uint8_t> expected(static_cast<size_t>(width));
        for (int32_t x = 0; x < width; ++x)
            expected[size_t(x)] = (packed[size_t(x / 8)] >> (7 - x % 8)) & 1;

        std::vector<uint8_t> fast(size_t(width), 9), portable(size_t(width), 9);
        UnpackBitRow(packed.data(), width, fast.data());
        UnpackBitRowPortable(packed.data(), width, portable.data());
        ASSERT_EQ(fast, expected) << width;
        ASSERT_EQ(portable, expected) << width;

        // Packing takes only the low bit; stray high bits must not leak in.
        std::vector<uint8_t> pixels = expected;
        for (auto& p : pixels)
            p = uint8_t(p | (rng() & 0xFE));
        std::vector<uint8_t> fastPacked(packedBytes, 0xAA), portablePacked(packedBytes, 0xAA);
        PackBitRow(pixels.data(), width, fastPacked.data());
        PackBitRowPortable(pixels.data(), width, portablePacked.data());
        ASSERT_EQ(fastPacked, packed) << width;
        ASSERT_EQ(portablePacked, packed) << width;
    }
}
