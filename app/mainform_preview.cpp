// The check dialog and the paste parts dialog, opened from the main window.
#include "mainform.h"

namespace velmora {

void TMainForm::ShowCheckClick() {}

void TMainForm::PastePartsClick() {}

}  // namespace velmora
