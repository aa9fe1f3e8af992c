// What the painter edits: one slot of the room document seen as a painter's
// picture, and the room composed beside it. The tool loop draws on a working
// copy of the room's pictures, so the composed room follows every dab; the
// document changes once, when the drag ends, as one step of its history.
#pragma once

#include "core/paint/paint_picture.h"
#include "core/paint/tool_loop.h"
#include "core/render/prepared_room.h"

#include <QList>
#include <QObject>
#include <QString>

#include <bitset>
#include <functional>
#include <set>

namespace velmora {

class RoomDocument;

class PaintSession : public QObject {
    Q_OBJECT
public:
    explicit PaintSession(RoomDocument& document, QObject* parent = nullptr);

    int slot() const { return slot_; }
    // Edits `slot` (0-39) from now on; a drag in progress ends first.
    void setSlot(int slot);
    // A mask slot opened alone: painted in two values, black and see-through.
    bool maskAlone() const;
    const PaintPicture& picture() const { return picture_; }
    // The colours the picture uses.
    std::bitset<256> usedColours() const;
    // The value a colour paints with here: any colour is "opaque" on a mask alone.
    PaintValue paintValue(PaintValue colour) const;

    // The room's pictures with the drag so far, and the room composed from them.
    const RoomPictures& pictures() const { return working_; }
    const PreviewState& look() const { return look_; }
    void setLook(const PreviewState& look);
    const Bitmap& composedRoom() const { return composed_; }

    // A press with a tool; the drag becomes the step `stepName` when it ends.
    void press(const ToolInput& input, PixelPoint at, const QString& stepName);
    void move(PixelPoint at);
    // Ends the drag: what it changed becomes one step of the document.
    void release();
    // Ends the drag leaving no step: the picture and the selection go back.
    // False when no drag was going on.
    bool cancel();

    const PixelRect& selection() const { return loop_.selection(); }
    void selectAll();
    void clearSelection();
    // The selection's pixels kept for pasting, in any slot.
    void copySelection();
    void cutSelection(const QString& stepName);
    void deleteSelection(const QString& stepName);
    // Places what was copied at the selection's corner (the picture's without
    // one) and selects it.
    void paste(const QString& stepName);
    bool canPaste() const { return clipboard_.width > 0; }
    // The selection (the whole picture without one) made into `transform`
    // of itself, placed at its corner and selected: one step.
    void transformSelection(const std::function<PaintPicture(const PaintPicture&)>& transform,
                            const QString& stepName);
    // An outline of `value` round the opaque pixels of the selection (the whole picture without one).
    void outlineSelection(PaintValue value, bool eightWay, const QString& stepName);

signals:
    // Pixels of the picture changed inside `area`.
    void pictureChanged(const PixelRect& area);
    // A new picture: another slot, or the document changed it.
    void pictureReplaced();
    void roomComposed();
    void selectionChanged();
    // A drag ended or the document changed: the picture is settled.
    void settled();

private:
    void apply(const PixelRect& area);
    void commit(const QString& stepName);
    void abandonStroke();
    void compose();
    void readPicture();
    void documentSlotsChanged(const QList<int>& changed);
    void documentReplaced();
    void setSelection(const PixelRect& area);
    void noteSelection(const PixelRect& before);

    RoomDocument& document_;
    RoomPictures working_;
    PreparedRoom prepared_;
    PreviewState look_;
    Bitmap composed_;
    int slot_ = 4;
    PaintPicture picture_;
    ToolLoop loop_{picture_};
    QString stepName_;
    std::set<int> changedSlots_;  // by the drag so far
    bool committing_ = false;
    PaintPicture clipboard_;
};

}  // namespace velmora
