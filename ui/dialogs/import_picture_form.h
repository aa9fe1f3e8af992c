// The import dialog: a picture of another size, or one the user wants to
// take in by other rules, shown beside what it becomes in its slot while the
// fitting, the dithering and the alpha threshold are chosen.
#pragma once

#include "core/edit/picture_convert.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace velmora {

class EditorContext;
class PictureView;

class TImportPictureForm : public QDialog {
    Q_OBJECT
public:
    // `picture` is to go into `slot`; `title` names the command that brought
    // it (Import picture, Paste picture). Opens on the choices last taken.
    TImportPictureForm(EditorContext& editor, RgbaPicture picture, int slot, const QString& title);

    ImportChoices choices() const;
    // What the picture becomes with the choices shown; nullopt while they
    // cannot take it (exact size, and the picture has another).
    const std::optional<SlotConversion>& result() const { return result_; }

    // Converts the picture anew with the choices shown.
    void SettingChange();
    // Closes with the result and keeps the choices for next time; without a
    // result it says why and stays open.
    void OkBtnClick();

private:
    void applyTexts();
    void readChoices();
    void writeChoices() const;

    EditorContext& editor_;
    RgbaPicture picture_;
    int slot_;
    std::optional<SlotConversion> result_;

    QLabel* OriginalLabel = nullptr;
    PictureView* OriginalView = nullptr;
    QLabel* ResultLabel = nullptr;
    PictureView* ResultView = nullptr;
    QLabel* ReasonLabel = nullptr;
    QLabel* FitLabel = nullptr;
    QComboBox* FitSetting = nullptr;
    QLabel* DitherLabel = nullptr;
    QComboBox* DitherSetting = nullptr;
    QLabel* AlphaLabel = nullptr;
    QSpinBox* AlphaSetting = nullptr;
    QDialogButtonBox* Buttons = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

}  // namespace velmora
