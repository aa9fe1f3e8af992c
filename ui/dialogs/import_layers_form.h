// The import of a layered picture: which layer replaces which part, and
// what the cut leaves out, shown before anything changes.
#pragma once

#include "ui/widgets/fixed_dialog.h"

#include "core/layers/room_scene.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QSpinBox;
class QPushButton;
class QTreeWidget;

namespace velmora {

class LanguageTexts;

// A warning of the cut in the chosen language.
QString LayerWarningText(const SceneWarning& warning, const LanguageTexts& texts);

class TImportLayersForm : public FixedDialog {
    Q_OBJECT
public:
    // The scene is cut into the room's pictures with the dialog's choices of
    // dithering and see-through alpha (at first the defaults of Import
    // picture), again at each change.
    TImportLayersForm(EditorContext& editor, Scene scene, QString stepName);

    void FormShow() override;
    ImportChoices choices() const;
    const SceneCut& cut() const { return cut_; }
    // Cuts the scene again with the choices shown, and lists what it gives.
    void SettingChange();
    // The parts and masks that differ from the room's, as one step; closes with OK.
    void OkBtnClick();

private:
    void showCut();

    Scene scene_;
    SceneCut cut_;
    QString stepName_;

    QTreeWidget* Layers = nullptr;
    QLabel* DitherLabel = nullptr;
    QComboBox* DitherSetting = nullptr;
    QLabel* AlphaLabel = nullptr;
    QSpinBox* AlphaSetting = nullptr;
    QLabel* WarningsCaption = nullptr;
    QPlainTextEdit* Warnings = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

}  // namespace velmora
