// Whole files in and out of memory. Files are written whole or not at all:
// a write that fails leaves an existing file exactly as it was.
#pragma once

#include <QString>

class QFileDevice;

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velmora {

struct ReadResult {
    enum class Status { Ok, CannotOpen, TooLarge, ReadFailed };
    Status status = Status::CannotOpen;
    std::vector<uint8_t> bytes;
    qint64 size = 0;   // the file's length, also when it was not read
    QString error;     // the system's text when status is not Ok
    bool ok() const { return status == Status::Ok; }
};

// Far above any picture a slot takes; keeps a stranger's file from taking
// memory before the check refuses it.
constexpr qint64 kMaxPartFileSize = qint64{16} * 1024 * 1024;

// Reads a whole file; a file longer than `maxSize` is not read (TooLarge,
// with `size` set). Memory that cannot be had gives TooLarge too.
ReadResult ReadWholeFile(const QString& path, qint64 maxSize = kMaxPartFileSize);

// The first 1024 bytes of the standard palette file; nullopt, with the reason
// in `problem`, when it cannot be opened or is shorter (the part check then
// takes pictures without comparing colour tables).
std::optional<std::array<uint8_t, 1024>> ReadStandardPalette(const QString& path, QString* problem = nullptr);

// Writes `bytes` to a new file beside `path` and puts it in place of `path`
// only once every byte is written and synced. Returns the system's error text
// on failure ("No space left on device"), the old file left as it was.
std::optional<QString> WriteWholeFile(const QString& path, std::span<const uint8_t> bytes);

// Writes every byte of `bytes` to the open `file`; the system's error text
// when it cannot, also when the disk took only part of them.
std::optional<QString> WriteAllBytes(QFileDevice& file, std::span<const uint8_t> bytes);

// The last step of WriteWholeFile before the new file takes the old one's
// place: the system's error text, or nullopt when its bytes are on the disk.
// Only a failing disk makes the real one fail, so tests put their own in its
// place; returns the one it replaces.
using FileSync = std::optional<QString> (*)(QFileDevice& file);
FileSync ReplaceFileSyncForTests(FileSync sync);

}  // namespace velmora
