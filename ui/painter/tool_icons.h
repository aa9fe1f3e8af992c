// The pictures of the painter's tools, drawn here pixel by pixel.
#pragma once

#include <QIcon>

namespace velmora {

// The icon named in the tool table ("pencil", ...), at 16 and 32 pixels;
// an empty icon for a name it does not know.
QIcon ToolIcon(const char* name);

}  // namespace velmora
