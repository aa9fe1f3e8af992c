#include "document/room_document.h"

#include "document/document_data.h"
#include "document/room_commands.h"

#include "core/room/default_room.h"

#include <QUndoStack>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace velmora {

namespace {

void CheckSlot(int slot)
{
    if (!PartSlotTable::IsValidSlot(slot))
        throw std::out_of_range("No picture slot " + std::to_string(slot));
}

void CheckField(int field)
{
    if (field < 0 || field >= RoomDocument::kTextCount)
        throw std::out_of_range("No room text " + std::to_string(field));
}

}  // namespace

RoomDocument::RoomDocument(const QByteArray& encoding, QObject* parent)
    : QObject(parent), pictures_(DefaultRoomPictures()), codec_(encoding), history_(new QUndoStack(this))
{
    history_->setUndoLimit(kHistorySteps);
    connect(history_, &QUndoStack::indexChanged, this, &RoomDocument::historyChanged);
    connect(history_, &QUndoStack::cleanChanged, this, &RoomDocument::cleanChanged);
}

RoomDocument::~RoomDocument() = default;

const Bitmap& RoomDocument::picture(int slot) const
{
    CheckSlot(slot);
    return pictures_[static_cast<size_t>(slot)];
}

const DocumentText& RoomDocument::text(int field) const
{
    CheckField(field);
    return texts_[static_cast<size_t>(field)];
}

QString RoomDocument::shownText(int field) const
{
    return ShownText(text(field), codec_);
}

void RoomDocument::setTextEncoding(const QByteArray& encoding)
{
    RoomTextCodec next(encoding);
    if (next.encoding() == codec_.encoding())
        return;
    std::array<QString, kTextCount> shown;
    for (int field = 0; field < kTextCount; ++field)
        shown[static_cast<size_t>(field)] = shownText(field);
    codec_ = std::move(next);
    emit textEncodingChanged();
    for (int field = 0; field < kTextCount; ++field)
        if (shownText(field) != shown[static_cast<size_t>(field)])
            emit textChanged(field);
}

bool RoomDocument::changeSlots(const QString& stepName, std::vector<SlotPicture> changes)
{
    if (changes.empty())
        return false;
    for (const SlotPicture& change : changes)
        CheckSlot(change.slot);
    history_->push(new ReplaceSlotsCommand(*this, stepName, std::move(changes)));
    return true;
}

bool RoomDocument::editText(int field, const QString& shown, const QString& stepName)
{
    const DocumentText& before = text(field);
    DocumentText after = EditedText(before, shown, codec_);
    if (after == before)
        return false;
    history_->push(new EditTextCommand(*this, stepName, field, typingRun_, before, std::move(after)));
    return true;
}

void RoomDocument::endTypingRun()
{
    ++typingRun_;
}

void RoomDocument::undo()
{
    ++typingRun_;
    history_->undo();
}

void RoomDocument::redo()
{
    ++typingRun_;
    history_->redo();
}

void RoomDocument::openRoom(Room room, const QString& path)
{
    std::array<DocumentText, kTextCount> texts = {DocumentText{std::move(room.texts.name), std::nullopt},
                                                  DocumentText{std::move(room.texts.comment), std::nullopt},
                                                  DocumentText{std::move(room.texts.copyright), std::nullopt}};
    replaceAll(std::move(room.pictures), std::move(texts), path, false);
}

void RoomDocument::restore(DocumentData data)
{
    const bool encodingChanged = data.textEncoding && RoomTextCodec::IsKnown(*data.textEncoding) &&
                                 *data.textEncoding != codec_.encoding();
    if (encodingChanged)
        codec_ = RoomTextCodec(*data.textEncoding);
    replaceAll(std::move(data.pictures), std::move(data.texts), data.filePath, data.unsaved);
    if (encodingChanged)
        emit textEncodingChanged();
}

void RoomDocument::replaceAll(RoomPictures pictures, std::array<DocumentText, kTextCount> texts,
                              const QString& path, bool unsaved)
{
    pictures_ = std::move(pictures);
    texts_ = std::move(texts);
    ++typingRun_;
    const bool pathChanged = path != filePath_;
    filePath_ = path;
    // A new room, a new history; views asked by its signals find the new
    // room. An empty history is not cleared, so its clean state is set here.
    history_->clear();
    if (unsaved)
        history_->resetClean();
    else
        history_->setClean();
    emit roomReplaced();
    if (pathChanged)
        emit filePathChanged(filePath_);
}

DocumentData RoomDocument::data() const
{
    return DocumentData{filePath_, codec_.encoding(), texts_, pictures_, hasUnsavedChanges()};
}

Result<RoomTexts> RoomDocument::textsToSave() const
{
    std::array<std::string, kTextCount> bytes;
    for (int field = 0; field < kTextCount; ++field) {
        Result<std::string> saved = BytesToSave(texts_[static_cast<size_t>(field)], codec_);
        if (!saved) {
            Failure failure = saved.failure();
            failure.subject = QString::fromLatin1(codec_.encoding());
            failure.item = field;
            return failure;
        }
        bytes[static_cast<size_t>(field)] = std::move(saved).value();
    }
    return RoomTexts{std::move(bytes[0]), std::move(bytes[1]), std::move(bytes[2])};
}

void RoomDocument::markSaved(const QString& path)
{
    // Not a change of the room: each text shows what it showed, now as the
    // bytes just written, which the next save gives back exactly.
    for (DocumentText& text : texts_)
        if (text.typed && codec_.canEncode(*text.typed))
            text = DocumentText{codec_.encode(*text.typed), std::nullopt};
    history_->setClean();
    setFilePath(path);
}

void RoomDocument::markUnsaved()
{
    history_->resetClean();
}

bool RoomDocument::hasUnsavedChanges() const
{
    return !history_->isClean();
}

bool RoomDocument::picturesChangedSinceClean() const
{
    const int clean = history_->cleanIndex();
    if (clean < 0)
        return true;
    const int index = history_->index();
    for (int i = std::min(clean, index); i < std::max(clean, index); ++i)
        if (dynamic_cast<const ReplaceSlotsCommand*>(history_->command(i)))
            return true;
    return false;
}

void RoomDocument::putPictures(const std::vector<SlotPicture>& pictures)
{
    QList<int> changed;
    for (const SlotPicture& change : pictures) {
        pictures_[static_cast<size_t>(change.slot)] = change.picture;
        if (!changed.contains(change.slot))
            changed.append(change.slot);
    }
    emit slotsChanged(changed);
}

void RoomDocument::putText(int field, const DocumentText& text)
{
    texts_[static_cast<size_t>(field)] = text;
    emit textChanged(field);
}

void RoomDocument::setFilePath(const QString& path)
{
    if (path == filePath_)
        return;
    filePath_ = path;
    emit filePathChanged(filePath_);
}

}  // namespace velmora
