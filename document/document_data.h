// The room document as the recovery file keeps it: pictures, text bytes,
// encoding, file name and whether the room was unsaved. Only the data: where
// the file lies and who holds it is the window's business.
#pragma once

#include "common/result.h"
#include "document/document_text.h"

#include "core/room/room_file.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace velmora {

struct DocumentData {
    QString filePath;  // empty for a room never saved
    // None from files of editors that did not record it (version 1), or a
    // name this system's converters do not know: the editor's setting then.
    std::optional<QByteArray> textEncoding;
    std::array<DocumentText, 3> texts{};
    RoomPictures pictures;
    bool unsaved = true;
};

// The data as the bytes of a recovery file (version 2). Throws FormatError
// for a picture the room writer cannot encode.
QByteArray WriteDocumentData(const DocumentData& data);

// Reads version 2 and the version-1 files of earlier editors. Damaged input
// (cut short, altered, a picture that does not decode) gives Damaged with
// the reason; nothing past the end of `bytes` is read.
Result<DocumentData> ReadDocumentData(std::span<const uint8_t> bytes);

}  // namespace velmora
