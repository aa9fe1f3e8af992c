// The image-editor dialog: names the program the Edit command starts.
#pragma once

#include "ui/services/prompts.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace velmora {

class EditorContext;

class TEdSetDlg : public QDialog {
    Q_OBJECT
public:
    // `editor` gives the texts, the settings and the prompts.
    explicit TEdSetDlg(EditorContext& editor);

    // Labels the dialog and puts the stored editor path into the field.
    void FormShow();
    // Lets the user pick the editor's file.
    void OpnBtnClick();
    // Stores a non-empty path and closes; an empty field is refused silently.
    void OkBtnClick();

    // How the file dialog of OpnBtn is set up.
    const FileDialogSettings& openDialog() const { return OpenDialog; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    EditorContext& editor_;
    bool placed_ = false;
    QLineEdit* Editor = nullptr;
    QPushButton* OpnBtn = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    FileDialogSettings OpenDialog;
};

}  // namespace velmora
