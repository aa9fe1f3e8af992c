// Reading, writing and decoding room files, against the floor of copying the
// bytes of one room in memory.
#include "bench_rooms.h"

#include "core/image/bmp.h"
#include "core/room/default_room.h"
#include "core/image/palette.h"
#include "core/room/part_check.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QImage>

#include <cstring>
#include <random>

namespace velmora::bench {

const std::vector<uint8_t>& ZeroTemplate()
{
    static const std::vector<uint8_t> t(kRoomHeaderSize, 0);
    return t;
}

const RoomPictures& DefaultPictures()
{
    static const RoomPictures p = DefaultRoomPictures();
    return p;
}

const RoomPictures& NoisePictures()
{
    static const RoomPictures p = [] {
        RoomPictures pictures = DefaultRoomPictures();
        std::mt19937 rng(20261208);
        for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot) {
            Bitmap& b = pictures[static_cast<size_t>(slot)];
            const uint32_t modulo = 1u << b.bitsPerPixel;
            for (auto& px : b.pixels)
                px = static_cast<uint8_t>(rng() % modulo);
        }
        return pictures;
    }();
    return p;
}

const std::vector<uint8_t>& DefaultRoomBytes()
{
    static const std::vector<uint8_t> b = WriteRoomFile(ZeroTemplate(), RoomTexts{}, DefaultPictures());
    return b;
}

const std::vector<uint8_t>& NoiseRoomBytes()
{
    static const std::vector<uint8_t> b = WriteRoomFile(ZeroTemplate(), RoomTexts{}, NoisePictures());
    return b;
}

namespace {

// The forty BMP files of a room, as they lie in it.
std::vector<std::span<const uint8_t>> RoomBmps(const std::vector<uint8_t>& room)
{
    std::vector<std::span<const uint8_t>> bmps;
    size_t p = kRoomHeaderSize + 4;
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot) {
        const uint32_t length = ReadLe32(room.data() + p + 2);
        bmps.emplace_back(room.data() + p, length);
        p += length + 4;
    }
    return bmps;
}

void BM_Floor_CopyRoomBytes(benchmark::State& state)
{
    const std::vector<uint8_t>& src = DefaultRoomBytes();
    std::vector<uint8_t> dst(src.size());
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), src.size());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
}
BENCHMARK(BM_Floor_CopyRoomBytes);

void BM_ReadRoom_Default(benchmark::State& state)
{
    const std::vector<uint8_t>& bytes = DefaultRoomBytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadRoomFile(bytes));
}
BENCHMARK(BM_ReadRoom_Default);

void BM_ReadRoom_Noise(benchmark::State& state)
{
    const std::vector<uint8_t>& bytes = NoiseRoomBytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadRoomFile(bytes));
}
BENCHMARK(BM_ReadRoom_Noise);

void BM_WriteRoom_Noise(benchmark::State& state)
{
    const RoomPictures& pictures = NoisePictures();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteRoomFile(ZeroTemplate(), RoomTexts{}, pictures));
}
BENCHMARK(BM_WriteRoom_Noise);

void BM_Decode40Bmps_Ours(benchmark::State& state)
{
    const auto bmps = RoomBmps(NoiseRoomBytes());
    for (auto _ : state)
        for (const auto& bmp : bmps)
            benchmark::DoNotOptimize(DecodeBmp(bmp));
}
BENCHMARK(BM_Decode40Bmps_Ours);

void BM_Decode40Bmps_QImage(benchmark::State& state)
{
    const auto bmps = RoomBmps(NoiseRoomBytes());
    for (auto _ : state)
        for (const auto& bmp : bmps) {
            QImage image;
            image.loadFromData(bmp.data(), static_cast<int>(bmp.size()), "BMP");
            benchmark::DoNotOptimize(image);
        }
}
BENCHMARK(BM_Decode40Bmps_QImage);

void BM_PartBitmapCheck(benchmark::State& state)
{
    const std::vector<uint8_t> bmp = EncodeBmp(DefaultPictures()[8], ColoursUsedField::EntriesWritten);
    const std::optional<std::array<uint8_t, 1024>> palette = RoomPaletteBytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(PartBitmapCheck(ReadCheckFields(bmp), 8, palette));
}
BENCHMARK(BM_PartBitmapCheck);

}  // namespace
}  // namespace velmora::bench
