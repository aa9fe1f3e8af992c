// The data files shipped in the program folder.
#include "core/image/palette.h"
#include "core/room/room_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace velmora;

namespace {

std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(DataFiles, StandardPaletteIsTheRoomPalette)
{
    const std::vector<uint8_t> file = ReadAll(VELMORA_DATA_DIR "/Velmpl.dat");
    const auto palette = RoomPaletteBytes();
    EXPECT_EQ(file, std::vector<uint8_t>(palette.begin(), palette.end()));
}

TEST(DataFiles, HeaderTemplateHasTheHeaderLengthAndEmptyTexts)
{
    const std::vector<uint8_t> file = ReadAll(VELMORA_DATA_DIR "/VelmHead.dat");
    ASSERT_EQ(file.size(), kRoomHeaderSize);
    for (size_t offset : kRoomTextOffsets)
        EXPECT_EQ(file[offset], 0) << offset;
    EXPECT_EQ(std::string(file.begin(), file.begin() + 12), "VELMORA ROOM");
}

TEST(DataFiles, CopiedToTheProgramFolder)
{
    EXPECT_EQ(ReadAll(VELMORA_PROGRAM_DIR "/Velmpl.dat"), ReadAll(VELMORA_DATA_DIR "/Velmpl.dat"));
    EXPECT_EQ(ReadAll(VELMORA_PROGRAM_DIR "/VelmHead.dat"), ReadAll(VELMORA_DATA_DIR "/VelmHead.dat"));
}
