// Composing the preview and exporting it.
#include "bench_rooms.h"

#include "core/render/compose.h"
#include "core/render/picture_export.h"

#include <benchmark/benchmark.h>

namespace velmora::bench {
namespace {

std::vector<PreviewState> AllStates()
{
    std::vector<PreviewState> states;
    for (bool night : {false, true})
        for (DoorState door : {DoorState::Closed, DoorState::HalfOpen, DoorState::Open})
            for (bool tbox : {false, true})
                for (bool bed : {false, true})
                    for (bool letters : {false, true}) {
                        PreviewState s;
                        s.night = night;
                        s.door = door;
                        s.treasureBoxOpen = tbox;
                        s.bedSleeping = bed;
                        s.lettersAndBubble = letters;
                        states.push_back(s);
                    }
    return states;
}

void BM_ComposeOne(benchmark::State& state)
{
    const RoomPictures& pictures = DefaultPictures();
    PreviewState s;
    s.lettersAndBubble = true;
    Bitmap out;
    for (auto _ : state) {
        ComposeRoom(pictures, s, out);
        benchmark::DoNotOptimize(out.pixels.data());
    }
}
BENCHMARK(BM_ComposeOne);

void BM_ComposeAll48States(benchmark::State& state)
{
    const RoomPictures& pictures = NoisePictures();
    const std::vector<PreviewState> states = AllStates();
    Bitmap out;
    for (auto _ : state)
        for (const PreviewState& s : states) {
            ComposeRoom(pictures, s, out);
            benchmark::DoNotOptimize(out.pixels.data());
        }
}
BENCHMARK(BM_ComposeAll48States);

void BM_ExportJpegQuality80(benchmark::State& state)
{
    PreviewState s;
    s.lettersAndBubble = true;
    Bitmap out;
    ComposeRoom(NoisePictures(), s, out);
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodePreviewJpeg(out, 80));
}
BENCHMARK(BM_ExportJpegQuality80);

}  // namespace
}  // namespace velmora::bench
