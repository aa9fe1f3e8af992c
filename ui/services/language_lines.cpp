#include "ui/services/language_lines.h"

#include "core/room/slot_table.h"

namespace velmora {

namespace {

constexpr bool InOrder()
{
    for (size_t i = 0; i < kTextLines.size(); ++i) {
        if (size_t(kTextLines[i].text) != i)
            return false;
        // Each list's lines follow each other from line 0, as in the files.
        const bool firstOfList = i == 0 || kTextLines[i - 1].list != kTextLines[i].list;
        if (kTextLines[i].index != (firstOfList ? 0 : kTextLines[i - 1].index + 1))
            return false;
    }
    return true;
}
static_assert(InOrder(), "kTextLines must list every Text in the order of the enumeration and of the files");
static_assert(kTextLines.back().index == message::kLastLine);
static_assert(size_t(FaultLine(FormatFault::RoomTextTooLong)) + 1 == size_t(Text::PictureFileTooLarge));

}  // namespace

QString TextOf(const LanguageTexts& texts, Text text)
{
    const TextLine& line = kTextLines[size_t(text)];
    if (line.index < RequiredLines(line.list))
        return texts.line(line.list, line.index);
    return texts.lineOr(line.list, line.index, line.english);
}

QString TextOrEnglish(const LanguageTexts& texts, Text text)
{
    const TextLine& line = kTextLines[size_t(text)];
    return texts.lineOr(line.list, line.index, line.english);
}

QString PartPictureName(const LanguageTexts& texts, int slot)
{
    const QString part = TextOf(texts, Nth(Text::FirstPartName, PartSlotTable::PartOf(slot)));
    return TextOf(texts, PartSlotTable::IsMask(slot) ? Text::BoxMask : Text::BoxPicture).arg(part);
}

}  // namespace velmora
