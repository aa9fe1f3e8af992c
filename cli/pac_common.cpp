#include "pac_common.h"

#include "console_out.h"

#include "common/data_files.h"
#include "common/file_bytes.h"
#include "common/room_text_codec.h"

#include "core/room/room_file.h"
#include "core/room/slot_table.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace velmora::pac {

std::string Local(const QString& s)
{
    return s.toLocal8Bit().toStdString();
}

std::string SizeText(int32_t width, int32_t height)
{
    return std::to_string(width) + "x" + std::to_string(height);
}

std::string SlotTakes(int slot)
{
    const PartSize size = PartSlotTable::RequiredSize(slot);
    return "slot " + std::to_string(slot) + " (" + std::string(PartSlotTable::BoxName(slot)) + ") takes " +
           SizeText(size.width, size.height);
}

void Fail(const QString& file, const std::string& what)
{
    throw CliError(file, what, kBadInput);
}

void Fail(const Failure& failure)
{
    const std::string reason = Local(failure.reason);
    switch (failure.kind) {
    case FailureKind::CannotOpen: Fail(failure.subject, "cannot open the file: " + reason);
    case FailureKind::CannotRead: Fail(failure.subject, "cannot read the file: " + reason);
    case FailureKind::CannotWrite: Fail(failure.subject, "cannot write the file: " + reason);
    case FailureKind::Unreadable:
        Fail(failure.subject, "the picture cannot be read: " +
                                  (reason.empty() ? std::string("not a picture in any format known here") : reason));
    default: break;
    }
    Fail(failure.subject, reason);
}

void UsageError(const std::string& what)
{
    throw CliError(QString(), what, kWrongUsage);
}

void Warn(const QString& file, const std::string& what)
{
    PrintLocal(stderr, "velmora-pac: " + Local(file) + ": warning: " + what + "\n");
}

std::vector<uint8_t> ReadWholeFile(const QString& path, int64_t maxBytes)
{
    Result<std::vector<uint8_t>> file = velmora::ReadWholeFile(path, maxBytes);
    if (!file)
        Fail(file.failure());
    return std::move(file).value();
}

void SaveWholeFile(const QString& path, std::span<const uint8_t> bytes)
{
    if (const Result<void> written = WriteWholeFile(path, bytes); !written)
        Fail(written.failure());
}

void SaveRoom(const QString& path, const Room& room)
{
    const std::vector<uint8_t> header = ReadHeaderTemplate();
    std::vector<uint8_t> file;
    try {
        file = WriteRoomFile(header, room.texts, room.pictures);
    } catch (const FormatError& e) {
        Fail(path, e.what());
    }
    SaveWholeFile(path, file);
}

QString ProgramFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString StandardPalettePath()
{
    return velmora::StandardPalettePath(ProgramFolder());
}

std::vector<uint8_t> ReadHeaderTemplate()
{
    Result<std::vector<uint8_t>> bytes = velmora::ReadHeaderTemplate(ProgramFolder());
    if (!bytes)
        Fail(bytes.failure().subject, Local(bytes.failure().reason));
    return std::move(bytes).value();
}

std::optional<std::array<uint8_t, 1024>> ReadStandardPalette(std::string& problem)
{
    const Result<std::array<uint8_t, 1024>> palette = velmora::ReadStandardPalette(StandardPalettePath());
    if (!palette) {
        problem = Local(palette.failure().reason);
        return std::nullopt;
    }
    return palette.value();
}

Room ReadRoom(const QString& path)
{
    const std::vector<uint8_t> file = ReadWholeFile(path, static_cast<int64_t>(kRoomMaxFileSize));
    try {
        return ReadRoomFile(file);
    } catch (const FormatError& e) {
        Fail(path, e.what());
    }
}

QString SlotFileName(int slot)
{
    return QStringLiteral("%1-%2.bmp")
        .arg(slot, 2, 10, QLatin1Char('0'))
        .arg(QString::fromLatin1(PartSlotTable::BoxName(slot).data(),
                                 static_cast<qsizetype>(PartSlotTable::BoxName(slot).size())));
}

TextConversion::TextConversion(const QString& encoding)
{
    if (encoding.isEmpty())
        return;
    encoding_ = encoding.toLatin1();
    if (!RoomTextCodec::IsKnown(*encoding_))
        UsageError("unknown text encoding \"" + Local(encoding) + "\"");
}

std::string TextConversion::toUser(const std::string& roomBytes) const
{
    if (!encoding_)
        return roomBytes;
    return RoomTextCodec(*encoding_).decode(roomBytes).toLocal8Bit().toStdString();
}

std::string TextConversion::toRoom(const std::string& userBytes, const QString& file) const
{
    if (!encoding_)
        return userBytes;
    const RoomTextCodec codec(*encoding_);
    const QString text = QString::fromLocal8Bit(QByteArray::fromStdString(userBytes));
    if (!codec.canEncode(text))
        Fail(file, "the text holds characters that " + encoding_->toStdString() + " cannot hold");
    return codec.encode(text);
}

}  // namespace velmora::pac
