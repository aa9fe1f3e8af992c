// Help menu commands.
#include "ui/mainform.h"

#include "ui/dialogs/about_box.h"
#include "ui/services/paths.h"

#include <QDesktopServices>
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
    // What the viewer makes of it is not ours to report.
    if (environment_.openUrl)
        environment_.openUrl(url);
    else
        QDesktopServices::openUrl(url);
}

void TMainForm::AboutClick()
{
    TAboutBox box(*this);
    box.exec();
}

}  // namespace velmora
