// Config menu commands.
#include "mainform.h"

#include "edset_dlg.h"
#include "langset_dlg.h"

namespace velmora {

void TMainForm::EditorSetClick()
{
    TEdSetDlg dialog(*this);
    dialog.exec();
}

void TMainForm::LanguageSetClick()
{
    const QString previous = languageCode_;
    {
        TLangSetDlg dialog(*this);
        dialog.exec();
    }
    // Written and applied whether or not the code changed.
    settings_.write(QString::fromLatin1(Settings::kLanguage), languageCode_);
    try {
        applyTexts();
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));
        // A language without usable files would stop the next start too: go
        // back to the language that works.
        if (languageCode_ != previous) {
            languageCode_ = previous;
            settings_.write(QString::fromLatin1(Settings::kLanguage), languageCode_);
            applyTexts();
        }
    }
}

}  // namespace velmora
