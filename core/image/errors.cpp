#include "core/image/errors.h"

#include <cstdio>

namespace velmora {

const char* FaultTemplate(FormatFault fault)
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

bool IsBmpFault(FormatFault fault)
{
    return fault >= FormatFault::BmpTooShort && fault <= FormatFault::BmpMaskOverlaps;
}

std::string FaultArgText(const FaultArg& arg)
{
    static const char* const kChannels[] = {"red", "green", "blue", "alpha"};
    static const char* const kTexts[] = {"room name", "comment", "copyright note"};
    switch (arg.kind) {
    case FaultArg::Kind::Number: return std::to_string(arg.value);
    case FaultArg::Kind::Hex: {
        char text[16];
        std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(static_cast<uint32_t>(arg.value)));
        return text;
    }
    case FaultArg::Kind::Channel:
        return arg.value >= 0 && arg.value < 4 ? kChannels[arg.value] : std::to_string(arg.value);
    case FaultArg::Kind::RoomText:
        return arg.value >= 0 && arg.value < 3 ? kTexts[arg.value] : std::to_string(arg.value);
    }
    return std::to_string(arg.value);
}

std::string FillTemplate(const std::string& text, const std::vector<std::string>& args)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const bool marker = text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9';
        const size_t index = marker ? static_cast<size_t>(text[i + 1] - '1') : 0;
        if (marker && index < args.size()) {
            out += args[index];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string FaultText(FormatFault fault, const std::vector<FaultArg>& args)
{
    std::vector<std::string> texts;
    texts.reserve(args.size());
    for (const FaultArg& arg : args)
        texts.push_back(FaultArgText(arg));
    const std::string text = FillTemplate(FaultTemplate(fault), texts);
    return IsBmpFault(fault) ? FillTemplate(kNotUsableBmpTemplate, {text}) : text;
}

}  // namespace velmora
