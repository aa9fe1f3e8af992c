#include "ui/dialogs/about_box.h"

#include "ui/widgets/dialog_font.h"
#include "ui/services/editor_context.h"
#include "ui/services/language_lines.h"
#include "ui/widgets/program_icon.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>

namespace velmora {

namespace {

constexpr QSize kClientSize{273, 141};
constexpr int kLargePixelSize = 16;
constexpr int kVersionNumberLeft = 144;
constexpr int kVersionGap = 4;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QPoint at)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(at);
    label->adjustSize();
    return label;
}

void SetBlack(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    widget->setPalette(palette);
}

}  // namespace

TAboutBox::TAboutBox(EditorContext& editor)
    // A title and nothing else on the title bar: Button1 is the only way out.
    : QDialog(editor.dialogParent(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), editor_(editor)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFont(DesignFont());
    setFixedSize(kClientSize);
    if (const QScreen* screen = editor.dialogParent()->screen())
        move(screen->geometry().center() - QPoint(kClientSize.width() / 2, kClientSize.height() / 2));

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Bevel1->setGeometry(8, 8, 257, 97);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(24, 16, 41, 41);
    ProgramIcon->setAlignment(Qt::AlignCenter);
    ProgramIcon->setPixmap(velmora::ProgramIcon().pixmap(QSize(41, 41)));

    ApName = new QLabel(QStringLiteral("Velmora"), this);
    ApName->setObjectName(QStringLiteral("ApName"));
    ApName->setGeometry(72, 24, 153, 20);
    ApName->setAlignment(Qt::AlignCenter);
    QFont large = ApName->font();
    large.setPixelSize(kLargePixelSize);
    ApName->setFont(large);
    SetBlack(ApName);

    Version = MakeLabel(this, "Version", QString::fromUtf8(EnglishOf(Text::AboutVersion)), {96, 48});
    VersinNo = MakeLabel(this, "VersinNo", QStringLiteral("2.10"), {kVersionNumberLeft, 48});
    Copyright = MakeLabel(this, "Copyright", QString::fromUtf8(EnglishOf(Text::AboutCopyright)), {64, 64});

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(99, 113, 75, 25);
    Button1->setDefault(true);
    // The designed face is a Japanese one; where it is missing the system
    // picks its own.
    QFont buttonFont = Button1->font();
    buttonFont.setFamilies({QStringLiteral("\uff2d\uff33 \uff30\u30b4\u30b7\u30c3\u30af"), DesignFont().family()});
    buttonFont.setPixelSize(kLargePixelSize);
    Button1->setFont(buttonFont);
    SetBlack(Button1);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        editor_.runCommand([this] { FormShow(); });
}

void TAboutBox::FormShow()
{
    const LanguageTexts& texts = editor_.languageTexts();
    const QString face = TextOf(texts, Text::FontFace);
    SetFace(this, face);
    setWindowTitle(TextOf(texts, Text::AboutTitle));
    SetFace(ApName, face);
    ApName->setText(TextOf(texts, Text::Title));
    // Language files older than these lines keep the English words.
    Version->setText(TextOf(texts, Text::AboutVersion));
    Copyright->setText(TextOf(texts, Text::AboutCopyright));
    // The size-to-text labels follow the new face and words.
    for (QLabel* label : {Version, VersinNo, Copyright})
        label->adjustSize();
    // A longer word than "Version." pushes the number along rather than under it.
    VersinNo->move(std::max(kVersionNumberLeft, Version->x() + Version->width() + kVersionGap), VersinNo->y());
}

}  // namespace velmora
