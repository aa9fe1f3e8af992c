// Sequences, frames, the sheet and the three animation encoders, each file
// read back by another reader than our writer: Qt for GIF and the first APNG
// frame, a small chunk reader on zlib for APNG, libwebp's decoder for WebP.
#include "core/image/palette.h"
#include "core/render/prepared_room.h"
#include "core/share/animation.h"
#include "core/share/frames.h"
#include "core/share/png_chunks.h"
#include "core/share/share_states.h"
#include "core/share/sheet.h"
#include "picture_helpers.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>
#include <webp/demux.h>
#include <zlib.h>

#include <cstring>
#include <string>

using namespace velmora;

namespace {

const PreviewState kClosed{};

PreviewState WithDoor(PreviewState s, DoorState d)
{
    s.door = d;
    return s;
}

Bitmap Grid(int width, int height, std::initializer_list<uint8_t> indices)
{
    Bitmap b = Bitmap::Make(width, height, 8, RoomPaletteVector());
    std::copy(indices.begin(), indices.end(), b.pixels.begin());
    return b;
}

// The room's own colour of an index, as a reader gives it back.
QRgb RoomRgb(uint8_t index)
{
    const RgbQuad c = RoomPalette()[index];
    return qRgb(c.red, c.green, c.blue);
}

// Where a decoded picture first differs from the frame, or "" when it does not.
std::string Difference(const QImage& decoded, const Bitmap& frame)
{
    if (decoded.width() != frame.width || decoded.height() != frame.height)
        return "size " + std::to_string(decoded.width()) + "x" + std::to_string(decoded.height());
    const QImage rgb = decoded.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            if ((rgb.pixel(x, y) & 0xFFFFFF) != (RoomRgb(frame.index(x, y)) & 0xFFFFFF))
                return "pixel " + std::to_string(x) + "," + std::to_string(y);
    return "";
}

// Every part in its own colour, with a pattern of others, so that each state
// and each pixel's place shows.
RoomPictures PatternedRoom()
{
    RoomPictures p = test::OpaqueRoom();
    for (int k = 0; k < PartSlotTable::kPartCount; ++k) {
        Bitmap& part = p[size_t(k)];
        for (int y = 0; y < part.height; ++y)
            for (int x = 0; x < part.width; ++x)
                if ((x + 3 * y) % 5 == 0)
                    part.setIndex(x, y, uint8_t(200 + k));
    }
    return p;
}

// The door sequence, as render composes it.
Animation DoorAnimation(int scale, int plays)
{
    const PreparedRoom room(PatternedRoom());
    const Sequence door[] = {Sequence::Door};
    return MakeAnimation(ComposeFrames(room, SequenceStates(door, kClosed, false), scale), 120, 900, plays);
}

QByteArray Bytes(const std::vector<uint8_t>& v)
{
    return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}

uint32_t U32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// An APNG read by its chunks: each CRC checked, frames drawn in turn.
struct ApngRead {
    std::vector<std::string> chunks;
    uint32_t frameCount = 0, plays = 0;
    std::vector<uint32_t> sequence;
    std::vector<int> delaysMs;
    std::vector<PixelRect> areas;
    std::vector<Bitmap> frames;  // each frame as a viewer shows it
    std::string fault;
};

std::vector<uint8_t> Inflate(const std::vector<uint8_t>& in, size_t size)
{
    std::vector<uint8_t> out(size);
    uLongf length = uLongf(size);
    if (uncompress(out.data(), &length, in.data(), uLong(in.size())) != Z_OK || length != size)
        return {};
    return out;
}

ApngRead ReadApng(const std::vector<uint8_t>& file)
{
    ApngRead r;
    size_t at = 8;
    Bitmap canvas;
    PixelRect area;
    int delay = 0;
    std::vector<uint8_t> data;
    auto finishFrame = [&] {
        const std::vector<uint8_t> rows = Inflate(data, size_t(area.height) * (area.width + 1));
        if (rows.empty()) {
            r.fault = "frame data does not inflate";
            return;
        }
        for (int y = 0; y < area.height; ++y)
            std::memcpy(&canvas.pixels[size_t(area.y + y) * canvas.width + area.x],
                        &rows[size_t(y) * (area.width + 1) + 1], size_t(area.width));
        r.frames.push_back(canvas);
        r.delaysMs.push_back(delay);
        r.areas.push_back(area);
        data.clear();
    };
    while (at + 12 <= file.size() && r.fault.empty()) {
        const uint32_t length = U32(&file[at]);
        const std::string type(reinterpret_cast<const char*>(&file[at + 4]), 4);
        const uint8_t* body = &file[at + 8];
        if (crc32(crc32(0, nullptr, 0), &file[at + 4], length + 4) != U32(body + length))
            r.fault = "bad CRC in " + type;
        r.chunks.push_back(type);
        if (type == "IHDR")
            canvas = Bitmap::Make(int32_t(U32(body)), int32_t(U32(body + 4)), 8, RoomPaletteVector());
        else if (type == "acTL") {
            r.frameCount = U32(body);
            r.plays = U32(body + 4);
        } else if (type == "fcTL") {
            if (!data.empty())
                finishFrame();
            r.sequence.push_back(U32(body));
            area = PixelRect{int32_t(U32(body + 12)), int32_t(U32(body + 16)), int32_t(U32(body + 4)),
                             int32_t(U32(body + 8))};
            delay = int(body[20] << 8 | body[21]) * 1000 / int(body[22] << 8 | body[23]);
        } else if (type == "IDAT")
            data.insert(data.end(), body, body + length);
        else if (type == "fdAT") {
            r.sequence.push_back(U32(body));
            data.insert(data.end(), body + 4, body + length);
        } else if (type == "IEND" && !data.empty())
            finishFrame();
        at += 12 + length;
    }
    return r;
}

}  // namespace

TEST(ShareStates, SequencesPlayOneAfterTheOtherFromTheGivenChoices)
{
    PreviewState base;
    base.treasureBoxOpen = true;
    const Sequence doorThenTime[] = {Sequence::Door, Sequence::Time};
    const std::vector<PreviewState> states = SequenceStates(doorThenTime, base, false);
    ASSERT_EQ(states.size(), 5u);
    EXPECT_EQ(states[1], WithDoor(base, DoorState::HalfOpen));
    EXPECT_EQ(states[2], WithDoor(base, DoorState::Open));
    PreviewState night = base;
    night.night = true;
    EXPECT_EQ(states[3], base);  // the time runs with the door as given, not as the door left it
    EXPECT_EQ(states[4], night);

    const Sequence door[] = {Sequence::Door};
    const std::vector<PreviewState> pingpong = SequenceStates(door, kClosed, true);
    ASSERT_EQ(pingpong.size(), 4u);
    EXPECT_EQ(pingpong[3], WithDoor(kClosed, DoorState::HalfOpen));
    const Sequence time[] = {Sequence::Time};
    EXPECT_EQ(SequenceStates(time, kClosed, true).size(), 2u);  // no end repeated
}

TEST(ShareStates, EveryStateInTheSheetsOrder)
{
    const std::vector<PreviewState> states = EveryState();
    ASSERT_EQ(states.size(), size_t(kStateCount));
    EXPECT_EQ(states[0], kClosed);
    EXPECT_EQ(states[1], (PreviewState{false, DoorState::Closed, false, false, true}));  // letters fastest
    EXPECT_EQ(states[2], (PreviewState{false, DoorState::Closed, false, true, false}));
    EXPECT_EQ(states[8], (PreviewState{false, DoorState::HalfOpen, false, false, false}));
    EXPECT_EQ(states[24], (PreviewState{true, DoorState::Closed, false, false, false}));  // time slowest
    EXPECT_EQ(states[47], (PreviewState{true, DoorState::Open, true, true, true}));
}

TEST(ShareFrames, ScalingMakesEveryPixelASquare)
{
    const Bitmap small = Grid(2, 2, {1, 2, 3, 4});
    const Bitmap big = ScaledUp(small, 3);
    const Bitmap expected = Grid(6, 6, {1, 1, 1, 2, 2, 2,  //
                                        1, 1, 1, 2, 2, 2,  //
                                        1, 1, 1, 2, 2, 2,  //
                                        3, 3, 3, 4, 4, 4,  //
                                        3, 3, 3, 4, 4, 4,  //
                                        3, 3, 3, 4, 4, 4});
    EXPECT_EQ(big.pixels, expected.pixels);
    EXPECT_EQ(big.colours, small.colours);
    EXPECT_THROW(ScaledUp(small, 9), std::invalid_argument);
}

TEST(ShareFrames, ChangedRectHoldsEveryDifferenceAndNoMore)
{
    const Bitmap a = Grid(4, 3, {0, 0, 0, 0,  //
                                 0, 0, 0, 0,  //
                                 0, 0, 0, 0});
    const Bitmap b = Grid(4, 3, {0, 0, 0, 0,  //
                                 0, 5, 0, 0,  //
                                 0, 0, 0, 7});
    EXPECT_EQ(ChangedRect(a, b), (PixelRect{1, 1, 3, 2}));
    EXPECT_TRUE(ChangedRect(a, a).empty());
}

TEST(ShareSheet, TilesFollowTheArithmeticOnWhite)
{
    SheetLayout layout;
    layout.columns = 7;
    layout.gap = 5;
    EXPECT_EQ(layout.rows(), 7);
    EXPECT_EQ(layout.width(), 7 * 320 + 8 * 5);
    EXPECT_EQ(layout.height(), 7 * 240 + 8 * 5);
    EXPECT_EQ(layout.tile(9), (PixelRect{5 + 2 * 325, 5 + 245, 320, 240}));

    const RoomPictures pictures = PatternedRoom();
    const PreparedRoom room(pictures);
    layout.scale = 2;
    const Bitmap sheet = ComposeSheet(room, layout);
    ASSERT_EQ(sheet.width, layout.width());
    const std::vector<PreviewState> states = EveryState();
    for (int i : {0, 13, 47}) {
        Bitmap expected;
        ComposeRoom(pictures, states[size_t(i)], expected);
        const PixelRect t = layout.tile(i);
        for (int y = 0; y < t.height; y += 7)
            for (int x = 0; x < t.width; x += 3)
                ASSERT_EQ(sheet.index(t.x + x, t.y + y), expected.index(x / 2, y / 2)) << i << " " << x << "," << y;
    }
    // The gaps, the margins and the unused places of the last row stay white.
    for (int x = 0; x < sheet.width; ++x)
        ASSERT_EQ(sheet.index(x, layout.tile(0).y - 1), kWhiteIndex);
    EXPECT_EQ(sheet.index(layout.tile(47).x + 700, layout.tile(47).y + 10), kWhiteIndex);
}

TEST(ShareGif, FramesDelaysAndLoopsAsQtReadsThem)
{
    for (int scale : {1, 3}) {
        const Animation a = DoorAnimation(scale, 3);
        QByteArray bytes = Bytes(EncodeGif(a));
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer, "gif");
        ASSERT_TRUE(reader.canRead());
        // NETSCAPE2.0 counts the repeats after the first play.
        EXPECT_EQ(reader.loopCount(), 2);
        for (size_t i = 0; i < a.frames.size(); ++i) {
            const QImage frame = reader.read();
            ASSERT_FALSE(frame.isNull()) << reader.errorString().toStdString();
            EXPECT_EQ(Difference(frame, a.frames[i]), "") << "scale " << scale << " frame " << i;
            EXPECT_EQ(reader.nextImageDelay(), i + 1 == a.frames.size() ? 900 : 120);
        }
    }
    // Once: no loop block at all. For ever: a count of 0.
    const std::vector<uint8_t> once = EncodeGif(DoorAnimation(1, 1));
    EXPECT_EQ(Bytes(once).indexOf("NETSCAPE2.0"), -1);
    QByteArray ever = Bytes(EncodeGif(DoorAnimation(1, 0)));
    QBuffer everBuffer(&ever);
    EXPECT_EQ(QImageReader(&everBuffer, "gif").loopCount(), -1);
}

TEST(ShareGif, LaterFramesCoverOnlyTheChangedRectangle)
{
    Bitmap a = Grid(4, 3, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    Bitmap b = a;
    b.setIndex(2, 1, 200);
    const std::vector<uint8_t> gif = EncodeGif(MakeAnimation({a, b, b}, 100, 100, 0));
    // Image descriptors: ',' then left, top, width, height (little-endian).
    std::vector<std::array<int, 4>> places;
    // Each frame's control block (21 F9 04 .. 00) comes right before its descriptor.
    for (size_t i = 0; i + 17 < gif.size(); ++i)
        if (gif[i] == 0x21 && gif[i + 1] == 0xF9 && gif[i + 2] == 4 && gif[i + 7] == 0 && gif[i + 8] == 0x2C) {
            const uint8_t* d = &gif[i + 9];
            places.push_back({d[0] | d[1] << 8, d[2] | d[3] << 8, d[4] | d[5] << 8, d[6] | d[7] << 8});
        }
    ASSERT_EQ(places.size(), 3u);
    EXPECT_EQ(places[0], (std::array<int, 4>{0, 0, 4, 3}));
    EXPECT_EQ(places[1], (std::array<int, 4>{2, 1, 1, 1}));
    EXPECT_EQ(places[2], (std::array<int, 4>{0, 0, 1, 1}));  // nothing changed: one pixel, the same
    QByteArray bytes = Bytes(gif);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    for (const Bitmap* expected : {&a, &b, &b})
        EXPECT_EQ(Difference(reader.read(), *expected), "");
}

TEST(ShareApng, ChunksInOrderFramesAndPlays)
{
    for (int scale : {1, 3}) {
        const Animation a = DoorAnimation(scale, 4);
        const std::vector<uint8_t> file = EncodeApng(a);
        const ApngRead r = ReadApng(file);
        ASSERT_EQ(r.fault, "");
        ASSERT_GE(r.chunks.size(), 4u);
        EXPECT_EQ(r.chunks[0], "IHDR");
        EXPECT_EQ(r.chunks[1], "PLTE");
        EXPECT_EQ(r.chunks[2], "acTL");  // before the first IDAT
        EXPECT_EQ(r.chunks.back(), "IEND");
        EXPECT_EQ(r.frameCount, 3u);
        EXPECT_EQ(r.plays, 4u);
        EXPECT_EQ(r.sequence, (std::vector<uint32_t>{0, 1, 2, 3, 4}));
        EXPECT_EQ(r.delaysMs, (std::vector<int>{120, 120, 900}));
        ASSERT_EQ(r.frames.size(), a.frames.size());
        for (size_t i = 0; i < a.frames.size(); ++i)
            EXPECT_EQ(r.frames[i].pixels, a.frames[i].pixels) << "scale " << scale << " frame " << i;
        EXPECT_LT(r.areas[1].width * r.areas[1].height, a.frames[0].width * a.frames[0].height);
        // A viewer without APNG shows the first frame, in the room's colours.
        QImage still;
        ASSERT_TRUE(still.loadFromData(Bytes(file), "PNG"));
        EXPECT_EQ(Difference(still, a.frames[0]), "");
    }
}

TEST(ShareWebp, LosslessFramesTimesAndLoopAsLibwebpDecodes)
{
    for (int scale : {1, 3}) {
        const Animation a = DoorAnimation(scale, 2);
        const std::vector<uint8_t> file = EncodeWebp(a);
        WebPData data{file.data(), file.size()};
        WebPAnimDecoderOptions options;
        ASSERT_TRUE(WebPAnimDecoderOptionsInit(&options));
        options.color_mode = MODE_RGBA;
        WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
        ASSERT_NE(decoder, nullptr);
        WebPAnimInfo info;
        ASSERT_TRUE(WebPAnimDecoderGetInfo(decoder, &info));
        EXPECT_EQ(info.loop_count, 2u);
        EXPECT_EQ(info.frame_count, 3u);
        std::vector<int> ends;
        for (const Bitmap& expected : a.frames) {
            uint8_t* rgba = nullptr;
            int timestamp = 0;
            ASSERT_TRUE(WebPAnimDecoderGetNext(decoder, &rgba, &timestamp));
            ends.push_back(timestamp);
            const QImage frame(rgba, int(info.canvas_width), int(info.canvas_height), QImage::Format_RGBA8888);
            EXPECT_EQ(Difference(frame, expected), "") << "scale " << scale;
        }
        EXPECT_EQ(ends, (std::vector<int>{120, 240, 1140}));  // the last frame held
        WebPAnimDecoderDelete(decoder);
    }
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
