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
    // OK changes the room picture as one step of the history.
    TPastePartsForm form(*this);
    form.exec();
}

}  // namespace velmora
