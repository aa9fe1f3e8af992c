#include "ui/dialogs/import_picture_form.h"

#include "ui/services/editor_context.h"
#include "ui/services/error_texts.h"
#include "ui/services/language_lines.h"
#include "ui/services/prompts.h"
#include "common/settings.h"
#include "ui/widgets/bitmap_image.h"
#include "ui/widgets/dialog_font.h"
#include "ui/widgets/picture_view.h"
#include "imageio/picture_file.h"

#include "core/room/slot_table.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <array>

namespace velmora {

namespace {


// The settings' words for the choices, in the order of the enumerations:
// those of velmora-pac import.
constexpr std::array<const char*, 4> kFitWords = {"exact", "contain", "cover", "crop"};
constexpr std::array<const char*, 3> kDitherWords = {"none", "fs", "ordered"};

constexpr QSize kStartSize{760, 460};

// A setting this dialog wrote; one spoilt by hand counts as missing, so
// that it can never keep a picture out.
std::optional<QString> ReadChoice(const Settings& settings, const char* name)
{
    const Result<std::optional<QString>> value = settings.read(QString::fromLatin1(name));
    return value ? value.value() : std::nullopt;
}

template <size_t N>
int WordIndex(const std::optional<QString>& word, const std::array<const char*, N>& words, int fallback)
{
    for (size_t i = 0; word && i < N; ++i)
        if (*word == QLatin1String(words[i]))
            return static_cast<int>(i);
    return fallback;
}

QString WithSize(const QString& caption, int32_t width, int32_t height)
{
    return QStringLiteral("%1 (%2×%3)").arg(caption).arg(width).arg(height);
}

}  // namespace

TImportPictureForm::TImportPictureForm(EditorContext& editor, RgbaPicture picture, int slot, const QString& title)
    : QDialog(editor.dialogParent()), editor_(editor), picture_(std::move(picture)), slot_(slot)
{
    setObjectName(QStringLiteral("ImportPictureForm"));
    setWindowTitle(title);
    setFont(DesignFont());
    setSizeGripEnabled(true);

    auto label = [this](const char* name) {
        auto* item = new QLabel(this);
        item->setObjectName(QString::fromLatin1(name));
        return item;
    };
    OriginalLabel = label("OriginalLabel");
    ResultLabel = label("ResultLabel");
    ReasonLabel = label("ReasonLabel");
    ReasonLabel->setWordWrap(true);
    FitLabel = label("FitLabel");
    DitherLabel = label("DitherLabel");
    AlphaLabel = label("AlphaLabel");
    // The original may be a photo; the result is what the room shows, pixel for pixel.
    OriginalView = new PictureView(/*smooth=*/true, this);
    OriginalView->setObjectName(QStringLiteral("OriginalView"));
    ResultView = new PictureView(/*smooth=*/false, this);
    ResultView->setObjectName(QStringLiteral("ResultView"));
    FitSetting = new QComboBox(this);
    FitSetting->setObjectName(QStringLiteral("FitSetting"));
    DitherSetting = new QComboBox(this);
    DitherSetting->setObjectName(QStringLiteral("DitherSetting"));
    AlphaSetting = new QSpinBox(this);
    AlphaSetting->setObjectName(QStringLiteral("AlphaSetting"));
    AlphaSetting->setRange(0, 255);
    FitLabel->setBuddy(FitSetting);
    DitherLabel->setBuddy(DitherSetting);
    AlphaLabel->setBuddy(AlphaSetting);
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->setObjectName(QStringLiteral("Buttons"));
    OkBtn = Buttons->button(QDialogButtonBox::Ok);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    CancelBtn = Buttons->button(QDialogButtonBox::Cancel);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(OriginalLabel, 0, 0);
    grid->addWidget(ResultLabel, 0, 1);
    grid->addWidget(OriginalView, 1, 0);
    grid->addWidget(ResultView, 1, 1);
    grid->setRowStretch(1, 1);
    auto* choicesRow = new QHBoxLayout;
    for (QWidget* item : std::initializer_list<QWidget*>{FitLabel, FitSetting, DitherLabel, DitherSetting, AlphaLabel,
                                                         AlphaSetting})
        choicesRow->addWidget(item);
    choicesRow->addStretch(1);
    grid->addLayout(choicesRow, 2, 0, 1, 2);
    grid->addWidget(ReasonLabel, 3, 0);
    grid->addWidget(Buttons, 3, 1);
    resize(kStartSize);

    applyTexts();
    OriginalView->setPicture(ImageFromPicture(picture_));
    // Masks are black and white by light and dark: nothing to dither.
    DitherSetting->setEnabled(!PartSlotTable::IsMask(slot_));
    readChoices();
    SettingChange();

    for (QComboBox* setting : {FitSetting, DitherSetting})
        connect(setting, &QComboBox::currentIndexChanged, this,
                [this] { editor_.runCommand([this] { SettingChange(); }); });
    connect(AlphaSetting, &QSpinBox::valueChanged, this, [this] { editor_.runCommand([this] { SettingChange(); }); });
    connect(OkBtn, &QPushButton::clicked, this, [this] { editor_.runCommand([this] { OkBtnClick(); }); });
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TImportPictureForm::applyTexts()
{
    const LanguageTexts& texts = editor_.languageTexts();
    SetFace(this, TextOrEnglish(texts, Text::FontFace));
    OriginalLabel->setText(WithSize(TextOf(texts, Text::Original), picture_.width, picture_.height));
    const PartSize size = PartSlotTable::RequiredSize(slot_);
    ResultLabel->setText(WithSize(TextOf(texts, Text::ImportResult), size.width, size.height));
    FitLabel->setText(TextOf(texts, Text::Fitting));
    for (const Text fit : {Text::FitExact, Text::FitContain, Text::FitCover, Text::FitCrop})
        FitSetting->addItem(TextOf(texts, fit));
    DitherLabel->setText(TextOf(texts, Text::Dithering));
    for (const Text dither : {Text::DitherNone, Text::DitherFloydSteinberg, Text::DitherOrdered})
        DitherSetting->addItem(TextOf(texts, dither));
    AlphaLabel->setText(TextOf(texts, Text::AlphaThreshold));
}

void TImportPictureForm::readChoices()
{
    const Settings& settings = editor_.settings();
    const ImportChoices defaults;
    int fit = WordIndex(ReadChoice(settings, Settings::kImportFit), kFitWords, int(defaults.fit));
    // The dialog opened for a picture of another size: exact cannot take it.
    if (fit == int(Fitting::Exact) && !FitsSlot(picture_, slot_))
        fit = int(Fitting::Contain);
    FitSetting->setCurrentIndex(fit);
    DitherSetting->setCurrentIndex(
        WordIndex(ReadChoice(settings, Settings::kImportDither), kDitherWords, int(defaults.dither)));
    bool ok = false;
    const uint alpha = ReadChoice(settings, Settings::kImportAlpha).value_or(QString()).toUInt(&ok);
    AlphaSetting->setValue(ok && alpha <= 255 ? int(alpha) : int(defaults.alphaThreshold));
}

void TImportPictureForm::writeChoices() const
{
    const Settings& settings = editor_.settings();
    const std::array<std::pair<const char*, QString>, 3> choices = {{
        {Settings::kImportFit, QString::fromLatin1(kFitWords[size_t(FitSetting->currentIndex())])},
        {Settings::kImportDither, QString::fromLatin1(kDitherWords[size_t(DitherSetting->currentIndex())])},
        {Settings::kImportAlpha, QString::number(AlphaSetting->value())},
    }};
    for (const auto& [name, value] : choices)
        if (const Result<void> written = settings.write(QString::fromLatin1(name), value); !written) {
            editor_.showFailure(Attempt::UseSettings, written.failure());
            return;
        }
}

ImportChoices TImportPictureForm::choices() const
{
    ImportChoices choices;
    choices.fit = static_cast<Fitting>(FitSetting->currentIndex());
    choices.dither = static_cast<Dithering>(DitherSetting->currentIndex());
    choices.alphaThreshold = static_cast<uint8_t>(AlphaSetting->value());
    return choices;
}

void TImportPictureForm::SettingChange()
{
    const ImportChoices chosen = choices();
    if (chosen.fit == Fitting::Exact && !FitsSlot(picture_, slot_)) {
        result_.reset();
        ResultView->setPicture({});
        ReasonLabel->setText(
            WrongPictureSizeMessage(editor_.languageTexts(), picture_.width, picture_.height, slot_));
        return;
    }
    result_ = ConvertToSlot(picture_, slot_, chosen);
    ReasonLabel->clear();
    if (PartSlotTable::IsMask(slot_)) {
        ResultView->setPicture(ToQImage(result_->picture));
        return;
    }
    // The part as the room will draw it: through its new mask, or through
    // the mask it keeps when no pixel is see-through.
    const Bitmap& mask = result_->mask ? *result_->mask
                                       : editor_.slotPictures()[size_t(PartSlotTable::MaskOf(slot_))];
    ResultView->setPicture(ImageFromPicture(PartThroughMask(result_->picture, mask)));
}

void TImportPictureForm::OkBtnClick()
{
    if (!result_) {
        editor_.prompts().warning(TextOf(editor_.languageTexts(), Text::WarningCaption),
                                  WrongPictureSizeMessage(editor_.languageTexts(), picture_.width, picture_.height,
                                                          slot_));
        return;
    }
    accept();
    // After accepting: a settings file that cannot be written is reported,
    // but keeps no picture out.
    writeChoices();
}

}  // namespace velmora
