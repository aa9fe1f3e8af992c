#include "core/paint/paint_slots.h"

#include "core/image/colour_map.h"
#include "core/image/palette.h"
#include "core/room/default_room.h"
#include "core/room/slot_table.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <optional>
#include <stdexcept>

namespace velmora {

namespace {

constexpr RgbQuad kPureBlack{0, 0, 0, 0};
constexpr RgbQuad kPureWhite{255, 255, 255, 0};

// The lowest entry of exactly that colour, or -1.
int ExactEntry(const std::vector<RgbQuad>& table, RgbQuad colour)
{
    for (size_t i = 0; i < table.size() && i < 256; ++i)
        if (SameRgb(table[i], colour))
            return int(i);
    return -1;
}

bool IsRoomTable(const std::vector<RgbQuad>& table)
{
    return SameColours(table, RoomPalette());
}

bool HasSize(const Bitmap& b, PartSize size)
{
    return b.width == size.width && b.height == size.height && HasWholePixels(b);
}

// Reads a mask as the masked draw takes it: per table entry once.
class MaskReader {
public:
    explicit MaskReader(const Bitmap& mask) : mask_(mask), whole_(HasWholePixels(mask))
    {
        draws_.fill(true);  // entries beyond the table are black
        for (size_t i = 0; i < mask.colours.size() && i < 256; ++i)
            draws_[i] = RoomColourLookup().nearest(mask.colours[i]) == kBlackIndex;
    }
    bool at(int32_t x, int32_t y) const
    {
        if (!whole_ || x < 0 || y < 0 || x >= mask_.width || y >= mask_.height)
            return false;
        if (mask_.isIndexed())
            return draws_[mask_.index(x, y)];
        return RoomColourLookup().nearest(mask_.colourAt(x, y)) == kBlackIndex;
    }

private:
    const Bitmap& mask_;
    bool whole_;
    std::array<bool, 256> draws_{};
};

// What the pixels of an area will write.
struct Needs {
    bool seeThrough = false;
    bool opaque = false;
    std::bitset<256> colours;
};

Needs NeedsOf(const PaintPicture& picture, const PixelRect& a)
{
    Needs needs;
    for (PixelPoint p{0, a.y}; p.y < a.y + a.height; ++p.y)
        for (p.x = a.x; p.x < a.x + a.width; ++p.x) {
            const PaintValue v = picture.at(p);
            if (v == kSeeThrough) {
                needs.seeThrough = true;
            } else if (v > kSeeThrough) {
                throw std::invalid_argument("a painted pixel is neither a room colour nor see-through");
            } else {
                needs.opaque = true;
                needs.colours.set(v);
            }
        }
    return needs;
}

bool MaskWritable(const Bitmap& mask, PartSize size, const Needs& needs)
{
    return (mask.bitsPerPixel == 1 || mask.bitsPerPixel == 8) && HasSize(mask, size) &&
           (!needs.opaque || ExactEntry(mask.colours, kPureBlack) >= 0) &&
           (!needs.seeThrough || ExactEntry(mask.colours, kPureWhite) >= 0);
}

bool PartWritable(const Bitmap& part, PartSize size, const std::bitset<256>& colours)
{
    if (part.bitsPerPixel != 8 || !HasSize(part, size))
        return false;
    if (IsRoomTable(part.colours))
        return true;
    for (size_t c = 0; c < 256; ++c)
        if (colours.test(c) && ExactEntry(part.colours, RoomPalette()[c]) < 0)
            return false;
    return true;
}

// A part in the standard form: 8-bit in the room palette, black where it had no pixel.
Bitmap PartInSlotForm(const Bitmap& part, PartSize size)
{
    Bitmap out = Bitmap::Make(size.width, size.height, 8, RoomPaletteVector());
    std::fill(out.pixels.begin(), out.pixels.end(), kBlackIndex);
    if (HasWholePixels(part)) {
        IndexMapper room(part, RoomPalette());
        for (int32_t y = 0; y < std::min(size.height, part.height); ++y)
            for (int32_t x = 0; x < std::min(size.width, part.width); ++x)
                out.setIndex(x, y, room.at(x, y));
    }
    return out;
}

// A mask in the standard form: 1-bit in the default room's table, drawing where it drew.
Bitmap MaskInSlotForm(const Bitmap& mask, int maskSlot)
{
    const PartSize size = PartSlotTable::RequiredSize(maskSlot);
    Bitmap out = Bitmap::Make(size.width, size.height, 1, DefaultMaskColours(maskSlot));
    const uint8_t white = WhiteFirstMask(maskSlot) ? 0 : 1;
    const MaskReader reader(mask);
    for (int32_t y = 0; y < size.height; ++y)
        for (int32_t x = 0; x < size.width; ++x)
            out.setIndex(x, y, reader.at(x, y) ? uint8_t(1 - white) : white);
    return out;
}

// Writes pixels of a picture in a writable form and notes whether any byte changed.
class PixelWriter {
public:
    explicit PixelWriter(Bitmap& picture) : picture_(picture)
    {
        entries_.fill(-1);
        identity_ = IsRoomTable(picture.colours);
        for (size_t i = 0; i < 256; ++i)
            roomIndex_[i] = identity_ ? uint8_t(i)
                            : i < picture.colours.size() ? RoomColourLookup().nearest(picture.colours[i])
                                                         : kBlackIndex;
    }
    uint8_t roomIndexAt(int32_t x, int32_t y) const { return roomIndex_[picture_.index(x, y)]; }
    // Sets the pixel to the entry of exactly that colour (which the form check made sure of).
    void setColour(int32_t x, int32_t y, RgbQuad colour, int16_t& cached)
    {
        if (cached < 0)
            cached = int16_t(ExactEntry(picture_.colours, colour));
        setEntry(x, y, uint8_t(cached));
    }
    void setRoomColour(int32_t x, int32_t y, uint8_t index)
    {
        if (identity_)
            setEntry(x, y, index);
        else
            setColour(x, y, RoomPalette()[index], entries_[index]);
    }
    void setEntry(int32_t x, int32_t y, uint8_t entry)
    {
        if (picture_.index(x, y) != entry) {
            picture_.setIndex(x, y, entry);
            changed_ = true;
        }
    }
    bool changed() const { return changed_; }

private:
    Bitmap& picture_;
    bool identity_ = false;
    bool changed_ = false;
    std::array<uint8_t, 256> roomIndex_{};
    std::array<int16_t, 256> entries_{};
};

}  // namespace

bool MaskDrawsAt(const Bitmap& mask, int32_t x, int32_t y)
{
    return MaskReader(mask).at(x, y);
}

PaintPicture ReadPaintPicture(const RoomPictures& pictures, int slot)
{
    const PartSize size = PartSlotTable::RequiredSize(slot);
    PaintPicture out = PaintPicture::Make(size.width, size.height);
    const bool maskSlot = PartSlotTable::IsMask(slot);
    const MaskReader mask(pictures[size_t(maskSlot ? slot : PartSlotTable::DrawMaskOf(slot))]);
    const Bitmap& part = pictures[size_t(slot)];
    if (!maskSlot && !HasWholePixels(part))
        return out;
    const int32_t width = maskSlot ? size.width : std::min(size.width, part.width);
    const int32_t height = maskSlot ? size.height : std::min(size.height, part.height);
    std::optional<IndexMapper> room;
    if (!maskSlot)
        room.emplace(part, RoomPalette());
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            if (mask.at(x, y))
                out.set({x, y}, maskSlot ? kBlackIndex : room->at(x, y));
    return out;
}

PaintWriteBack WritePaintPicture(RoomPictures& pictures, int slot, const PaintPicture& picture, const PixelRect& area)
{
    const PartSize size = PartSlotTable::RequiredSize(slot);
    if (picture.width != size.width || picture.height != size.height ||
        picture.pixels.size() != size_t(size.width) * size_t(size.height))
        throw std::invalid_argument("the painted picture is not of the slot's size");
    const bool maskSlot = PartSlotTable::IsMask(slot);
    const int maskOf = maskSlot ? slot : PartSlotTable::DrawMaskOf(slot);
    std::vector<int> drawnThrough;  // the parts drawn through that mask
    for (int part = 0; part < PartSlotTable::kPartCount; ++part)
        if (PartSlotTable::DrawMaskOf(part) == maskOf)
            drawnThrough.push_back(part);

    PaintWriteBack result;
    PixelRect a = Intersected(area, picture.bounds());
    // Put in the standard form what cannot take the area's pixels; the whole
    // slot is then written, which may ask more of the other pictures.
    for (bool again = true; again && !a.empty();) {
        again = false;
        const Needs needs = NeedsOf(picture, a);
        if (!MaskWritable(pictures[size_t(maskOf)], size, needs)) {
            pictures[size_t(maskOf)] = MaskInSlotForm(pictures[size_t(maskOf)], maskOf);
            result.reformed.push_back(maskOf);
            again = true;
        }
        for (int part : drawnThrough) {
            std::bitset<256> colours = part == slot ? needs.colours : std::bitset<256>{};
            colours.set(kBlackIndex, needs.seeThrough);
            if (colours.any() && !PartWritable(pictures[size_t(part)], size, colours)) {
                pictures[size_t(part)] = PartInSlotForm(pictures[size_t(part)], size);
                result.reformed.push_back(part);
                again = true;
            }
        }
        if (again)
            a = picture.bounds();
    }
    if (a.empty())
        return result;

    const MaskReader maskReader(pictures[size_t(maskOf)]);
    PixelWriter mask(pictures[size_t(maskOf)]);
    int16_t maskBlack = -1, maskWhite = -1;
    std::vector<PixelWriter> parts;
    parts.reserve(drawnThrough.size());
    PixelWriter* own = nullptr;
    for (int part : drawnThrough) {
        parts.emplace_back(pictures[size_t(part)]);
        if (part == slot)
            own = &parts.back();
    }
    PixelRect changed;
    for (PixelPoint p{0, a.y}; p.y < a.y + a.height; ++p.y)
        for (p.x = a.x; p.x < a.x + a.width; ++p.x) {
            const PaintValue v = picture.at(p);
            bool write = false;
            if (v == kSeeThrough) {
                if (maskReader.at(p.x, p.y)) {
                    mask.setColour(p.x, p.y, kPureWhite, maskWhite);
                    write = true;
                }
                for (PixelWriter& part : parts)
                    if (part.roomIndexAt(p.x, p.y) != kBlackIndex) {
                        part.setRoomColour(p.x, p.y, kBlackIndex);
                        write = true;
                    }
            } else {
                if (!maskReader.at(p.x, p.y)) {
                    mask.setColour(p.x, p.y, kPureBlack, maskBlack);
                    write = true;
                }
                if (own && own->roomIndexAt(p.x, p.y) != v) {
                    own->setRoomColour(p.x, p.y, uint8_t(v));
                    write = true;
                }
            }
            if (write)
                changed = United(changed, PixelRect{p.x, p.y, 1, 1});
        }

    if (mask.changed())
        result.changedSlots.push_back(maskOf);
    for (size_t i = 0; i < parts.size(); ++i)
        if (parts[i].changed())
            result.changedSlots.push_back(drawnThrough[i]);
    for (int s : result.reformed)
        result.changedSlots.push_back(s);
    std::sort(result.changedSlots.begin(), result.changedSlots.end());
    result.changedSlots.erase(std::unique(result.changedSlots.begin(), result.changedSlots.end()), result.changedSlots.end());
    result.area = result.reformed.empty() ? changed : picture.bounds();
    return result;
}

}  // namespace velmora
