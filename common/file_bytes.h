// Whole files in and out of memory. Files are written whole or not at all:
// a write that fails leaves an existing file exactly as it was.
#pragma once

#include "common/result.h"

#include <QString>

#include <cstdint>
#include <span>
#include <vector>

class QFileDevice;

namespace velmora {

// Far above any picture a slot takes; keeps a stranger's file from taking
// memory before the check refuses it.
constexpr qint64 kMaxPartFileSize = qint64{16} * 1024 * 1024;

// Reads a whole file. CannotOpen or CannotRead with the system's reason;
// TooLarge, with its length and `maxSize` as numbers, for a file longer than
// `maxSize` (not read) or one the memory cannot hold.
Result<std::vector<uint8_t>> ReadWholeFile(const QString& path, qint64 maxSize = kMaxPartFileSize);

// Writes `bytes` to a new file beside `path` and puts it in place of `path`
// only once every byte is written and synced. CannotWrite with the system's
// reason ("No space left on device") on failure, the old file left as it was.
Result<void> WriteWholeFile(const QString& path, std::span<const uint8_t> bytes);

// Writes every byte of `bytes` to the open `file`; CannotWrite with the
// system's reason when it cannot, also when the disk took only part of them.
Result<void> WriteAllBytes(QFileDevice& file, std::span<const uint8_t> bytes);

// The seam of WriteWholeFile's last step before the new file takes the old
// one's place: the sync that puts its bytes on the disk, the system's reason
// when it cannot. Only a failing disk makes the real one fail, so a test
// puts its own in its place, as it answers the prompts; ReplaceFileSync
// gives back the one it replaces, and null puts the real one back.
using FileSync = Result<void> (*)(QFileDevice& file);
FileSync ReplaceFileSync(FileSync sync);

// The real sync of the open `file` (the one in place unless a test replaced
// it): CannotWrite with the system's reason when the system refuses it.
Result<void> SyncFileToDisk(QFileDevice& file);

}  // namespace velmora
