// The painter's tools on small pictures, each expected picture written out.
#include "paint_grid.h"

#include "core/paint/fill.h"
#include "core/paint/selection.h"
#include "core/paint/shapes.h"
#include "core/paint/stroke.h"

#include <gtest/gtest.h>

#include <limits>

using namespace velmora;
using namespace velmora::test;

namespace {

using Rows_ = std::vector<std::string>;

// The pencil dragged through `points` in order.
PaintPicture Stroke(PaintPicture p, const std::vector<PixelPoint>& points, PaintValue value, bool pixelPerfect)
{
    PencilStroke stroke(p, value, pixelPerfect);
    for (PixelPoint at : points)
        stroke.to(at);
    return p;
}

}  // namespace

TEST(PaintTools, PencilJoinsItsDabsAndPixelPerfectDropsTheCornersOfLSteps)
{
    // A staircase of single steps, then a jump of the mouse along the bottom row.
    const std::vector<PixelPoint> drag{{0, 0}, {1, 0}, {1, 1}, {2, 1}, {2, 2}, {5, 2}};
    EXPECT_EQ(Rows(Stroke(Blank(6, 3), drag, 1, false)), (Rows_{"aa....",
                                                                ".aa...",
                                                                "..aaaa"}));
    EXPECT_EQ(Rows(Stroke(Blank(6, 3), drag, 1, true)), (Rows_{"a.....",
                                                               ".a....",
                                                               "..aaaa"}));
    // A dropped corner gets back what it had before the stroke, see-through included.
    EXPECT_EQ(Rows(Stroke(Grid({"---", "---"}), {{0, 0}, {1, 0}, {1, 1}}, 2, true)), (Rows_{"b--",
                                                                                            "-b-"}));

    PaintPicture p = Blank(6, 3);
    PencilStroke stroke(p, 1, false);
    EXPECT_EQ(stroke.to({1, 1}), (PixelRect{1, 1, 1, 1}));
    EXPECT_EQ(stroke.to({1, 1}), PixelRect{});  // the same pixel again draws nothing
    EXPECT_EQ(stroke.to({4, 2}), (PixelRect{2, 1, 3, 2}));
    EXPECT_EQ(stroke.drawn(), (PixelRect{1, 1, 4, 2}));
    EXPECT_EQ(stroke.last(), (PixelPoint{4, 2}));
}

TEST(PaintTools, LinesInEveryOctantGiveTheSamePixelsFromEitherEnd)
{
    struct Case {
        PixelPoint a, b;
        Rows_ expected;
    };
    const Case cases[] = {
        {{0, 0}, {4, 2}, {"a....",
                          ".aa..",
                          "...aa"}},
        {{0, 2}, {4, 0}, {"....a",
                          "..aa.",
                          "aa..."}},
        {{0, 0}, {2, 4}, {"a..", ".a.", ".a.", "..a", "..a"}},
        {{2, 0}, {0, 4}, {"..a", "..a", ".a.", ".a.", "a.."}},
    };
    for (const Case& c : cases) {
        const int32_t w = int32_t(c.expected[0].size()), h = int32_t(c.expected.size());
        PaintPicture forward = Blank(w, h), backward = Blank(w, h);
        EXPECT_EQ(DrawLine(forward, c.a, c.b, 1), (PixelRect{0, 0, w, h}));
        DrawLine(backward, c.b, c.a, 1);
        EXPECT_EQ(Rows(forward), c.expected) << c.a.x << "," << c.a.y << " to " << c.b.x << "," << c.b.y;
        EXPECT_EQ(Rows(backward), c.expected) << c.b.x << "," << c.b.y << " to " << c.a.x << "," << c.a.y;
    }
    // The pencil walks a line from its first end.
    EXPECT_EQ(LinePoints({4, 2}, {0, 0}).front(), (PixelPoint{4, 2}));
}

TEST(PaintTools, RectanglesFromAnyCornerClippedAtTheEdge)
{
    PaintPicture p = Blank(5, 4);
    EXPECT_EQ(DrawRectangle(p, {3, 2}, {1, 0}, 1, false), (PixelRect{1, 0, 3, 3}));
    EXPECT_EQ(Rows(p), (Rows_{".aaa.",
                              ".a.a.",
                              ".aaa.",
                              "....."}));
    EXPECT_EQ(DrawRectangle(p, {3, 2}, {9, 9}, 2, true), (PixelRect{3, 2, 2, 2}));
    EXPECT_EQ(Rows(p), (Rows_{".aaa.",
                              ".a.a.",
                              ".aabb",
                              "...bb"}));
}

TEST(PaintTools, EllipsesOutlinedAndFilledAndShiftMakesACircle)
{
    PaintPicture p = Blank(7, 5);
    DrawEllipse(p, {0, 0}, {6, 4}, 1, false);
    EXPECT_EQ(Rows(p), (Rows_{".aaaaa.",
                              "a.....a",
                              "a.....a",
                              "a.....a",
                              ".aaaaa."}));
    // An even box is as symmetric as an odd one.
    p = Blank(4, 4);
    DrawEllipse(p, {3, 3}, {0, 0}, 1, false);
    EXPECT_EQ(Rows(p), (Rows_{".aa.",
                              "a..a",
                              "a..a",
                              ".aa."}));

    const PixelPoint end = ConstrainToSquare({0, 0}, {4, 2});
    EXPECT_EQ(end, (PixelPoint{4, 4}));
    EXPECT_EQ(ConstrainToSquare({4, 4}, {3, 0}), (PixelPoint{0, 0}));
    p = Blank(5, 5);
    EXPECT_EQ(DrawEllipse(p, {0, 0}, end, 1, true), (PixelRect{0, 0, 5, 5}));
    EXPECT_EQ(Rows(p), (Rows_{".aaa.",
                              "aaaaa",
                              "aaaaa",
                              "aaaaa",
                              ".aaa."}));
}

TEST(PaintTools, FloodFillIsFourWayAndStopsAtSeeThrough)
{
    const PaintPicture start = Grid({"..-..",
                                     "..-aa",
                                     "---..",
                                     "a...."});
    PaintPicture p = start;
    EXPECT_EQ(FloodFill(p, {0, 0}, 2), (PixelRect{0, 0, 2, 2}));
    EXPECT_EQ(Rows(p), (Rows_{"bb-..",
                              "bb-aa",
                              "---..",
                              "a...."}));
    p = start;
    FloodFill(p, {2, 1}, 3);  // see-through is a colour of its own
    EXPECT_EQ(Rows(p), (Rows_{"..c..",
                              "..caa",
                              "ccc..",
                              "a...."}));
    p = start;
    EXPECT_EQ(ReplaceEverywhere(p, {4, 3}, 3), (PixelRect{0, 0, 5, 4}));
    EXPECT_EQ(Rows(p), (Rows_{"cc-cc",
                              "cc-aa",
                              "---cc",
                              "acccc"}));
    EXPECT_EQ(FloodFill(p, {0, 0}, 3), PixelRect{});  // already that colour

    // A fill that has to turn back up around walls.
    p = Grid({"a.a.a.",
              "a.a.a.",
              "a...a."});
    FloodFill(p, {1, 0}, 2);
    EXPECT_EQ(Rows(p), (Rows_{"ababa.",
                              "ababa.",
                              "abbba."}));
}

TEST(PaintTools, FloodFillKeepsToSidesAndReachesTheLastColumn)
{
    // Two areas of one colour that meet only at a corner stay apart.
    PaintPicture p = Grid({"..a.",
                           "..a.",
                           "aa..",
                           "aa.."});
    EXPECT_EQ(FloodFill(p, {0, 0}, 2), (PixelRect{0, 0, 2, 2}));
    EXPECT_EQ(Rows(p), (Rows_{"bba.",
                              "bba.",
                              "aa..",
                              "aa.."}));
    // A run up to the right edge, and a run below that lies in the last column alone.
    p = Grid({"a...",
              "aaa.",
              "a..a"});
    EXPECT_EQ(FloodFill(p, {1, 0}, 3), (PixelRect{1, 0, 3, 2}));
    EXPECT_EQ(Rows(p), (Rows_{"accc",
                              "aaac",
                              "a..a"}));
}

TEST(PaintTools, SelectionsMoveAndCopyClippedAtTheEdges)
{
    const PaintPicture start = Grid({"ab..",
                                     "cd..",
                                     "...."});
    PaintPicture p = start;
    EXPECT_EQ(MoveArea(p, {0, 0, 2, 2}, 3, 2, false), (PixelRect{0, 0, 4, 3}));
    EXPECT_EQ(Rows(p), (Rows_{"--..",
                              "--..",
                              "...a"}));
    p = start;
    EXPECT_EQ(MoveArea(p, {0, 0, 2, 2}, -1, 1, true), (PixelRect{0, 1, 1, 2}));
    EXPECT_EQ(Rows(p), (Rows_{"ab..",
                              "bd..",
                              "d..."}));
    // A selection hanging over the edge takes only what lies inside.
    p = start;
    MoveArea(p, {-1, -1, 2, 2}, 1, 1, false);
    EXPECT_EQ(Rows(p), (Rows_{"-b..",
                              "ca..",
                              "...."}));
    // Moved by less than its size, the overlap holds the moved pixels.
    p = start;
    EXPECT_EQ(MoveArea(p, {0, 0, 2, 2}, 1, 1, false), (PixelRect{0, 0, 3, 3}));
    EXPECT_EQ(Rows(p), (Rows_{"--..",
                              "-ab.",
                              ".cd."}));
    p = start;
    EXPECT_EQ(ClearArea(p, {1, 1, 9, 9}), (PixelRect{1, 1, 3, 2}));
    EXPECT_EQ(Rows(p), (Rows_{"ab..",
                              "c---",
                              ".---"}));
}

TEST(PaintTools, ADragRedrawsFromThePictureAtThePress)
{
    PaintPicture p = Grid({"ab..",
                           "....",
                           "...."});
    DragPreview drag(p);
    EXPECT_EQ(drag.update(p, [](PaintPicture& q) { return MoveArea(q, {0, 0, 2, 1}, 1, 1, false); }),
              (PixelRect{0, 0, 3, 2}));
    // The second position replaces the first rather than moving it on.
    EXPECT_EQ(drag.update(p, [](PaintPicture& q) { return MoveArea(q, {0, 0, 2, 1}, 2, 2, false); }),
              (PixelRect{0, 0, 4, 3}));
    EXPECT_EQ(Rows(p), (Rows_{"--..",
                              "....",
                              "..ab"}));
}

TEST(PaintTools, CoordinatesFarOffThePictureDrawNothingThereAndOverflowNothing)
{
    constexpr int32_t kHigh = std::numeric_limits<int32_t>::max(), kLow = std::numeric_limits<int32_t>::min();
    PaintPicture p = Blank(3, 3);
    const PaintPicture start = p;
    EXPECT_TRUE(DrawLine(p, {kLow, kLow}, {kLow, kHigh}, 1).empty());
    EXPECT_TRUE(DrawEllipse(p, {kHigh, kHigh}, {kHigh - 1, kLow}, 1, false).empty());
    EXPECT_TRUE(PencilStroke(p, 1, true).to({kHigh, kLow}).empty());
    EXPECT_TRUE(MoveArea(p, {0, 0, 3, 3}, kHigh, kLow, true).empty());
    EXPECT_TRUE(PlaceBlock(p, start, {kLow, 0}).empty());
    EXPECT_TRUE(ClearArea(p, {kHigh, kHigh, kHigh, kHigh}).empty());
    EXPECT_EQ(p, start);
    EXPECT_EQ(DrawRectangle(p, {kLow, kLow}, {kHigh, kHigh}, 1, true), (PixelRect{0, 0, 3, 3}));
}
