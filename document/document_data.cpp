#include "document/document_data.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QIODevice>

#include <new>

namespace velmora {

namespace {

const QByteArray kMagic = QByteArrayLiteral("VELMORA RECOVERY");
// 1: the text fields' own state, no encoding; 2: document data with a checksum.
constexpr quint32 kVersion = 2;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;
constexpr QCryptographicHash::Algorithm kChecksum = QCryptographicHash::Sha256;
// Far above what a field takes (127 bytes); more is damage.
constexpr qsizetype kMaxTypedText = 1024;

Failure Damaged(const QString& reason)
{
    return Failure{FailureKind::Damaged, reason, {}, -1};
}

Failure CutShort()
{
    return Damaged(QStringLiteral("the file is cut short"));
}

QByteArray AsByteArray(std::span<const uint8_t> bytes)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

// Reads the pictures, kept as a room file with a blank header.
Result<RoomPictures> ReadPictures(const QByteArray& file)
{
    try {
        Room room = ReadRoomFile({reinterpret_cast<const uint8_t*>(file.constData()), size_t(file.size())});
        return std::move(room.pictures);
    } catch (const std::bad_alloc&) {
        return Failure{FailureKind::TooLarge, QStringLiteral("the pictures take more memory than there is"), {}, -1};
    } catch (const FormatError& e) {
        return Damaged(QStringLiteral("the pictures: ") + QString::fromUtf8(e.what()));
    }
}

// A text's room bytes, which no room holds more than 127 of.
Result<std::string> ReadTextBytes(QDataStream& in, int field)
{
    QByteArray bytes;
    in >> bytes;
    if (in.status() != QDataStream::Ok)
        return CutShort();
    if (size_t(bytes.size()) > kRoomTextMax)
        return Damaged(QStringLiteral("the %1 is %2 bytes long, more than a room holds")
                           .arg(QString::fromLatin1(kRoomTextNames[size_t(field)]))
                           .arg(bytes.size()));
    return bytes.toStdString();
}

Result<DocumentData> ReadFields(QDataStream& in, quint32 version)
{
    DocumentData data;
    in >> data.filePath;
    if (version >= 2) {
        QByteArray encoding;
        in >> encoding >> data.unsaved;
        if (RoomTextCodec::IsKnown(encoding))
            data.textEncoding = encoding;
    }
    for (int field = 0; field < 3; ++field) {
        DocumentText& text = data.texts[size_t(field)];
        Result<std::string> bytes = ReadTextBytes(in, field);
        if (!bytes)
            return bytes.failure();
        text.bytes = std::move(bytes).value();
        bool typed = false;
        QString shown;
        // Version 1 kept the field's text always, and whether it was changed.
        if (version >= 2)
            in >> typed >> shown;
        else
            in >> shown >> typed;
        if (in.status() != QDataStream::Ok)
            return CutShort();
        if (shown.size() > kMaxTypedText)
            return Damaged(QStringLiteral("the %1 is %2 characters long, more than a room holds")
                               .arg(QString::fromLatin1(kRoomTextNames[size_t(field)]))
                               .arg(shown.size()));
        if (typed)
            text.typed = shown;
    }
    QByteArray pictures;
    in >> pictures;
    if (in.status() != QDataStream::Ok)
        return CutShort();
    if (!in.atEnd())
        return Damaged(QStringLiteral("more bytes follow the room"));
    Result<RoomPictures> read = ReadPictures(pictures);
    if (!read)
        return read.failure();
    data.pictures = std::move(read).value();
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
    out << kMagic << kVersion << data.filePath << data.textEncoding.value_or(QByteArray()) << data.unsaved;
    for (const DocumentText& text : data.texts)
        out << QByteArray::fromStdString(text.bytes) << text.typed.has_value() << text.typed.value_or(QString());
    out << AsByteArray(pictures);
    bytes.append(QCryptographicHash::hash(bytes, kChecksum));
    return bytes;
}

Result<DocumentData> ReadDocumentData(std::span<const uint8_t> bytes)
{
    QByteArray file = AsByteArray(bytes);
    QByteArray magic;
    quint32 version = 0;
    {
        QDataStream in(file);
        in.setVersion(kStreamVersion);
        in >> magic >> version;
        if (in.status() != QDataStream::Ok || magic != kMagic)
            return Damaged(QStringLiteral("this is not a recovery file"));
    }
    if (version != 1 && version != kVersion)
        return Damaged(QStringLiteral("the recovery file's version %1 is not one this editor reads").arg(version));
    if (version >= 2) {
        // Version 2 ends in a checksum of everything before it: damage
        // inside the pictures shows too, not only damage to the layout.
        const int checksumSize = QCryptographicHash::hashLength(kChecksum);
        if (file.size() < checksumSize)
            return CutShort();
        const QByteArray payload = file.first(file.size() - checksumSize);
        if (QCryptographicHash::hash(payload, kChecksum) != file.last(checksumSize))
            return Damaged(QStringLiteral("the file is damaged (its checksum does not match)"));
        file = payload;
    }
    QDataStream in(file);
    in.setVersion(kStreamVersion);
    in >> magic >> version;
    return ReadFields(in, version);
}

}  // namespace velmora
