#include "layerfile/ase_file.h"

#include "core/image/palette.h"
#include "layerfile/layer_limits.h"
#include "layerfile/png_layer.h"
#include "layerfile/zip_archive.h"

#include <zlib.h>

#include <array>
#include <cstring>

namespace velmora {

namespace {

constexpr uint16_t kFileMagic = 0xA5E0;
constexpr uint16_t kFrameMagic = 0xF1FA;
constexpr uint16_t kOldPalette = 0x0004;
constexpr uint16_t kOldPalette64 = 0x0011;
constexpr uint16_t kLayerChunk = 0x2004;
constexpr uint16_t kCelChunk = 0x2005;
constexpr uint16_t kPaletteChunk = 0x2019;
constexpr size_t kHeaderSize = 128;
constexpr size_t kFrameHeaderSize = 16;
constexpr size_t kChunkHeaderSize = 6;

class Out {
public:
    void u8(uint8_t v) { bytes.push_back(v); }
    void u16(uint32_t v) { u8(uint8_t(v)), u8(uint8_t(v >> 8)); }
    void u32(uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); }
    void zeros(size_t n) { bytes.insert(bytes.end(), n, 0); }
    void text(const std::string& s)
    {
        u16(uint32_t(s.size()));
        bytes.insert(bytes.end(), s.begin(), s.end());
    }
    void put32(size_t at, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            bytes[at + size_t(i)] = uint8_t(v >> (8 * i));
    }
    std::vector<uint8_t> bytes;
};

// A chunk: its size field patched in once its body is written.
template <typename Body>
void Chunk(Out& out, uint16_t type, Body body)
{
    const size_t start = out.bytes.size();
    out.u32(0);
    out.u16(type);
    body();
    out.put32(start, uint32_t(out.bytes.size() - start));
}

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& raw)
{
    uLongf size = compressBound(uLong(raw.size()));
    std::vector<uint8_t> out(size);
    if (compress2(out.data(), &size, raw.data(), uLong(raw.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib could not compress a layer");
    out.resize(size);
    return out;
}

// Reads little-endian fields of a span, refusing any read past its end.
class In {
public:
    In(std::span<const uint8_t> bytes, const char* what) : bytes_(bytes), what_(what) {}
    std::span<const uint8_t> take(size_t n)
    {
        if (n > bytes_.size() - at_)
            throw LayeredFileError(std::string("the ") + what_ + " is cut short");
        const std::span<const uint8_t> s = bytes_.subspan(at_, n);
        at_ += n;
        return s;
    }
    uint8_t u8() { return take(1)[0]; }
    uint16_t u16()
    {
        const auto s = take(2);
        return uint16_t(s[0] | s[1] << 8);
    }
    int16_t s16() { return int16_t(u16()); }
    uint32_t u32()
    {
        const auto s = take(4);
        return uint32_t(s[0]) | uint32_t(s[1]) << 8 | uint32_t(s[2]) << 16 | uint32_t(s[3]) << 24;
    }
    std::string text()
    {
        const auto s = take(u16());
        return std::string(s.begin(), s.end());
    }
    size_t left() const { return bytes_.size() - at_; }

private:
    std::span<const uint8_t> bytes_;
    size_t at_ = 0;
    const char* what_;
};

std::vector<uint8_t> Inflate(std::span<const uint8_t> data, size_t expected)
{
    std::vector<uint8_t> out(expected);
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        throw LayeredFileError("zlib cannot start");
    z.next_in = const_cast<Bytef*>(data.data());
    z.avail_in = uInt(data.size());
    z.next_out = out.data();
    z.avail_out = uInt(expected);
    int status = inflate(&z, Z_FINISH);
    uint8_t spare;
    if (status == Z_BUF_ERROR && z.avail_out == 0) {
        // Full: anything more than the cel's size is a lie.
        z.next_out = &spare;
        z.avail_out = 1;
        status = inflate(&z, Z_FINISH);
        if (z.avail_out == 0)
            status = Z_DATA_ERROR;
    }
    inflateEnd(&z);
    if (status != Z_STREAM_END || z.total_out != expected)
        throw LayeredFileError("a cel's compressed pixels do not give its " + std::to_string(expected) + " bytes");
    return out;
}

struct AseLayer {
    std::string name;
    bool group = false;
    bool image = true;  // an image layer, not a tilemap
    bool visible = true;
    bool plain = true;
    bool background = false;
};

}  // namespace

std::vector<uint8_t> WriteAse(const Scene& scene)
{
    Out out;
    out.zeros(kHeaderSize);
    const size_t frameStart = out.bytes.size();
    out.zeros(kFrameHeaderSize);
    uint32_t chunks = 0;
    // The room palette, so the drawing program offers the room's colours.
    Chunk(out, kPaletteChunk, [&] {
        out.u32(256);
        out.u32(0);
        out.u32(255);
        out.zeros(8);
        for (const RgbQuad& c : RoomPalette()) {
            out.u16(0);
            out.u8(c.red), out.u8(c.green), out.u8(c.blue), out.u8(255);
        }
    });
    ++chunks;
    for (const SceneLayer& l : scene.layers) {
        Chunk(out, kLayerChunk, [&] {
            out.u16(l.visible ? 3 : 2);  // visible, editable
            out.u16(0);                  // an image layer
            out.u16(0);                  // at the top level
            out.u16(0), out.u16(0);
            out.u16(0);                  // normal
            out.u8(255);
            out.zeros(3);
            out.text(l.name);
        });
        ++chunks;
    }
    for (size_t i = 0; i < scene.layers.size(); ++i) {
        const SceneLayer& l = scene.layers[i];
        if (l.picture.width <= 0 || l.picture.height <= 0)
            continue;
        Chunk(out, kCelChunk, [&] {
            out.u16(uint32_t(i));
            out.u16(uint16_t(int16_t(l.x))), out.u16(uint16_t(int16_t(l.y)));
            out.u8(255);
            out.u16(2);  // compressed image
            out.u16(0);  // z-index
            out.zeros(5);
            out.u16(uint32_t(l.picture.width)), out.u16(uint32_t(l.picture.height));
            const std::vector<uint8_t> packed = Deflate(l.picture.pixels);
            out.bytes.insert(out.bytes.end(), packed.begin(), packed.end());
        });
        ++chunks;
    }
    Out header;
    header.u32(uint32_t(out.bytes.size()));
    header.u16(kFileMagic);
    header.u16(1);  // frames
    header.u16(uint32_t(scene.width)), header.u16(uint32_t(scene.height));
    header.u16(32);  // RGBA
    header.u32(1);   // layer opacity is valid
    header.u16(100);
    header.zeros(8);
    header.u8(0);
    header.zeros(3);
    header.u16(256);
    header.u8(1), header.u8(1);
    header.u16(0), header.u16(0), header.u16(16), header.u16(16);
    header.zeros(84);
    std::memcpy(out.bytes.data(), header.bytes.data(), kHeaderSize);
    Out frame;
    frame.u32(uint32_t(out.bytes.size() - frameStart));
    frame.u16(kFrameMagic);
    frame.u16(chunks < 0xFFFF ? chunks : 0xFFFF);
    frame.u16(100);
    frame.zeros(2);
    frame.u32(chunks);
    std::memcpy(out.bytes.data() + frameStart, frame.bytes.data(), kFrameHeaderSize);
    return out.bytes;
}

Scene ReadAse(std::span<const uint8_t> bytes)
{
    In header(bytes, "Aseprite header");
    const uint32_t fileSize = header.u32();
    if (header.u16() != kFileMagic)
        throw LayeredFileError("not an Aseprite file");
    if (fileSize < kHeaderSize + kFrameHeaderSize)
        throw LayeredFileError("the header says the file is " + std::to_string(fileSize) + " bytes, less than a frame");
    if (fileSize > bytes.size())
        throw LayeredFileError("the file is cut short: its header says " + std::to_string(fileSize) + " bytes, " +
                               std::to_string(bytes.size()) + " are there");
    const uint16_t frames = header.u16();
    Scene scene;
    scene.width = header.u16();
    scene.height = header.u16();
    const uint16_t depth = header.u16();
    const uint32_t flags = header.u32();
    header.take(2 + 8);
    const uint8_t transparentIndex = header.u8();
    header.take(kHeaderSize - 29);
    if (frames == 0)
        throw LayeredFileError("the file has no frame");
    if (scene.width == 0 || scene.height == 0 || scene.width > kLayeredMaxSide || scene.height > kLayeredMaxSide)
        throw LayeredFileError("the canvas size " + std::to_string(scene.width) + "x" + std::to_string(scene.height) +
                               " is not one a layered picture may have");
    if (depth != 32 && depth != 16 && depth != 8)
        throw LayeredFileError("the colour depth " + std::to_string(depth) + " is not 32, 16 or 8 bits");
    const size_t pixelBytes = depth / 8;

    In frameIn(bytes.subspan(kHeaderSize, fileSize - kHeaderSize), "first frame");
    const uint32_t frameBytes = frameIn.u32();
    if (frameIn.u16() != kFrameMagic)
        throw LayeredFileError("the first frame has no frame signature");
    if (frameBytes < kFrameHeaderSize || frameBytes - 6 > frameIn.left())
        throw LayeredFileError("the first frame claims " + std::to_string(frameBytes) + " bytes, more than the file holds");
    const uint16_t oldChunks = frameIn.u16();
    frameIn.take(4);
    const uint32_t newChunks = frameIn.u32();
    const uint32_t chunkCount = newChunks != 0 ? newChunks : oldChunks;
    In chunks(bytes.subspan(kHeaderSize + kFrameHeaderSize, frameBytes - kFrameHeaderSize), "first frame");

    std::vector<AseLayer> layers;
    std::vector<bool> groupPlain, groupVisible;
    std::array<RgbQuad, 256> palette{};
    bool newPalette = false;
    int64_t pixels = 0;
    std::vector<int> sceneIndex;  // scene layer of each file layer, -1 for groups
    for (uint32_t c = 0; c < chunkCount; ++c) {
        if (chunks.left() == 0)
            break;  // fewer chunks than counted: the frame's size rules
        const uint32_t size = chunks.u32();
        if (size < kChunkHeaderSize || size - 4 > chunks.left())
            throw LayeredFileError("chunk " + std::to_string(c + 1) + " claims " + std::to_string(size) +
                                   " bytes, more than its frame holds");
        const uint16_t type = chunks.u16();
        In body(chunks.take(size - kChunkHeaderSize), "chunk");
        if (type == kLayerChunk) {
            if (layers.size() >= kLayeredMaxLayers)
                throw LayeredFileError("the file has more than " + std::to_string(kLayeredMaxLayers) + " layers and groups");
            AseLayer l;
            const uint16_t layerFlags = body.u16();
            const uint16_t layerType = body.u16();
            const uint16_t level = body.u16();
            body.take(4);
            const uint16_t blend = body.u16();
            const uint8_t opacity = body.u8();
            body.take(3);
            l.name = OneLine(body.text());
            l.group = layerType == 1;
            l.image = layerType == 0;  // tilemaps carry no pixels read here
            l.background = layerFlags & 8;
            if (level > groupPlain.size() || level >= size_t(kLayeredMaxDepth))
                throw LayeredFileError("layer \"" + l.name + "\" lies deeper than the groups above it");
            groupPlain.resize(level);
            groupVisible.resize(level);
            const bool opacityCounts = l.group ? (flags & 2) : (flags & 1);
            l.plain = (level == 0 || groupPlain[level - 1]) && blend == 0 && (!opacityCounts || opacity == 255);
            l.visible = (level == 0 || groupVisible[level - 1]) && (layerFlags & 1);
            if (l.group) {
                groupPlain.push_back(l.plain);
                groupVisible.push_back(l.visible);
            }
            if (!l.image) {
                sceneIndex.push_back(-1);
            } else {
                sceneIndex.push_back(int(scene.layers.size()));
                SceneLayer s;
                s.name = l.name;
                s.visible = l.visible;
                s.plain = l.plain;
                scene.layers.push_back(std::move(s));
            }
            layers.push_back(std::move(l));
        } else if (type == kPaletteChunk) {
            body.u32();
            const uint32_t first = body.u32(), last = body.u32();
            body.take(8);
            if (first > last || last > 255)
                throw LayeredFileError("the palette chunk names entries " + std::to_string(first) + " to " +
                                       std::to_string(last) + " of 256");
            for (uint32_t i = first; i <= last; ++i) {
                const uint16_t entryFlags = body.u16();
                const auto rgba = body.take(4);
                palette[i] = RgbQuad{rgba[2], rgba[1], rgba[0], rgba[3]};
                if (entryFlags & 1)
                    body.text();
            }
            newPalette = true;
        } else if ((type == kOldPalette || type == kOldPalette64) && !newPalette) {
            const uint16_t packets = body.u16();
            size_t index = 0;
            for (uint16_t p = 0; p < packets; ++p) {
                index += body.u8();
                size_t count = body.u8();
                count = count == 0 ? 256 : count;
                for (size_t i = 0; i < count; ++i, ++index) {
                    const auto rgb = body.take(3);
                    const auto scale = [&](uint8_t v) { return type == kOldPalette ? v : uint8_t(v * 255 / 63); };
                    if (index < 256)
                        palette[index] = RgbQuad{scale(rgb[2]), scale(rgb[1]), scale(rgb[0]), 255};
                }
            }
        } else if (type == kCelChunk) {
            const uint16_t layerIndex = body.u16();
            const int16_t x = body.s16(), y = body.s16();
            const uint8_t opacity = body.u8();
            const uint16_t celType = body.u16();
            body.take(7);
            if (layerIndex >= layers.size())
                throw LayeredFileError("a cel names layer " + std::to_string(layerIndex) + " of " +
                                       std::to_string(layers.size()));
            if ((celType != 0 && celType != 2) || !layers[layerIndex].image || sceneIndex[layerIndex] < 0)
                continue;  // linked cels (none in a first frame) and tilemaps carry no pixels here
            const uint16_t w = body.u16(), h = body.u16();
            CheckLayerSize(w, h, "layer \"" + layers[layerIndex].name + "\"", pixels);
            const size_t raw = size_t(w) * h * pixelBytes;
            std::vector<uint8_t> data;
            if (celType == 0) {
                const auto s = body.take(raw);
                data.assign(s.begin(), s.end());
            } else {
                data = Inflate(body.take(body.left()), raw);
            }
            SceneLayer& s = scene.layers[size_t(sceneIndex[layerIndex])];
            s.x = x;
            s.y = y;
            s.plain = s.plain && opacity == 255;
            s.picture.width = w;
            s.picture.height = h;
            if (depth == 32) {
                s.picture.pixels = std::move(data);
                continue;
            }
            s.picture.pixels.resize(size_t(w) * h * 4);
            for (size_t i = 0; i < size_t(w) * h; ++i) {
                uint8_t* to = &s.picture.pixels[4 * i];
                if (depth == 16) {
                    to[0] = to[1] = to[2] = data[2 * i];
                    to[3] = data[2 * i + 1];
                } else {
                    const RgbQuad c = palette[data[i]];
                    to[0] = c.red, to[1] = c.green, to[2] = c.blue;
                    to[3] = data[i] == transparentIndex && !layers[layerIndex].background ? 0 : 255;
                }
            }
        }
    }
    return scene;
}

}  // namespace velmora
