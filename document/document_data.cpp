#include "document/document_data.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QIODevice>

#include <algorithm>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

namespace {

const QByteArray kMagic = QByteArrayLiteral("VELMORA RECOVERY");
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;
constexpr QCryptographicHash::Algorithm kChecksum = QCryptographicHash::Sha256;
constexpr size_t kChecksumSize = 32;
// QDataStream's length of a null array or string.
constexpr uint32_t kNullLength = 0xFFFFFFFF;
// Longer than any path a system takes, and any text a field holds (each of
// its at most 127 bytes is at most two UTF-16 units, stand-ins included).
constexpr size_t kMaxPathUnits = 32767;
constexpr size_t kMaxTextUnits = 4 * kRoomTextMax;
// Far longer than any name of a code page.
constexpr size_t kMaxEncodingName = 64;

// Why the file is refused; thrown inside the reader only.
struct Refusal {
    std::string reason;
};

std::string Named(const char* what, size_t field)
{
    return std::string("the ") + kRoomTextNames[field] + what;
}

// The bytes not yet read; every take is checked against them.
class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : rest_(bytes) {}

    std::span<const uint8_t> take(size_t count, const std::string& what)
    {
        if (count > rest_.size())
            throw Refusal{"the file is cut short in " + what};
        const std::span<const uint8_t> taken = rest_.first(count);
        rest_ = rest_.subspan(count);
        return taken;
    }

    uint32_t u32(const std::string& what)
    {
        const std::span<const uint8_t> b = take(4, what);
        return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | uint32_t(b[3]);
    }

    // A QByteArray: its length, then its bytes; a null one reads as empty.
    std::span<const uint8_t> bytes(size_t max, const std::string& what)
    {
        return optionalBytes(max, what).value_or(std::span<const uint8_t>{});
    }

    // The same, telling a null QByteArray (none) from an empty one.
    std::optional<std::span<const uint8_t>> optionalBytes(size_t max, const std::string& what)
    {
        const uint32_t length = u32(what);
        if (length == kNullLength)
            return std::nullopt;
        if (length > max)
            throw Refusal{what + " is " + std::to_string(length) + " bytes long, more than the " +
                          std::to_string(max) + " it may have"};
        return take(length, what);
    }

    // A QString: its length in bytes, then UTF-16 big-endian units.
    QString string(size_t maxUnits, const std::string& what)
    {
        const uint32_t length = u32(what);
        if (length == kNullLength)
            return {};
        if (length % 2 != 0)
            throw Refusal{what + " has an odd number of bytes (" + std::to_string(length) + ")"};
        if (length / 2 > maxUnits)
            throw Refusal{what + " is " + std::to_string(length / 2) + " characters long, more than the " +
                          std::to_string(maxUnits) + " it may have"};
        const std::span<const uint8_t> b = take(length, what);
        QString text(qsizetype(length / 2), Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(char16_t(b[size_t(2 * i)] << 8 | b[size_t(2 * i + 1)]));
        return text;
    }

    bool flag(const std::string& what)
    {
        const uint8_t value = take(1, what)[0];
        if (value > 1)
            throw Refusal{what + " is " + std::to_string(value) + ", neither 0 nor 1"};
        return value == 1;
    }

    size_t left() const { return rest_.size(); }

private:
    std::span<const uint8_t> rest_;
};

QByteArray AsByteArray(std::span<const uint8_t> bytes)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

// Version 1 kept each text field's own state: the bytes it was given, what
// it showed, and whether the user changed it.
DocumentText ReadVersionOneText(Reader& in, size_t field)
{
    const std::span<const uint8_t> bytes = in.bytes(kRoomTextMax, Named(" as opened", field));
    const QString shown = in.string(kMaxTextUnits, Named("", field));
    const bool changed = in.flag(Named("'s changed mark", field));
    DocumentText text{std::string(bytes.begin(), bytes.end()), std::nullopt};
    if (changed)
        text.typed = shown;
    return text;
}

DocumentText ReadText(Reader& in, size_t field)
{
    const std::span<const uint8_t> bytes = in.bytes(kRoomTextMax, Named("'s bytes", field));
    const bool typed = in.flag(Named("'s typed mark", field));
    const QString shown = in.string(kMaxTextUnits, Named(" as typed", field));
    DocumentText text{std::string(bytes.begin(), bytes.end()), std::nullopt};
    if (typed)
        text.typed = shown;
    return text;
}

// The pictures, kept as a room file with a blank header.
RoomPictures ReadPictures(std::span<const uint8_t> room)
{
    // A room of small pictures makes a short room file; the reader wants a
    // room file's least length and ignores what follows the records.
    std::vector<uint8_t> padded(room.begin(), room.end());
    if (padded.size() < kRoomMinFileSize)
        padded.resize(kRoomMinFileSize, 0);
    try {
        return ReadRoomFile(padded).pictures;
    } catch (const FormatError& e) {
        throw Refusal{std::string("the pictures: ") + e.what()};
    }
}

DocumentData Read(std::span<const uint8_t> file)
{
    Reader in(file);
    // What the file is, and which version, before anything else is taken
    // from it: a newer editor's file may mean something else by the rest.
    const std::span<const uint8_t> magic = in.bytes(size_t(kMagic.size()), "the signature");
    if (!std::equal(magic.begin(), magic.end(), kMagic.begin(), kMagic.end()))
        throw Refusal{"this is not a recovery file of this editor"};
    const uint32_t version = in.u32("the version");
    if (version > kRecoveryVersion)
        throw Refusal{"a newer version of the editor wrote it (recovery file version " + std::to_string(version) +
                      "; this version reads versions 1 to " + std::to_string(kRecoveryVersion) + ")"};
    if (version == 0)
        throw Refusal{"its version 0 is unknown"};

    DocumentData data;
    data.filePath = in.string(kMaxPathUnits, "the room's file name");
    if (version >= 2) {
        // None (a null array) is the editor's setting; empty is the locale's.
        const std::optional<std::span<const uint8_t>> name = in.optionalBytes(kMaxEncodingName, "the text encoding");
        const QByteArray encoding =
            name ? QByteArray(reinterpret_cast<const char*>(name->data()), qsizetype(name->size())) : QByteArray();
        if (name && RoomTextCodec::IsKnown(encoding))
            data.textEncoding = encoding;
        data.unsaved = in.flag("the unsaved mark");
    }
    for (size_t field = 0; field < data.texts.size(); ++field)
        data.texts[field] = version >= 2 ? ReadText(in, field) : ReadVersionOneText(in, field);
    const std::span<const uint8_t> room = in.bytes(kRoomMaxFileSize, "the pictures");

    const size_t trailer = version >= 2 ? kChecksumSize : 0;
    if (in.left() < trailer)
        in.take(trailer, "the checksum");
    if (in.left() > trailer)
        throw Refusal{"it has " + std::to_string(in.left() - trailer) + " bytes after its end"};
    if (version >= 2) {
        // Damage inside the pictures shows here too, not only damage to the layout.
        const QByteArray payload = AsByteArray(file.first(file.size() - kChecksumSize));
        if (QCryptographicHash::hash(payload, kChecksum) != AsByteArray(file.last(kChecksumSize)))
            throw Refusal{"the file is damaged (its checksum does not match)"};
    }
    data.pictures = ReadPictures(room);
    return data;
}

}  // namespace

QByteArray WriteDocumentData(const DocumentData& data)
{
    // The texts are kept whole above, even where the encoding cannot hold them.
    const std::vector<uint8_t> header(kRoomHeaderSize, 0);
    const std::vector<uint8_t> pictures = WriteRoomFile(header, RoomTexts{}, data.pictures);

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    // None goes as a null array, the locale's (empty) as an empty one.
    const QByteArray encoding = !data.textEncoding           ? QByteArray()
                                : data.textEncoding->isNull() ? QByteArray("")
                                                              : *data.textEncoding;
    out << kMagic << quint32(kRecoveryVersion) << data.filePath << encoding << data.unsaved;
    for (const DocumentText& text : data.texts)
        out << QByteArray::fromStdString(text.bytes) << text.typed.has_value() << text.typed.value_or(QString());
    out << AsByteArray(pictures);
    bytes.append(QCryptographicHash::hash(bytes, kChecksum));
    return bytes;
}

Result<DocumentData> ReadDocumentData(std::span<const uint8_t> bytes)
{
    try {
        return Read(bytes);
    } catch (const Refusal& refusal) {
        return Failure{FailureKind::Damaged, QString::fromStdString(refusal.reason), {}, -1};
    } catch (const std::bad_alloc&) {
        return Failure{FailureKind::TooLarge, QStringLiteral("the pictures take more memory than there is"), {}, -1};
    }
}

}  // namespace velmora
