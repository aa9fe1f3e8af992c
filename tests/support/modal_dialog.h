// Driving the program's dialogs in tests.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>

namespace velmora::test {

// The control of that name; a test that asks for a control that is not
// there cannot go on.
template <class T>
T* Child(QWidget& parent, const char* name)
{
    auto* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}

// For a dialog that a command shows with exec(): the body runs once the
// dialog is up, and the dialog is closed afterwards if the body left it
// open, so a failing check can never leave the test waiting.
template <class Dialog>
void WhenShown(std::function<void(Dialog&)> body)
{
    QTimer::singleShot(0, [body = std::move(body)] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            QTest::qFail("the command showed no dialog of the expected kind", __FILE__, __LINE__);
            if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                other->reject();
            return;
        }
        body(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

}  // namespace velmora::test
