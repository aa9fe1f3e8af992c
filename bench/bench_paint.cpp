// The painter: a dab followed into the composed room, and a flood fill.
#include "bench_rooms.h"

#include "core/paint/fill.h"
#include "core/paint/gradient.h"
#include "core/paint/paint_slots.h"
#include "core/paint/shade_ramps.h"
#include "core/paint/stroke.h"
#include "core/paint/tool_loop.h"
#include "core/paint/transform.h"
#include "core/render/prepared_room.h"

#include <benchmark/benchmark.h>

namespace velmora::bench {
namespace {

// One pencil dab on the room picture, written back into its slots, the
// prepared room updated for what changed, and the room composed: what a
// brush stroke costs per mouse move before anything is drawn on screen.
void BM_PaintDabToComposedRoom(benchmark::State& state)
{
    RoomPictures room = DefaultPictures();
    PaintPicture picture = ReadPaintPicture(room, slot::RoomImage);
    PreparedRoom prepared(room);
    PreviewState look;
    look.lettersAndBubble = true;
    Bitmap out;
    int i = 0;
    for (auto _ : state) {
        // A new colour at a new place each time, so that every dab changes the room.
        const PixelPoint at{40 + i % 240, 20 + i / 240 % 200};
        const PaintValue colour = PaintValue(1 + i % 200);
        ++i;
        PencilStroke stroke(picture, colour, false);
        const PixelRect dab = stroke.to(at);
        const PaintWriteBack changed = WritePaintPicture(room, slot::RoomImage, picture, dab);
        for (int s : changed.changedSlots)
            prepared.slotChanged(room, s, changed.area);
        prepared.compose(look, out);
        benchmark::DoNotOptimize(out.pixels.data());
    }
}
BENCHMARK(BM_PaintDabToComposedRoom);

// The whole of a 320x240 picture of one colour filled with another, back and forth.
void BM_FloodFill320x240(benchmark::State& state)
{
    PaintPicture picture = PaintPicture::Make(320, 240, 0);
    PaintValue colour = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FloodFill(picture, {160, 120}, colour));
        colour = colour == 1 ? 2 : 1;
    }
}
BENCHMARK(BM_FloodFill320x240);

// A dab of a 16-pixel round brush mirrored on both axes (four dabs) through
// the tool loop, written back and the room composed: a brush stroke's cost
// per mouse move of one pixel.
void BM_RoundDab16BothAxesToComposedRoom(benchmark::State& state)
{
    RoomPictures room = DefaultPictures();
    PaintPicture picture = ReadPaintPicture(room, slot::RoomImage);
    PreparedRoom prepared(room);
    PreviewState look;
    Bitmap out;
    ToolLoop loop(picture);
    ToolInput input;
    input.parts = ToolParts{Controller::Freehand, Joining::Line, Trace::Accumulate, Figure::None, InkKind::Colour, true};
    input.brush = Brush{BrushShape::Round, 16};
    input.symmetry = Symmetry::Centred(true, true, picture.width, picture.height);
    // A stroke moving one pixel at a time, a new stroke in a new colour every 100 moves.
    int i = 0;
    for (auto _ : state) {
        const PixelPoint at{30 + i % 100, 30 + i / 100 % 60};
        PixelRect area;
        if (i % 100 == 0) {
            loop.release();
            input.value = PaintValue(1 + i / 100 % 200);
            area = loop.press(input, at);
        } else {
            area = loop.move(at);
        }
        ++i;
        // The four dabs lie apart: each mirror's own square is written back.
        for (Mirror m : MirrorsOf(input.symmetry)) {
            const PixelPoint c = Mirrored(input.symmetry, m, at);
            const PaintWriteBack changed =
                WritePaintPicture(room, slot::RoomImage, picture, Intersected(area, PixelRect{c.x - 8, c.y - 8, 18, 18}));
            for (int s : changed.changedSlots)
                prepared.slotChanged(room, s, changed.area);
        }
        prepared.compose(look, out);
        benchmark::DoNotOptimize(out.pixels.data());
    }
}
BENCHMARK(BM_RoundDab16BothAxesToComposedRoom);

// One pass of the shade ink over the whole of a 96x76 part: a 16-pixel
// square brush swept row band by row band.
void BM_ShadeInk96x76(benchmark::State& state)
{
    PaintPicture picture = PaintPicture::Make(96, 76, 40);
    ToolLoop loop(picture);
    ToolInput input;
    input.parts = ToolParts{Controller::Freehand, Joining::Line, Trace::Accumulate, Figure::None, InkKind::Shade, true};
    input.brush = Brush{BrushShape::Square, 16};
    input.shadeSteps = &DarkerSteps();
    for (auto _ : state) {
        loop.press(input, {7, 7});
        for (int32_t y = 7; y < 76 + 8; y += 16) {
            loop.move({7, y});
            loop.move({88, y});
        }
        loop.release();
        benchmark::DoNotOptimize(picture.pixels.data());
    }
}
BENCHMARK(BM_ShadeInk96x76);

// A dithered gradient over the whole of a 320x240 picture of one colour.
void BM_GradientFill320x240(benchmark::State& state)
{
    PaintPicture picture = PaintPicture::Make(320, 240, 0);
    const PaintPicture blank = picture;
    for (auto _ : state) {
        picture.pixels = blank.pixels;
        benchmark::DoNotOptimize(DrawGradient(picture, {10, 10}, {300, 200}, 1, 2));
    }
}
BENCHMARK(BM_GradientFill320x240);

// A quarter turn of a 320x240 selection.
void BM_Rotate90Selection320x240(benchmark::State& state)
{
    PaintPicture block = PaintPicture::Make(320, 240, 0);
    for (size_t i = 0; i < block.pixels.size(); ++i)
        block.pixels[i] = PaintValue(i % 251);
    for (auto _ : state)
        benchmark::DoNotOptimize(Turned(block, Turn::Clockwise).pixels.data());
}
BENCHMARK(BM_Rotate90Selection320x240);

}  // namespace
}  // namespace velmora::bench
