// Zip archives in memory through libzip, read with every size checked
// before anything is inflated.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

struct zip;

namespace velmora {

// A layered file that is refused: its text is the one line the user reads.
class LayeredFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A name from a file as a refusal or a warning shows it: on one line, each
// control character a '?'.
inline std::string OneLine(std::string name)
{
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return name;
}

struct ZipEntry {
    std::string name;
    uint64_t size = 0;  // inflated, as the archive claims
    bool stored = false;
};

class ZipReader {
public:
    // Opens the archive; a damaged or cut archive, or one of more than
    // `maxEntries` entries, throws LayeredFileError.
    // The archive reads `bytes` in place: they must outlive the reader.
    ZipReader(std::span<const uint8_t> bytes, size_t maxEntries);
    ZipReader(std::vector<uint8_t>&& bytes, size_t maxEntries) = delete;
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    const std::vector<ZipEntry>& entries() const { return entries_; }
    // The index of an entry by its exact name, or -1.
    int find(const std::string& name) const;
    // The entry's bytes. Refused when it claims more than `limit` bytes,
    // when it inflates to more than it claims, or when its data is damaged;
    // every read also counts against the archive's budget of `budget` bytes.
    std::vector<uint8_t> read(int index, uint64_t limit);
    void setBudget(uint64_t budget) { budget_ = budget; }

private:
    zip* archive_ = nullptr;
    std::vector<ZipEntry> entries_;
    uint64_t budget_ = UINT64_MAX;
};

struct ZipMember {
    std::string name;
    std::vector<uint8_t> bytes;
    bool store = false;  // stored as it is, not deflated
};

// The archive of the members in their order. Throws std::runtime_error when
// libzip fails.
std::vector<uint8_t> WriteZip(const std::vector<ZipMember>& members);

}  // namespace velmora
