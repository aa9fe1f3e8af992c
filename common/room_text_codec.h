// Room texts are bytes in an 8-bit (multibyte) code page with line breaks as
// CR LF; the text fields hold Unicode with '\n'. All conversion between the
// two goes through this class. The code page is the locale's unless the user
// names another (rooms are often written on systems with another one).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

class RoomTextCodec {
public:
    // An empty name is the locale's encoding; throws std::invalid_argument
    // for a name Qt's converters do not know.
    explicit RoomTextCodec(QByteArray encoding = {});

    const QByteArray& encoding() const { return encoding_; }

    // Decodes bytes; CR LF, a lone CR and a lone LF all become '\n'.
    QString decode(std::string_view bytes) const;
    // Encodes text; every '\n' becomes CR LF. Characters the encoding cannot
    // hold come out as its replacement; canEncode tells beforehand.
    std::string encode(const QString& text) const;
    bool canEncode(const QString& text) const;
    // Length of encode(text) in bytes.
    size_t byteSize(const QString& text) const;
    // The longest leading part of text, cut between characters, whose
    // encoding is at most maxBytes long.
    QString fitPrefix(const QString& text, size_t maxBytes) const;

    static bool IsKnown(const QByteArray& encoding);
    // The encodings offered to the user: the locale's first (as ""), then the
    // common code pages of room files that this system's converters know.
    static QList<QByteArray> Offered();
    // The name of the locale's encoding, for the user: the offered code page
    // that encodes as it does, else Qt's name for it.
    static QString SystemName();

private:
    QByteArray encoding_;
};

}  // namespace velmora
