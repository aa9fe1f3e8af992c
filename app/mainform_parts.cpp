// Commands of the part popup menu.
#include "mainform.h"

namespace velmora {

void TMainForm::PopupMenuPopup() {}

void TMainForm::OpenPFileClick() {}

void TMainForm::SavePFileClick() {}

void TMainForm::CopyImageClick() {}

void TMainForm::CreateMaskClick() {}

void TMainForm::CopyDataClick() {}

}  // namespace velmora
