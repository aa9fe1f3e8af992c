#include "ui/painter/painter_texts.h"

namespace velmora::painter {

namespace {

constexpr bool InEnumOrder()
{
    for (size_t i = 0; i < kTextLines.size(); ++i)
        if (size_t(kTextLines[i].text) != i)
            return false;
    return true;
}
static_assert(InEnumOrder(), "kTextLines must list every Text in the order of the enumeration");
static_assert(size_t(Text::LettersAndBubble) + 1 == kTextLines.size());

}  // namespace

QString TextOf(const LanguageTexts& texts, Text text)
{
    const TextLine& line = kTextLines[size_t(text)];
    return texts.lineOr(line.list, line.index, line.english);
}

}  // namespace velmora::painter
