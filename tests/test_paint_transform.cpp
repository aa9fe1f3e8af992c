// Transforms of a block and the shade ink's ramps, on small pictures with
// the expected picture written out.
#include "paint_grid.h"

#include "core/image/palette.h"
#include "core/paint/gradient.h"
#include "core/paint/shade_ramps.h"
#include "core/paint/tool_loop.h"
#include "core/paint/transform.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;
using Rows_ = std::vector<std::string>;

TEST(PaintTransform, FlipsAndTurnsMoveEveryPixelAndTheirInversesGiveItBack)
{
    const PaintPicture block = Grid({"ab-",
                                     "cde"});
    EXPECT_EQ(Rows(FlippedHorizontally(block)), (Rows_{"-ba", "edc"}));
    EXPECT_EQ(Rows(FlippedVertically(block)), (Rows_{"cde", "ab-"}));
    EXPECT_EQ(Rows(Turned(block, Turn::Clockwise)), (Rows_{"ca", "db", "e-"}));
    EXPECT_EQ(Rows(Turned(block, Turn::Anticlockwise)), (Rows_{"-e", "bd", "ac"}));
    EXPECT_EQ(Rows(Turned(block, Turn::Half)), (Rows_{"edc", "-ba"}));
    EXPECT_EQ(Turned(Turned(block, Turn::Clockwise), Turn::Anticlockwise), block);
    EXPECT_EQ(FlippedHorizontally(FlippedHorizontally(block)), block);
    EXPECT_EQ(FlippedVertically(FlippedVertically(block)), block);
    EXPECT_EQ(Turned(Turned(block, Turn::Half), Turn::Half), block);
    EXPECT_EQ(Rows(Scaled(Grid({"ab", "-c"}), 2)), (Rows_{"aabb", "aabb", "--cc", "--cc"}));
    EXPECT_THROW(Scaled(block, 0), std::invalid_argument);
}

TEST(PaintTransform, AnOutlineGoesRoundTheOpaquePixelsOutsideThem)
{
    const PaintPicture start = Grid({"-----",
                                     "--a--",
                                     "-----",
                                     "-----"});
    PaintPicture p = start;
    EXPECT_EQ(Outline(p, p.bounds(), 2, false), (PixelRect{1, 0, 3, 3}));
    EXPECT_EQ(Rows(p), (Rows_{"--b--",
                              "-bab-",
                              "--b--",
                              "-----"}));
    p = start;
    Outline(p, {0, 0, 5, 2}, 2, true);  // only inside the area
    EXPECT_EQ(Rows(p), (Rows_{"-bbb-",
                              "-bab-",
                              "-----",
                              "-----"}));
}

TEST(PaintTransform, ShadeStepsOncePerPassAlongTheRamps)
{
    // The cube's red (255, 0, 0) is 0*36 + 5*6 + 5 = 35; lighter (255, 51, 51) is 28, darker (204, 0, 0) 71.
    EXPECT_EQ(LighterSteps()[35], 28);
    EXPECT_EQ(DarkerSteps()[35], 71);
    EXPECT_EQ(LighterSteps()[kWhiteIndex], kWhiteIndex);
    EXPECT_EQ(DarkerSteps()[214], kBlackIndex);
    EXPECT_EQ(DarkerSteps()[216], 217);  // along the red ramp
    EXPECT_EQ(DarkerSteps()[224], 224);  // its end stays
    EXPECT_EQ(LighterSteps()[245], kWhiteIndex);
    EXPECT_EQ(DarkerSteps()[254], kBlackIndex);

    // A stroke that passes a pixel twice shades it once; see-through stays.
    PaintPicture p = Grid({"aa-", "..."});  // 1 = (255, 255, 204)
    ToolLoop loop(p);
    ToolInput input;
    input.parts = ToolParts{Controller::Freehand, Joining::Line, Trace::Accumulate, Figure::None, InkKind::Shade, true};
    input.shadeSteps = &DarkerSteps();
    loop.press(input, {0, 0});
    loop.move({2, 0});
    loop.move({0, 0});
    loop.release();
    EXPECT_EQ(p.at({0, 0}), DarkerSteps()[1]);
    EXPECT_EQ(p.at({1, 0}), DarkerSteps()[1]);
    EXPECT_EQ(p.at({2, 0}), kSeeThrough);
    EXPECT_EQ(p.at({0, 1}), 0);

    // Replace colour paints only over the other button's colour.
    p = Grid({"a.a", "..."});
    input.parts.ink = InkKind::ReplaceColour;
    input.value = 3;
    input.other = 1;
    loop.press(input, {0, 0});
    loop.move({2, 0});
    loop.release();
    EXPECT_EQ(Rows(p), (Rows_{"c.c", "..."}));
}

TEST(PaintTransform, AGradientFillsTheAreaUnderThePressWithAnOrderedDither)
{
    // Along the row the share of b grows in sixteenths: 0, 2, 5, 7, 9, 11, 14, 16;
    // the row's thresholds are 0, 8, 2, 10. The other colour below is not filled.
    PaintPicture p = Grid({"........",
                           "########"});
    EXPECT_EQ(DrawGradient(p, {0, 0}, {7, 0}, 1, 2), (PixelRect{0, 0, 8, 1}));
    EXPECT_EQ(Rows(p), (Rows_{"aababbbb",
                              "########"}));
    // A drag of no length fills with the first colour; one off the picture fills nothing.
    p = Blank(3, 2);
    DrawGradient(p, {1, 1}, {1, 1}, 1, 2);
    EXPECT_EQ(Rows(p), (Rows_{"aaa", "aaa"}));
    EXPECT_TRUE(DrawGradient(p, {-1, 0}, {2, 0}, 3, 4).empty());
}
