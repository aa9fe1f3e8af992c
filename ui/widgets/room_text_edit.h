// A text field of the room (name, comment, copyright): several lines, no
// line break from the Enter key, at most 127 bytes in the room's encoding.
// It shows the room document's text; the window sends its edits there.
#pragma once

#include "common/room_text_codec.h"
#include "core/room/room_file.h"

#include <QKeySequence>
#include <QList>
#include <QPlainTextEdit>

namespace velmora {

class RoomTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit RoomTextEdit(QWidget* parent = nullptr);

    // The encoding the byte limit counts in.
    void setCodec(RoomTextCodec codec) { codec_ = std::move(codec); }

    // Keys the window's menu answers; the field leaves them to the menu.
    void setMenuShortcuts(QList<QKeySequence> keys) { menuShortcuts_ = std::move(keys); }

    static constexpr size_t kMaxBytes = kRoomTextMax;

    // The text as the field holds it. toPlainText() is not: it turns
    // non-breaking spaces into plain ones, so a room's own characters would
    // change under an edit of something else.
    QString text() const;

    // Why the field stops taking characters: its tooltip, and shown at the
    // cursor when typing, pasting or an input method is cut short.
    void setLimitText(const QString& text);

signals:
    // Focus went elsewhere: the run of typing in this field has ended.
    void focusLeft();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Bytes still free when the selection is replaced.
    size_t freeBytes() const;
    void showLimit();

    RoomTextCodec codec_;
    QString limitText_;
    QList<QKeySequence> menuShortcuts_;
};

}  // namespace velmora
