// Converting a true-colour picture into a slot.
#include "core/edit/picture_convert.h"
#include "core/room/slot_table.h"

#include <benchmark/benchmark.h>

#include <random>

namespace velmora::bench {
namespace {

// The room picture's size in opaque noise: every pixel a colour of its own,
// the worst case for any colour cache.
RgbaPicture NoiseRoomPicture()
{
    RgbaPicture picture{PartSlotTable::kRoomWidth, PartSlotTable::kRoomHeight, {}};
    picture.pixels.resize(size_t(picture.width) * size_t(picture.height) * 4);
    std::mt19937 random(14);
    for (size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = i % 4 == 3 ? uint8_t{255} : static_cast<uint8_t>(random());
    return picture;
}

void BM_ConvertNoiseToRoomPicture(benchmark::State& state)
{
    const RgbaPicture picture = NoiseRoomPicture();
    for (auto _ : state) {
        SlotConversion out = ConvertToSlot(picture, slot::RoomImage);
        benchmark::DoNotOptimize(out.picture.pixels.data());
    }
}
BENCHMARK(BM_ConvertNoiseToRoomPicture);

}  // namespace
}  // namespace velmora::bench
