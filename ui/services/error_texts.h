// The core's errors in the user's words: each fault and its numbers worded
// by the language lines, English where a language file lacks them.
#pragma once

#include "core/image/errors.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace velmora {

class LanguageTexts;

// The text of `error` in the chosen language; an error without a fault of
// its own keeps its English text.
QString FormatErrorText(const FormatError& error, const LanguageTexts& texts);

// Why a save is refused: room text `field` (0 to 2) holds characters the
// encoding (empty: the system's) cannot hold.
QString TextNotEncodableText(const LanguageTexts& texts, int field, const QByteArray& encoding);

// Message 14: the picture's size and the size the slot needs, both as WxH.
QString WrongPictureSizeMessage(const LanguageTexts& texts, int32_t width, int32_t height, int slot);

// Puts the texts in place of %1 to %9 in one pass, so a text put in is never
// read for markers again; other percent signs stay as written.
QString FillLine(const QString& line, const QStringList& args);

}  // namespace velmora
