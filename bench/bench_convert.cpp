// Converting a true-colour picture into a slot: plainly, dithered, and
// fitted from another size.
#include "core/edit/picture_convert.h"
#include "core/room/slot_table.h"

#include <benchmark/benchmark.h>

#include <random>

namespace velmora::bench {
namespace {

// Opaque noise: every pixel a colour of its own, the worst case for any
// colour cache, and for dithering as much error as there can be.
RgbaPicture Noise(int32_t width, int32_t height)
{
    RgbaPicture picture{width, height, {}};
    picture.pixels.resize(size_t(picture.width) * size_t(picture.height) * 4);
    std::mt19937 random(14);
    for (size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = i % 4 == 3 ? uint8_t{255} : static_cast<uint8_t>(random());
    return picture;
}

RgbaPicture NoiseRoomPicture()
{
    return Noise(PartSlotTable::kRoomWidth, PartSlotTable::kRoomHeight);
}

void ConvertRepeatedly(benchmark::State& state, const RgbaPicture& picture, const ImportChoices& choices)
{
    for (auto _ : state) {
        SlotConversion out = ConvertToSlot(picture, slot::RoomImage, choices);
        benchmark::DoNotOptimize(out.picture.pixels.data());
    }
}

void BM_ConvertNoiseToRoomPicture(benchmark::State& state)
{
    ConvertRepeatedly(state, NoiseRoomPicture(), {});
}
BENCHMARK(BM_ConvertNoiseToRoomPicture);

void BM_DitherNoise_FS(benchmark::State& state)
{
    ConvertRepeatedly(state, NoiseRoomPicture(), {Fitting::Exact, Dithering::FloydSteinberg});
}
BENCHMARK(BM_DitherNoise_FS);

void BM_DitherNoise_Ordered(benchmark::State& state)
{
    ConvertRepeatedly(state, NoiseRoomPicture(), {Fitting::Exact, Dithering::Ordered});
}
BENCHMARK(BM_DitherNoise_Ordered);

// The import dialog's case, run on every change of a choice: a 640x480
// picture scaled to cover the room picture, then dithered.
void BM_CoverDither640x480_FS(benchmark::State& state)
{
    ConvertRepeatedly(state, Noise(640, 480), {Fitting::Cover, Dithering::FloydSteinberg});
}
BENCHMARK(BM_CoverDither640x480_FS);

}  // namespace
}  // namespace velmora::bench
