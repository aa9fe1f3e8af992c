// Typing into widgets: text that has no key on a keyboard layout (CJK,
// accents), one key event per character as an input method would deliver
// it, and the focus put into a text field of a window.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QString>
#include <QTest>
#include <QWidget>

namespace velmora::test {

inline void TypeText(QWidget* widget, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, n);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
        QCoreApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
        QCoreApplication::sendEvent(widget, &release);
        i += n - 1;
    }
}

// Shows the window, makes it active and gives the named text field the
// focus, so that keys reach the field as a user's would, shortcuts and all;
// null when the window never became active.
inline QPlainTextEdit* FocusField(QWidget& window, const char* name)
{
    window.show();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window))
        return nullptr;
    auto* field = window.findChild<QPlainTextEdit*>(name);
    field->setFocus();
    QCoreApplication::processEvents();
    return field;
}

}  // namespace velmora::test
