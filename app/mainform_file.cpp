// File menu commands.
#include "mainform.h"

namespace velmora {

void TMainForm::OpenRoomFileClick() {}

void TMainForm::SaveRoomFileClick() {}

}  // namespace velmora
