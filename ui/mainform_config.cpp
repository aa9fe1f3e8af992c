// Config menu commands.
#include "ui/mainform.h"

#include "ui/dialogs/edset_dlg.h"
#include "ui/dialogs/langset_dlg.h"

#include "common/room_text_codec.h"

#include <QAction>

#include <algorithm>

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
    const QString name = QString::fromLatin1(Settings::kLanguage);
    if (const Result<void> written = settings_.write(name, languageCode_); !written) {
        showFailure(Attempt::UseSettings, written.failure());
        return;
    }
    try {
        applyTexts();
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));
        // A language without usable files would stop the next start too: go
        // back to the language that works.
        if (languageCode_ != previous) {
            languageCode_ = previous;
            if (const Result<void> written = settings_.write(name, languageCode_); !written) {
                showFailure(Attempt::UseSettings, written.failure());
                return;
            }
            applyTexts();
        }
    }
}

void TMainForm::TextEncodingSetClick()
{
    const QList<QByteArray> offered = RoomTextCodec::Offered();
    const QString system = TextOf(texts_, Text::SystemEncoding);
    QStringList items;
    for (const QByteArray& name : offered)
        items.append(name.isEmpty() ? system.arg(RoomTextCodec::SystemName()) : QString::fromLatin1(name));
    const int current = std::max<int>(0, static_cast<int>(offered.indexOf(document_->codec().encoding())));
    QString caption = TextEncodingSet->text();
    caption.remove(QLatin1Char('&'));
    const std::optional<int> chosen = prompts_->chooseItem(caption, items, current);
    if (!chosen || *chosen < 0 || *chosen >= offered.size())
        return;
    if (const Result<void> written =
            settings_.write(QString::fromLatin1(Settings::kTextEncoding), QString::fromLatin1(offered[*chosen]));
        !written) {
        showFailure(Attempt::UseSettings, written.failure());
        return;
    }
    document_->setTextEncoding(offered[*chosen]);
}

void TMainForm::DoubleClickSetClick()
{
    // The choices are named as the part menu names the two commands.
    const QStringList items = {StepName(TextOf(texts_, Text::EditPart)), StepName(TextOf(texts_, Text::Paint))};
    const std::optional<int> chosen =
        prompts_->chooseItem(StepName(DoubleClickSet->text()), items, doubleClickPaints() ? 1 : 0);
    if (!chosen || *chosen < 0 || *chosen >= items.size())
        return;
    const char* value = *chosen == 1 ? Settings::kDoubleClickPainter : Settings::kDoubleClickEditor;
    if (const Result<void> written =
            settings_.write(QString::fromLatin1(Settings::kDoubleClick), QString::fromLatin1(value));
        !written)
        showFailure(Attempt::UseSettings, written.failure());
}

}  // namespace velmora
