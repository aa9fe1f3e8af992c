#include "ui/dialogs/import_layers_form.h"

#include "ui/services/editor_context.h"
#include "ui/services/error_texts.h"
#include "ui/services/language_lines.h"

#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace velmora {

namespace {

constexpr QSize kClientSize{440, 330};

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

TImportLayersForm::TImportLayersForm(EditorContext& editor, SceneCut cut, QString stepName)
    : FixedDialog(editor, kClientSize), cut_(std::move(cut)), stepName_(std::move(stepName))
{
    setObjectName(QStringLiteral("ImportLayersForm"));
    setWindowTitle(QString::fromUtf8(EnglishOf(Text::ImportLayersTitle)));

    Layers = new QTreeWidget(this);
    Layers->setObjectName(QStringLiteral("Layers"));
    Layers->setGeometry(8, 8, 424, 170);
    Layers->setColumnCount(2);
    Layers->setRootIsDecorated(false);
    Layers->header()->setSectionResizeMode(QHeaderView::Stretch);
    WarningsCaption = new QLabel(this);
    WarningsCaption->setObjectName(QStringLiteral("WarningsCaption"));
    WarningsCaption->setGeometry(8, 184, 424, 17);
    Warnings = new QPlainTextEdit(this);
    Warnings->setObjectName(QStringLiteral("Warnings"));
    Warnings->setGeometry(8, 204, 424, 84);
    Warnings->setReadOnly(true);
    WarningsCaption->setBuddy(Warnings);
    OkBtn = addButton("OkBtn", QStringLiteral("OK"), {272, 297, 75, 25});
    CancelBtn = addButton("CancelBtn", QStringLiteral("CANCEL"), {356, 297, 75, 25});
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
