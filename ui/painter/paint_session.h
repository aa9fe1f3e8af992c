// What the painter edits: one slot of the room document seen as a painter's
// picture, and the room composed beside it. A stroke draws on a working copy
// of the room's pictures, so the composed room follows every dab; the
// document changes once, when the stroke ends, as one step of its history.
#pragma once

#include "core/paint/paint_picture.h"
#include "core/paint/selection.h"
#include "core/paint/stroke.h"
#include "core/render/prepared_room.h"

#include <QList>
#include <QObject>
#include <QString>

#include <bitset>
#include <optional>
#include <set>

namespace velmora {

class RoomDocument;

enum class PaintTool { Pencil, Eraser, Line, Rectangle, FilledRectangle, Ellipse, FilledEllipse, Fill, Picker, Select };

// A press of the mouse on the picture with a tool.
struct ToolPress {
    PaintTool tool = PaintTool::Pencil;
    PaintValue value = 0;       // the colour the button paints with
    bool pixelPerfect = false;  // the pencil's option
    bool shift = false;         // constrain a shape; Shift+click lines and fills
    bool control = false;       // a selection drag copies
    QString stepName;           // the step the stroke becomes
};

class PaintSession : public QObject {
    Q_OBJECT
public:
    explicit PaintSession(RoomDocument& document, QObject* parent = nullptr);

    int slot() const { return slot_; }
    // Edits `slot` (0-39) from now on; a stroke in progress ends first.
    void setSlot(int slot);
    // A mask slot opened alone: painted in two values, black and see-through.
    bool maskAlone() const;
    const PaintPicture& picture() const { return picture_; }
    // The colours the picture uses.
    std::bitset<256> usedColours() const;
    // The value a colour paints with here: any colour is "opaque" on a mask alone.
    PaintValue paintValue(PaintValue colour) const;

    // The room's pictures with the stroke so far, and the room composed from them.
    const RoomPictures& pictures() const { return working_; }
    const PreviewState& look() const { return look_; }
    void setLook(const PreviewState& look);
    const Bitmap& composedRoom() const { return composed_; }

    void press(const ToolPress& press, PixelPoint at);
    void move(PixelPoint at);
    // Ends the stroke: what it changed becomes one step of the document.
    void release();
    bool stroking() const { return drag_ != Drag::None; }

    const PixelRect& selection() const { return selection_; }
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

signals:
    // Pixels of the picture changed inside `area`.
    void pictureChanged(const PixelRect& area);
    // A new picture: another slot, or the document changed it.
    void pictureReplaced();
    void roomComposed();
    void selectionChanged();
    // A stroke ended or the document changed: the picture is settled.
    void settled();

private:
    enum class Drag { None, Stroke, Shape, Selecting, MovingSelection };

    void apply(const PixelRect& area);
    void commit(const QString& stepName);
    void abandonStroke();
    void compose();
    void readPicture();
    void documentSlotsChanged(const QList<int>& changed);
    void documentReplaced();
    void setSelection(const PixelRect& area);
    void drawShape(PixelPoint at);

    RoomDocument& document_;
    RoomPictures working_;
    PreparedRoom prepared_;
    PreviewState look_;
    Bitmap composed_;
    int slot_ = 4;
    PaintPicture picture_;

    Drag drag_ = Drag::None;
    ToolPress press_;
    PixelPoint start_;
    std::optional<PencilStroke> stroke_;
    std::optional<DragPreview> preview_;
    PixelRect selectionAtPress_;
    std::optional<PixelPoint> lastPoint_;  // where the last pencil stroke ended
    std::set<int> changedSlots_;           // by the stroke so far
    bool committing_ = false;

    PixelRect selection_;
    PaintPicture clipboard_;
};

}  // namespace velmora
