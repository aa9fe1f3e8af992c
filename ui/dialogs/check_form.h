// The check dialog: the room composed in a chosen state, shown at full
// size, and saved as a JPEG or BMP picture.
#pragma once

#include "ui/widgets/fixed_dialog.h"

#include "core/render/compose.h"
#include "core/render/prepared_room.h"
#include "core/image/bitmap.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace velmora {

class PixelView;

class TCheckForm : public FixedDialog {
    Q_OBJECT
public:
    // Builds the dialog as designed; texts and picture come when it is shown.
    explicit TCheckForm(EditorContext& editor);

    // The picture shown: 320x240, 8 bits, room palette.
    const Bitmap& picture() const { return picture_; }
    // The state the controls select now.
    PreviewState state() const;

    // Applies the texts of the labels list, then composes the first picture.
    void FormShow() override;
    // Composes the picture for the state of the controls.
    void LaBSettingClick();
    // Saves the picture shown as a JPEG or BMP file.
    void SaveBtnClick();
    // Opens the animation (or the sheet) of the room from the state shown.
    void ShareClick(bool animation);

private:
    Bitmap picture_;
    // The room as it was when the dialog was shown: the dialog is modal, so
    // the pictures cannot change while it is open.
    PreparedRoom room_;
    // The save dialog starts where it was left within one opening.
    int saveFilter_ = 0;
    QString saveName_;

    PixelView* CheckImage = nullptr;
    QLabel* TimeLabel = nullptr;
    QComboBox* TimeSetting = nullptr;
    QLabel* DoorLabel = nullptr;
    QComboBox* DoorSetting = nullptr;
    QLabel* TBoxLabel = nullptr;
    QComboBox* TBoxSetting = nullptr;
    QLabel* BedLabel = nullptr;
    QComboBox* BedSetting = nullptr;
    QCheckBox* LaBSetting = nullptr;
    QPushButton* SaveBtn = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* AnimateBtn = nullptr;
    QPushButton* SheetBtn = nullptr;
};

}  // namespace velmora
