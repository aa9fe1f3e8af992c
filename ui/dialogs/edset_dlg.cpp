#include "ui/dialogs/edset_dlg.h"

#include "ui/widgets/dialog_font.h"
#include "ui/services/editor_context.h"
#include "ui/services/language_lines.h"
#include "ui/services/prompts.h"
#include "common/settings.h"

#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

namespace velmora {

namespace {

constexpr QPoint kScreenPosition{286, 188};
// The designed size is the outer one, frame included; the frame is known
// only once the dialog is on screen.
constexpr QSize kOuterSize{342, 99};

}  // namespace

TEdSetDlg::TEdSetDlg(EditorContext& editor) : QDialog(editor.dialogParent()), editor_(editor)
{
    setObjectName(QStringLiteral("EdSetDlg"));
    setWindowTitle(QStringLiteral("Image editor"));
    setFont(DesignFont());
    setFixedSize(kOuterSize);
    move(kScreenPosition);

    Editor = new QLineEdit(this);
    Editor->setObjectName(QStringLiteral("Editor"));
    Editor->setGeometry(8, 8, 257, 17);

    OpnBtn = new QPushButton(QStringLiteral("Browse"), this);
    OpnBtn->setObjectName(QStringLiteral("OpnBtn"));
    OpnBtn->setGeometry(272, 8, 49, 17);
    OpnBtn->setAutoDefault(false);

    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setGeometry(77, 40, 75, 25);
    OkBtn->setDefault(true);

    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(181, 40, 75, 25);
    CancelBtn->setAutoDefault(false);

    // Programs on this platform carry no common suffix, so every file is offered.
    OpenDialog.filters = {QString::fromUtf8(EnglishOf(Text::AllFilesFileType)) + QStringLiteral(" (*)")};

    connect(OpnBtn, &QPushButton::clicked, this, [this] { editor_.runCommand([this] { OpnBtnClick(); }); });
    connect(OkBtn, &QPushButton::clicked, this, [this] { editor_.runCommand([this] { OkBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TEdSetDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    editor_.runCommand([this] { FormShow(); });
    if (placed_)
        return;
    placed_ = true;
    QTimer::singleShot(0, this, [this] { setFixedSize(kOuterSize - (frameGeometry().size() - geometry().size())); });
}

void TEdSetDlg::FormShow()
{
    const LanguageTexts& texts = editor_.languageTexts();
    const QString face = TextOf(texts, Text::FontFace);
    SetFace(this, face);
    setWindowTitle(TextOf(texts, Text::ImageEditorTitle));
    SetFace(Editor, face);
    SetFace(OpnBtn, face);
    OpnBtn->setText(TextOf(texts, Text::Browse));
    const Result<std::optional<QString>> path = editor_.settings().read(QString::fromLatin1(Settings::kImageEditor));
    if (!path) {
        editor_.showFailure(Attempt::UseSettings, path.failure());
        return;
    }
    if (path.value())
        Editor->setText(*path.value());
    OpenDialog.filters = {
        TextOf(texts, Text::AllFilesFileType) +
        QStringLiteral(" (*)")};
}

void TEdSetDlg::OpnBtnClick()
{
    if (const auto path = editor_.prompts().openFile(OpenDialog))
        Editor->setText(*path);
}

void TEdSetDlg::OkBtnClick()
{
    if (Editor->text().isEmpty())
        return;
    if (const Result<void> written = editor_.settings().write(QString::fromLatin1(Settings::kImageEditor), Editor->text());
        !written) {
        editor_.showFailure(Attempt::UseSettings, written.failure());
        return;
    }
    accept();
}

}  // namespace velmora
