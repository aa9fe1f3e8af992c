// The program's icon, compiled into the program in all its sizes.
#pragma once

#include <QIcon>

namespace velmora {

QIcon ProgramIcon();

}  // namespace velmora
