// A text field of the room (name, comment, copyright): several lines, no
// line break from the Enter key, at most 127 bytes in the room's encoding.
// It gives back the bytes it was given for as long as the user has not
// changed it, so a text the locale cannot show survives open and save.
#pragma once

#include "common/room_text_codec.h"
#include "core/room/room_file.h"

#include <QKeySequence>
#include <QList>
#include <QPlainTextEdit>

#include <string>

namespace velmora {

class RoomTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit RoomTextEdit(QWidget* parent = nullptr);

    // Shows the bytes and clears the modified state.
    void setRoomBytes(const std::string& bytes);
    // The bytes given to setRoomBytes while unmodified, else the encoded text.
    std::string roomBytes() const;
    // Takes the current text as the unmodified state (after a save).
    void markUnmodified();
    bool isModified() const;
    // The encoding of the bytes; the shown text stays as it is.
    void setCodec(RoomTextCodec codec) { codec_ = std::move(codec); }
    // Whether the bytes given back hold the text exactly (an untouched
    // field always does).
    bool isEncodable() const;

    // Keys the window's menu answers; the field leaves them to the menu.
    void setMenuShortcuts(QList<QKeySequence> keys) { menuShortcuts_ = std::move(keys); }

    // Everything that decides what the field shows and gives back, for the
    // room's history and its recovery file.
    struct State {
        std::string originalBytes;
        QString text;
        bool modified = false;
        bool operator==(const State&) const = default;
    };
    State state() const { return {originalBytes_, toPlainText(), isModified()}; }
    // Shows the state with the cursor at the end of the text.
    void restore(const State& state);

    static constexpr size_t kMaxBytes = kRoomTextMax;

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
    std::string originalBytes_;
    QList<QKeySequence> menuShortcuts_;
};

}  // namespace velmora
