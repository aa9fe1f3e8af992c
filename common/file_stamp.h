// What a file was when the editor last read or wrote it, to tell whether
// another program has changed it since: its size, its modification time and
// a hash of its bytes. The time spares reading the file again; the hash
// tells a file only touched from one rewritten.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <span>

namespace velmora {

struct FileStamp {
    qint64 size = -1;     // -1: no file
    QDateTime modified;
    QByteArray hash;
    QDateTime taken;      // when the stamp was made

    // The same size and time; the hash is not compared.
    bool sameSizeAndTime(const FileStamp& other) const { return size == other.size && modified == other.modified; }
};

// The stamp of a file whose bytes were just read from it or written to it.
FileStamp StampFile(const QString& path, std::span<const uint8_t> bytes);

// The size and time of the file as it is now, without a hash.
FileStamp StatFile(const QString& path);

enum class FileState { Same, Changed, Gone };

// The file now against `known`. Its bytes are read only when its size is
// as known and its time cannot tell: it differs, or it lies so close to
// when the stamp was taken that a write just after could share it.
FileState CompareFile(const QString& path, const FileStamp& known);

}  // namespace velmora
