#include "picture_helpers.h"
#include "core/render/compose.h"
#include "core/render/picture_export.h"
#include "core/image/bmp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

using namespace velmora;
using namespace velmora::test;

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The composed picture of a room drawn in many colours.
Bitmap ColourfulPreview()
{
    RoomPictures p = OpaqueRoom();
    Bitmap& room = p[slot::RoomImage];
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            room.setIndex(x, y, uint8_t((x / 4 + y * 3) % 256));
    Bitmap out;
    ComposeRoom(p, PreviewState{false, DoorState::HalfOpen, false, false, true}, out);
    return out;
}

// Width, height and component count from the baseline frame header; zeros
// when there is none.
struct Frame {
    int width = 0, height = 0, components = 0;
};
Frame BaselineFrame(const std::vector<uint8_t>& jpeg)
{
    for (size_t i = 2; i + 9 < jpeg.size();) {
        if (jpeg[i] != 0xFF)
            return {};
        const uint8_t marker = jpeg[i + 1];
        const size_t length = size_t(jpeg[i + 2]) << 8 | jpeg[i + 3];
        if (marker == 0xC0)
            return {jpeg[i + 7] << 8 | jpeg[i + 8], jpeg[i + 5] << 8 | jpeg[i + 6], jpeg[i + 9]};
        if (marker == 0xDA)
            return {};
        i += 2 + length;
    }
    return {};
}

}  // namespace

TEST(PictureExport, JpegEqualsWhatCjpegMakesAtQuality80)
{
    if (std::string(VELMORA_CJPEG).empty())
        GTEST_SKIP() << "cjpeg (libjpeg-turbo-progs) is not installed";
    const fs::path dir = fs::path(VELMORA_TEST_OUTPUT_DIR) / "picture_export";
    fs::create_directories(dir);
    const Bitmap preview = ColourfulPreview();
    {
        std::ofstream ppm(dir / "preview.ppm", std::ios::binary);
        ppm << "P6\n320 240\n255\n";
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) {
                const RgbQuad c = preview.colourAt(x, y);
                ppm.put(char(c.red)).put(char(c.green)).put(char(c.blue));
            }
    }
    const std::string command = std::string("\"") + VELMORA_CJPEG + "\" -quality 80 -outfile \"" +
                                (dir / "cjpeg.jpg").string() + "\" \"" + (dir / "preview.ppm").string() + "\"";
#ifdef _WIN32
    // cmd.exe drops the first and the last quote of a line that starts with one.
    const std::string line = "\"" + command + "\"";
#else
    const std::string& line = command;
#endif
    ASSERT_EQ(std::system(line.c_str()), 0) << line;
    const std::vector<uint8_t> reference = ReadAll(dir / "cjpeg.jpg");
    ASSERT_GT(reference.size(), 1000u);
    EXPECT_TRUE(EncodePreviewJpeg(preview) == reference);
    EXPECT_TRUE(EncodePreviewJpeg(preview, 80) == reference);
    EXPECT_FALSE(EncodePreviewJpeg(preview, 95) == reference);
}

TEST(PictureExport, JpegIsColourEvenForAGreyRoom)
{
    RoomPictures p = OpaqueRoom();
    for (int k = 0; k < PartSlotTable::kPartCount; ++k)
        p[size_t(k)].pixels.assign(p[size_t(k)].pixels.size(), uint8_t(245 + k % 10));
    Bitmap out;
    ComposeRoom(p, PreviewState{}, out);
    const std::vector<uint8_t> jpeg = EncodePreviewJpeg(out);
    ASSERT_GE(jpeg.size(), 4u);
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);
    const Frame f = BaselineFrame(jpeg);
    EXPECT_EQ(f.width, 320);
    EXPECT_EQ(f.height, 240);
    EXPECT_EQ(f.components, 3);
}

TEST(PictureExport, JpegLibraryErrorsBecomeExceptions)
{
    // Wider than libjpeg takes (65,500 pixels).
    const Bitmap tooWide = Filled(65501, 1, 0);
    EXPECT_THROW(EncodePreviewJpeg(tooWide), JpegError);
    EXPECT_THROW(EncodePreviewJpeg(Bitmap{}), JpegError);
    EXPECT_FALSE(EncodePreviewJpeg(Filled(8, 8, 0)).empty());  // still usable afterwards
}

TEST(PictureExport, BmpIsThe77878ByteRoomPalettePicture)
{
    const Bitmap preview = ColourfulPreview();
    const std::vector<uint8_t> bmp = EncodePreviewBmp(preview);
    ASSERT_EQ(bmp.size(), 77878u);
    EXPECT_EQ(ReadLe32(&bmp[10]), 1078u);
    EXPECT_EQ(ReadLe32(&bmp[14]), 40u);
    EXPECT_EQ(ReadLe16(&bmp[28]), 8);
    EXPECT_TRUE(DecodeBmp(bmp).samePicture(preview));
}
