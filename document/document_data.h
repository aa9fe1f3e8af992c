// The room document as the recovery file keeps it, and the file's format:
// pictures, text bytes, encoding, file name and whether the room was
// unsaved. Only the data: where the file lies and who holds it is the
// window's business.
//
// The file is written in QDataStream's forms (big-endian lengths, UTF-16
// strings) and read back by hand, every length checked against what is left
// and against its field's limit, so that a damaged file is refused with the
// reason, never read past its end and never given memory a length merely
// claims. Version 2 ends in a SHA-256 of everything before it; version 1,
// written by editors before the document, is still read.
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

// The version written; 1 and this one are read.
constexpr uint32_t kRecoveryVersion = 2;
// A room file at its largest, its file name and texts fit far below this.
constexpr int64_t kRecoveryMaxFileSize = int64_t(kRoomMaxFileSize) + 64 * 1024;

// The data as the bytes of a recovery file. Throws FormatError for a
// picture the room writer cannot encode.
QByteArray WriteDocumentData(const DocumentData& data);

// Reads a recovery file of either version. Damaged input (cut short,
// altered, written by a newer editor, a picture that does not decode) gives
// Damaged with the reason, TooLarge when its pictures take more memory than
// there is.
Result<DocumentData> ReadDocumentData(std::span<const uint8_t> bytes);

}  // namespace velmora
