#include "core/room/part_check.h"

#include "core/image/bmp.h"
#include "core/room/slot_table.h"

#include <algorithm>

namespace velmora {

BmpCheckFields ReadCheckFields(std::span<const uint8_t> fileStart)
{
    // Missing bytes read as 0, so a short file fails the size test first.
    std::array<uint8_t, 54> head{};
    std::copy_n(fileStart.begin(), std::min(fileStart.size(), head.size()), head.begin());
    BmpCheckFields f;
    f.infoHeaderSize = ReadLe32(&head[14]);
    f.width = static_cast<int32_t>(ReadLe32(&head[18]));
    f.height = static_cast<int32_t>(ReadLe32(&head[22]));
    f.bitsPerPixel = ReadLe16(&head[28]);
    f.compression = ReadLe32(&head[30]);
    // The colour table follows the information header, whatever its length
    // (54 for the common 40-byte header, later for V4 and V5 headers).
    const uint64_t tableStart = 14 + uint64_t{f.infoHeaderSize < 40 ? 40 : f.infoHeaderSize};
    if (tableStart <= fileStart.size()) {
        const size_t available = std::min<uint64_t>(1024, fileStart.size() - tableStart);
        std::copy_n(fileStart.begin() + static_cast<ptrdiff_t>(tableStart), available, f.colourTable.begin());
        f.colourTableComplete = available == 1024;
    }
    return f;
}

CheckResult PartBitmapCheck(const BmpCheckFields& f, int slot,
                            const std::optional<std::array<uint8_t, 1024>>& standardPalette)
{
    const PartSize required = PartSlotTable::RequiredSize(slot);
    if (f.width != required.width || f.height != required.height)
        return {CheckOutcome::Refused, CheckKind::WrongSize};
    if (f.infoHeaderSize == 12)
        return {CheckOutcome::Refused, CheckKind::CoreHeader};
    if (!PartSlotTable::IsMask(slot)) {
        if (f.bitsPerPixel != 8)
            return {CheckOutcome::Refused, CheckKind::PictureDepth};
        if (f.compression != 0)
            return {CheckOutcome::Refused, CheckKind::Compressed};
        if (!standardPalette)
            return {CheckOutcome::PaletteMissing, CheckKind::PaletteMissing};
        if (!f.colourTableComplete || f.colourTable != *standardPalette)
            return {CheckOutcome::PaletteDiffers, CheckKind::PaletteDiffers};
        return {CheckOutcome::Accepted, CheckKind::None};
    }
    if (f.bitsPerPixel != 1 && f.bitsPerPixel != 8)
        return {CheckOutcome::Refused, CheckKind::MaskDepth};
    if (f.compression != 0)
        return {CheckOutcome::Refused, CheckKind::Compressed};
    return {CheckOutcome::Accepted, CheckKind::None};
}

const char* CheckKindText(CheckKind kind)
{
    switch (kind) {
    case CheckKind::None: return "accepted";
    case CheckKind::WrongSize: return "the picture's width or height differs from the slot's size";
    case CheckKind::CoreHeader: return "the picture has a 12-byte (OS/2 core) information header";
    case CheckKind::PictureDepth: return "a part picture must have 8 bits per pixel";
    case CheckKind::Compressed: return "the picture is compressed";
    case CheckKind::MaskDepth: return "a mask must have 1 or 8 bits per pixel";
    case CheckKind::PaletteMissing: return "the standard palette file cannot be opened";
    case CheckKind::PaletteDiffers: return "the picture's colour table differs from the standard palette";
    }
    return "unknown reason";
}

}  // namespace velmora
