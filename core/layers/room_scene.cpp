#include "core/layers/room_scene.h"

#include "core/image/colour_map.h"
#include "core/render/compose.h"
#include "core/render/pixel_rect.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

namespace velmora {

namespace {

// The parts bottom first as the room draws them; WinIOImage, which no state
// draws, lies with the other window views.
constexpr std::array<int, PartSlotTable::kPartCount> kSceneOrder = {
    slot::WinDayImage,      slot::WinNightImage,  slot::WinIOImage,    slot::DoorDayImage,  slot::DoorNightImage,
    slot::RoomImage,        slot::PostImage,      slot::BathImage,     slot::TableImage,    slot::TBoxImage,
    slot::TBoxOpenImage,    slot::BedImage,       slot::BedSleepingImage, slot::DoorCloseImage, slot::DoorHalfImage,
    slot::DoorOpenImage,    slot::Letter1Image,   slot::Letter2Image,  slot::Letter3Image,  slot::BubbleImage,
};

bool DefaultStateShows(int part)
{
    switch (part) {
    case slot::WinDayImage:
    case slot::DoorDayImage:
    case slot::RoomImage:
    case slot::PostImage:
    case slot::BathImage:
    case slot::TableImage:
    case slot::TBoxImage:
    case slot::BedImage:
    case slot::DoorCloseImage:
        return true;
    default:
        return false;
    }
}

// The rectangle a part is drawn in on the canvas (the bubble: 73 columns).
PixelRect PlaceOf(int part)
{
    if (part == slot::RoomImage)
        return PixelRect{0, 0, PartSlotTable::kRoomWidth, PartSlotTable::kRoomHeight};
    const Placement p = PartSlotTable::PlacementOf(part);
    return PixelRect{p.left, p.top, p.right - p.left + 1, p.bottom - p.top + 1};
}

// Columns of a picture sampled to `width` columns as the room samples a part
// drawn narrower than it is; columns past the picture are see-through.
RgbaPicture SqueezeColumns(const RgbaPicture& from, int32_t width, int32_t sourceWidth)
{
    RgbaPicture out;
    out.width = width;
    out.height = from.height;
    out.pixels.assign(size_t(width) * size_t(from.height) * 4, 0);
    for (int32_t x = 0; x < width; ++x) {
        const int32_t sx = SampleCoordinate(x, width, sourceWidth);
        if (sx >= from.width)
            continue;
        for (int32_t y = 0; y < from.height; ++y)
            std::memcpy(&out.pixels[(size_t(y) * size_t(width) + size_t(x)) * 4],
                        &from.pixels[(size_t(y) * size_t(from.width) + size_t(sx)) * 4], 4);
    }
    return out;
}

std::string Trimmed(const std::string& s)
{
    const auto space = [](unsigned char c) { return std::isspace(c) != 0; };
    auto first = std::find_if_not(s.begin(), s.end(), space);
    auto last = std::find_if_not(s.rbegin(), std::string::const_reverse_iterator(first), space).base();
    return std::string(first, last);
}

bool SameLetters(const std::string& a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

Scene SceneOfRoom(const RoomPictures& pictures)
{
    Scene scene;
    for (int part : kSceneOrder) {
        SceneLayer layer;
        layer.name = std::string(PartSlotTable::BoxName(part));
        const PixelRect place = PlaceOf(part);
        layer.x = place.x;
        layer.y = place.y;
        layer.visible = DefaultStateShows(part);
        layer.picture = PartThroughMask(pictures[size_t(part)], pictures[size_t(PartSlotTable::DrawMaskOf(part))]);
        const PartSize size = PartSlotTable::RequiredSize(part);
        if (place.width != size.width)
            layer.picture = SqueezeColumns(layer.picture, place.width, size.width);
        scene.layers.push_back(std::move(layer));
    }
    return scene;
}

RgbaPicture DefaultStatePicture(const RoomPictures& pictures)
{
    Bitmap composed;
    ComposeRoom(pictures, PreviewState{}, composed);
    return BitmapToRgba(composed);
}

RgbaPicture UnsqueezeBubble(const RgbaPicture& drawn)
{
    const int32_t drawnWidth = PlaceOf(slot::BubbleImage).width;
    const int32_t width = PartSlotTable::RequiredSize(slot::BubbleImage).width;
    RgbaPicture out;
    out.width = width;
    out.height = drawn.height;
    out.pixels.assign(size_t(width) * size_t(drawn.height) * 4, 0);
    // The drawn column of each source column, or -1 where the squeeze skips it.
    std::vector<int32_t> drawnColumn(size_t(width), -1);
    for (int32_t x = 0; x < drawnWidth; ++x)
        drawnColumn[size_t(SampleCoordinate(x, drawnWidth, width))] = x;
    for (int32_t y = 0; y < drawn.height; ++y)
        for (int32_t sx = 0; sx < width; ++sx) {
            uint8_t* to = &out.pixels[(size_t(y) * size_t(width) + size_t(sx)) * 4];
            const int32_t dx = drawnColumn[size_t(sx)];
            if (dx >= 0 && dx < drawn.width)
                std::memcpy(to, &drawn.pixels[(size_t(y) * size_t(drawn.width) + size_t(dx)) * 4], 4);
            else if (sx > 0)
                std::memcpy(to, to - 4, 4);
        }
    return out;
}

int PartNamed(const std::string& layerName)
{
    const std::string name = Trimmed(layerName);
    for (int part = 0; part < PartSlotTable::kPartCount; ++part)
        if (SameLetters(name, PartSlotTable::BoxName(part)))
            return part;
    return -1;
}

std::string WarningText(const SceneWarning& w)
{
    const std::string layer = "layer \"" + w.layer + "\"";
    const std::string part = w.part >= 0 ? std::string(PartSlotTable::BoxName(w.part)) : std::string();
    switch (w.kind) {
    case SceneWarning::Kind::NoPart:
        return layer + " names no part: left out";
    case SceneWarning::Kind::NotPlain:
        return layer + " has an opacity below 1 or a blending mode other than normal: taken as normal";
    case SceneWarning::Kind::Outside:
        return layer + ": " + std::to_string(w.count) + " pixels lie outside the place of " + part + " and are left out";
    case SceneWarning::Kind::Covered:
        return layer + " lies under another layer named " + part + ": left out";
    }
    return layer;
}

SceneCut CutScene(const RoomPictures& pictures, const Scene& scene, const ImportChoices& choices)
{
    if (scene.width != PartSlotTable::kRoomWidth || scene.height != PartSlotTable::kRoomHeight)
        throw SceneError("the canvas is " + std::to_string(scene.width) + "x" + std::to_string(scene.height) +
                         "; a room is 320x240");
    SceneCut cut;
    cut.pictures = pictures;
    // The top-most layer of each part wins: it is the one the program shows.
    std::array<int, PartSlotTable::kPartCount> layerOf;
    layerOf.fill(-1);
    for (size_t i = 0; i < scene.layers.size(); ++i) {
        const SceneLayer& layer = scene.layers[i];
        const int part = PartNamed(layer.name);
        if (part < 0) {
            cut.warnings.push_back({SceneWarning::Kind::NoPart, layer.name});
            continue;
        }
        if (layerOf[size_t(part)] >= 0)
            cut.warnings.push_back(
                {SceneWarning::Kind::Covered, scene.layers[size_t(layerOf[size_t(part)])].name, part});
        layerOf[size_t(part)] = int(i);
    }
    const uint8_t threshold = std::max<uint8_t>(choices.alphaThreshold, 1);
    for (size_t i = 0; i < scene.layers.size(); ++i) {
        const SceneLayer& layer = scene.layers[i];
        const int part = PartNamed(layer.name);
        if (part < 0 || layerOf[size_t(part)] != int(i))
            continue;
        if (!layer.plain)
            cut.warnings.push_back({SceneWarning::Kind::NotPlain, layer.name, part});
        const PixelRect place = PlaceOf(part);
        RgbaPicture piece;
        piece.width = place.width;
        piece.height = place.height;
        piece.pixels.assign(size_t(place.width) * size_t(place.height) * 4, 0);
        int64_t outside = 0;
        const RgbaPicture& p = layer.picture;
        for (int32_t y = 0; y < p.height; ++y)
            for (int32_t x = 0; x < p.width; ++x) {
                const uint8_t* from = &p.pixels[(size_t(y) * size_t(p.width) + size_t(x)) * 4];
                const int64_t cx = int64_t{layer.x} + x - place.x, cy = int64_t{layer.y} + y - place.y;
                if (cx < 0 || cy < 0 || cx >= place.width || cy >= place.height) {
                    outside += from[3] >= threshold;
                    continue;
                }
                uint8_t* to = &piece.pixels[(size_t(cy) * size_t(place.width) + size_t(cx)) * 4];
                std::memcpy(to, from, 4);
                // Threshold 0 draws every pixel of the layer; what it does not cover stays see-through.
                if (choices.alphaThreshold == 0)
                    to[3] = 255;
            }
        if (outside > 0)
            cut.warnings.push_back({SceneWarning::Kind::Outside, layer.name, part, outside});
        if (part == slot::BubbleImage)
            piece = UnsqueezeBubble(piece);
        ImportChoices taken = choices;
        taken.fit = Fitting::Exact;
        taken.alphaThreshold = threshold;
        SlotConversion converted = ConvertToSlot(piece, part, taken, true);
        cut.pictures[size_t(part)] = std::move(converted.picture);
        cut.pictures[size_t(PartSlotTable::MaskOf(part))] = std::move(*converted.mask);
        cut.taken.push_back({layer.name, part});
    }
    for (int part = 0; part < PartSlotTable::kPartCount; ++part)
        if (layerOf[size_t(part)] >= 0)
            cut.changedSlots.push_back(part);
    for (int part = 0; part < PartSlotTable::kPartCount; ++part)
        if (layerOf[size_t(part)] >= 0)
            cut.changedSlots.push_back(PartSlotTable::MaskOf(part));
    return cut;
}

}  // namespace velmora
