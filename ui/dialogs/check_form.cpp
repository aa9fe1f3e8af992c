#include "ui/dialogs/check_form.h"
#include "ui/dialogs/share_form.h"

#include "ui/widgets/bitmap_image.h"
#include "ui/widgets/pixel_view.h"
#include "common/file_bytes.h"
#include "ui/services/editor_context.h"
#include "ui/services/language_lines.h"
#include "ui/services/prompts.h"

#include "core/render/picture_export.h"
#include "core/image/palette.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include <initializer_list>

namespace velmora {

namespace {

constexpr QSize kClientSize{451, 264};

constexpr int kJpegFilter = 0;

QLabel* AddLabel(QWidget* parent, const char* name, const char* caption, const QRect& place)
{
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    return label;
}

QComboBox* AddSetting(QWidget* parent, const char* name, std::initializer_list<const char*> items, const QRect& place)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    // The typed text is the choice: no completion behind the user's back,
    // and Enter adds nothing to the list.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (const char* item : items)
        combo->addItem(QString::fromLatin1(item));
    combo->setGeometry(place);
    return combo;
}

// Replaces the items by the given labels lines, the shown text being the
// first. A missing line stops here with what was set so far.
void SetChoices(QComboBox* combo, const LanguageTexts& texts, std::initializer_list<Text> lines)
{
    const QSignalBlocker quiet(combo);
    const QString first = TextOf(texts, *lines.begin());
    combo->clear();
    combo->addItem(first);
    combo->setCurrentIndex(0);
    combo->setEditText(first);
    for (auto line = lines.begin() + 1; line != lines.end(); ++line)
        combo->addItem(TextOf(texts, *line));
}

// The shown text equals item `index` exactly.
bool Shows(const QComboBox* combo, int index)
{
    return index < combo->count() && combo->currentText() == combo->itemText(index);
}

}  // namespace

TCheckForm::TCheckForm(EditorContext& editor)
    : FixedDialog(editor, kClientSize),
      picture_(Bitmap::Make(PartSlotTable::kRoomWidth, PartSlotTable::kRoomHeight, 8, RoomPaletteVector()))
{
    setObjectName(QStringLiteral("CheckForm"));
    setWindowTitle(QStringLiteral("Ceck Form"));

    CheckImage = new PixelView(this);
    CheckImage->setObjectName(QStringLiteral("CheckImage"));
    CheckImage->setGeometry(8, 16, 320, 240);
    CheckImage->setPicture(ToQImage(picture_));
    TimeLabel = AddLabel(this, "TimeLabel", "time", {336, 8, 105, 12});
    TimeSetting = AddSetting(this, "TimeSetting", {"daytime", "nighttime"}, {336, 24, 105, 21});
    DoorLabel = AddLabel(this, "DoorLabel", "door", {336, 48, 97, 12});
    DoorSetting = AddSetting(this, "DoorSetting", {"closed", "half open", "open"}, {336, 64, 105, 21});
    TBoxLabel = AddLabel(this, "TBoxLabel", "treasure box", {336, 88, 105, 12});
    TBoxSetting = AddSetting(this, "TBoxSetting", {"closed", "open"}, {336, 104, 105, 21});
    BedLabel = AddLabel(this, "BedLabel", "bed", {336, 128, 105, 12});
    BedSetting = AddSetting(this, "BedSetting", {"default", "sleeping"}, {336, 144, 105, 21});
    LaBSetting = new QCheckBox(QStringLiteral("letter and bubble"), this);
    LaBSetting->setObjectName(QStringLiteral("LaBSetting"));
    LaBSetting->setGeometry(336, 176, 105, 17);
    SaveBtn = addButton("SaveBtn", QStringLiteral("Save As..."), {352, 200, 75, 25});
    OkBtn = addButton("OkBtn", QStringLiteral("OK"), {352, 232, 75, 25});
    // The OK button keeps this face whatever the labels list names.
    OkBtn->setFont(DesignFont());
    // Above the picture, the one free place; out of the tab order the dialog
    // was designed with.
    AnimateBtn = addButton("AnimateBtn", QString::fromLatin1(EnglishOf(Text::AnimateButton)), {176, 0, 74, 15});
    SheetBtn = addButton("SheetBtn", QString::fromLatin1(EnglishOf(Text::SheetButton)), {254, 0, 74, 15});
    for (QPushButton* button : {AnimateBtn, SheetBtn})
        button->setFocusPolicy(Qt::ClickFocus);

    setTabOrder(TimeSetting, DoorSetting);
    setTabOrder(DoorSetting, TBoxSetting);
    setTabOrder(TBoxSetting, OkBtn);
    setTabOrder(OkBtn, BedSetting);
    setTabOrder(BedSetting, SaveBtn);
    setTabOrder(SaveBtn, LaBSetting);
    TimeSetting->setFocus();

    // Typing and picking an item both change the edit text.
    for (QComboBox* setting : {TimeSetting, DoorSetting, TBoxSetting, BedSetting})
        connect(setting, &QComboBox::editTextChanged, this,
                [this] { runHandler([this] { LaBSettingClick(); }); });
    connect(LaBSetting, &QCheckBox::clicked, this, [this] { runHandler([this] { LaBSettingClick(); }); });
    connect(SaveBtn, &QPushButton::clicked, this, [this] { runHandler([this] { SaveBtnClick(); }); });
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(AnimateBtn, &QPushButton::clicked, this, [this] { runHandler([this] { ShareClick(true); }); });
    connect(SheetBtn, &QPushButton::clicked, this, [this] { runHandler([this] { ShareClick(false); }); });
}

void TCheckForm::FormShow()
{
    const LanguageTexts& texts = editor_.languageTexts();
    const QString face = TextOf(texts, Text::FontFace);
    SetFace(this, face);
    setWindowTitle(TextOf(texts, Text::CheckTitle));

    auto caption = [&](QLabel* label, Text text) {
        SetFace(label, face);
        label->setText(TextOf(texts, text));
    };
    auto choices = [&](QComboBox* combo, std::initializer_list<Text> lines) {
        SetFace(combo, face);
        SetChoices(combo, texts, lines);
    };
    caption(TimeLabel, Text::Time);
    choices(TimeSetting, {Text::Daytime, Text::Nighttime});
    caption(DoorLabel, Text::Door);
    choices(DoorSetting, {Text::Closed, Text::HalfOpen, Text::Open});
    caption(TBoxLabel, Text::TreasureBox);
    choices(TBoxSetting, {Text::Closed, Text::Open});
    caption(BedLabel, Text::Bed);
    choices(BedSetting, {Text::Default, Text::Sleeping});
    SetFace(SaveBtn, face);
    SaveBtn->setText(TextOf(texts, Text::SaveAsButton));
    SetFace(LaBSetting, face);
    LaBSetting->setText(TextOf(texts, Text::LettersAndBubble));
    for (auto [button, text] : {std::pair{AnimateBtn, Text::AnimateButton}, std::pair{SheetBtn, Text::SheetButton}}) {
        SetFace(button, face);
        button->setText(TextOrEnglish(texts, text));
    }

    room_.prepare(editor_.slotPictures());
    LaBSettingClick();
}

PreviewState TCheckForm::state() const
{
    PreviewState state;
    state.night = Shows(TimeSetting, 1);
    state.door = Shows(DoorSetting, 2) ? DoorState::Open
                 : Shows(DoorSetting, 1) ? DoorState::HalfOpen
                                         : DoorState::Closed;
    state.treasureBoxOpen = Shows(TBoxSetting, 1);
    state.bedSleeping = Shows(BedSetting, 1);
    state.lettersAndBubble = LaBSetting->isChecked();
    return state;
}

void TCheckForm::LaBSettingClick()
{
    if (!room_.prepared())
        room_.prepare(editor_.slotPictures());
    ComposeRoom(room_, state(), picture_);
    CheckImage->setPicture(ToQImage(picture_));
}

void TCheckForm::SaveBtnClick()
{
    FileDialogSettings dialog;
    const LanguageTexts& texts = editor_.languageTexts();
    dialog.filters = {
        TextOf(texts, Text::JpegFileType) +
            QStringLiteral(" (*.jpg)"),
        TextOf(texts, Text::BitmapFileType) +
            QStringLiteral(" (*.bmp)"),
    };
    dialog.selectedFilter = saveFilter_;
    dialog.defaultSuffix = QStringLiteral("jpg");
    dialog.startName = saveName_;
    dialog.overwritePrompt = true;
    dialog.refuseReadOnly = true;
    dialog.picturePreview = true;
    const std::optional<SaveFileChoice> choice = editor_.prompts().saveFile(dialog);
    if (!choice)
        return;
    saveFilter_ = choice->filterIndex;
    saveName_ = choice->path;

    // The chosen filter alone decides the format; the name's extension is
    // the user's business.
    const std::vector<uint8_t> bytes =
        choice->filterIndex == kJpegFilter ? EncodePreviewJpeg(picture_) : EncodePreviewBmp(picture_);
    if (const Result<void> written = WriteWholeFile(choice->path, bytes); !written)
        editor_.showFailure(Attempt::ExportPreview, written.failure());
}

void TCheckForm::ShareClick(bool animation)
{
    if (!room_.prepared())
        room_.prepare(editor_.slotPictures());
    TShareForm dialog(editor_, animation ? TShareForm::Kind::Animation : TShareForm::Kind::Sheet, room_, state());
    editor_.prompts().runDialog(dialog);
}

}  // namespace velmora
