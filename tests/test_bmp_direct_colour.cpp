// 16- and 32-bit BMPs as image programs write them: default channels,
// bit-field masks in or after the header, top-down; and the masks a hostile
// file may claim.
#include "bmp_builder.h"
#include "bmp_expect.h"

#include "core/image/bmp.h"
#include "core/room/default_room.h"
#include "core/room/room_file.h"

#include <gtest/gtest.h>

#include <string>

using namespace velmora;
using namespace velmora::testing;

namespace {

struct Form {
    uint16_t bpp;
    uint32_t compression;  // 0 BI_RGB, 3 BI_BITFIELDS, 6 BI_ALPHABITFIELDS
    uint32_t infoSize;
    std::vector<uint32_t> masks;  // red, green, blue[, alpha]
    bool topDown = false;
};

// A 3x2 picture of colours every channel layout holds exactly: black, white,
// red / green, blue, yellow.
constexpr uint8_t kRgb[2][3][3] = {{{0, 0, 0}, {255, 255, 255}, {255, 0, 0}},
                                   {{0, 255, 0}, {0, 0, 255}, {255, 255, 0}}};

uint32_t Pack(const std::vector<uint32_t>& masks, const uint8_t rgb[3])
{
    uint32_t v = 0;
    for (size_t c = 0; c < 3; ++c)
        if (rgb[c])
            v |= masks[c];
    if (masks.size() > 3)
        v |= masks[3];  // opaque
    return v;
}

std::vector<uint8_t> Build(const Form& f, int32_t width = 3, int32_t height = 2)
{
    std::vector<uint32_t> masks = f.masks;
    if (f.compression == 0)
        masks = f.bpp == 16 ? std::vector<uint32_t>{0x7C00, 0x03E0, 0x001F}
                            : std::vector<uint32_t>{0xFF0000, 0xFF00, 0xFF};
    BmpLayout s;
    s.infoSize = f.infoSize;
    s.width = width;
    s.height = f.topDown ? -height : height;
    s.bpp = f.bpp;
    s.compression = f.compression;
    // After a 40-byte header the masks take the colour table's place.
    if (f.compression != 0 && f.infoSize == 40)
        for (uint32_t m : f.masks)
            s.colours.push_back(RgbQuad{uint8_t(m), uint8_t(m >> 8), uint8_t(m >> 16), uint8_t(m >> 24)});
    const size_t bytesPerPixel = f.bpp / 8;
    const size_t rowBytes = (width * bytesPerPixel + 3) / 4 * 4;
    for (int32_t i = 0; i < height; ++i) {
        const int32_t y = f.topDown ? i : height - 1 - i;
        std::vector<uint8_t> row(rowBytes, 0);
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t v = Pack(masks, kRgb[y % 2][x % 3]);
            for (size_t k = 0; k < bytesPerPixel; ++k)
                row[x * bytesPerPixel + k] = uint8_t(v >> (8 * k));
        }
        s.pixelData.insert(s.pixelData.end(), row.begin(), row.end());
    }
    std::vector<uint8_t> out = BuildBmp(s);
    if (f.infoSize >= 52)
        for (size_t i = 0; i < f.masks.size(); ++i)
            WriteLe32(out.data() + 54 + 4 * i, f.masks[i]);
    return out;
}

}  // namespace

TEST(BmpDirectColour, EveryFormDecodesToTheSame24BitPicture)
{
    const Form forms[] = {
        {16, 0, 40, {}},                                              // X1R5G5B5
        {16, 3, 40, {0xF800, 0x07E0, 0x001F}},                        // R5G6B5, masks after the header
        {16, 3, 124, {0xF800, 0x07E0, 0x001F, 0}, true},              // V5 header, top-down
        {16, 6, 40, {0x0F00, 0x00F0, 0x000F, 0xF000}},                // A4R4G4B4
        {16, 3, 108, {0x001F, 0x03E0, 0x7C00, 0x8000}},               // V4, blue high, one alpha bit
        {32, 0, 40, {}},                                              // X8R8G8B8
        {32, 0, 124, {0xFF, 0xFF00, 0xFF0000, 0}},                    // BI_RGB ignores header masks
        {32, 3, 124, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}},           // A8R8G8B8 as GIMP writes it
        {32, 3, 56, {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000}}, // A2R10G10B10, V3 header
        {32, 3, 40, {0xFF000000, 0x00FF0000, 0x0000FF00}},            // R8G8B8X8
    };
    for (const Form& f : forms) {
        SCOPED_TRACE(std::to_string(f.bpp) + " bits, compression " + std::to_string(f.compression) + ", header " +
                     std::to_string(f.infoSize));
        const Bitmap b = DecodeBmp(Build(f));
        ASSERT_EQ(b.bitsPerPixel, 24);
        ASSERT_EQ(b.width, 3);
        ASSERT_EQ(b.height, 2);
        EXPECT_TRUE(b.colours.empty());
        EXPECT_EQ(b.source.compression, f.compression);
        EXPECT_EQ(b.source.topDown, f.topDown);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                const RgbQuad c = b.colourAt(x, y);
                EXPECT_EQ((std::array{c.red, c.green, c.blue}), (std::array{kRgb[y][x][0], kRgb[y][x][1], kRgb[y][x][2]}))
                    << "pixel " << x << "," << y;
            }
        // What we read, we write as a standard 24-bit BMP and read back alike.
        EXPECT_TRUE(DecodeBmp(EncodeBmp(b, ColoursUsedField::Zero)).samePicture(b));
    }
}

TEST(BmpDirectColour, NarrowChannelsWidenToTheFullRangeAndWideOnesKeepTheirTopBits)
{
    BmpLayout s;
    s.bpp = 16;
    s.compression = 3;
    s.colours = {RgbQuad{0x00, 0xF8, 0, 0}, RgbQuad{0xE0, 0x07, 0, 0}, RgbQuad{0x1F, 0, 0, 0}};  // 5-6-5
    s.pixelData = {0x00, 0x84, 0, 0};  // red 16 of 31, green 32 of 63, blue 0
    Bitmap b = DecodeBmp(BuildBmp(s));
    EXPECT_EQ(b.colourAt(0, 0), (RgbQuad{0, 130, 132, 0}));

    s.bpp = 32;
    s.colours = {RgbQuad{0x00, 0x00, 0xF0, 0x3F}, RgbQuad{0x00, 0xFC, 0x0F, 0}, RgbQuad{0xFF, 0x03, 0, 0}};  // 10-10-10
    s.pixelData = {0xFF, 0x03, 0x00, 0x20};  // red 0x200, green 0, blue 0x3FF
    b = DecodeBmp(BuildBmp(s));
    EXPECT_EQ(b.colourAt(0, 0), (RgbQuad{255, 0, 128, 0}));
}

TEST(BmpDirectColour, BadMasksAndShortDataAreRefusedWithTheReason)
{
    ExpectFormatError(Build({16, 3, 40, {0xF00F, 0x07E0, 0x0010}}), "red mask 0x0000F00F is not one run of bits");
    ExpectFormatError(Build({16, 3, 40, {0x1F0000, 0x07E0, 0x001F}}), "lies outside the 16 bits of a pixel");
    // One bit past the top of a 16-bit pixel, right beside a mask that ends on it.
    ExpectFormatError(Build({16, 3, 40, {0xF800, 0x07E0, 0x10000}}), "blue mask 0x00010000 lies outside");
    ExpectFormatError(Build({32, 3, 124, {0xFF0000, 0xFFFF00, 0xFF, 0}}), "green mask 0x00FFFF00 overlaps");
    ExpectFormatError(Build({32, 3, 124, {0xFF0000, 0xFF00, 0xFF, 0x80000001}}), "alpha mask");
    // Masks after a 40-byte header that the pixel data overlaps.
    std::vector<uint8_t> noRoom = Build({16, 3, 40, {0xF800, 0x07E0, 0x001F}});
    WriteLe32(noRoom.data() + 10, 14 + 40 + 8);
    ExpectFormatError(noRoom, "colour masks do not fit");
    // Bit fields belong to 16 and 32 bits only; a core header has no room for them.
    BmpLayout eight;
    eight.colours = TestColours(256);
    eight.pixelData = {1, 0, 0, 0};
    for (uint32_t compression : {3u, 6u}) {
        eight.compression = compression;
        ExpectFormatError(BuildBmp(eight), "does not match the bits per pixel");
    }
    BmpLayout core;
    core.infoSize = 12;
    core.width = 3;
    core.height = 2;
    core.bpp = 16;
    core.pixelData = std::vector<uint8_t>(16, 0);
    EXPECT_EQ(DecodeBmp(BuildBmp(core)).bitsPerPixel, 24);  // core header, 16-bit BI_RGB: read as 5-5-5
    // Every row must be there (the last may lack its padding); a huge size in
    // a small file is refused before the pixels are allocated.
    std::vector<uint8_t> cut = Build({32, 0, 40, {}});
    cut.resize(cut.size() - 1);
    ExpectFormatError(cut, "the pixel data is truncated (23 of 24 bytes)");
    std::vector<uint8_t> huge = Build({32, 0, 40, {}});
    WriteLe32(huge.data() + 18, 8192);
    WriteLe32(huge.data() + 22, 8192);
    ExpectFormatError(huge, "the pixel data is truncated (24 of 268435456 bytes)");
}

TEST(BmpDirectColour, ARoomHoldingA16BitPictureOpens)
{
    // The default room with its room picture stored as 16-bit 5-6-5.
    const RoomPictures pictures = DefaultRoomPictures();
    const std::vector<uint8_t> file = WriteRoomFile(std::vector<uint8_t>(kRoomHeaderSize, 0), RoomTexts{}, pictures);
    std::vector<uint8_t> rebuilt(file.begin(), file.begin() + kRoomHeaderSize);
    size_t p = kRoomHeaderSize;
    for (int slot = 0; slot < 40; ++slot) {
        const uint32_t length = ReadLe32(file.data() + p);
        std::vector<uint8_t> bmp(file.begin() + long(p) + 4, file.begin() + long(p) + 4 + length);
        if (slot == 4)
            bmp = Build({16, 3, 124, {0xF800, 0x07E0, 0x001F, 0}}, 320, 240);
        const uint32_t newLength = uint32_t(bmp.size());
        rebuilt.insert(rebuilt.end(), {uint8_t(newLength), uint8_t(newLength >> 8), uint8_t(newLength >> 16),
                                       uint8_t(newLength >> 24)});
        rebuilt.insert(rebuilt.end(), bmp.begin(), bmp.end());
        p += 4 + length;
    }
    rebuilt.resize(std::max(rebuilt.size(), kRoomMinFileSize), 0);
    const Room room = ReadRoomFile(rebuilt);
    EXPECT_EQ(room.pictures[4].bitsPerPixel, 24);
    EXPECT_EQ(room.pictures[4].width, 320);
    EXPECT_TRUE(room.pictures[8].samePicture(pictures[8]));
}
