#include "ui/dialogs/import_layers_form.h"

#include "ui/services/editor_context.h"
#include "ui/services/error_texts.h"
#include "ui/services/language_lines.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <QTreeWidget>

namespace velmora {

namespace {

constexpr QSize kClientSize{440, 360};

QString Latin(std::string_view s)
{
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

}  // namespace

QString LayerWarningText(const SceneWarning& w, const LanguageTexts& texts)
{
    const QString layer = QString::fromStdString(w.layer);
    const QString part = w.part >= 0 ? Latin(PartSlotTable::BoxName(w.part)) : QString();
    switch (w.kind) {
    case SceneWarning::Kind::NoPart:
        return FillLine(TextOf(texts, Text::LayerNamesNoPart), {layer});
    case SceneWarning::Kind::NotPlain:
        return FillLine(TextOf(texts, Text::LayerNotPlain), {layer});
    case SceneWarning::Kind::Outside:
        return FillLine(TextOf(texts, Text::LayerOutside), {layer, QString::number(w.count), part});
    case SceneWarning::Kind::Covered:
        return FillLine(TextOf(texts, Text::LayerCovered), {layer, part});
    }
    return layer;
}

TImportLayersForm::TImportLayersForm(EditorContext& editor, Scene scene, QString stepName)
    : FixedDialog(editor, kClientSize), scene_(std::move(scene)), stepName_(std::move(stepName))
{
    setObjectName(QStringLiteral("ImportLayersForm"));
    setWindowTitle(QString::fromUtf8(EnglishOf(Text::ImportLayersTitle)));

    Layers = new QTreeWidget(this);
    Layers->setObjectName(QStringLiteral("Layers"));
    Layers->setGeometry(8, 8, 424, 170);
    Layers->setColumnCount(2);
    Layers->setRootIsDecorated(false);
    Layers->header()->setSectionResizeMode(QHeaderView::Stretch);
    DitherLabel = new QLabel(this);
    DitherLabel->setGeometry(8, 186, 100, 22);
    DitherSetting = new QComboBox(this);
    DitherSetting->setObjectName(QStringLiteral("DitherSetting"));
    DitherSetting->setGeometry(110, 186, 180, 22);
    AlphaLabel = new QLabel(this);
    AlphaLabel->setGeometry(8, 212, 180, 22);
    AlphaSetting = new QSpinBox(this);
    AlphaSetting->setObjectName(QStringLiteral("AlphaSetting"));
    AlphaSetting->setGeometry(190, 212, 60, 22);
    AlphaSetting->setRange(0, 255);
    AlphaSetting->setValue(ImportChoices{}.alphaThreshold);
    DitherLabel->setBuddy(DitherSetting);
    AlphaLabel->setBuddy(AlphaSetting);
    WarningsCaption = new QLabel(this);
    WarningsCaption->setObjectName(QStringLiteral("WarningsCaption"));
    WarningsCaption->setGeometry(8, 240, 424, 17);
    Warnings = new QPlainTextEdit(this);
    Warnings->setObjectName(QStringLiteral("Warnings"));
    Warnings->setGeometry(8, 258, 424, 62);
    Warnings->setReadOnly(true);
    WarningsCaption->setBuddy(Warnings);
    OkBtn = addButton("OkBtn", QStringLiteral("OK"), {272, 328, 75, 25});
    CancelBtn = addButton("CancelBtn", QStringLiteral("CANCEL"), {356, 328, 75, 25});
    connect(DitherSetting, &QComboBox::currentIndexChanged, this,
            [this] { editor_.runCommand([this] { SettingChange(); }); });
    connect(AlphaSetting, &QSpinBox::valueChanged, this, [this] { editor_.runCommand([this] { SettingChange(); }); });
    OkBtn->setFocus();
    connect(OkBtn, &QPushButton::clicked, this, [this] { runHandler([this] { OkBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TImportLayersForm::FormShow()
{
    const LanguageTexts& texts = editor_.languageTexts();
    SetFace(this, TextOf(texts, Text::FontFace));
    setWindowTitle(TextOf(texts, Text::ImportLayersTitle));
    Layers->setHeaderLabels({TextOf(texts, Text::LayerColumn), TextOf(texts, Text::PartColumn)});
    DitherLabel->setText(TextOf(texts, Text::Dithering));
    AlphaLabel->setText(TextOf(texts, Text::AlphaThreshold));
    {
        const QSignalBlocker quiet(DitherSetting);
        const int dither = DitherSetting->currentIndex();
        DitherSetting->clear();
        for (Text t : {Text::DitherNone, Text::DitherFloydSteinberg, Text::DitherOrdered})
            DitherSetting->addItem(TextOf(texts, t));
        DitherSetting->setCurrentIndex(dither < 0 ? 0 : dither);
    }
    SettingChange();
}

ImportChoices TImportLayersForm::choices() const
{
    ImportChoices c;
    c.dither = static_cast<Dithering>(std::max(DitherSetting->currentIndex(), 0));
    c.alphaThreshold = uint8_t(AlphaSetting->value());
    return c;
}

void TImportLayersForm::SettingChange()
{
    cut_ = CutScene(editor_.slotPictures(), scene_, choices());
    showCut();
}

void TImportLayersForm::showCut()
{
    const LanguageTexts& texts = editor_.languageTexts();
    Layers->clear();
    for (const SceneCut::Taken& t : cut_.taken)
        new QTreeWidgetItem(Layers, {QString::fromStdString(t.layer), Latin(PartSlotTable::BoxName(t.part)) +
                                                                          QStringLiteral(" (") +
                                                                          TextOf(texts, Nth(Text::FirstPartName, t.part)) +
                                                                          QLatin1Char(')')});
    WarningsCaption->setText(TextOf(texts, Text::LayerWarnings));
    QStringList lines;
    for (const SceneWarning& w : cut_.warnings)
        lines << LayerWarningText(w, texts);
    Warnings->setPlainText(lines.join(QLatin1Char('\n')));
    WarningsCaption->setVisible(!lines.isEmpty());
    Warnings->setVisible(!lines.isEmpty());
}

void TImportLayersForm::OkBtnClick()
{
    if (cut_.taken.empty())
        SettingChange();  // never shown: cut with the choices as they stand
    const RoomPictures& room = editor_.slotPictures();
    std::vector<SlotPicture> changes;
    for (int slot : cut_.changedSlots)
        if (!cut_.pictures[size_t(slot)].samePicture(room[size_t(slot)]))
            changes.push_back({slot, cut_.pictures[size_t(slot)]});
    if (!changes.empty())
        editor_.changeSlots(stepName_, std::move(changes));
    accept();
}

}  // namespace velmora
