// One of the room's three texts as the document holds it.
//
// Until the user changes it, a text is the room's bytes, given back exactly
// even where the encoding cannot show them (a room written in another code
// page survives open and save). Once changed, it is the text as typed: it
// becomes bytes in the room's encoding only when saved, so a character the
// encoding cannot hold is refused at save instead of being replaced, and a
// change of encoding before the save applies to it.
#pragma once

#include "common/result.h"
#include "common/room_text_codec.h"

#include <QString>

#include <optional>
#include <string>

namespace velmora {

struct DocumentText {
    std::string bytes;              // as opened, restored or last saved
    std::optional<QString> typed;   // set once the user changed the text

    bool operator==(const DocumentText&) const = default;
};

// What a text field shows.
QString ShownText(const DocumentText& text, const RoomTextCodec& codec);

// The text after the user made the field show `shown`. Showing again what
// the bytes show gives back the bytes themselves.
DocumentText EditedText(const DocumentText& text, const QString& shown, const RoomTextCodec& codec);

// What a plain text field holds once given `text`: a line break however
// written ("\r\n", "\r", a paragraph separator) becomes "\n".
QString AsFieldText(const QString& text);

// `held` after the field that showed it (as AsFieldText(held)) came to hold
// `now`: the edit is what differs between the two, and every character it
// did not touch stays as `held` has it, not as the field rewrote it.
QString ApplyFieldEdit(const QString& held, const QString& now);

// The bytes a save writes; Unencodable when a typed character has no form
// in the encoding.
Result<std::string> BytesToSave(const DocumentText& text, const RoomTextCodec& codec);

}  // namespace velmora
