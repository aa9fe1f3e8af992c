// Failures below the user interface are exceptions with a text for the user.
// Besides its English text, an error for malformed input says what was
// wrong as a fault and its numbers, so that a front can word it in the
// user's language.
#pragma once

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
const char* FaultTemplate(FormatFault fault);
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
