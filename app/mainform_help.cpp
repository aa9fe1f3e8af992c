// Help menu commands.
#include "mainform.h"

namespace velmora {

void TMainForm::ContentsClick() {}

void TMainForm::AboutClick() {}

}  // namespace velmora
