// Config menu commands.
#include "mainform.h"

namespace velmora {

void TMainForm::EditorSetClick() {}

void TMainForm::LanguageSetClick() {}

}  // namespace velmora
