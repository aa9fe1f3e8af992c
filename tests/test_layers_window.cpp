// File > Export layered picture and Import layered picture in the editor:
// the file dialogs and their filters, the import dialog's layer -> part list
// and warnings, one step of the history, and a file that is refused.
#include "ui/mainform.h"

#include "layerfile/layered_file.h"
#include "layerfile/ora_file.h"

#include "gui_room_helpers.h"
#include "support/modal_dialog.h"
#include "support/ui_fixture.h"

#include "core/image/palette.h"

#include <QAction>
#include <QUndoStack>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>

using namespace velmora;
using velmora::test::Child;
using velmora::test::UiFixture;
using Kind = velmora::test::ScriptedPrompts::Kind;

class LayersWindowTest : public QObject {
    Q_OBJECT
private slots:
    void exportWritesTheFormatItsFilterNames();
    void importShowsLayersAndWarningsThenTakesOneStep();
    void aRefusedFileIsToldAndChangesNothing();
};

namespace {

void Choose(TMainForm& form, const char* action)
{
    form.findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

}  // namespace

void LayersWindowTest::exportWritesTheFormatItsFilterNames()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    // A name of no layered kind takes the chosen filter's format.
    const QString base = fixture.tempFolder() + QStringLiteral("/room");
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{base + QStringLiteral(".aseprite"), 0});
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{base + QStringLiteral(".layers"), 1});
    Choose(*form, "ExportLayers");
    Choose(*form, "ExportLayers");
    const auto dialogs = fixture.prompts.shown(Kind::SaveFile);
    QCOMPARE(dialogs.size(), size_t(2));
    QCOMPARE(dialogs[0].dialog.filters,
             QStringList({QStringLiteral("OpenRaster (*.ora)"), QStringLiteral("Aseprite (*.aseprite *.ase)")}));
    QVERIFY(dialogs[0].dialog.overwritePrompt);
    QCOMPARE(dialogs[0].dialog.startName, QStringLiteral("room.ora"));
    for (const char* name : {".aseprite", ".layers"}) {
        const std::vector<uint8_t> ase = velmora::test::ReadBytes(base + QLatin1String(name));
        QCOMPARE(ase[4], uint8_t(0xE0));  // Aseprite's magic number: the name said so, then the filter
        QCOMPARE(DecodeLayeredFile(ase).layers.size(), size_t(20));
    }
    QCOMPARE(fixture.prompts.unanswered(), 0);
}

void LayersWindowTest::importShowsLayersAndWarningsThenTakesOneStep()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const RoomPictures before = form->document().pictures();
    // The scene of the room with the bed painted red and a sketch above it.
    Scene scene = SceneOfRoom(before);
    for (SceneLayer& l : scene.layers)
        if (l.name == "BedImage")
            for (size_t i = 0; i < l.picture.pixels.size(); i += 4)
                l.picture.pixels[i] = 255, l.picture.pixels[i + 1] = 0, l.picture.pixels[i + 2] = 0,
                l.picture.pixels[i + 3] = 255;
    for (SceneLayer& l : scene.layers)
        if (l.name == "BedImage")
            l.picture.pixels[3] = 100;  // drawn only under a threshold below 100
    SceneLayer sketch;
    sketch.name = "Sketch";
    sketch.picture = RgbaPicture{1, 1, {0, 0, 0, 255}};
    scene.layers.push_back(sketch);
    const QString path = fixture.tempFolder() + QStringLiteral("/room.ora");
    velmora::test::WriteBytes(path, WriteOra(scene, DefaultStatePicture(before)));

    QStringList rows;
    QString warnings;
    fixture.prompts.openAnswers.push_back(path);
    fixture.prompts.dialogAnswers.push_back([&](QDialog& dialog) {
        dialog.show();
        auto* layers = Child<QTreeWidget>(dialog, "Layers");
        for (int i = 0; i < layers->topLevelItemCount(); ++i)
            rows << layers->topLevelItem(i)->text(0) + QStringLiteral(" -> ") + layers->topLevelItem(i)->text(1);
        warnings = Child<QPlainTextEdit>(dialog, "Warnings")->toPlainText();
        Child<QSpinBox>(dialog, "AlphaSetting")->setValue(50);
        Child<QPushButton>(dialog, "OkBtn")->click();
        return dialog.result() == QDialog::Accepted;
    });
    Choose(*form, "ImportLayers");
    QVERIFY(fixture.prompts.shown(Kind::OpenFile)[0].dialog.filters[0].endsWith("(*.ora *.aseprite *.ase)"));
    QCOMPARE(fixture.prompts.shown(Kind::Dialog)[0].caption, QStringLiteral("Import layered picture"));
    QCOMPARE(rows.size(), 20);
    QVERIFY(rows.contains(QStringLiteral("BedImage -> BedImage (Bed (default))")));
    QCOMPARE(warnings, QStringLiteral("Layer \"Sketch\" names no part: it is left out."));

    // Only the bed changed, as one step named by the menu entry.
    const uint8_t red = NearestRoomIndex(RgbQuad{0, 0, 255, 0});
    QCOMPARE(form->document().picture(slot::BedImage).index(10, 10), red);
    QCOMPARE(form->document().picture(slot::BedImage).index(0, 0), red);  // the dialog's threshold of 50
    QCOMPARE(form->document().history().count(), 1);
    QCOMPARE(form->document().history().undoText(), QStringLiteral("Import layered picture"));
    QVERIFY(form->document().hasUnsavedChanges());
    form->document().undo();
    for (int s = 0; s < PartSlotTable::kSlotCount; ++s)
        QVERIFY2(form->document().picture(s).samePicture(before[size_t(s)]), qPrintable(QString::number(s)));

    // Cancel changes nothing and takes no step.
    fixture.prompts.openAnswers.push_back(path);
    fixture.prompts.dialogAnswers.push_back([](QDialog& dialog) {
        Child<QPushButton>(dialog, "CancelBtn")->click();
        return false;
    });
    Choose(*form, "ImportLayers");
    QCOMPARE(form->document().history().index(), 0);
    QCOMPARE(fixture.prompts.unanswered(), 0);
}

void LayersWindowTest::aRefusedFileIsToldAndChangesNothing()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const QString path = fixture.tempFolder() + QStringLiteral("/cut.ora");
    std::vector<uint8_t> ora = EncodeLayeredFile(form->document().pictures(), LayeredFormat::OpenRaster);
    ora.resize(ora.size() / 2);
    velmora::test::WriteBytes(path, ora);
    fixture.prompts.openAnswers.push_back(path);
    Choose(*form, "ImportLayers");
    const auto shown = fixture.prompts.shown(Kind::Warning);
    QCOMPARE(shown.size(), size_t(1));
    QVERIFY(shown[0].text.startsWith(QStringLiteral("The layered picture cannot be read:\n")));
    QVERIFY(shown[0].text.contains(QStringLiteral("not a whole zip archive")));
    QCOMPARE(fixture.prompts.shown(Kind::Dialog).size(), size_t(0));
    QCOMPARE(form->document().history().count(), 0);
}

QTEST_MAIN(LayersWindowTest)
#include "test_layers_window.moc"
