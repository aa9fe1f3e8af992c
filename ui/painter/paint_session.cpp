#include "ui/painter/paint_session.h"

#include "document/room_document.h"

#include "core/image/palette.h"
#include "core/paint/fill.h"
#include "core/paint/paint_slots.h"
#include "core/paint/shapes.h"
#include "core/room/slot_table.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <stdexcept>

namespace velmora {

namespace {

// The pixels from a to b, both included, within `bounds`.
PixelRect RectBetween(PixelPoint a, PixelPoint b, const PixelRect& bounds)
{
    const int32_t left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    return Intersected(PixelRect{left, top, std::max(a.x, b.x) - left + 1, std::max(a.y, b.y) - top + 1}, bounds);
}

}  // namespace

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
    lastPoint_.reset();
    selection_ = PixelRect{};
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

void PaintSession::press(const ToolPress& press, PixelPoint at)
{
    release();
    press_ = press;
    press_.value = paintValue(press.value);
    start_ = at;
    switch (press.tool) {
    case PaintTool::Pencil:
    case PaintTool::Eraser: {
        drag_ = Drag::Stroke;
        const PaintValue value = press.tool == PaintTool::Eraser ? kSeeThrough : press_.value;
        stroke_.emplace(picture_, value, press.pixelPerfect && press.tool == PaintTool::Pencil);
        if (press.shift && lastPoint_) {
            apply(DrawLine(picture_, *lastPoint_, at, value));
            stroke_->to(at);  // the line painted it; the stroke goes on from here
        } else {
            apply(stroke_->to(at));
        }
        break;
    }
    case PaintTool::Line:
    case PaintTool::Rectangle:
    case PaintTool::FilledRectangle:
    case PaintTool::Ellipse:
    case PaintTool::FilledEllipse:
        drag_ = Drag::Shape;
        preview_.emplace(picture_);
        drawShape(at);
        break;
    case PaintTool::Fill:
        apply(press.shift ? ReplaceEverywhere(picture_, at, press_.value) : FloodFill(picture_, at, press_.value));
        commit(press.stepName);
        emit settled();
        break;
    case PaintTool::Select:
        if (selection_.contains(at.x, at.y)) {
            drag_ = Drag::MovingSelection;
            selectionAtPress_ = selection_;
            preview_.emplace(picture_);
        } else {
            drag_ = Drag::Selecting;
            setSelection(RectBetween(at, at, picture_.bounds()));
        }
        break;
    case PaintTool::Picker:
        break;  // the window picks; nothing changes here
    }
}

void PaintSession::drawShape(PixelPoint at)
{
    const PaintTool tool = press_.tool;
    const PixelPoint end = press_.shift && tool != PaintTool::Line ? ConstrainToSquare(start_, at) : at;
    const PaintValue value = press_.value;
    const PixelPoint start = start_;
    apply(preview_->update(picture_, [&](PaintPicture& picture) {
        switch (tool) {
        case PaintTool::Line: return DrawLine(picture, start, end, value);
        case PaintTool::Rectangle:
        case PaintTool::FilledRectangle:
            return DrawRectangle(picture, start, end, value, tool == PaintTool::FilledRectangle);
        default: return DrawEllipse(picture, start, end, value, tool == PaintTool::FilledEllipse);
        }
    }));
}

void PaintSession::move(PixelPoint at)
{
    switch (drag_) {
    case Drag::None: break;
    case Drag::Stroke: apply(stroke_->to(at)); break;
    case Drag::Shape: drawShape(at); break;
    case Drag::Selecting: setSelection(RectBetween(start_, at, picture_.bounds())); break;
    case Drag::MovingSelection: {
        const int32_t dx = at.x - start_.x, dy = at.y - start_.y;
        const PixelRect from = selectionAtPress_;
        const bool copy = press_.control;
        apply(preview_->update(picture_,
                               [&](PaintPicture& picture) { return MoveArea(picture, from, dx, dy, copy); }));
        setSelection(Intersected(PixelRect{from.x + dx, from.y + dy, from.width, from.height}, picture_.bounds()));
        break;
    }
    }
}

void PaintSession::release()
{
    const Drag drag = drag_;
    if (drag == Drag::None)
        return;
    drag_ = Drag::None;
    if (drag == Drag::Stroke)
        lastPoint_ = stroke_->last();
    stroke_.reset();
    preview_.reset();
    if (drag == Drag::Selecting && selection_.width == 1 && selection_.height == 1)
        setSelection(PixelRect{});  // a click without a drag selects nothing
    commit(press_.stepName);
    emit settled();
}

void PaintSession::abandonStroke()
{
    drag_ = Drag::None;
    stroke_.reset();
    preview_.reset();
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
    lastPoint_.reset();
    compose();
    readPicture();
    setSelection(PixelRect{});
    emit pictureReplaced();
    emit settled();
}

void PaintSession::setSelection(const PixelRect& area)
{
    const PixelRect next = area.empty() ? PixelRect{} : area;
    if (next == selection_)
        return;
    selection_ = next;
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
    if (!selection_.empty())
        clipboard_ = CopyArea(picture_, selection_);
}

void PaintSession::cutSelection(const QString& stepName)
{
    copySelection();
    deleteSelection(stepName);
}

void PaintSession::deleteSelection(const QString& stepName)
{
    release();
    if (selection_.empty())
        return;
    apply(ClearArea(picture_, selection_));
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
    const PixelPoint at = selection_.empty() ? PixelPoint{0, 0} : PixelPoint{selection_.x, selection_.y};
    const PixelRect placed = PlaceBlock(picture_, block, at);
    apply(placed);
    setSelection(placed);
    commit(stepName);
    emit settled();
}

}  // namespace velmora
