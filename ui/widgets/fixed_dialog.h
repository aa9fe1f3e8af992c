// A modal dialog of the main window as the editor's dialogs are drawn: a
// fixed border, a fixed client size, centred on the screen, and no default
// or cancel button. Its handlers run as commands of the main window, so an
// error inside one is shown in the error box and the dialog goes on.
#pragma once

#include "ui/widgets/dialog_font.h"

#include <QDialog>

#include <functional>

class QPushButton;

namespace velmora {

class EditorContext;

class FixedDialog : public QDialog {
    Q_OBJECT
public:
    FixedDialog(EditorContext& editor, QSize clientSize);

    // Applies the texts of the labels list and fills the dialog; runs each
    // time the dialog is shown.
    virtual void FormShow() = 0;

protected:
    // A push button that Enter presses only while it has the focus.
    QPushButton* addButton(const char* name, const QString& caption, const QRect& place);
    // Runs a handler as a command of the main window.
    void runHandler(const std::function<void()>& handler);

    void showEvent(QShowEvent* event) override;
    // Enter acts only on a focused button; Escape does nothing: there is no
    // default button to press and no cancel button to close with.
    void keyPressEvent(QKeyEvent* event) override;

    EditorContext& editor_;
};

}  // namespace velmora
