// The painter: a dab followed into the composed room, and a flood fill.
#include "bench_rooms.h"

#include "core/paint/fill.h"
#include "core/paint/paint_slots.h"
#include "core/paint/stroke.h"
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

}  // namespace
}  // namespace velmora::bench
