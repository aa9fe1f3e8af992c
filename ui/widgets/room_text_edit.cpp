#include "ui/widgets/room_text_edit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextCursor>
#include <QToolTip>

namespace velmora {

RoomTextEdit::RoomTextEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    setAttribute(Qt::WA_InputMethodEnabled, true);
}

void RoomTextEdit::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    emit focusLeft();
}

QString RoomTextEdit::text() const
{
    // The raw text keeps every character; only the separators between
    // blocks (and of frames, which a plain text field never has) are line
    // breaks.
    QString text = document()->toRawText();
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar(0xfdd0) || c == QChar(0xfdd1))
            c = QLatin1Char('\n');
    }
    return text;
}

size_t RoomTextEdit::freeBytes() const
{
    const QTextCursor cursor = textCursor();
    QString rest = text();
    rest.remove(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart());
    const size_t used = codec_.byteSize(rest);
    return used >= kMaxBytes ? 0 : kMaxBytes - used;
}

void RoomTextEdit::setLimitText(const QString& text)
{
    limitText_ = text;
    setToolTip(text);
}

void RoomTextEdit::showLimit()
{
    if (!limitText_.isEmpty())
        QToolTip::showText(mapToGlobal(cursorRect().bottomLeft()), limitText_, this);
}

bool RoomTextEdit::event(QEvent* event)
{
    // Left unanswered, the override lets the window's shortcut take the key
    // instead of the field's own cut, select-all and so on.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QKeySequence& shortcut : menuShortcuts_) {
            if (shortcut.matches(pressed) == QKeySequence::ExactMatch) {
                event->ignore();
                return true;
            }
        }
    }
    return QPlainTextEdit::event(event);
}

void RoomTextEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    const QString text = event->text();
    // Ctrl with a letter is an editing key; Ctrl+Alt is AltGr typing a character.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool editingKey = (modifiers & Qt::MetaModifier) ||
                            ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier));
    const bool inserts = !text.isEmpty() && text.at(0).isPrint() && !editingKey;
    if (inserts) {
        const QString fitted = codec_.fitPrefix(text, freeBytes());
        if (fitted != text)
            showLimit();
        if (fitted.isEmpty()) {
            event->accept();
            return;
        }
        if (fitted != text) {
            QKeyEvent shorter(event->type(), event->key(), event->modifiers(), fitted, event->isAutoRepeat(),
                              static_cast<quint16>(fitted.size()));
            QPlainTextEdit::keyPressEvent(&shorter);
            event->setAccepted(shorter.isAccepted());
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void RoomTextEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    if (!commit.isEmpty()) {
        const QString fitted = codec_.fitPrefix(commit, freeBytes());
        if (fitted != commit) {
            showLimit();
            QInputMethodEvent shorter(event->preeditString(), event->attributes());
            shorter.setCommitString(fitted, event->replacementStart(), event->replacementLength());
            QPlainTextEdit::inputMethodEvent(&shorter);
            event->setAccepted(shorter.isAccepted());
            return;
        }
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void RoomTextEdit::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    QString text = source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QString fitted = codec_.fitPrefix(text, freeBytes());
    if (fitted != text)
        showLimit();
    if (!fitted.isEmpty())
        insertPlainText(fitted);
}

}  // namespace velmora
