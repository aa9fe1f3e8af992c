#include "ui/dialogs/paste_parts_form.h"

#include "ui/widgets/bitmap_image.h"
#include "ui/services/editor_context.h"
#include "ui/services/language_lines.h"

#include <QCheckBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace velmora {

namespace {

constexpr QSize kClientSize{447, 264};

}  // namespace

TPastePartsForm::TPastePartsForm(EditorContext& editor) : FixedDialog(editor, kClientSize)
{
    setObjectName(QStringLiteral("PastePartsForm"));
    setWindowTitle(QStringLiteral("Paste parts"));

    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setGeometry(8, 16, 320, 240);
    Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image->setScaledContents(false);

    auto check = [this](const char* name, const char* caption, int top) {
        auto* box = new QCheckBox(QString::fromLatin1(caption), this);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(336, top, 97, 17);
        connect(box, &QCheckBox::clicked, this, [this] { runHandler([this] { BedCheckClick(); }); });
        return box;
    };
    BedCheck = check("BedCheck", "bed", 16);
    TreasureboxCheck = check("TreasureboxCheck", "treasure box", 40);
    TableCheck = check("TableCheck", "table", 64);
    MailboxCheck = check("MailboxCheck", "mailbox", 88);
    BathtubCheck = check("BathtubCheck", "bath tub", 112);
    OkBtn = addButton("OkBtn", QStringLiteral("OK"), {352, 184, 75, 25});
    CancelBtn = addButton("CancelBtn", QStringLiteral("CANCEL"), {352, 224, 75, 25});
    BedCheck->setFocus();

    connect(OkBtn, &QPushButton::clicked, this, [this] { runHandler([this] { OkBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TPastePartsForm::FormShow()
{
    const LanguageTexts& texts = editor_.languageTexts();
    // The check boxes and buttons follow the dialog's face.
    SetFace(this, TextOf(texts, Text::FontFace));
    setWindowTitle(TextOf(texts, Text::PastePartsTitle));
    BedCheck->setText(TextOf(texts, Text::Bed));
    TreasureboxCheck->setText(TextOf(texts, Text::TreasureBox));
    TableCheck->setText(TextOf(texts, Text::TableCaption));
    MailboxCheck->setText(TextOf(texts, Text::MailboxCaption));
    BathtubCheck->setText(TextOf(texts, Text::BathTubCaption));
    BedCheckClick();
}

PasteChoice TPastePartsForm::choice() const
{
    return PasteChoice{BedCheck->isChecked(), TreasureboxCheck->isChecked(), TableCheck->isChecked(),
                       MailboxCheck->isChecked(), BathtubCheck->isChecked()};
}

void TPastePartsForm::BedCheckClick()
{
    preview_ = PasteParts(editor_.slotPictures(), choice());
    Image->setPixmap(QPixmap::fromImage(ToQImage(preview_)));
}

void TPastePartsForm::OkBtnClick()
{
    // Labelling may have failed before the first preview was made: the room
    // picture must never be replaced by nothing.
    if (preview_.empty())
        BedCheckClick();
    // The menu entry that opens the dialog names its step.
    editor_.changeSlots(StepName(TextOf(editor_.languageTexts(), Text::PasteParts)), {{slot::RoomImage, preview_}});
    accept();
}

}  // namespace velmora
