// The recovery file: the unsaved room, its texts and its file name, written
// aside shortly after each change so that a crash loses nothing. Each running
// editor has a file of its own, held with a lock; a file whose lock nobody
// holds was left by an editor that stopped.
#pragma once

#include "common/result.h"
#include "document/document_data.h"

#include <QLockFile>
#include <QString>
#include <QStringList>

#include <memory>

namespace velmora {

class RoomRecovery {
public:
    // An empty folder means the user's data folder.
    explicit RoomRecovery(QString folder);
    ~RoomRecovery();

    // This editor's file, written whole.
    Result<void> save(const DocumentData& data);
    void remove();
    // This editor's file, whether written yet or not.
    QString file() const { return path_; }

    // The newest file of a stopped editor not taken before, its lock now
    // held by us until it is discarded or set aside; empty when there is none.
    QString takeOrphan();
    // The room a file holds; Damaged, TooLarge or CannotOpen with the
    // reason when it cannot be read.
    static Result<DocumentData> read(const QString& path);
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
