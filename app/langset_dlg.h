// The language dialog: picks the language code from the language list file.
#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace velmora {

class TMainForm;

// The code a line of the language list stands for: at most two characters
// after its last blank; a line without a blank gives its first two
// characters, a line ending in a blank an empty code.
QString LanguageCodeOf(const QString& line);

class TLangSetDlg : public QDialog {
    Q_OBJECT
public:
    // `owner` shows the errors and receives the chosen code.
    explicit TLangSetDlg(TMainForm& owner);

    // Fills the list from the language list file and selects the first line.
    void FormShow();
    // Stores the selected line's code in the owner and closes the dialog.
    void OkBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TMainForm& owner_;
    QListWidget* LangList = nullptr;
    QPushButton* OkBtn = nullptr;
};

}  // namespace velmora
