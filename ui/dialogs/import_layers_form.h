// The import of a layered picture: which layer replaces which part, and
// what the cut leaves out, shown before anything changes.
#pragma once

#include "ui/widgets/fixed_dialog.h"

#include "core/layers/room_scene.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace velmora {

class LanguageTexts;

// A warning of the cut in the chosen language.
QString LayerWarningText(const SceneWarning& warning, const LanguageTexts& texts);

class TImportLayersForm : public FixedDialog {
    Q_OBJECT
public:
    TImportLayersForm(EditorContext& editor, SceneCut cut, QString stepName);

    void FormShow() override;
    // The parts and masks that differ from the room's, as one step; closes with OK.
    void OkBtnClick();

private:
    SceneCut cut_;
    QString stepName_;

    QTreeWidget* Layers = nullptr;
    QLabel* WarningsCaption = nullptr;
    QPlainTextEdit* Warnings = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

}  // namespace velmora
