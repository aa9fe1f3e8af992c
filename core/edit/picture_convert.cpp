#include "core/edit/picture_convert.h"

#include "core/image/colour_map.h"
#include "core/image/palette.h"
#include "core/room/default_room.h"
#include "core/room/slot_table.h"

#include <stdexcept>
#include <string>

namespace velmora {

namespace {

bool Light(const uint8_t* rgba)
{
    return (299 * rgba[0] + 587 * rgba[1] + 114 * rgba[2]) / 1000 >= 128;
}

// A mask of the slot's default form, white where `white` says.
template <typename WhiteAt>
Bitmap MakeMask(int32_t width, int32_t height, int maskSlot, WhiteAt white)
{
    Bitmap mask = Bitmap::Make(width, height, 1, DefaultMaskColours(maskSlot));
    const uint8_t whiteIndex = WhiteFirstMask(maskSlot) ? 0 : 1;
    for (size_t i = 0; i < mask.pixels.size(); ++i)
        mask.pixels[i] = white(i) ? whiteIndex : static_cast<uint8_t>(1 - whiteIndex);
    return mask;
}

// Whether each pixel of `picture` is white in the room palette: what the
// masked drawing treats as see-through. Empty when the picture cannot tell.
std::vector<bool> WhitePixels(const Bitmap& picture)
{
    if (!HasWholePixels(picture))
        return {};
    std::vector<bool> white(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height));
    IndexMapper toRoom(picture, RoomPalette());
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            white[static_cast<size_t>(y) * picture.width + x] = toRoom.at(x, y) == kWhiteIndex;
    return white;
}

}  // namespace

bool FitsSlot(const RgbaPicture& picture, int slot)
{
    const PartSize size = PartSlotTable::RequiredSize(slot);
    return picture.width == size.width && picture.height == size.height &&
           picture.pixels.size() == static_cast<size_t>(size.width) * static_cast<size_t>(size.height) * 4;
}

SlotConversion ConvertToSlot(const RgbaPicture& picture, int slot, bool alwaysMask)
{
    return ConvertToSlot(picture, slot, ImportChoices{}, alwaysMask);
}

SlotConversion ConvertToSlot(const RgbaPicture& picture, int slot, const ImportChoices& choices, bool alwaysMask)
{
    if (!PartSlotTable::IsValidSlot(slot) || (choices.fit == Fitting::Exact && !FitsSlot(picture, slot)))
        throw std::invalid_argument("the picture does not fit slot " + std::to_string(slot));
    uint8_t threshold = choices.alphaThreshold;
    const RgbaPicture* source = &picture;
    RgbaPicture fitted;
    if (!FitsSlot(picture, slot)) {
        const PartSize size = PartSlotTable::RequiredSize(slot);
        if (threshold == 0) {
            // The picture's alpha is ignored, but what the fitting leaves
            // uncovered stays see-through: fit an opaque copy, then take
            // alpha 0 alone as see-through.
            RgbaPicture opaque = picture;
            for (size_t i = 3; i < opaque.pixels.size(); i += 4)
                opaque.pixels[i] = 255;
            fitted = FitPicture(opaque, size.width, size.height, choices.fit);
            threshold = 1;
        } else {
            fitted = FitPicture(picture, size.width, size.height, choices.fit);
        }
        source = &fitted;
    }
    const uint8_t* rgba = source->pixels.data();
    auto seeThrough = [rgba, threshold](size_t i) { return rgba[4 * i + 3] < threshold; };
    if (PartSlotTable::IsMask(slot)) {
        return {MakeMask(source->width, source->height, slot,
                         [&](size_t i) { return seeThrough(i) || Light(rgba + 4 * i); }),
                std::nullopt};
    }
    SlotConversion out;
    out.picture = Bitmap::Make(source->width, source->height, 8, RoomPaletteVector());
    out.picture.pixels = RoomIndices(*source, choices.dither, threshold);
    bool anySeeThrough = false;
    for (size_t i = 0; i < out.picture.pixels.size() && !anySeeThrough; ++i)
        anySeeThrough = seeThrough(i);
    if (anySeeThrough || alwaysMask)
        out.mask = MakeMask(source->width, source->height, PartSlotTable::MaskOf(slot), seeThrough);
    return out;
}

RgbaPicture BitmapToRgba(const Bitmap& picture)
{
    RgbaPicture out;
    if (!HasWholePixels(picture))
        return out;
    out.width = picture.width;
    out.height = picture.height;
    out.pixels.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 4);
    uint8_t* o = out.pixels.data();
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x, o += 4) {
            const RgbQuad c = picture.colourAt(x, y);
            o[0] = c.red;
            o[1] = c.green;
            o[2] = c.blue;
            o[3] = 255;
        }
    return out;
}

RgbaPicture SlotToRgba(const RoomPictures& pictures, int slot)
{
    if (!PartSlotTable::IsValidSlot(slot))
        throw std::invalid_argument("no slot " + std::to_string(slot));
    const Bitmap& picture = pictures[static_cast<size_t>(slot)];
    if (PartSlotTable::IsMask(slot)) {
        const std::vector<bool> white = WhitePixels(picture);
        RgbaPicture out;
        if (white.empty())
            return out;
        out.width = picture.width;
        out.height = picture.height;
        out.pixels.resize(white.size() * 4);
        for (size_t i = 0; i < white.size(); ++i) {
            const uint8_t v = white[i] ? 255 : 0;
            out.pixels[4 * i] = out.pixels[4 * i + 1] = out.pixels[4 * i + 2] = v;
            out.pixels[4 * i + 3] = 255;
        }
        return out;
    }
    return PartThroughMask(picture, pictures[static_cast<size_t>(PartSlotTable::MaskOf(slot))]);
}

RgbaPicture PartThroughMask(const Bitmap& picture, const Bitmap& mask)
{
    RgbaPicture out = BitmapToRgba(picture);
    if (mask.width != picture.width || mask.height != picture.height)
        return out;
    const std::vector<bool> white = WhitePixels(mask);
    for (size_t i = 0; i < white.size() && 4 * i < out.pixels.size(); ++i)
        if (white[i])
            out.pixels[4 * i + 3] = 0;
    return out;
}

}  // namespace velmora
