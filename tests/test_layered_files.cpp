// OpenRaster and Aseprite files of a whole room: the files as the drawing
// programs write them (made here, in their shapes), the trip out and back,
// and files from strangers, each refused with one line.
#include "layerfile/ase_file.h"
#include "layerfile/layer_limits.h"
#include "layerfile/layered_file.h"
#include "layerfile/ora_file.h"
#include "layerfile/zip_archive.h"

#include "core/room/default_room.h"
#include "imageio/picture_file.h"

#include "clean_noise_room.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <cstring>

using namespace velmora;

namespace {

RgbaPicture Filled(int32_t w, int32_t h, std::array<uint8_t, 4> px)
{
    RgbaPicture p{w, h, {}};
    for (int i = 0; i < w * h; ++i)
        p.pixels.insert(p.pixels.end(), px.begin(), px.end());
    return p;
}

constexpr std::array<uint8_t, 4> kRed = {255, 0, 0, 255};
constexpr std::array<uint8_t, 4> kClear = {0, 0, 0, 0};

std::vector<uint8_t> Text(const std::string& s)
{
    return std::vector<uint8_t>(s.begin(), s.end());
}

std::vector<uint8_t> Png(const RgbaPicture& p)
{
    return EncodePng(p, PngForm::Rgba);
}

std::vector<uint8_t> Ora(const std::string& stack, std::vector<ZipMember> pictures, bool storeAll = false)
{
    std::vector<ZipMember> m = {{"mimetype", Text("image/openraster"), true}, {"stack.xml", Text(stack), storeAll}};
    for (ZipMember& p : pictures)
        m.push_back(std::move(p));
    return WriteZip(m);
}

// The layer picture at (x, y) on a 320x240 canvas, see-through elsewhere: how
// Krita writes every layer.
RgbaPicture OnCanvas(const RgbaPicture& p, int x, int y)
{
    RgbaPicture c = Filled(320, 240, kClear);
    for (int r = 0; r < p.height; ++r)
        std::memcpy(&c.pixels[(size_t(y + r) * 320 + size_t(x)) * 4], &p.pixels[size_t(r) * size_t(p.width) * 4],
                    size_t(p.width) * 4);
    return c;
}

std::string Refusal(std::span<const uint8_t> bytes)
{
    try {
        DecodeLayeredFile(bytes);
    } catch (const LayeredFileError& e) {
        const std::string what = e.what();
        EXPECT_EQ(what.find('\n'), std::string::npos) << what;
        return what;
    }
    return "(read)";
}

const SceneLayer* Named(const Scene& s, const std::string& name)
{
    for (const SceneLayer& l : s.layers)
        if (l.name == name)
            return &l;
    return nullptr;
}

}  // namespace

TEST(OpenRaster, WrittenAsTheFormatSaysAndReadBack)
{
    const RoomPictures room = DefaultRoomPictures();
    const std::vector<uint8_t> ora = EncodeLayeredFile(room, LayeredFormat::OpenRaster);
    // The mimetype first and stored, its text without a line end, at byte 30 + 8.
    ASSERT_GT(ora.size(), 60u);
    EXPECT_EQ(std::string(ora.begin() + 30, ora.begin() + 38), "mimetype");
    EXPECT_EQ(std::string(ora.begin() + 38, ora.begin() + 54), "image/openraster");
    ZipReader zip(ora, 64);
    for (const char* name : {"stack.xml", "mergedimage.png", "Thumbnails/thumbnail.png"})
        EXPECT_GE(zip.find(name), 0) << name;
    const Result<RgbaPicture> thumb = DecodePicture(zip.read(zip.find("Thumbnails/thumbnail.png"), 1 << 20));
    ASSERT_TRUE(thumb.ok());
    EXPECT_EQ(thumb->width, 256);
    EXPECT_EQ(thumb->height, 192);

    const Scene scene = ReadOra(ora);
    const Scene expected = SceneOfRoom(room);
    ASSERT_EQ(scene.layers.size(), expected.layers.size());
    for (size_t i = 0; i < scene.layers.size(); ++i) {
        EXPECT_EQ(scene.layers[i].name, expected.layers[i].name);
        EXPECT_EQ(scene.layers[i].x, expected.layers[i].x);
        EXPECT_EQ(scene.layers[i].visible, expected.layers[i].visible);
        EXPECT_EQ(scene.layers[i].picture.pixels, expected.layers[i].picture.pixels) << scene.layers[i].name;
    }
}

TEST(OpenRaster, KritaShapeCanvasSizedLayersExtraAttributesAndGroups)
{
    const std::string stack = R"(<?xml version="1.0" encoding="UTF-8"?>
<image w="320" h="240" xres="72" yres="72" version="0.0.1">
 <stack>
  <stack name="Furniture" visibility="visible" opacity="1" composite-op="svg:src-over" x="0" y="0" isolation="isolate">
   <layer name="BedImage" src="data/layer2.png" x="0" y="0" visibility="hidden" opacity="1" composite-op="svg:src-over" selected="true"/>
  </stack>
  <layer name="Sketch" src="data/layer1.png" x="0" y="0" visibility="visible" opacity="0.5" composite-op="svg:multiply"/>
 </stack>
</image>)";
    const RgbaPicture bed = OnCanvas(Filled(2, 2, kRed), 105, 53);
    const Scene s = ReadOra(Ora(stack, {{"data/layer1.png", Png(Filled(320, 240, kClear))},
                                        {"data/layer2.png", Png(bed)}}));
    ASSERT_EQ(s.layers.size(), 2u);
    EXPECT_EQ(s.layers[0].name, "Sketch");  // bottom first
    EXPECT_FALSE(s.layers[0].plain);
    const SceneCut cut = CutScene(DefaultRoomPictures(), s, ImportChoices{});
    ASSERT_EQ(cut.taken.size(), 1u);
    EXPECT_EQ(cut.pictures[slot::BedImage].index(1, 1), NearestRoomIndex(RgbQuad{0, 0, 255, 0}));
    EXPECT_EQ(cut.warnings.size(), 1u);  // Sketch names no part
}

TEST(OpenRaster, GimpShapeCroppedLayersAtOffsetsInNestedStacksStored)
{
    // A stack's offset adds to its layers'; a layer may start off the canvas.
    const std::string stack = R"(<?xml version='1.0' encoding='UTF-8'?>
<image version="0.0.3" w="320" h="240"><stack>
<stack x="100" y="50" name="Group"><layer name=" bedimage" src="data/bed.png" x="4" y="2"/></stack>
<layer name="WinDayImage" src="data/win.png" x="78" y="-1" visibility="visible"/>
</stack></image>)";
    const Scene s = ReadOra(Ora(stack, {{"data/win.png", Png(Filled(3, 3, kRed)), true},
                                        {"data/bed.png", Png(Filled(1, 1, kRed)), true}}, true));
    ASSERT_EQ(s.layers.size(), 2u);
    EXPECT_EQ(s.layers[0].x, 78);
    EXPECT_EQ(s.layers[0].y, -1);
    EXPECT_EQ(s.layers[1].x, 104);
    const SceneCut cut = CutScene(DefaultRoomPictures(), s, ImportChoices{});
    EXPECT_EQ(cut.taken.size(), 2u);
}

TEST(Aseprite, WrittenWithOneFrameRgbaCompressedCelsAndReadBack)
{
    const RoomPictures room = test::CleanNoiseRoom(3);
    const std::vector<uint8_t> ase = EncodeLayeredFile(room, LayeredFormat::Aseprite);
    EXPECT_EQ(ase[4] | ase[5] << 8, 0xA5E0);
    EXPECT_EQ(ase[6], 1);   // one frame
    EXPECT_EQ(ase[12], 32);  // RGBA
    EXPECT_EQ(uint32_t(ase[0] | ase[1] << 8 | ase[2] << 16 | ase[3] << 24), ase.size());
    const Scene scene = DecodeLayeredFile(ase);
    const Scene expected = SceneOfRoom(room);
    ASSERT_EQ(scene.layers.size(), 20u);
    for (size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(scene.layers[i].name, expected.layers[i].name);
        EXPECT_EQ(scene.layers[i].y, expected.layers[i].y);
        EXPECT_EQ(scene.layers[i].visible, expected.layers[i].visible);
        EXPECT_EQ(scene.layers[i].picture.pixels, expected.layers[i].picture.pixels);
    }
}

namespace {

// Aseprite files put together chunk by chunk, as those programs write them.
struct AseBuilder {
    uint16_t depth = 32;
    uint32_t flags = 1;
    uint8_t transparent = 0;
    std::vector<std::vector<uint8_t>> chunks;

    static void U16(std::vector<uint8_t>& b, uint32_t v) { b.push_back(uint8_t(v)), b.push_back(uint8_t(v >> 8)); }
    static void U32(std::vector<uint8_t>& b, uint32_t v) { U16(b, v & 0xFFFF), U16(b, v >> 16); }
    void chunk(uint16_t type, const std::vector<uint8_t>& body)
    {
        std::vector<uint8_t> c;
        U32(c, uint32_t(body.size() + 6));
        U16(c, type);
        c.insert(c.end(), body.begin(), body.end());
        chunks.push_back(c);
    }
    void layer(const std::string& name, uint16_t type, uint16_t level, bool visible, uint8_t opacity = 255)
    {
        std::vector<uint8_t> b;
        U16(b, visible ? 3 : 2), U16(b, type), U16(b, level), U16(b, 0), U16(b, 0), U16(b, 0);
        b.push_back(opacity), b.insert(b.end(), 3, 0);
        U16(b, uint32_t(name.size())), b.insert(b.end(), name.begin(), name.end());
        chunk(0x2004, b);
    }
    void cel(uint16_t layer, int16_t x, int16_t y, uint16_t w, uint16_t h, const std::vector<uint8_t>& pixels,
             bool compressed = true)
    {
        std::vector<uint8_t> b;
        U16(b, layer), U16(b, uint16_t(x)), U16(b, uint16_t(y)), b.push_back(255), U16(b, compressed ? 2 : 0);
        b.insert(b.end(), 7, 0);
        U16(b, w), U16(b, h);
        if (compressed) {
            uLongf size = compressBound(uLong(pixels.size()));
            std::vector<uint8_t> z(size);
            compress(z.data(), &size, pixels.data(), uLong(pixels.size()));
            b.insert(b.end(), z.begin(), z.begin() + long(size));
        } else {
            b.insert(b.end(), pixels.begin(), pixels.end());
        }
        chunk(0x2005, b);
    }
    std::vector<uint8_t> bytes() const
    {
        std::vector<uint8_t> frame;
        size_t size = 16;
        for (const auto& c : chunks)
            size += c.size();
        U32(frame, uint32_t(size)), U16(frame, 0xF1FA), U16(frame, uint32_t(chunks.size())), U16(frame, 100);
        U16(frame, 0), U32(frame, 0);  // the old count only, as older versions write
        for (const auto& c : chunks)
            frame.insert(frame.end(), c.begin(), c.end());
        std::vector<uint8_t> h;
        U32(h, uint32_t(128 + frame.size())), U16(h, 0xA5E0), U16(h, 1), U16(h, 320), U16(h, 240), U16(h, depth);
        U32(h, flags), U16(h, 100), U32(h, 0), U32(h, 0), h.push_back(transparent), h.insert(h.end(), 3, 0);
        U16(h, 0), h.push_back(1), h.push_back(1);
        h.resize(128, 0);
        h.insert(h.end(), frame.begin(), frame.end());
        return h;
    }
};

}  // namespace

TEST(Aseprite, IndexedWithTheOldPaletteGroupsHiddenLayersAndRawCels)
{
    AseBuilder a;
    a.depth = 8;
    a.transparent = 0;
    // The old palette chunk: one packet, entries 0 to 2.
    a.chunk(0x0004, {1, 0, 0, 3, 0, 0, 0, 255, 0, 0, 0, 255, 0});
    a.layer("Furniture", 1, 0, false);  // a hidden group
    a.layer("TableImage", 0, 1, true);
    a.layer("Notes", 0, 0, true, 128);
    a.cel(1, 142, 129, 2, 1, {1, 0});
    a.cel(2, 0, 0, 1, 1, {2}, false);
    const Scene s = DecodeLayeredFile(a.bytes());
    ASSERT_EQ(s.layers.size(), 2u);  // groups walked down to their layers
    const SceneLayer* table = Named(s, "TableImage");
    ASSERT_NE(table, nullptr);
    EXPECT_FALSE(table->visible);  // inside a hidden group
    EXPECT_EQ(table->x, 142);
    EXPECT_EQ(table->picture.pixels, (std::vector<uint8_t>{255, 0, 0, 255, 0, 0, 0, 0}));
    EXPECT_FALSE(Named(s, "Notes")->plain);
    const SceneCut cut = CutScene(DefaultRoomPictures(), s, ImportChoices{});
    EXPECT_EQ(cut.pictures[slot::TableImage].index(0, 0), NearestRoomIndex(RgbQuad{0, 0, 255, 0}));
}

TEST(Aseprite, TheNewPaletteChunkWinsOverTheOld)
{
    AseBuilder a;
    a.depth = 8;
    a.transparent = 9;
    std::vector<uint8_t> palette;
    AseBuilder::U32(palette, 2), AseBuilder::U32(palette, 0), AseBuilder::U32(palette, 1);
    palette.insert(palette.end(), 8, 0);
    palette.insert(palette.end(), {0, 0, 1, 2, 3, 255});
    palette.insert(palette.end(), {1, 0, 0, 255, 0, 255, 4, 0, 'l', 'e', 'a', 'f'});  // a named entry
    a.chunk(0x2019, palette);
    a.chunk(0x0004, {1, 0, 0, 2, 9, 9, 9, 9, 9, 9});
    a.layer("PostImage", 0, 0, true);
    a.cel(0, 15, 159, 2, 1, {0, 1});
    const Scene s = DecodeLayeredFile(a.bytes());
    ASSERT_EQ(s.layers.size(), 1u);
    EXPECT_EQ(s.layers[0].picture.pixels, (std::vector<uint8_t>{1, 2, 3, 255, 0, 255, 0, 255}));
}

TEST(HostileFiles, EachIsRefusedWithOneLineBeforeItsMemoryIsTaken)
{
    const std::string oneLayer = R"(<image w="320" h="240"><stack><layer name="BedImage" src="SRC"/></stack></image>)";
    const auto withSrc = [&](const std::string& src, std::vector<ZipMember> pics) {
        std::string s = oneLayer;
        s.replace(s.find("SRC"), 3, src);
        return Ora(s, std::move(pics));
    };
    const std::vector<uint8_t> png = Png(Filled(1, 1, kRed));

    // A small entry that inflates past the limit: 65 MiB of zeros in 65 KiB.
    {
        const std::vector<uint8_t> zeros(size_t(kLayeredMaxEntryBytes) + 1024 * 1024, 0);
        const std::vector<uint8_t> bomb = withSrc("data/a.png", {{"data/a.png", zeros}});
        EXPECT_LT(bomb.size(), 200000u);
        EXPECT_NE(Refusal(bomb).find("inflates to 68157440 bytes"), std::string::npos) << Refusal(bomb);
    }
    // An entry that claims fewer bytes than it inflates to.
    {
        std::vector<uint8_t> lying = withSrc("data/a.png", {{"data/a.png", std::vector<uint8_t>(100000, 7)}});
        // The inflated size sits at 22 in the local header and at 24 in the central directory's.
        for (size_t i = 0; i + 46 < lying.size(); ++i) {
            const bool local = std::memcmp(&lying[i], "PK\3\4", 4) == 0 &&
                               std::memcmp(&lying[i + 30], "data/a.png", 10) == 0;
            const bool central = std::memcmp(&lying[i], "PK\1\2", 4) == 0 &&
                                 std::memcmp(&lying[i + 46], "data/a.png", 10) == 0;
            if (local || central)
                lying[i + (local ? 22 : 24)] = 0x10, lying[i + (local ? 23 : 25)] = 0,
                                       lying[i + (local ? 24 : 26)] = 0, lying[i + (local ? 25 : 27)] = 0;
        }
        EXPECT_NE(Refusal(lying), "(read)");
    }
    // A PNG header of 30000x30000 in a few bytes.
    {
        std::vector<uint8_t> big = png;
        const uint8_t side[4] = {0, 0, 0x75, 0x30};
        std::memcpy(&big[16], side, 4);
        std::memcpy(&big[20], side, 4);
        const uLong crc = crc32(0, &big[12], 17);
        for (int i = 0; i < 4; ++i)
            big[29 + size_t(i)] = uint8_t(crc >> (24 - 8 * i));
        EXPECT_NE(Refusal(withSrc("data/a.png", {{"data/a.png", big}})).find("30000x30000 is too large"),
                  std::string::npos);
    }
    // Ten thousand layers.
    {
        std::string many = "<image w=\"320\" h=\"240\"><stack>";
        for (int i = 0; i < 10000; ++i)
            many += "<layer name=\"L\" src=\"data/a.png\"/>";
        many += "</stack></image>";
        EXPECT_NE(Refusal(Ora(many, {{"data/a.png", png}})).find("more than 256 layers"), std::string::npos);
    }
    // Entities and a DOCTYPE.
    {
        const std::string laughs = "<?xml version=\"1.0\"?><!DOCTYPE image [<!ENTITY a \"aaaaaaaa\">"
                                   "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]><image w=\"320\" h=\"240\">"
                                   "<stack><layer name=\"&b;\" src=\"data/a.png\"/></stack></image>";
        EXPECT_NE(Refusal(Ora(laughs, {{"data/a.png", png}})).find("DOCTYPE"), std::string::npos);
        const std::string undeclared = "<image w=\"320\" h=\"240\"><stack><layer name=\"&x;\"/></stack></image>";
        EXPECT_NE(Refusal(Ora(undeclared, {})).find("stack.xml"), std::string::npos);
    }
    // A src that climbs out of the archive, or names nothing in it.
    EXPECT_NE(Refusal(withSrc("../a.png", {{"a.png", png}})).find("not a name inside the file"), std::string::npos);
    EXPECT_NE(Refusal(withSrc("data/../../a.png", {{"a.png", png}})).find("not a name inside"), std::string::npos);
    EXPECT_NE(Refusal(withSrc("/etc/a.png", {{"a.png", png}})).find("not a name inside"), std::string::npos);
    EXPECT_NE(Refusal(withSrc("data/b.png", {{"data/a.png", png}})).find("is not in the file"), std::string::npos);
    // A cut archive, and one that is no OpenRaster.
    {
        std::vector<uint8_t> ora = EncodeLayeredFile(DefaultRoomPictures(), LayeredFormat::OpenRaster);
        ora.resize(ora.size() / 2);
        EXPECT_NE(Refusal(ora).find("not a whole zip archive"), std::string::npos) << Refusal(ora);
        EXPECT_NE(Refusal(WriteZip({{"readme.txt", Text("hi")}})).find("no stack.xml"), std::string::npos);
    }
}

TEST(HostileFiles, AsepriteSizesThatLie)
{
    AseBuilder good;
    good.layer("BedImage", 0, 0, true);
    good.cel(0, 105, 53, 2, 2, std::vector<uint8_t>(16, 255));
    const std::vector<uint8_t> file = good.bytes();
    ASSERT_EQ(DecodeLayeredFile(file).layers.size(), 1u);

    std::vector<uint8_t> cut(file.begin(), file.end() - 5);
    EXPECT_NE(Refusal(cut).find("cut short"), std::string::npos);
    // The first chunk claims more than its frame holds.
    std::vector<uint8_t> chunk = file;
    chunk[128 + 16 + 2] = 0x7F;
    EXPECT_NE(Refusal(chunk).find("more than its frame holds"), std::string::npos) << Refusal(chunk);
    // The frame claims more than the file.
    std::vector<uint8_t> frame = file;
    frame[128 + 2] = 0x7F;
    EXPECT_NE(Refusal(frame).find("more than the file holds"), std::string::npos);
    // A cel that claims 30000x30000, and one whose pixels inflate to more than its size.
    AseBuilder huge;
    huge.layer("BedImage", 0, 0, true);
    huge.cel(0, 0, 0, 30000, 30000, std::vector<uint8_t>(64, 0));
    EXPECT_NE(Refusal(huge.bytes()).find("30000x30000 is too large"), std::string::npos);
    AseBuilder more;
    more.layer("BedImage", 0, 0, true);
    more.cel(0, 0, 0, 2, 2, std::vector<uint8_t>(17, 0));
    EXPECT_NE(Refusal(more.bytes()).find("do not give its 16 bytes"), std::string::npos);
    // A cel of a layer that does not exist.
    AseBuilder orphan;
    orphan.cel(3, 0, 0, 1, 1, std::vector<uint8_t>(4, 0));
    EXPECT_NE(Refusal(orphan.bytes()).find("names layer 3 of 0"), std::string::npos);
}
