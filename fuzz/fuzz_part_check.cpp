// The part bitmap check on any bytes: the first byte picks the slot, the rest
// is the file. The check must agree with itself with and without a palette
// file, and a file it lets in decodes (if at all) to the slot's size and depth.
#include "fuzz/fuzz_check.h"
#include "core/image/bmp.h"
#include "core/image/palette.h"
#include "core/room/part_check.h"
#include "core/room/slot_table.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const std::array<uint8_t, 1024> kPalette = RoomPaletteBytes();
    const int slot = data[0] % PartSlotTable::kSlotCount;
    const std::span<const uint8_t> file(data + 1, size - 1);
    const BmpCheckFields f = ReadCheckFields(file);

    const uint64_t tableStart = 14 + uint64_t{f.infoHeaderSize < 40 ? 40 : f.infoHeaderSize};
    FUZZ_CHECK(f.colourTableComplete == (file.size() >= tableStart + 1024));

    const CheckResult without = PartBitmapCheck(f, slot, std::nullopt);
    const CheckResult with = PartBitmapCheck(f, slot, kPalette);
    for (const CheckResult& r : {without, with}) {
        switch (r.outcome) {
        case CheckOutcome::Accepted: FUZZ_CHECK(r.kind == CheckKind::None); break;
        case CheckOutcome::PaletteMissing: FUZZ_CHECK(r.kind == CheckKind::PaletteMissing); break;
        case CheckOutcome::PaletteDiffers: FUZZ_CHECK(r.kind == CheckKind::PaletteDiffers); break;
        case CheckOutcome::Refused:
            FUZZ_CHECK(r.kind == CheckKind::WrongSize || r.kind == CheckKind::CoreHeader ||
                       r.kind == CheckKind::PictureDepth || r.kind == CheckKind::Compressed ||
                       r.kind == CheckKind::MaskDepth);
            break;
        }
        FUZZ_CHECK(CheckKindText(r.kind) != nullptr);
    }
    if (PartSlotTable::IsMask(slot)) {
        FUZZ_CHECK(without == with);  // masks are never compared with a palette
    } else if (with.outcome == CheckOutcome::Refused) {
        FUZZ_CHECK(without == with);
    } else {
        FUZZ_CHECK(without.outcome == CheckOutcome::PaletteMissing);
    }

    if (with.outcome == CheckOutcome::Refused)
        return 0;
    // Let in: a picture the decoder takes has exactly the slot's form.
    Bitmap b;
    try {
        b = DecodeBmp(file);
    } catch (const FormatError&) {
        return 0;
    }
    const PartSize required = PartSlotTable::RequiredSize(slot);
    FUZZ_CHECK(b.width == required.width && b.height == required.height);
    FUZZ_CHECK(b.source.compression == 0 && !b.source.topDown);
    FUZZ_CHECK(b.bitsPerPixel == 8 || (PartSlotTable::IsMask(slot) && b.bitsPerPixel == 1));
    // A table that matched the palette file is the picture's table, unless
    // the colours-used field cuts it short (the decoder honours that field).
    const bool wholeTable = b.source.coloursUsed == 0 || b.source.coloursUsed == 256;
    if (with.outcome == CheckOutcome::Accepted && !PartSlotTable::IsMask(slot) && wholeTable)
        for (size_t i = 0; i < 256; ++i)
            FUZZ_CHECK(b.colours[i] == RoomPalette()[i]);
    return 0;
}
