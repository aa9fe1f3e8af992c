#include "ui/dialogs/langset_dlg.h"

#include "ui/services/language_texts.h"
#include "ui/widgets/dialog_font.h"
#include "ui/services/editor_context.h"
#include "ui/services/paths.h"

#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

namespace velmora {

namespace {

constexpr QPoint kScreenPosition{420, 276};
constexpr QSize kClientSize{170, 177};

}  // namespace

QString LanguageCodeOf(const QString& line)
{
    // No blank: lastIndexOf gives -1, so the code starts at the first character.
    return line.mid(line.lastIndexOf(QLatin1Char(' ')) + 1, 2);
}

TLangSetDlg::TLangSetDlg(EditorContext& editor)
    : QDialog(editor.dialogParent()), editor_(editor)
{
    setObjectName(QStringLiteral("LangSetDlg"));
    setWindowTitle(QStringLiteral("Language Settings"));
    setFont(DesignFont());
    setFixedSize(kClientSize);
    move(kScreenPosition);

    LangList = new QListWidget(this);
    LangList->setObjectName(QStringLiteral("LangList"));
    LangList->setSelectionMode(QAbstractItemView::SingleSelection);
    LangList->setGeometry(24, 16, 121, 97);

    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setGeometry(48, 136, 75, 25);
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, [this] { editor_.runCommand([this] { OkBtnClick(); }); });
}

void TLangSetDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        editor_.runCommand([this] { FormShow(); });
}

void TLangSetDlg::FormShow()
{
    LangList->clear();
    const Result<std::vector<QString>> list = ReadTextFileLines(LanguageListPath(editor_.programFolder()));
    if (!list) {
        editor_.showFailure(Attempt::ReadLanguageList, list.failure());
        return;
    }
    for (const QString& line : list.value())
        LangList->addItem(line);
    if (LangList->count() > 0)
        LangList->setCurrentRow(0);
}

void TLangSetDlg::OkBtnClick()
{
    const int row = LangList->currentRow();
    if (row < 0 || row >= LangList->count())
        throw ListIndexError("List index out of bounds: no language is selected (the language list " +
                             LanguageListPath(editor_.programFolder()).toStdString() + " has " +
                             std::to_string(LangList->count()) + " lines).");
    editor_.setLanguageCode(LanguageCodeOf(LangList->item(row)->text()));
    accept();
}

}  // namespace velmora
