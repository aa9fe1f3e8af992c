#include "room_text_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <stdexcept>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

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

bool QtConverts(const QByteArray& encoding)
{
    return encoding.isEmpty() || (Decoder(encoding).isValid() && Encoder(encoding).isValid());
}

#ifdef Q_OS_WIN
// Qt for Windows without ICU converts only Unicode and Latin-1: the code
// pages room files are written in go through the system's own converters.
UINT CodePage(const QByteArray& encoding)
{
    static const struct {
        const char* name;
        UINT page;
    } kPages[] = {
        {"Shift_JIS", 932}, {"windows-1252", 1252}, {"EUC-JP", 20932}, {"ISO-2022-JP", 50220},
        {"windows-1250", 1250}, {"windows-1251", 1251}, {"windows-1253", 1253}, {"windows-1254", 1254},
        {"windows-1255", 1255}, {"windows-1256", 1256}, {"windows-1257", 1257}, {"windows-1258", 1258},
        {"windows-874", 874}, {"ISO-8859-1", 28591}, {"ISO-8859-2", 28592}, {"ISO-8859-5", 28595},
        {"ISO-8859-7", 28597}, {"ISO-8859-15", 28605}, {"KOI8-R", 20866}, {"KOI8-U", 21866},
        {"GBK", 936}, {"GB18030", 54936}, {"Big5", 950}, {"EUC-KR", 51949},
    };
    for (const auto& [name, page] : kPages)
        if (encoding.compare(name, Qt::CaseInsensitive) == 0)
            return IsValidCodePage(page) ? page : 0;
    return 0;
}

QString DecodePage(UINT page, QByteArrayView bytes)
{
    const int length = static_cast<int>(bytes.size());
    const int wide = length > 0 ? MultiByteToWideChar(page, 0, bytes.data(), length, nullptr, 0) : 0;
    QString text(wide, Qt::Uninitialized);
    if (wide > 0)
        MultiByteToWideChar(page, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()), wide);
    return text;
}

// Several code pages take no "used default" flag: a character the page
// lacks shows as a text that does not read back the same.
QByteArray EncodePage(UINT page, const QString& text, bool* lost)
{
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int length = static_cast<int>(text.size());
    const int size = length > 0 ? WideCharToMultiByte(page, 0, wide, length, nullptr, 0, nullptr, nullptr) : 0;
    QByteArray bytes(size, Qt::Uninitialized);
    if (size > 0)
        WideCharToMultiByte(page, 0, wide, length, bytes.data(), size, nullptr, nullptr);
    *lost = (length > 0 && size == 0) || DecodePage(page, bytes) != text;
    return bytes;
}
#endif

QString DecodeAs(const QByteArray& encoding, QByteArrayView bytes)
{
#ifdef Q_OS_WIN
    if (!QtConverts(encoding))
        return DecodePage(CodePage(encoding), bytes);
#endif
    QStringDecoder decoder = Decoder(encoding);
    return decoder.decode(bytes);
}

// The bytes, and whether a character was lost on the way.
std::pair<QByteArray, bool> EncodeAs(const QByteArray& encoding, const QString& text)
{
#ifdef Q_OS_WIN
    if (!QtConverts(encoding)) {
        bool lost = false;
        QByteArray bytes = EncodePage(CodePage(encoding), text, &lost);
        return {bytes, lost};
    }
#endif
    QStringEncoder encoder = Encoder(encoding);
    QByteArray bytes = encoder.encode(text);
    return {bytes, encoder.hasError()};
}

}  // namespace

RoomTextCodec::RoomTextCodec(QByteArray encoding) : encoding_(std::move(encoding))
{
    if (!IsKnown(encoding_))
        throw std::invalid_argument("unknown text encoding \"" + encoding_.toStdString() + "\"");
}

bool RoomTextCodec::IsKnown(const QByteArray& encoding)
{
#ifdef Q_OS_WIN
    if (CodePage(encoding) != 0)
        return true;
#endif
    return QtConverts(encoding);
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
    auto encoded = [&sample](const QByteArray& encoding) {
        QList<QByteArray> each;
        for (const QChar c : sample) {
            const auto [bytes, lost] = EncodeAs(encoding, QString(c));
            each.append(bytes + (lost ? '!' : '.'));
        }
        return each;
    };
    const QList<QByteArray> system = encoded(QByteArray());
    for (const QByteArray& name : Offered())
        if (!name.isEmpty() && encoded(name) == system)
            return QString::fromLatin1(name);
    return QString::fromLatin1(QStringConverter::nameForEncoding(QStringConverter::System));
}

QString RoomTextCodec::decode(std::string_view bytes) const
{
    QString text = DecodeAs(encoding_, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

std::string RoomTextCodec::encode(const QString& text) const
{
    QString crlf = text;
    crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const QByteArray bytes = EncodeAs(encoding_, crlf).first;
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool RoomTextCodec::canEncode(const QString& text) const
{
    return !EncodeAs(encoding_, text).second;
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
