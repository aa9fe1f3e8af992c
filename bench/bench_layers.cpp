// The whole room as a layered picture: OpenRaster and Aseprite out and in,
// and the share zlib takes of the OpenRaster figures (the PNGs' deflate and
// inflate of the same rows, alone).
#include "bench_rooms.h"

#include "layerfile/layered_file.h"

#include <benchmark/benchmark.h>

#include <zlib.h>

namespace velmora::bench {
namespace {

void Export(benchmark::State& state, LayeredFormat format)
{
    for (auto _ : state) {
        std::vector<uint8_t> bytes = EncodeLayeredFile(DefaultPictures(), format);
        benchmark::DoNotOptimize(bytes.data());
    }
}

void Import(benchmark::State& state, LayeredFormat format)
{
    const std::vector<uint8_t> file = EncodeLayeredFile(DefaultPictures(), format);
    for (auto _ : state) {
        const SceneCut cut = CutScene(DefaultPictures(), DecodeLayeredFile(file), ImportChoices{});
        benchmark::DoNotOptimize(cut.pictures[0].pixels.data());
    }
}

void BM_ExportOra_Default(benchmark::State& state) { Export(state, LayeredFormat::OpenRaster); }
void BM_ImportOra_Default(benchmark::State& state) { Import(state, LayeredFormat::OpenRaster); }
void BM_ExportAse_Default(benchmark::State& state) { Export(state, LayeredFormat::Aseprite); }
void BM_ImportAse_Default(benchmark::State& state) { Import(state, LayeredFormat::Aseprite); }
BENCHMARK(BM_ExportOra_Default);
BENCHMARK(BM_ImportOra_Default);
BENCHMARK(BM_ExportAse_Default);
BENCHMARK(BM_ImportAse_Default);

// The PNG rows of every layer and of the merged image and thumbnail: one
// filter byte a row, then the pixels (RGBA for the layers, RGB for the two
// opaque pictures), as the PNG writer hands them to zlib.
std::vector<std::vector<uint8_t>> PngRows()
{
    std::vector<std::vector<uint8_t>> rows;
    for (const SceneLayer& l : SceneOfRoom(DefaultPictures()).layers) {
        std::vector<uint8_t> r;
        for (int32_t y = 0; y < l.picture.height; ++y) {
            r.push_back(0);
            const auto* from = &l.picture.pixels[size_t(y) * size_t(l.picture.width) * 4];
            r.insert(r.end(), from, from + size_t(l.picture.width) * 4);
        }
        rows.push_back(std::move(r));
    }
    rows.emplace_back(size_t(240) * (1 + 320 * 3), uint8_t{0});
    rows.emplace_back(size_t(192) * (1 + 256 * 3), uint8_t{0});
    return rows;
}

void BM_Zlib_OraDeflate(benchmark::State& state)
{
    const auto rows = PngRows();
    std::vector<uint8_t> out(1 << 20);
    for (auto _ : state)
        for (const auto& r : rows) {
            uLongf size = uLongf(out.size());
            compress2(out.data(), &size, r.data(), uLong(r.size()), Z_DEFAULT_COMPRESSION);
            benchmark::DoNotOptimize(out.data());
        }
}
BENCHMARK(BM_Zlib_OraDeflate);

void BM_Zlib_OraInflate(benchmark::State& state)
{
    std::vector<std::vector<uint8_t>> packed;
    std::vector<size_t> sizes;
    for (const auto& r : PngRows()) {
        uLongf size = compressBound(uLong(r.size()));
        std::vector<uint8_t> p(size);
        compress2(p.data(), &size, r.data(), uLong(r.size()), Z_DEFAULT_COMPRESSION);
        p.resize(size);
        packed.push_back(std::move(p));
        sizes.push_back(r.size());
    }
    std::vector<uint8_t> out(1 << 20);
    for (auto _ : state)
        for (size_t i = 0; i < packed.size(); ++i) {
            uLongf size = uLongf(out.size());
            uncompress(out.data(), &size, packed[i].data(), uLong(packed[i].size()));
            benchmark::DoNotOptimize(out.data());
        }
}
BENCHMARK(BM_Zlib_OraInflate);

}  // namespace
}  // namespace velmora::bench
