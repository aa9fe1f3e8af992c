// A modal dialog as the editor's dialogs are drawn: a fixed border, a fixed
// client size, centred on the screen, and no default or cancel button.
#pragma once

#include <QDialog>
#include <QFont>

class QPushButton;

namespace velmora {

// The face and size every dialog is designed with, before the labels list
// names the face (the main window makes the same choice of size).
QFont DesignFont();

// Sets the face of a widget's font, keeping its size.
void SetFontFace(QWidget* widget, const QString& face);

class FixedDialog : public QDialog {
    Q_OBJECT
public:
    FixedDialog(QWidget* parent, QSize clientSize);

protected:
    // A push button that Enter presses only while it has the focus.
    QPushButton* addButton(const char* name, const QString& caption, const QRect& place);

    void showEvent(QShowEvent* event) override;
    // Enter acts only on a focused button; Escape does nothing: there is no
    // default button to press and no cancel button to close with.
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace velmora
