// Room texts are bytes in the system's 8-bit code page with line breaks as
// CR LF; the text fields hold Unicode with '\n'. All conversion between the
// two goes through this class.
#pragma once

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

class RoomTextCodec {
public:
    // Decodes bytes; CR LF, a lone CR and a lone LF all become '\n'.
    QString decode(std::string_view bytes) const;
    // Encodes text; every '\n' becomes CR LF.
    std::string encode(const QString& text) const;
    // Length of encode(text) in bytes.
    size_t byteSize(const QString& text) const;
    // The longest leading part of text, cut between characters, whose
    // encoding is at most maxBytes long.
    QString fitPrefix(const QString& text, size_t maxBytes) const;
};

}  // namespace velmora
