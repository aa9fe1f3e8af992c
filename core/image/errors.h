// Failures below the user interface are exceptions with a text for the user.
// Besides its English text, an error for malformed input says what was
// wrong as a fault and its numbers, so that a front can word it in the
// user's language.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmora {

// What is wrong with a picture or a room file. The order is fixed: a front
// numbers its language lines after it.
enum class FormatFault {
    Other,  // worded only by the English text
    // A BMP that does not decode.
    BmpTooShort,              // file bytes
    BmpNoSignature,           //
    BmpPlanes,                //
    BmpHeaderCut,             //
    BmpHeightOutOfRange,      //
    BmpHeaderSize,            // header size
    BmpSizeNotPositive,       // width, height
    BmpSizeTooLarge,          // width, height
    BmpDepth,                 // bits per pixel
    BmpCompression,           // compression method
    BmpCompressionDepth,      //
    BmpCompressedTopDown,     //
    BmpColourTableTooLong,    // entries, most entries
    BmpColourTableMisplaced,  //
    BmpRunsCut,               //
    BmpRunPastWidth,          //
    BmpOffsetOutside,         // pixel data offset
    BmpOffsetInHeader,        // pixel data offset
    BmpPixelsCut,             // bytes present, bytes needed
    BmpSizeTooLargeForRuns,   // width, height
    BmpCoreHeaderMasks,       //
    BmpMasksMisplaced,        //
    BmpMaskNotOneRun,         // channel, mask
    BmpMaskOutsidePixel,      // channel, mask, bits per pixel
    BmpMaskOverlaps,          // channel, mask
    // A picture the BMP encoder refuses.
    EncodeDepth,              // bits per pixel
    EncodePixelCount,         //
    // A room file that is refused, or cannot be written.
    RoomTooShort,             // file bytes, least bytes
    RoomTooLarge,             // file bytes, most bytes
    RoomRecordPastEnd,        //
    RoomRecordSizeTooSmall,   // size field
    RoomRecordTooLong,        // record bytes
    RoomPicturesTooLarge,     // most MiB
    RoomTemplateSize,         // template bytes, header bytes
    RoomTextTooLong,          // text, bytes, most bytes
};
constexpr int kFormatFaultCount = static_cast<int>(FormatFault::RoomTextTooLong) + 1;

// One number of a fault, and how it is written.
struct FaultArg {
    enum class Kind {
        Number,   // decimal
        Hex,      // 0x and eight hex digits
        Channel,  // 0 to 3: red, green, blue, alpha
        RoomText  // 0 to 2: room name, comment, copyright note
    };
    Kind kind = Kind::Number;
    int64_t value = 0;
};

inline FaultArg Num(int64_t value) { return {FaultArg::Kind::Number, value}; }

// The English wording of a fault, with %1, %2, ... for its numbers in order.
constexpr const char* FaultTemplate(FormatFault fault)
{
    switch (fault) {
    case FormatFault::Other: return "%1";
    case FormatFault::BmpTooShort: return "the file is too short for a BMP header (%1 bytes)";
    case FormatFault::BmpNoSignature: return "the file does not start with \"BM\"";
    case FormatFault::BmpPlanes: return "the number of planes is not 1";
    case FormatFault::BmpHeaderCut: return "the file ends inside the information header";
    case FormatFault::BmpHeightOutOfRange: return "the height is out of range";
    case FormatFault::BmpHeaderSize: return "unsupported information header size %1";
    case FormatFault::BmpSizeNotPositive: return "the picture size %1x%2 is not positive";
    case FormatFault::BmpSizeTooLarge: return "the picture size %1x%2 is too large";
    case FormatFault::BmpDepth: return "%1 bits per pixel are not supported (only 1, 4, 8, 16, 24 and 32)";
    case FormatFault::BmpCompression: return "compression method %1 is not supported";
    case FormatFault::BmpCompressionDepth: return "the compression does not match the bits per pixel";
    case FormatFault::BmpCompressedTopDown: return "a compressed picture cannot be stored top-down";
    case FormatFault::BmpColourTableTooLong: return "the colour table has %1 entries, more than %2";
    case FormatFault::BmpColourTableMisplaced:
        return "the colour table does not fit between the header and the pixel data";
    case FormatFault::BmpRunsCut: return "the compressed pixel data is truncated";
    case FormatFault::BmpRunPastWidth: return "a compressed row runs past the picture's width";
    case FormatFault::BmpOffsetOutside: return "the pixel data offset %1 lies outside the file";
    case FormatFault::BmpOffsetInHeader: return "the pixel data offset %1 lies inside the header";
    case FormatFault::BmpPixelsCut: return "the pixel data is truncated (%1 of %2 bytes)";
    case FormatFault::BmpSizeTooLargeForRuns: return "the picture size %1x%2 is too large for the compressed data present";
    case FormatFault::BmpCoreHeaderMasks: return "a core header cannot carry colour masks";
    case FormatFault::BmpMasksMisplaced: return "the colour masks do not fit between the header and the pixel data";
    case FormatFault::BmpMaskNotOneRun: return "the %1 mask %2 is not one run of bits";
    case FormatFault::BmpMaskOutsidePixel: return "the %1 mask %2 lies outside the %3 bits of a pixel";
    case FormatFault::BmpMaskOverlaps: return "the %1 mask %2 overlaps another mask";
    case FormatFault::EncodeDepth: return "cannot encode a picture of %1 bits per pixel";
    case FormatFault::EncodePixelCount: return "cannot encode a picture whose pixels do not match its size";
    case FormatFault::RoomTooShort: return "the room file is %1 bytes long; a room file has at least %2";
    case FormatFault::RoomTooLarge: return "the room file is %1 bytes long, more than the %2 bytes a room file may have";
    case FormatFault::RoomRecordPastEnd: return "the picture record lies past the end of the file";
    case FormatFault::RoomRecordSizeTooSmall: return "the picture's size field (%1) is too small";
    case FormatFault::RoomRecordTooLong: return "the picture (%1 bytes) runs past the end of the file";
    case FormatFault::RoomPicturesTooLarge: return "the pictures up to this one take more than %1 MiB unpacked";
    case FormatFault::RoomTemplateSize: return "the header template is %1 bytes long, not %2";
    case FormatFault::RoomTextTooLong: return "the %1 is %2 bytes long; a room file holds at most %3";
    }
    return "%1";
}
// The English names of the colour channels a fault names (FaultArg::Channel).
inline constexpr std::array<const char*, 4> kChannelNames = {"red", "green", "blue", "alpha"};
// The three texts of a room as a message names them, in file order
// (FaultArg::RoomText).
inline constexpr std::array<const char*, 3> kRoomTextNames = {"room name", "comment", "copyright note"};
// A BMP fault's text follows this ("not a usable BMP picture: %1").
bool IsBmpFault(FormatFault fault);
inline constexpr const char* kNotUsableBmpTemplate = "not a usable BMP picture: %1";
// A room file's fault in one slot: slot number, box name, the fault.
inline constexpr const char* kSlotFaultTemplate = "slot %1 (%2): %3";
// The English of a channel or room text number.
std::string FaultArgText(const FaultArg& arg);
// Puts texts in place of %1 to %9; other percent signs stay as written.
std::string FillTemplate(const std::string& text, const std::vector<std::string>& args);
// The English text of a fault with its numbers, the BMP prefix included.
std::string FaultText(FormatFault fault, const std::vector<FaultArg>& args);

// Input that is not in a form we take: a malformed or unsupported BMP, a room
// file whose records do not fit, a text too long for a room file.
class FormatError : public std::runtime_error {
public:
    // A failure with no fault of its own: its text is all there is.
    explicit FormatError(const std::string& what) : std::runtime_error(what) {}
    // The English text is FaultText(fault, args).
    FormatError(FormatFault fault, const std::vector<FaultArg>& args)
        : std::runtime_error(FaultText(fault, args)), fault_(fault), args_(args)
    {
    }

    FormatFault fault() const { return fault_; }
    const std::vector<FaultArg>& args() const { return args_; }

protected:
    // A fault told with more around it (the slot it was found in).
    FormatError(const std::string& what, FormatFault fault, const std::vector<FaultArg>& args)
        : std::runtime_error(what), fault_(fault), args_(args)
    {
    }

private:
    FormatFault fault_ = FormatFault::Other;
    std::vector<FaultArg> args_;
};

}  // namespace velmora
