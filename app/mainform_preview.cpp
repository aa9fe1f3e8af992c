// The check dialog and the paste parts dialog, opened from the main window.
#include "mainform.h"

#include "edit/paste_parts_form.h"
#include "preview/check_form.h"

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
