// Animations and the sheet: composing the frames and encoding them, from a
// prepared room as the dialog and velmora-pac have it. The room is the noise
// room: every picture noise, the hardest case for each encoder.
#include "bench_rooms.h"

#include "core/render/prepared_room.h"
#include "core/share/animation.h"
#include "core/share/frames.h"
#include "core/share/png_chunks.h"
#include "core/share/share_states.h"
#include "core/share/sheet.h"

#include <benchmark/benchmark.h>

namespace velmora::bench {

namespace {

const PreparedRoom& Room()
{
    static const PreparedRoom room(NoisePictures());
    return room;
}

template <std::vector<uint8_t> (*Encode)(const Animation&)>
void DoorAnimation(benchmark::State& state, int scale)
{
    const Sequence door[] = {Sequence::Door};
    const std::vector<PreviewState> states = SequenceStates(door, PreviewState{}, false);
    for (auto _ : state) {
        const Animation a = MakeAnimation(ComposeFrames(Room(), states, scale), 500, 500, 0);
        benchmark::DoNotOptimize(Encode(a));
    }
}

void BM_AnimateDoorGif_Scale1(benchmark::State& state) { DoorAnimation<EncodeGif>(state, 1); }
void BM_AnimateDoorGif_Scale4(benchmark::State& state) { DoorAnimation<EncodeGif>(state, 4); }
void BM_AnimateDoorApng_Scale1(benchmark::State& state) { DoorAnimation<EncodeApng>(state, 1); }
void BM_AnimateDoorWebp_Scale1(benchmark::State& state) { DoorAnimation<EncodeWebp>(state, 1); }
BENCHMARK(BM_AnimateDoorGif_Scale1);
BENCHMARK(BM_AnimateDoorGif_Scale4);
BENCHMARK(BM_AnimateDoorApng_Scale1);
BENCHMARK(BM_AnimateDoorWebp_Scale1);

void BM_Sheet48_Scale1(benchmark::State& state)
{
    const SheetLayout layout;
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeIndexedPng(ComposeSheet(Room(), layout)));
}
BENCHMARK(BM_Sheet48_Scale1);

}  // namespace

}  // namespace velmora::bench
