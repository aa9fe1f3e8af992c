#include "room_text_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace velmora {

QString RoomTextCodec::decode(std::string_view bytes) const
{
    QStringDecoder decoder(QStringConverter::System);
    QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

std::string RoomTextCodec::encode(const QString& text) const
{
    QString crlf = text;
    crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    QStringEncoder encoder(QStringConverter::System);
    const QByteArray bytes = encoder.encode(crlf);
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

size_t RoomTextCodec::byteSize(const QString& text) const
{
    return encode(text).size();
}

QString RoomTextCodec::fitPrefix(const QString& text, size_t maxBytes) const
{
    if (byteSize(text) <= maxBytes)
        return text;
    // The system code pages are stateless, so the length of a prefix is the
    // sum of its characters' lengths; a surrogate pair is one character.
    size_t used = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const qsizetype next = end + (text.at(end).isHighSurrogate() && end + 1 < text.size() ? 2 : 1);
        const size_t size = byteSize(text.mid(end, next - end));
        if (used + size > maxBytes)
            break;
        used += size;
        end = next;
    }
    return text.left(end);
}

}  // namespace velmora
