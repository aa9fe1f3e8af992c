// The recovery file: the unsaved room, its texts and its file name, written
// aside shortly after each change so that a crash loses nothing. Each running
// editor has a file of its own, held with a lock; a file whose lock nobody
// holds was left by an editor that stopped.
#pragma once

#include "ui/widgets/room_text_edit.h"

#include "core/room/room_file.h"

#include <QLockFile>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>

namespace velmora {

struct RecoveredRoom {
    QString roomPath;  // empty for a room never saved
    RoomPictures pictures;
    std::array<RoomTextEdit::State, 3> texts;
};

class RoomRecovery {
public:
    // An empty folder means the user's data folder.
    explicit RoomRecovery(QString folder);
    ~RoomRecovery();

    // This editor's file, written whole; the reason on failure.
    std::optional<QString> save(const RecoveredRoom& room);
    void remove();
    // This editor's file, whether written yet or not.
    QString file() const { return path_; }

    // The newest file of a stopped editor not taken before, its lock now
    // held by us until it is discarded or set aside; empty when there is none.
    QString takeOrphan();
    // Throws RecoveryFileError (or bad_alloc) with the reason when the file
    // cannot be read.
    static RecoveredRoom read(const QString& path);
    // Deletes the orphan taken.
    void discardOrphan();
    // Moves the orphan taken aside, out of the way of the next start, and
    // gives where it now lies.
    QString setOrphanAside();

private:
    void releaseOrphan();

    QString folder_;
    QString path_;
    std::unique_ptr<QLockFile> lock_;
    QString orphan_;
    std::unique_ptr<QLockFile> orphanLock_;
    QStringList taken_;
};

}  // namespace velmora
