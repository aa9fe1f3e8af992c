#include "core/image/errors.h"

#include <cstdio>

namespace velmora {

bool IsBmpFault(FormatFault fault)
{
    return fault >= FormatFault::BmpTooShort && fault <= FormatFault::BmpMaskOverlaps;
}

std::string FaultArgText(const FaultArg& arg)
{
    switch (arg.kind) {
    case FaultArg::Kind::Number: return std::to_string(arg.value);
    case FaultArg::Kind::Hex: {
        char text[16];
        std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(static_cast<uint32_t>(arg.value)));
        return text;
    }
    case FaultArg::Kind::Channel:
        return arg.value >= 0 && arg.value < 4 ? kChannelNames[size_t(arg.value)] : std::to_string(arg.value);
    case FaultArg::Kind::RoomText:
        return arg.value >= 0 && arg.value < 3 ? kRoomTextNames[size_t(arg.value)] : std::to_string(arg.value);
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
