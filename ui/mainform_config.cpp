// Config menu commands, and the settings the window reads at start.
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

void TMainForm::readLanguageSetting()
{
    // A settings file that cannot be read or written ends the start.
    const Result<std::optional<QString>> code = settings_.read(QString::fromLatin1(Settings::kLanguage));
    if (!code)
        throw SettingsError(code.failure().reason.toStdString());
    if (code.value()) {
        languageCode_ = *code.value();
        return;
    }
    languageCode_ = QStringLiteral("en");
    if (const Result<void> written = settings_.write(QString::fromLatin1(Settings::kLanguage), languageCode_); !written)
        throw SettingsError(written.failure().reason.toStdString());
}

void TMainForm::readTextEncodingSetting()
{
    const Result<std::optional<QString>> setting = settings_.read(QString::fromLatin1(Settings::kTextEncoding));
    if (!setting)
        throw SettingsError(setting.failure().reason.toStdString());
    // A name this system's converters do not know (a setting written on
    // another machine) leaves the locale's encoding.
    const QByteArray name = setting.value().value_or(QString()).toLatin1();
    document_->setTextEncoding(RoomTextCodec::IsKnown(name) ? name : QByteArray());
}

}  // namespace velmora
