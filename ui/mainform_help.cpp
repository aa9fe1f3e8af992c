// Help menu commands.
#include "ui/mainform.h"

#include "ui/dialogs/about_box.h"
#include "ui/services/paths.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace velmora {

void TMainForm::ContentsClick()
{
    // A file named like the language counts as its folder.
    const bool languageHelp = QFileInfo::exists(HelpLanguagePath(programFolder_, languageCode_));
    const QString page =
        languageHelp ? HelpIndexPath(programFolder_, languageCode_) : HelpIndexPath(programFolder_);
    const QUrl url = QUrl::fromLocalFile(page);
    // What the viewer makes of the page is its business; no viewer at all
    // would leave the user waiting for nothing.
    const bool opened = environment_.openUrl ? environment_.openUrl(url) : QDesktopServices::openUrl(url);
    if (!opened)
        showWarningText(TextOf(texts_, Text::HelpNotShown) +
                        QLatin1Char('\n') + QDir::toNativeSeparators(page));
}

void TMainForm::AboutClick()
{
    TAboutBox box(*this);
    box.exec();
}

}  // namespace velmora
