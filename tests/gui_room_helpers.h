// Files and room snapshots for the GUI tests of the file and part commands.
#pragma once

#include "ui/mainform.h"
#include "core/image/bmp.h"
#include "core/room/room_file.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <stdexcept>
#include <vector>

namespace velmora::test {

inline std::vector<uint8_t> ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    const QByteArray data = file.readAll();
    return std::vector<uint8_t>(data.begin(), data.end());
}

inline void WriteBytes(const QString& path, std::span<const uint8_t> bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size()))
        throw std::runtime_error("cannot write " + path.toStdString());
}

// Everything a failed command must leave as it was.
struct RoomState {
    std::vector<Bitmap> pictures;
    RoomTexts texts;
    bool modified = false;
    bool unsaved = false;

    static RoomState Of(const TMainForm& form)
    {
        RoomState s;
        for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot)
            s.pictures.push_back(form.slotPicture(slot));
        s.texts = form.roomTexts();
        s.modified = form.modified();
        s.unsaved = form.hasUnsavedChanges();
        return s;
    }

    // The first difference, or empty when none.
    QString differenceFrom(const RoomState& other) const
    {
        for (size_t slot = 0; slot < pictures.size(); ++slot)
            if (!pictures[slot].samePicture(other.pictures[slot]))
                return QStringLiteral("picture of slot %1").arg(slot);
        if (!(texts == other.texts))
            return QStringLiteral("texts");
        if (modified != other.modified)
            return QStringLiteral("modified flag");
        if (unsaved != other.unsaved)
            return QStringLiteral("unsaved changes");
        return {};
    }
};

// The files in a folder, for checking that nothing was left behind.
inline QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

}  // namespace velmora::test
