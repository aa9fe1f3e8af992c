#include "common/data_files.h"

#include "common/file_bytes.h"
#include "core/room/room_file.h"

#include <QFile>

#include <algorithm>

namespace velmora {

QString HeaderTemplatePath(const QString& programFolder)
{
    return programFolder + QStringLiteral("/VelmHead.dat");
}

QString StandardPalettePath(const QString& programFolder)
{
    return programFolder + QStringLiteral("/Velmpl.dat");
}

Result<std::vector<uint8_t>> ReadHeaderTemplate(const QString& programFolder)
{
    // Far above the template's size: a stray large file is not read.
    constexpr qint64 kReadLimit = qint64{1} << 20;
    const QString path = HeaderTemplatePath(programFolder);
    Result<std::vector<uint8_t>> file = ReadWholeFile(path, kReadLimit);
    if (!file && file.failure().kind != FailureKind::TooLarge) {
        const QString doing = file.failure().kind == FailureKind::CannotOpen ? QStringLiteral("cannot open the file: ")
                                                                              : QStringLiteral("cannot read the file: ");
        return Failure{file.failure().kind, doing + file.failure().reason, path};
    }
    const qint64 size = file ? qint64(file->size()) : file.failure().numbers.at(0);
    if (size != qint64(kRoomHeaderSize))
        return Failure{FailureKind::WrongSize,
                       QStringLiteral("the header template is %1 bytes long, not %2").arg(size).arg(kRoomHeaderSize),
                       path, -1, {size, qint64(kRoomHeaderSize)}};
    return file;
}

Result<std::array<uint8_t, 1024>> ReadStandardPalette(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{FailureKind::CannotOpen,
                       QStringLiteral("cannot open the standard palette file: ") + file.errorString(), path};
    std::array<uint8_t, 1024> palette{};
    const qint64 got = std::max<qint64>(file.read(reinterpret_cast<char*>(palette.data()), qint64(palette.size())), 0);
    if (got != qint64(palette.size()))
        return Failure{FailureKind::WrongSize,
                       QStringLiteral("the standard palette file holds %1 bytes, not 1024").arg(got), path};
    return palette;
}

}  // namespace velmora
