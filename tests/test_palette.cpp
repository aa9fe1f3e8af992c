#include "core/image/palette.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(RoomPalette, EntriesFollowTheCubeAndRamps)
{
    const auto& p = RoomPalette();
    EXPECT_EQ(p[0], (RgbQuad{255, 255, 255, 0}));
    EXPECT_EQ(p[214], (RgbQuad{51, 0, 0, 0}));  // red 0, green 0, blue 51
    EXPECT_EQ(p[36 * 1 + 6 * 2 + 3], (RgbQuad{102, 153, 204, 0}));
    EXPECT_EQ(p[215], (RgbQuad{0, 0, 238, 0}));
    EXPECT_EQ(p[224], (RgbQuad{0, 0, 17, 0}));
    EXPECT_EQ(p[225], (RgbQuad{0, 238, 0, 0}));
    EXPECT_EQ(p[235], (RgbQuad{238, 0, 0, 0}));
    EXPECT_EQ(p[247], (RgbQuad{187, 187, 187, 0}));
    EXPECT_EQ(p[255], (RgbQuad{0, 0, 0, 0}));
}

TEST(RoomPalette, NearestIndexIsExactForPaletteColours)
{
    const auto& p = RoomPalette();
    for (int i = 1; i < 256; ++i)  // 0 and ramps are distinct colours; white is only 0
        EXPECT_EQ(p[NearestRoomIndex(p[static_cast<size_t>(i)])], p[static_cast<size_t>(i)]) << i;
    EXPECT_EQ(NearestRoomIndex(RgbQuad{250, 250, 250, 0}), 0);
    EXPECT_EQ(NearestRoomIndex(RgbQuad{1, 1, 1, 0}), 255);
}
