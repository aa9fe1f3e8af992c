// The room being edited: its forty pictures, its three texts with their
// encoding, the file it belongs to and its history. Every view (the main
// window, its picture boxes and text fields, the painter, the check dialog)
// shows what the document holds and sends its edits here; each edit is a
// command on the history, and the command changes the document, which says
// what changed.
#pragma once

#include "common/result.h"
#include "common/room_text_codec.h"
#include "document/document_text.h"

#include "core/image/bitmap.h"
#include "core/room/room_file.h"

#include <QList>
#include <QObject>
#include <QString>

#include <array>
#include <vector>

class QUndoStack;

namespace velmora {

struct DocumentData;

// A picture for one slot, as an edit leaves it.
struct SlotPicture {
    int slot;
    Bitmap picture;
};

class RoomDocument : public QObject {
    Q_OBJECT
public:
    static constexpr int kTextCount = 3;  // name, comment, copyright note
    // Steps kept; older ones are dropped.
    static constexpr int kHistorySteps = 256;

    // The default room, no file, nothing unsaved. `encoding` as for
    // setTextEncoding.
    explicit RoomDocument(const QByteArray& encoding = {}, QObject* parent = nullptr);
    ~RoomDocument() override;

    const RoomPictures& pictures() const { return pictures_; }
    // Throws std::out_of_range for a slot that does not exist.
    const Bitmap& picture(int slot) const;
    // Throws std::out_of_range for a field that does not exist.
    const DocumentText& text(int field) const;
    QString shownText(int field) const;
    // The file the room was opened from or last saved as; empty for a new room.
    const QString& filePath() const { return filePath_; }

    // The code page of the texts, empty for the locale's. A change is no
    // step: texts not typed since the last open or save show their bytes in
    // the new encoding, typed ones stay as typed and are saved in it.
    // Throws std::invalid_argument for a name the converters do not know.
    const RoomTextCodec& codec() const { return codec_; }
    void setTextEncoding(const QByteArray& encoding);

    // Replaces the pictures of the slots named, all as one step named
    // `stepName`. A replacement counts even with an equal picture, as
    // loading the same file again does; only an empty list records nothing.
    // Returns whether a step was recorded.
    bool changeSlots(const QString& stepName, std::vector<SlotPicture> changes);
    // The field now shows `shown`. Edits of one field in one run of typing
    // make one step named `stepName`; an edit that leaves the text as it was
    // records nothing. Returns whether the text changed.
    bool editText(int field, const QString& shown, const QString& stepName);
    // The run of typing ends (the field lost focus): the next edit is a new step.
    void endTypingRun();
    void undo();
    void redo();

    // A room just opened from `path`: a new history, nothing unsaved.
    void openRoom(Room room, const QString& path);
    // A room brought back from a recovery file: a new history, unsaved as it was.
    void restore(DocumentData data);
    // What the recovery file keeps.
    DocumentData data() const;

    // The three texts as a save writes them; Unencodable, naming the field
    // in `item` and the encoding in `subject` (empty for the locale's), for
    // a typed character the encoding cannot hold.
    Result<RoomTexts> textsToSave() const;
    // The room was written to `path`: nothing is unsaved, typed texts become
    // the bytes written.
    void markSaved(const QString& path);
    // The room counts as changed until the next open or save.
    void markUnsaved();

    // The room differs from the last open or save.
    bool hasUnsavedChanges() const;
    // A step that changed pictures lies between the last open or save and
    // now (texts alone do not count); true when that point is out of reach.
    bool picturesChangedSinceClean() const;
    // The steps, for the Edit menu's captions (undoText, canUndo, ...).
    const QUndoStack& history() const { return *history_; }

signals:
    // Slots whose pictures a step, its undo or its redo replaced.
    void slotsChanged(const QList<int>& changedSlots);
    void textChanged(int field);
    void filePathChanged(const QString& path);
    void cleanChanged(bool clean);
    // The history moved: what Undo and Redo would do now.
    void historyChanged();
    void textEncodingChanged();
    // Everything is new (open, restore): views show the room afresh.
    void roomReplaced();

private:
    friend class ReplaceSlotsCommand;
    friend class EditTextCommand;

    // Only commands change pictures and texts.
    void putPictures(const std::vector<SlotPicture>& pictures);
    void putText(int field, const DocumentText& text);
    void setFilePath(const QString& path);
    void replaceAll(RoomPictures pictures, std::array<DocumentText, kTextCount> texts, const QString& path,
                    bool unsaved);

    RoomPictures pictures_;
    std::array<DocumentText, kTextCount> texts_{};
    RoomTextCodec codec_;
    QString filePath_;
    QUndoStack* history_;
    // Text edits merge only within one run; undo, redo and focus leaving
    // start a new one.
    int typingRun_ = 0;
};

}  // namespace velmora
