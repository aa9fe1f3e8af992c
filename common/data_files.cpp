#include "common/data_files.h"

#include "common/file_bytes.h"
#include "core/room/room_file.h"

namespace velmora {

QString HeaderTemplatePath(const QString& programFolder)
{
    return programFolder + QStringLiteral("/VelmHead.dat");
}

QString StandardPalettePath(const QString& programFolder)
{
    return programFolder + QStringLiteral("/Velmpl.dat");
}

std::optional<std::vector<uint8_t>> ReadHeaderTemplate(const QString& programFolder, QString* problem)
{
    // Far above the template's size: a stray large file is not read.
    constexpr qint64 kReadLimit = qint64{1} << 20;
    ReadResult file = ReadWholeFile(HeaderTemplatePath(programFolder), kReadLimit);
    QString reason;
    if (file.status == ReadResult::Status::TooLarge || (file.ok() && file.bytes.size() != kRoomHeaderSize))
        reason = QStringLiteral("the header template is %1 bytes long, not %2").arg(file.size).arg(kRoomHeaderSize);
    else if (file.status == ReadResult::Status::CannotOpen)
        reason = QStringLiteral("cannot open the file: ") + file.error;
    else if (!file.ok())
        reason = QStringLiteral("cannot read the file: ") + file.error;
    if (reason.isEmpty())
        return std::move(file.bytes);
    if (problem)
        *problem = reason;
    return std::nullopt;
}

}  // namespace velmora
