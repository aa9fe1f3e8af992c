#include "core/image/colour_map.h"
#include "core/image/palette.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

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

// The cell lookup must answer as the full search for any table, also where
// the cells meet (15|16, 31|32, ...) and entries sit on the cell edges.
TEST(NearestColourLookup, AnyTableAgreesWithTheFullSearchAtTheCellEdges)
{
    std::vector<uint8_t> edges;
    for (int k = 0; k < 16; ++k)
        edges.insert(edges.end(), {uint8_t(16 * k), uint8_t(16 * k + 1), uint8_t(16 * k + 14), uint8_t(16 * k + 15)});
    std::mt19937 random(11);
    std::vector<std::vector<RgbQuad>> tables;
    for (const size_t size : {2, 9, 256}) {
        std::vector<RgbQuad> table;
        for (size_t i = 0; i < size; ++i) {
            // Half on a cell edge, half anywhere; a repeated entry now and then.
            const auto pick = [&] { return i % 2 ? uint8_t(random()) : edges[random() % edges.size()]; };
            table.push_back(i % 7 == 6 ? table[i - 1] : RgbQuad{pick(), pick(), pick(), 0});
        }
        tables.push_back(table);
    }
    for (const std::vector<RgbQuad>& table : tables) {
        const NearestColourLookup lookup(table);
        for (const uint8_t r : edges)
            for (const uint8_t g : edges)
                for (const uint8_t b : edges) {
                    const RgbQuad c{b, g, r, 0};
                    ASSERT_EQ(lookup.nearest(c), NearestIndexIn(table, c))
                        << table.size() << " entries: " << int(r) << "," << int(g) << "," << int(b);
                }
    }
}
