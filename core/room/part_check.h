// The acceptance check for a BMP file that is to replace a slot's picture.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace velmora {

// The header fields the check looks at, read at fixed offsets of the file.
struct BmpCheckFields {
    uint32_t infoHeaderSize = 0;  // offset 14
    int32_t width = 0;            // offset 18
    int32_t height = 0;           // offset 22
    uint16_t bitsPerPixel = 0;    // offset 28
    uint32_t compression = 0;     // offset 30
    // The colour table as it lies after the information header; false when
    // the file is too short to hold 1024 bytes there.
    std::array<uint8_t, 1024> colourTable{};
    bool colourTableComplete = false;
};

// Reads the fields from the start of a file; bytes the file lacks read as 0.
BmpCheckFields ReadCheckFields(std::span<const uint8_t> fileStart);

enum class CheckOutcome {
    Accepted,
    Refused,          // a warning is shown, nothing loaded
    PaletteMissing,   // a warning is shown, then the picture is taken all the same
    PaletteDiffers,   // a question: Yes takes the picture, No refuses it
};

// Why the check answered as it did.
enum class CheckKind {
    None,             // accepted
    WrongSize,        // width or height differs from the slot's size
    CoreHeader,       // a 12-byte (OS/2 core) information header
    PictureDepth,     // a part picture that is not 8 bits per pixel
    Compressed,       // any compression
    MaskDepth,        // a mask that is neither 1 nor 8 bits per pixel
    PaletteMissing,   // the standard palette file cannot be had
    PaletteDiffers,   // the colour table differs from the standard palette
};

struct CheckResult {
    CheckOutcome outcome;
    CheckKind kind;
    friend bool operator==(const CheckResult&, const CheckResult&) = default;
};

// The decision, in the fixed order: size, core header, then for a picture
// slot depth, compression, palette; for a mask slot depth, compression.
// `standardPalette` is the palette file's first 1024 bytes, or nullopt when
// that file cannot be opened or is too short.
CheckResult PartBitmapCheck(const BmpCheckFields& fields, int slot,
                            const std::optional<std::array<uint8_t, 1024>>& standardPalette);

// Plain-English reason for a check kind, for the command-line tool.
const char* CheckKindText(CheckKind kind);

}  // namespace velmora
