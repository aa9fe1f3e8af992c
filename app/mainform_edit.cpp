// The Edit command: a part in the external image editor.
#include "mainform.h"

namespace velmora {

void TMainForm::EditClick() {}

}  // namespace velmora
