// The recovery file: an unsaved room, its three texts as the fields held
// them, and the file the room belongs to. It is written in QDataStream's
// forms (big-endian lengths, UTF-16 strings) and read back by hand, every
// length checked against what is left, so that a damaged file is refused
// with the reason and never read past its end.
#pragma once

#include "core/room/room_file.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

namespace velmora {

// One text field: the bytes it was given, what it shows, and whether the
// user changed it (which decides which of the two is saved).
struct RecoveryText {
    std::string originalBytes;
    QString text;
    bool modified = false;

    friend bool operator==(const RecoveryText&, const RecoveryText&) = default;
};

struct RecoveryContents {
    QString roomPath;  // empty for a room never saved
    RoomPictures pictures;
    std::array<RecoveryText, 3> texts;
};

// Why a recovery file cannot be read, in words for the user.
class RecoveryFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The version this editor writes and the only one it reads.
constexpr uint32_t kRecoveryVersion = 1;
// A room file at its largest, its file name and texts fit far below this.
constexpr int64_t kRecoveryMaxFileSize = int64_t(kRoomMaxFileSize) + 64 * 1024;

// Throws FormatError for a picture the BMP encoder refuses.
QByteArray EncodeRecoveryFile(const RecoveryContents& contents);

// Every check of a recovery file is here. Throws RecoveryFileError.
RecoveryContents DecodeRecoveryFile(std::span<const uint8_t> bytes);

}  // namespace velmora
