#include "ui/dialogs/share_form.h"

#include "ui/services/editor_context.h"
#include "ui/services/language_lines.h"
#include "ui/services/prompts.h"
#include "ui/widgets/bitmap_image.h"
#include "ui/widgets/pixel_view.h"
#include "common/file_bytes.h"

#include "core/share/frames.h"
#include "core/share/png_chunks.h"
#include "core/share/share_states.h"
#include "core/share/sheet.h"
#include "imageio/sheet_labels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace velmora {

namespace {

constexpr QSize kClientSize{500, 290};
constexpr int kColumn = 336;
constexpr int kColumnWidth = 156;
constexpr int kCaptionWidth = 100;  // the captions of the number boxes
// The sheet's preview fits in the picture's place, keeping its shape.
constexpr QSize kPreviewSize{320, 240};

QLabel* AddLabel(QWidget* parent, const char* name, int y)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(kColumn, y, kCaptionWidth, 14);
    return label;
}

QSpinBox* AddSpin(QWidget* parent, const char* name, int y, int low, int high, int value)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(low, high);
    spin->setValue(value);
    spin->setGeometry(kColumn + kCaptionWidth + 2, y - 2, kColumnWidth - kCaptionWidth - 2, 20);
    return spin;
}

QCheckBox* AddCheck(QWidget* parent, const char* name, int y)
{
    auto* check = new QCheckBox(parent);
    check->setObjectName(QString::fromLatin1(name));
    check->setGeometry(kColumn, y, kColumnWidth, 17);
    return check;
}

StateWords WordsOf(const LanguageTexts& texts)
{
    StateWords w;
    w.fontFace = TextOrEnglish(texts, Text::FontFace);
    w.daytime = TextOrEnglish(texts, Text::Daytime);
    w.nighttime = TextOrEnglish(texts, Text::Nighttime);
    w.door = TextOrEnglish(texts, Text::Door);
    w.closed = TextOrEnglish(texts, Text::Closed);
    w.halfOpen = TextOrEnglish(texts, Text::HalfOpen);
    w.open = TextOrEnglish(texts, Text::Open);
    w.treasureBox = TextOrEnglish(texts, Text::TreasureBox);
    w.bed = TextOrEnglish(texts, Text::Bed);
    w.defaultLook = TextOrEnglish(texts, Text::Default);
    w.sleeping = TextOrEnglish(texts, Text::Sleeping);
    w.lettersAndBubble = TextOrEnglish(texts, Text::LettersAndBubble);
    return w;
}

}  // namespace

TShareForm::TShareForm(EditorContext& editor, Kind kind, const PreparedRoom& room, const PreviewState& base)
    : FixedDialog(editor, kClientSize), kind_(kind), room_(room), base_(base)
{
    const bool animation = kind == Kind::Animation;
    setObjectName(animation ? QStringLiteral("AnimateForm") : QStringLiteral("SheetForm"));
    setWindowTitle(QString::fromLatin1(EnglishOf(animation ? Text::AnimateTitle : Text::SheetTitle)));
    Preview = new PixelView(this);
    Preview->setObjectName(QStringLiteral("Preview"));
    Preview->setGeometry(8, 8, kPreviewSize.width(), kPreviewSize.height());

    int y = 8;
    if (animation) {
        PlayLabel = AddLabel(this, "PlayLabel", y);
        y += 16;
        for (Sequence s : kAllSequences) {
            QCheckBox* check = AddCheck(this, (std::string(NameOf(s)) + "Check").c_str(), y);
            check->setChecked(s == Sequence::Door);
            SequenceChecks.push_back(check);
            y += 18;
        }
        PingpongCheck = AddCheck(this, "PingpongCheck", y);
        y += 22;
    }
    ScaleLabel = AddLabel(this, "ScaleLabel", y);
    ScaleSetting = AddSpin(this, "ScaleSetting", y, kMinScale, kMaxScale, animation ? 2 : 1);
    y += 22;
    if (animation) {
        DelayLabel = AddLabel(this, "DelayLabel", y);
        DelaySetting = AddSpin(this, "DelaySetting", y, 10, kMaxDelayMs, 500);
        DelaySetting->setSingleStep(50);
        y += 22;
        PlaysLabel = AddLabel(this, "PlaysLabel", y);
        PlaysSetting = AddSpin(this, "PlaysSetting", y, 0, kMaxPlays, 0);
        y += 22;
        FormatLabel = AddLabel(this, "FormatLabel", y);
        FormatSetting = new QComboBox(this);
        FormatSetting->setObjectName(QStringLiteral("FormatSetting"));
        FormatSetting->addItems({QStringLiteral("GIF"), QStringLiteral("APNG"), QStringLiteral("WebP")});
        FormatSetting->setGeometry(kColumn + kCaptionWidth + 2, y - 2, kColumnWidth - kCaptionWidth - 2, 20);
    } else {
        ColumnsLabel = AddLabel(this, "ColumnsLabel", y);
        ColumnsSetting = AddSpin(this, "ColumnsSetting", y, 1, kMaxColumns, 6);
        y += 22;
        GapLabel = AddLabel(this, "GapLabel", y);
        GapSetting = AddSpin(this, "GapSetting", y, 0, kMaxGap, 8);
        y += 22;
        NamesCheck = AddCheck(this, "NamesCheck", y);
    }
    SaveBtn = addButton("SaveBtn", QString::fromLatin1(EnglishOf(Text::SaveAsButton)), {kColumn, 256, 75, 25});
    OkBtn = addButton("OkBtn", QStringLiteral("OK"), {kColumn + 81, 256, 75, 25});
    OkBtn->setFont(DesignFont());

    auto changed = [this] { runHandler([this] { SettingsChanged(); }); };
    for (QCheckBox* check : SequenceChecks)
        connect(check, &QCheckBox::toggled, this, changed);
    for (QCheckBox* check : {PingpongCheck, NamesCheck})
        if (check)
            connect(check, &QCheckBox::toggled, this, changed);
    for (QSpinBox* spin : {ScaleSetting, DelaySetting, PlaysSetting, ColumnsSetting, GapSetting})
        if (spin)
            connect(spin, &QSpinBox::valueChanged, this, changed);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { nextFrame(); });
    connect(SaveBtn, &QPushButton::clicked, this, [this] { runHandler([this] { SaveBtnClick(); }); });
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
}

void TShareForm::FormShow()
{
    const LanguageTexts& texts = editor_.languageTexts();
    const QString face = TextOrEnglish(texts, Text::FontFace);
    SetFace(this, face);
    const bool animation = kind_ == Kind::Animation;
    setWindowTitle(TextOrEnglish(texts, animation ? Text::AnimateTitle : Text::SheetTitle));
    auto caption = [&](QWidget* w, Text text) {
        if (!w)
            return;
        SetFace(w, face);
        if (auto* label = qobject_cast<QLabel*>(w))
            label->setText(TextOrEnglish(texts, text));
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            button->setText(TextOrEnglish(texts, text));
    };
    caption(PlayLabel, Text::PlayCaption);
    const Text sequenceWords[] = {Text::Door, Text::Time, Text::TreasureBox, Text::Bed, Text::LettersAndBubble};
    for (size_t i = 0; i < SequenceChecks.size(); ++i)
        caption(SequenceChecks[i], sequenceWords[i]);
    caption(PingpongCheck, Text::PingpongCaption);
    caption(ScaleLabel, Text::ScaleCaption);
    caption(DelayLabel, Text::DelayCaption);
    caption(PlaysLabel, Text::PlaysCaption);
    caption(FormatLabel, Text::FormatCaption);
    caption(ColumnsLabel, Text::ColumnsCaption);
    caption(GapLabel, Text::GapCaption);
    caption(NamesCheck, Text::NamesCaption);
    caption(SaveBtn, Text::SaveAsButton);
    SettingsChanged();
}

void TShareForm::SettingsChanged()
{
    timer_.stop();
    const int scale = ScaleSetting->value();
    if (kind_ == Kind::Sheet) {
        SheetLayout layout;
        layout.scale = scale;
        layout.columns = ColumnsSetting->value();
        layout.gap = GapSetting->value();
        if (NamesCheck->isChecked())
            layout.labelHeight = LabelHeight(scale);
        Bitmap sheet;
        if (layout.width() * layout.height() <= kMaxSheetPixels)
            sheet = NamesCheck->isChecked() ? ComposeLabelledSheet(room_, layout, WordsOf(editor_.languageTexts()))
                                            : ComposeSheet(room_, layout);
        // Too large a sheet is not made; Save As stays off until it fits.
        SaveBtn->setEnabled(!sheet.empty());
        animation_ = MakeAnimation({}, 0, 0, 1);
        if (!sheet.empty())
            animation_ = MakeAnimation({std::move(sheet)}, 0, 0, 1);
        playsDone_ = 0;
        showFrame(0);
        return;
    }
    std::vector<Sequence> sequences;
    for (size_t i = 0; i < SequenceChecks.size(); ++i)
        if (SequenceChecks[i]->isChecked())
            sequences.push_back(kAllSequences[i]);
    const std::vector<PreviewState> states =
        sequences.empty() ? std::vector<PreviewState>{base_} : SequenceStates(sequences, base_, PingpongCheck->isChecked());
    const int delay = DelaySetting->value();
    animation_ = MakeAnimation(ComposeFrames(room_, states, scale), delay, delay, PlaysSetting->value());
    SaveBtn->setEnabled(true);
    playsDone_ = 0;
    showFrame(0);
}

void TShareForm::showFrame(int frame)
{
    frame_ = frame;
    if (animation_.frames.empty()) {
        Preview->setPicture(QImage());
        return;
    }
    const Bitmap& shown = animation_.frames[size_t(frame)];
    // Every room pixel as many device pixels as fit: the sheet keeps its shape.
    QSize size(shown.width, shown.height);
    size.scale(kPreviewSize, Qt::KeepAspectRatio);
    Preview->setGeometry(8, 8, size.width(), size.height());
    Preview->setPicture(ToQImage(shown));
    if (animation_.frames.size() > 1)
        timer_.start(animation_.delaysMs[size_t(frame)]);
}

void TShareForm::nextFrame()
{
    int next = frame_ + 1;
    if (next == int(animation_.frames.size())) {
        ++playsDone_;
        // A browser stops on the last frame once the plays are done.
        if (animation_.plays != 0 && playsDone_ >= animation_.plays)
            return;
        next = 0;
    }
    showFrame(next);
}

void TShareForm::SaveBtnClick()
{
    const LanguageTexts& texts = editor_.languageTexts();
    FileDialogSettings dialog;
    const bool animation = kind_ == Kind::Animation;
    if (animation) {
        dialog.filters = {TextOrEnglish(texts, Text::GifFileType) + QStringLiteral(" (*.gif)"),
                          TextOrEnglish(texts, Text::ApngFileType) + QStringLiteral(" (*.png)"),
                          TextOrEnglish(texts, Text::WebpFileType) + QStringLiteral(" (*.webp)")};
        dialog.selectedFilter = FormatSetting->currentIndex();
        static const char* const kSuffixes[] = {"gif", "png", "webp"};
        dialog.defaultSuffix = QString::fromLatin1(kSuffixes[dialog.selectedFilter]);
    } else {
        dialog.filters = {TextOrEnglish(texts, Text::PngFileType) + QStringLiteral(" (*.png)")};
        dialog.defaultSuffix = QStringLiteral("png");
    }
    dialog.startName = saveName_;
    dialog.overwritePrompt = true;
    dialog.refuseReadOnly = true;
    const std::optional<SaveFileChoice> choice = editor_.prompts().saveFile(dialog);
    if (!choice)
        return;
    saveName_ = choice->path;
    std::vector<uint8_t> bytes;
    if (!animation)
        bytes = EncodeIndexedPng(animation_.frames.at(0));
    else {
        // The filter chosen decides the format, and the format box follows it.
        const int format = std::clamp(choice->filterIndex, 0, 2);
        const QSignalBlocker quiet(FormatSetting);
        FormatSetting->setCurrentIndex(format);
        bytes = format == kGif ? EncodeGif(animation_) : format == kApng ? EncodeApng(animation_) : EncodeWebp(animation_);
    }
    if (const Result<void> written = WriteWholeFile(choice->path, bytes); !written)
        editor_.showFailure(Attempt::ExportPreview, written.failure());
}

}  // namespace velmora
