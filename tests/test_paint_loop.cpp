// The tool loop on small pictures: any tool row pressed, dragged, released
// or cancelled, with brushes and symmetry, the expected picture written out.
#include "paint_grid.h"

#include "core/paint/tool_loop.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;
using Rows_ = std::vector<std::string>;

namespace {

constexpr ToolParts kPencil{Controller::Freehand, Joining::PixelPerfect, Trace::Accumulate, Figure::None, InkKind::Colour, true};
constexpr ToolParts kRectangle{Controller::TwoPoints, Joining::Line, Trace::Redraw, Figure::Rectangle, InkKind::Colour, true};
constexpr ToolParts kSelect{Controller::Selection, Joining::None, Trace::Redraw, Figure::None, InkKind::Colour, false};

ToolInput With(const ToolParts& parts, PaintValue value, Brush brush = {}, Symmetry symmetry = {})
{
    ToolInput input;
    input.parts = parts;
    input.value = value;
    input.brush = brush;
    input.symmetry = symmetry;
    return input;
}

}  // namespace

TEST(PaintLoop, BrushesStampTheirFootprintAlongThePath)
{
    PaintPicture p = Blank(7, 6);
    ToolLoop loop(p);
    loop.press(With(kPencil, 1, {BrushShape::Round, 5}), {3, 2});
    loop.release();
    EXPECT_EQ(Rows(p), (Rows_{"..aaa..",
                              ".aaaaa.",
                              ".aaaaa.",
                              ".aaaaa.",
                              "..aaa..",
                              "......."}));
    // Round 3 is a cross; square 2 reaches right and down from its point,
    // and a drag sweeps it along.
    p = Blank(7, 6);
    loop.press(With(kPencil, 2, {BrushShape::Round, 3}), {1, 1});
    loop.release();
    loop.press(With(kPencil, 3, {BrushShape::Square, 2}), {3, 4});
    loop.move({5, 4});
    loop.release();
    EXPECT_EQ(Rows(p), (Rows_{".b.....",
                              "bbb....",
                              ".b.....",
                              ".......",
                              "...cccc",
                              "...cccc"}));
}

TEST(PaintLoop, SymmetryMirrorsEveryToolOnceAboutItsAxes)
{
    // About the middle of an odd width the axis runs through column 2.
    PaintPicture p = Blank(5, 3);
    ToolLoop loop(p);
    loop.press(With(kPencil, 1, {}, Symmetry::Centred(true, false, 5, 3)), {0, 0});
    loop.move({1, 1});
    loop.move({2, 2});
    loop.release();
    EXPECT_EQ(Rows(p), (Rows_{"a...a",
                              ".a.a.",
                              "..a.."}));
    // Both axes, one between columns 2 and 3 and rows 1 and 2: four rectangles.
    p = Blank(6, 4);
    Symmetry both{true, true, 5, 3};
    loop.press(With(kRectangle, 2, {}, both), {0, 0});
    loop.move({4, 3});  // drawn anew: only the last rectangle and its mirrors stay
    loop.move({1, 0});
    loop.release();
    EXPECT_EQ(Rows(p), (Rows_{"bb..bb",
                              "......",
                              "......",
                              "bb..bb"}));
}

TEST(PaintLoop, CancelPutsThePictureAndTheSelectionBack)
{
    const PaintPicture start = Grid({"ab..",
                                     "....",
                                     "...."});
    PaintPicture p = start;
    ToolLoop loop(p);
    loop.press(With(kPencil, 3, {BrushShape::Square, 2}), {0, 0});
    loop.move({3, 2});
    EXPECT_EQ(loop.cancel(), (PixelRect{0, 0, 4, 3}));
    EXPECT_EQ(p, start);
    EXPECT_FALSE(loop.active());
    EXPECT_TRUE(loop.move({1, 1}).empty());  // the drag is over

    // A selection dragged away and cancelled is where it was, its pixels too.
    loop.press(With(kSelect, 0), {0, 0});
    loop.move({1, 0});  // selects both ends: columns 0 and 1
    loop.release();
    EXPECT_EQ(loop.selection(), (PixelRect{0, 0, 2, 1}));
    loop.press(With(kSelect, 0), {0, 0});
    loop.move({2, 2});
    EXPECT_EQ(Rows(p), (Rows_{"--..",
                              "....",
                              "..ab"}));
    loop.cancel();
    EXPECT_EQ(p, start);
    EXPECT_EQ(loop.selection(), (PixelRect{0, 0, 2, 1}));
}

TEST(PaintLoop, ShiftClickDrawsALineFromWhereTheLastStrokeEnded)
{
    PaintPicture p = Blank(5, 3);
    ToolLoop loop(p);
    loop.press(With(kPencil, 1), {0, 0});
    loop.release();
    ToolInput shifted = With(kPencil, 2);
    shifted.shift = true;
    loop.press(shifted, {4, 2});
    loop.release();
    EXPECT_EQ(Rows(p), (Rows_{"b....",
                              ".bb..",
                              "...bb"}));
}
