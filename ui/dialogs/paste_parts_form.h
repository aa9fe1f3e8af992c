// The paste parts dialog: burns chosen furniture into the room picture,
// previewed first.
#pragma once

#include "ui/widgets/fixed_dialog.h"

#include "core/edit/mask_ops.h"
#include "core/image/bitmap.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace velmora {

class TPastePartsForm : public FixedDialog {
    Q_OBJECT
public:
    explicit TPastePartsForm(EditorContext& editor);

    // The room picture with the ticked parts drawn on it.
    const Bitmap& preview() const { return preview_; }
    PasteChoice choice() const;

    // Applies the texts, then shows the plain room picture.
    void FormShow() override;
    // Rebuilds the preview from the room picture and the ticked boxes.
    void BedCheckClick();
    // Puts the preview in place of the room picture and closes with OK.
    void OkBtnClick();

private:
    Bitmap preview_;

    QLabel* Image = nullptr;
    QCheckBox* BedCheck = nullptr;
    QCheckBox* TreasureboxCheck = nullptr;
    QCheckBox* TableCheck = nullptr;
    QCheckBox* MailboxCheck = nullptr;
    QCheckBox* BathtubCheck = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

}  // namespace velmora
