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

void Fail(const QString& file, const std::string& what)
{
    throw CliError{file, what, kBadInput};
}

void UsageError(const std::string& what)
{
    throw CliError{QString(), what, kWrongUsage};
}

void Warn(const QString& file, const std::string& what)
{
    PrintLocal(stderr, "velmora-pac: " + Local(file) + ": warning: " + what + "\n");
}

std::vector<uint8_t> ReadWholeFile(const QString& path, int64_t maxBytes)
{
    velmora::ReadResult file = velmora::ReadWholeFile(path, maxBytes);
    switch (file.status) {
    case velmora::ReadResult::Status::Ok:
        return std::move(file.bytes);
    case velmora::ReadResult::Status::CannotOpen:
        Fail(path, "cannot open the file: " + Local(file.error));
    case velmora::ReadResult::Status::TooLarge:
        Fail(path, "the file is " + std::to_string(file.size) + " bytes long, more than the " +
                       std::to_string(maxBytes) + " bytes taken");
    case velmora::ReadResult::Status::ReadFailed:
        break;
    }
    Fail(path, "cannot read the file: " + Local(file.error));
}

void SaveWholeFile(const QString& path, std::span<const uint8_t> bytes)
{
    if (const std::optional<QString> error = WriteWholeFile(path, bytes))
        Fail(path, "cannot write the file: " + Local(*error));
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
    QString problem;
    std::optional<std::vector<uint8_t>> bytes = velmora::ReadHeaderTemplate(ProgramFolder(), &problem);
    if (!bytes)
        Fail(velmora::HeaderTemplatePath(ProgramFolder()), Local(problem));
    return std::move(*bytes);
}

std::optional<std::array<uint8_t, 1024>> ReadStandardPalette(std::string& problem)
{
    QString reason;
    auto palette = velmora::ReadStandardPalette(StandardPalettePath(), &reason);
    if (!palette)
        problem = Local(reason);
    return palette;
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
