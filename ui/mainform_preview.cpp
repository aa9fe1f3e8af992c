// The check dialog and the paste parts dialog, opened from the main window.
#include "ui/mainform.h"

#include "ui/dialogs/paste_parts_form.h"
#include "ui/dialogs/check_form.h"

namespace velmora {

void TMainForm::ShowCheckClick()
{
    TCheckForm form(*this);
    form.exec();
}

void TMainForm::PastePartsClick()
{
    TPastePartsForm form(*this);
    if (form.exec() == QDialog::Accepted)
        setModified(true);
}

}  // namespace velmora
