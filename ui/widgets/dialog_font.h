// The designed font of the dialogs, and the face the labels list puts on it.
#pragma once

#include <QFont>

class QWidget;

namespace velmora {

// "MS Sans Serif" at the main window's pixel size; where that face is
// missing the system picks its own.
QFont DesignFont();

// Changes only the face of a widget's font, keeping its size. A face that is
// not installed is kept as the first choice, followed by the system's face.
void SetFace(QWidget* widget, const QString& face);

}  // namespace velmora
