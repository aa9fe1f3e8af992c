#include "ui/painter/paint_session.h"

#include "document/room_document.h"

#include "core/image/palette.h"
#include "core/paint/paint_slots.h"
#include "core/paint/selection.h"
#include "core/paint/transform.h"
#include "core/room/slot_table.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <stdexcept>

namespace velmora {

PaintSession::PaintSession(RoomDocument& document, QObject* parent)
    : QObject(parent), document_(document), working_(document.pictures())
{
    prepared_.prepare(working_);
    compose();
    readPicture();
    connect(&document_, &RoomDocument::slotsChanged, this, &PaintSession::documentSlotsChanged);
    connect(&document_, &RoomDocument::roomReplaced, this, &PaintSession::documentReplaced);
}

bool PaintSession::maskAlone() const
{
    return PartSlotTable::IsMask(slot_);
}

PaintValue PaintSession::paintValue(PaintValue colour) const
{
    return maskAlone() && colour != kSeeThrough ? PaintValue{kBlackIndex} : colour;
}

std::bitset<256> PaintSession::usedColours() const
{
    std::bitset<256> used;
    for (PaintValue v : picture_.pixels)
        if (v < 256)
            used.set(v);
    return used;
}

void PaintSession::setSlot(int slot)
{
    if (!PartSlotTable::IsValidSlot(slot))
        throw std::out_of_range("No picture slot " + std::to_string(slot));
    release();
    if (slot == slot_)
        return;
    slot_ = slot;
    loop_.forgetLastPoint();
    loop_.setSelection(PixelRect{});
    readPicture();
    emit pictureReplaced();
    emit selectionChanged();
    emit settled();
}

void PaintSession::setLook(const PreviewState& look)
{
    if (look == look_)
        return;
    look_ = look;
    compose();
}

void PaintSession::readPicture()
{
    picture_ = ReadPaintPicture(working_, slot_);
}

void PaintSession::compose()
{
    ComposeRoom(prepared_, look_, composed_);
    emit roomComposed();
}

void PaintSession::apply(const PixelRect& area)
{
    if (area.empty())
        return;
    const PaintWriteBack written = WritePaintPicture(working_, slot_, picture_, area);
    for (int s : written.changedSlots) {
        prepared_.slotChanged(working_, s, written.area);
        changedSlots_.insert(s);
    }
    if (!written.changedSlots.empty())
        compose();
    emit pictureChanged(area);
}

void PaintSession::commit(const QString& stepName)
{
    if (changedSlots_.empty())
        return;
    std::vector<SlotPicture> changes;
    for (int s : changedSlots_)
        changes.push_back({s, working_[size_t(s)]});
    changedSlots_.clear();
    // The document hands back what the working copy already holds.
    const QScopedValueRollback<bool> committing(committing_, true);
    document_.changeSlots(stepName, std::move(changes));
}

void PaintSession::press(const ToolInput& input, PixelPoint at, const QString& stepName)
{
    release();
    stepName_ = stepName;
    ToolInput here = input;
    here.value = paintValue(input.value);
    here.other = paintValue(input.other);
    const PixelRect selection = loop_.selection();
    apply(loop_.press(here, at));
    noteSelection(selection);
    if (!loop_.active()) {  // a tool done at the press
        commit(stepName_);
        emit settled();
    }
}

void PaintSession::move(PixelPoint at)
{
    const PixelRect selection = loop_.selection();
    apply(loop_.move(at));
    noteSelection(selection);
}

void PaintSession::release()
{
    if (!loop_.active())
        return;
    const PixelRect selection = loop_.selection();
    loop_.release();
    noteSelection(selection);
    commit(stepName_);
    emit settled();
}

bool PaintSession::cancel()
{
    if (!loop_.active())
        return false;
    const PixelRect selection = loop_.selection();
    const PixelRect area = loop_.cancel();
    abandonStroke();
    readPicture();
    compose();
    noteSelection(selection);
    emit pictureChanged(area);
    emit settled();
    return true;
}

void PaintSession::abandonStroke()
{
    loop_.release();
    // What the stroke drew is dropped: those slots go back to the document's.
    for (int s : changedSlots_) {
        working_[size_t(s)] = document_.picture(s);
        prepared_.slotChanged(working_, s);
    }
    changedSlots_.clear();
}

void PaintSession::documentSlotsChanged(const QList<int>& changed)
{
    if (committing_)
        return;
    abandonStroke();
    for (int s : changed) {
        working_[size_t(s)] = document_.picture(s);
        prepared_.slotChanged(working_, s);
    }
    compose();
    readPicture();
    emit pictureReplaced();
    emit settled();
}

void PaintSession::documentReplaced()
{
    abandonStroke();
    working_ = document_.pictures();
    prepared_.prepare(working_);
    loop_.forgetLastPoint();
    compose();
    readPicture();
    setSelection(PixelRect{});
    emit pictureReplaced();
    emit settled();
}

void PaintSession::setSelection(const PixelRect& area)
{
    const PixelRect before = loop_.selection();
    loop_.setSelection(area);
    noteSelection(before);
}

void PaintSession::noteSelection(const PixelRect& before)
{
    if (!(loop_.selection() == before))
        emit selectionChanged();
}

void PaintSession::selectAll()
{
    release();
    setSelection(picture_.bounds());
}

void PaintSession::clearSelection()
{
    release();
    setSelection(PixelRect{});
}

void PaintSession::copySelection()
{
    release();
    if (!selection().empty())
        clipboard_ = CopyArea(picture_, selection());
}

void PaintSession::cutSelection(const QString& stepName)
{
    copySelection();
    deleteSelection(stepName);
}

void PaintSession::deleteSelection(const QString& stepName)
{
    release();
    if (selection().empty())
        return;
    apply(ClearArea(picture_, selection()));
    commit(stepName);
    emit settled();
}

void PaintSession::paste(const QString& stepName)
{
    release();
    if (!canPaste())
        return;
    PaintPicture block = clipboard_;
    for (PaintValue& v : block.pixels)
        v = paintValue(v);
    const PixelRect& selected = selection();
    const PixelPoint at = selected.empty() ? PixelPoint{0, 0} : PixelPoint{selected.x, selected.y};
    const PixelRect placed = PlaceBlock(picture_, block, at);
    apply(placed);
    setSelection(placed);
    commit(stepName);
    emit settled();
}

void PaintSession::transformSelection(const std::function<PaintPicture(const PaintPicture&)>& transform,
                                      const QString& stepName)
{
    release();
    const PixelRect area = selection().empty() ? picture_.bounds() : selection();
    const PaintPicture block = transform(CopyArea(picture_, area));
    const PixelRect cleared = ClearArea(picture_, area);
    const PixelRect placed = PlaceBlock(picture_, block, PixelPoint{area.x, area.y});
    apply(United(cleared, placed));
    if (!selection().empty())
        setSelection(placed);
    commit(stepName);
    emit settled();
}

void PaintSession::outlineSelection(PaintValue value, bool eightWay, const QString& stepName)
{
    release();
    apply(Outline(picture_, selection().empty() ? picture_.bounds() : selection(), paintValue(value), eightWay));
    commit(stepName);
    emit settled();
}

}  // namespace velmora
