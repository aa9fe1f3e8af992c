#include "ui/services/picture_lines.h"

#include "ui/services/language_texts.h"

#include "core/room/slot_table.h"

namespace velmora {

namespace {

// For language files older than the line.
constexpr const char* kWrongPictureSizeText = "The picture is %1 pixels; this part needs %2 pixels.";

QString SizeText(int32_t width, int32_t height)
{
    return QStringLiteral("%1×%2").arg(width).arg(height);
}

}  // namespace

QString WrongPictureSizeMessage(const LanguageTexts& texts, int32_t width, int32_t height, int slot)
{
    const PartSize size = PartSlotTable::RequiredSize(slot);
    return texts.lineOr(LanguageTexts::List::Messages, message::kWrongPictureSize, kWrongPictureSizeText)
        .arg(SizeText(width, height), SizeText(size.width, size.height));
}

}  // namespace velmora
