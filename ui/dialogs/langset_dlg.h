// The language dialog: picks the language code from the language list file.
#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace velmora {

class EditorContext;

// The code a line of the language list stands for: at most two characters
// after its last blank; a line without a blank gives its first two
// characters, a line ending in a blank an empty code.
QString LanguageCodeOf(const QString& line);

class TLangSetDlg : public QDialog {
    Q_OBJECT
public:
    // `editor` shows the errors and receives the chosen code.
    explicit TLangSetDlg(EditorContext& editor);

    // Fills the list from the language list file and selects the first line.
    void FormShow();
    // Stores the selected line's code in the editor and closes the dialog.
    void OkBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    EditorContext& editor_;
    QListWidget* LangList = nullptr;
    QPushButton* OkBtn = nullptr;
};

}  // namespace velmora
