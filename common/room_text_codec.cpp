#include "room_text_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <stdexcept>

namespace velmora {

namespace {

QStringDecoder Decoder(const QByteArray& encoding)
{
    return encoding.isEmpty() ? QStringDecoder(QStringConverter::System) : QStringDecoder(encoding.constData());
}

QStringEncoder Encoder(const QByteArray& encoding)
{
    return encoding.isEmpty() ? QStringEncoder(QStringConverter::System) : QStringEncoder(encoding.constData());
}

}  // namespace

RoomTextCodec::RoomTextCodec(QByteArray encoding) : encoding_(std::move(encoding))
{
    if (!IsKnown(encoding_))
        throw std::invalid_argument("unknown text encoding \"" + encoding_.toStdString() + "\"");
}

bool RoomTextCodec::IsKnown(const QByteArray& encoding)
{
    return encoding.isEmpty() || (QStringDecoder(encoding.constData()).isValid() &&
                                  QStringEncoder(encoding.constData()).isValid());
}

QList<QByteArray> RoomTextCodec::Offered()
{
    // Qt's converters take any name the system's ICU knows but cannot list
    // them; these are the code pages room files are written in.
    static const char* const kCommon[] = {
        "Shift_JIS", "windows-1252", "UTF-8", "EUC-JP", "ISO-2022-JP", "windows-1250", "windows-1251",
        "windows-1253", "windows-1254", "windows-1255", "windows-1256", "windows-1257", "windows-1258",
        "windows-874", "ISO-8859-1", "ISO-8859-2", "ISO-8859-5", "ISO-8859-7", "ISO-8859-15", "KOI8-R",
        "KOI8-U", "GBK", "GB18030", "Big5", "EUC-KR",
    };
    QList<QByteArray> offered{QByteArray()};
    for (const char* name : kCommon)
        if (IsKnown(name))
            offered.append(name);
    return offered;
}

QString RoomTextCodec::SystemName()
{
    // Qt names the locale's converter only "Locale": find the code page that
    // writes a sample of many scripts, and fails on it, exactly as it does.
    const QString sample = QStringLiteral("\u00e9\u00fc\u00df\u00a5\u20ac\u0416\u03a9\u05d0\u0639\u0e01"
                                          "\u65e5\u672c\u3042\u30a2\ud55c\u0151\u0159");
    auto encoded = [&sample](QStringEncoder encoder) {
        QList<QByteArray> each;
        for (const QChar c : sample) {
            each.append(encoder.encode(QString(c)));
            each.last().append(encoder.hasError() ? '!' : '.');
        }
        return each;
    };
    const QList<QByteArray> system = encoded(QStringEncoder(QStringConverter::System));
    for (const QByteArray& name : Offered())
        if (!name.isEmpty() && encoded(QStringEncoder(name.constData())) == system)
            return QString::fromLatin1(name);
    return QString::fromLatin1(QStringConverter::nameForEncoding(QStringConverter::System));
}

QString RoomTextCodec::decode(std::string_view bytes) const
{
    QStringDecoder decoder = Decoder(encoding_);
    QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

std::string RoomTextCodec::encode(const QString& text) const
{
    QString crlf = text;
    crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    QStringEncoder encoder = Encoder(encoding_);
    const QByteArray bytes = encoder.encode(crlf);
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool RoomTextCodec::canEncode(const QString& text) const
{
    QStringEncoder encoder = Encoder(encoding_);
    const QByteArray bytes = encoder.encode(text);
    return !encoder.hasError();
}

size_t RoomTextCodec::byteSize(const QString& text) const
{
    return encode(text).size();
}

QString RoomTextCodec::fitPrefix(const QString& text, size_t maxBytes) const
{
    if (byteSize(text) <= maxBytes)
        return text;
    // A prefix's length is not always the sum of its characters' lengths
    // (ISO-2022-JP's escapes), but it never shrinks as the prefix grows:
    // search for the longest one that fits, measuring prefixes whole.
    qsizetype low = 0, high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (byteSize(text.left(mid)) <= maxBytes)
            low = mid;
        else
            high = mid - 1;
    }
    qsizetype end = low;
    if (end > 0 && text.at(end - 1).isHighSurrogate())
        --end;  // never half a character
    return text.left(end);
}

}  // namespace velmora
