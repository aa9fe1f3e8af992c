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
    Refused,          // warning `message` shown, nothing loaded
    PaletteMissing,   // warning 5, then the picture is taken all the same
    PaletteDiffers,   // question 6: Yes takes the picture, No refuses it
};

struct CheckResult {
    CheckOutcome outcome;
    int message;  // 11, 2, 3, 4 or 7 when refused; 5; 6; -1 when accepted
    friend bool operator==(const CheckResult&, const CheckResult&) = default;
};

// The decision, in the fixed order: size (11), core header (2), then for a
// picture slot depth (3), compression (4), palette (5 or 6); for a mask slot
// depth (7), compression (4). `standardPalette` is the palette file's first
// 1024 bytes, or nullopt when that file cannot be opened or is too short.
CheckResult PartBitmapCheck(const BmpCheckFields& fields, int slot,
                            const std::optional<std::array<uint8_t, 1024>>& standardPalette);

// Plain-English reason for a refusal message number, for the command-line tool.
const char* CheckMessageText(int message);

}  // namespace velmora
