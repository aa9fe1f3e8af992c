// The About box: the program's name, version and copyright.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace velmora {

class EditorContext;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(EditorContext& editor);

    // Labels the box from the editor's labels list.
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    EditorContext& editor_;
    QFrame* Bevel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* ApName = nullptr;
    QLabel* Version = nullptr;
    QLabel* VersinNo = nullptr;
    QLabel* Copyright = nullptr;
    QPushButton* Button1 = nullptr;
};

}  // namespace velmora
