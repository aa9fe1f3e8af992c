// Composing the preview and exporting it.
#include "bench_rooms.h"

#include "core/render/compose.h"
#include "core/render/picture_export.h"
#include "core/render/prepared_room.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

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

// The check dialog's way: the room prepared once, then composed per state.
void BM_ComposeOne(benchmark::State& state)
{
    const PreparedRoom room(DefaultPictures());
    PreviewState s;
    s.lettersAndBubble = true;
    Bitmap out;
    for (auto _ : state) {
        ComposeRoom(room, s, out);
        benchmark::DoNotOptimize(out.pixels.data());
    }
}
BENCHMARK(BM_ComposeOne);

void BM_ComposeAll48States(benchmark::State& state)
{
    const PreparedRoom room(NoisePictures());
    const std::vector<PreviewState> states = AllStates();
    Bitmap out;
    for (auto _ : state)
        for (const PreviewState& s : states) {
            ComposeRoom(room, s, out);
            benchmark::DoNotOptimize(out.pixels.data());
        }
}
BENCHMARK(BM_ComposeAll48States);

// velmora-pac render's way: one state straight from the pictures.
void BM_ComposeOneUnprepared(benchmark::State& state)
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
BENCHMARK(BM_ComposeOneUnprepared);

void BM_PrepareRoom(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(PreparedRoom(NoisePictures()));
}
BENCHMARK(BM_PrepareRoom);

const Bitmap& NoisePreview()
{
    static const Bitmap preview = [] {
        PreviewState s;
        s.lettersAndBubble = true;
        Bitmap out;
        ComposeRoom(NoisePictures(), s, out);
        return out;
    }();
    return preview;
}

void BM_ExportJpegQuality80(benchmark::State& state)
{
    const Bitmap& preview = NoisePreview();
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodePreviewJpeg(preview, 80));
}
BENCHMARK(BM_ExportJpegQuality80);

// The anchor: libjpeg-turbo alone on the same pixels, already RGB, with its
// defaults at quality 80, into memory.
void BM_Anchor_LibjpegQuality80(benchmark::State& state)
{
    const Bitmap& preview = NoisePreview();
    std::vector<uint8_t> rgb;
    for (int y = 0; y < preview.height; ++y)
        for (int x = 0; x < preview.width; ++x) {
            const RgbQuad c = preview.colourAt(x, y);
            rgb.insert(rgb.end(), {c.red, c.green, c.blue});
        }
    for (auto _ : state) {
        jpeg_compress_struct cinfo;
        jpeg_error_mgr err;
        cinfo.err = jpeg_std_error(&err);
        jpeg_create_compress(&cinfo);
        unsigned char* buffer = nullptr;
        unsigned long size = 0;
        jpeg_mem_dest(&cinfo, &buffer, &size);
        cinfo.image_width = JDIMENSION(preview.width);
        cinfo.image_height = JDIMENSION(preview.height);
        cinfo.input_components = 3;
        cinfo.in_color_space = JCS_RGB;
        jpeg_set_defaults(&cinfo);
        jpeg_set_quality(&cinfo, 80, TRUE);
        jpeg_start_compress(&cinfo, TRUE);
        while (cinfo.next_scanline < cinfo.image_height) {
            JSAMPROW row = rgb.data() + size_t(cinfo.next_scanline) * size_t(preview.width) * 3;
            jpeg_write_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_compress(&cinfo);
        jpeg_destroy_compress(&cinfo);
        benchmark::DoNotOptimize(buffer);
        std::free(buffer);
    }
}
BENCHMARK(BM_Anchor_LibjpegQuality80);

}  // namespace
}  // namespace velmora::bench
