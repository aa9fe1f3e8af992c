#include "ui/widgets/dialog_font.h"

#include <QWidget>

namespace velmora {

namespace {

// The design asks for a 12-pixel face narrower than the ones found here; 11
// pixels keep the captions within their designed widths, as in the main window.
constexpr int kFontPixelSize = 11;

}  // namespace

QFont DesignFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(kFontPixelSize);
    return font;
}

void SetFace(QWidget* widget, const QString& face)
{
    QFont font = widget->font();
    font.setFamily(face);
    widget->setFont(font);
}

}  // namespace velmora
