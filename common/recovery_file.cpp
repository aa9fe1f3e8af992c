#include "common/recovery_file.h"

#include <QDataStream>
#include <QIODevice>

#include <algorithm>
#include <vector>

namespace velmora {

namespace {

const QByteArray kMagic = QByteArrayLiteral("VELMORA RECOVERY");
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;
// QDataStream's length of a null array or string.
constexpr uint32_t kNullLength = 0xFFFFFFFF;
// Longer than any path a system takes, and any text a field holds (each of
// its at most 127 bytes is at most two UTF-16 units, stand-ins included).
constexpr size_t kMaxPathUnits = 32767;
constexpr size_t kMaxTextUnits = 4 * kRoomTextMax;

std::string Named(const char* what, size_t index)
{
    return std::string("the ") + kRoomTextNames[index] + what;
}

// The bytes not yet read; every take is checked against them.
class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : rest_(bytes) {}

    std::span<const uint8_t> take(size_t count, const std::string& what)
    {
        if (count > rest_.size())
            throw RecoveryFileError("the file is cut short in " + what);
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
        const uint32_t length = u32(what);
        if (length == kNullLength)
            return {};
        if (length > max)
            throw RecoveryFileError(what + " is " + std::to_string(length) + " bytes long, more than the " +
                                    std::to_string(max) + " it may have");
        return take(length, what);
    }

    // A QString: its length in bytes, then UTF-16 big-endian units.
    QString string(size_t maxUnits, const std::string& what)
    {
        const uint32_t length = u32(what);
        if (length == kNullLength)
            return {};
        if (length % 2 != 0)
            throw RecoveryFileError(what + " has an odd number of bytes (" + std::to_string(length) + ")");
        if (length / 2 > maxUnits)
            throw RecoveryFileError(what + " is " + std::to_string(length / 2) + " characters long, more than the " +
                                    std::to_string(maxUnits) + " it may have");
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
            throw RecoveryFileError(what + " is " + std::to_string(value) + ", neither 0 nor 1");
        return value == 1;
    }

    size_t left() const { return rest_.size(); }

private:
    std::span<const uint8_t> rest_;
};

}  // namespace

QByteArray EncodeRecoveryFile(const RecoveryContents& contents)
{
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << kMagic << quint32(kRecoveryVersion) << contents.roomPath;
    for (const RecoveryText& text : contents.texts)
        out << QByteArray::fromStdString(text.originalBytes) << text.text << text.modified;
    // The pictures as a room file with a blank header: the texts are above,
    // kept whole even where the room's encoding cannot hold them.
    const std::vector<uint8_t> header(kRoomHeaderSize, 0);
    const std::vector<uint8_t> pictures = WriteRoomFile(header, RoomTexts{}, contents.pictures);
    out << QByteArray(reinterpret_cast<const char*>(pictures.data()), qsizetype(pictures.size()));
    return data;
}

RecoveryContents DecodeRecoveryFile(std::span<const uint8_t> bytes)
{
    Reader in(bytes);
    // What the file is, and which version, before anything else is taken
    // from it: a newer editor's file may mean something else by the rest.
    const std::span<const uint8_t> magic = in.bytes(size_t(kMagic.size()), "the signature");
    if (!std::equal(magic.begin(), magic.end(), kMagic.begin(), kMagic.end()))
        throw RecoveryFileError("this is not a recovery file of this editor");
    const uint32_t version = in.u32("the version");
    if (version > kRecoveryVersion)
        throw RecoveryFileError("a newer version of the editor wrote it (recovery file version " +
                                std::to_string(version) + "; this version reads " +
                                std::to_string(kRecoveryVersion) + ")");
    if (version != kRecoveryVersion)
        throw RecoveryFileError("its version " + std::to_string(version) + " is unknown");

    RecoveryContents contents;
    contents.roomPath = in.string(kMaxPathUnits, "the room's file name");
    for (size_t i = 0; i < contents.texts.size(); ++i) {
        RecoveryText& text = contents.texts[i];
        const std::span<const uint8_t> original = in.bytes(kRoomTextMax, Named(" as opened", i));
        text.originalBytes.assign(original.begin(), original.end());
        text.text = in.string(kMaxTextUnits, Named("", i));
        text.modified = in.flag(Named("'s changed mark", i));
    }
    const std::span<const uint8_t> room = in.bytes(kRoomMaxFileSize, "the pictures");
    if (in.left() != 0)
        throw RecoveryFileError("it has " + std::to_string(in.left()) + " bytes after its end");

    // A room of small pictures makes a short room file; the reader wants a
    // room file's least length and ignores what follows the records.
    std::vector<uint8_t> padded(room.begin(), room.end());
    if (padded.size() < kRoomMinFileSize)
        padded.resize(kRoomMinFileSize, 0);
    try {
        contents.pictures = ReadRoomFile(padded).pictures;
    } catch (const FormatError& e) {
        throw RecoveryFileError(std::string("the pictures: ") + e.what());
    }
    return contents;
}

}  // namespace velmora
