// The painter from the editor: the part menu's Paint..., Enter on a box and
// the double-click (as the settings say) open one painter on that part;
// undo in the painter shows in the editor's boxes; the clipboard keys act
// on the focused box and never in a text field.
#include "gui_room_helpers.h"
#include "support/ui_fixture.h"

#include "imageio/clipboard_picture.h"
#include "imageio/picture_file.h"
#include "ui/mainform.h"
#include "ui/painter/paint_canvas.h"
#include "ui/painter/painter_window.h"
#include "ui/widgets/picture_box.h"

#include "core/edit/picture_convert.h"

#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUndoStack>
#include <QtTest>

using namespace velmora;
using velmora::test::ChooseFromMenu;
using velmora::test::ScriptedPrompts;
using velmora::test::ShowActive;
using velmora::test::UiFixture;
using Kind = ScriptedPrompts::Kind;

class PainterOpenTest : public QObject {
    Q_OBJECT
private slots:
    void theMenuAndEnterOpenOnePainterOnThatPart();
    void theDoubleClickDoesWhatTheSettingsSay();
    void undoInThePainterShowsInTheBoxes();
    void theClipboardKeysActOnTheFocusedBoxOnly();
};

namespace {

constexpr int kBed = 8;
constexpr int kTable = 12;
constexpr int kLetter = 16;

void DoubleClick(TMainForm& form, int slot)
{
    QTest::mouseDClick(form.pictureBox(slot), Qt::LeftButton);
}

}  // namespace

void PainterOpenTest::theMenuAndEnterOpenOnePainterOnThatPart()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    QVERIFY(ShowActive(*form));
    QVERIFY(!form->painter());

    ChooseFromMenu(*form, kBed, "Paint");
    PainterWindow* painter = form->painter();
    QVERIFY(painter);
    QTRY_VERIFY(painter->isVisible());
    QCOMPARE(painter->slot(), kBed);
    QVERIFY(!painter->isModal());

    // Enter on another focused box switches the same painter to that part.
    QVERIFY(ShowActive(*form));
    form->pictureBox(kTable)->setFocus();
    QTest::keyClick(form->pictureBox(kTable), Qt::Key_Return);
    QCOMPARE(form->painter(), painter);
    QCOMPARE(painter->slot(), kTable);
    QTest::keyClick(form->pictureBox(kTable + 20), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(painter->slot(), kTable + 20);

    // A change of language reaches the painter.
    form->setLanguageCode("ja");
    form->applyTexts();
    QVERIFY2(painter->windowTitle().endsWith(QStringLiteral("ペイント")), qPrintable(painter->windowTitle()));

    // It closes with the editor.
    QVERIFY(form->close());
    QVERIFY(!painter->isVisible());
    QCOMPARE(fixture.prompts.shown().size(), size_t(0));
}

void PainterOpenTest::theDoubleClickDoesWhatTheSettingsSay()
{
    UiFixture fixture;
    {
        auto form = fixture.makeForm();
        QVERIFY(ShowActive(*form));
        // The default: the image editor, here with none set.
        DoubleClick(*form, kBed);
        QCOMPARE(fixture.prompts.shown(Kind::Warning).size(), size_t(1));
        QVERIFY(!form->painter());

        // Settings > Double-click on a picture: the painter, kept.
        fixture.prompts.choiceAnswers.push_back(1);
        form->findChild<QAction*>("DoubleClickSet")->trigger();
        QCOMPARE(fixture.prompts.lastChoiceItems,
                 QStringList({"Edit in image editor", "Paint"}));
        QCOMPARE(fixture.prompts.shown(Kind::Choice).back().caption, QStringLiteral("Double-click on a picture"));
    }
    {
        auto form = fixture.makeForm();
        QVERIFY(ShowActive(*form));
        DoubleClick(*form, kBed);
        QVERIFY(form->painter());
        QCOMPARE(form->painter()->slot(), kBed);
        QCOMPARE(fixture.prompts.shown(Kind::Warning).size(), size_t(1));

        // Back to the editor.
        fixture.prompts.choiceAnswers.push_back(0);
        form->findChild<QAction*>("DoubleClickSet")->trigger();
        DoubleClick(*form, kTable);
        QCOMPARE(form->painter()->slot(), kBed);
        QCOMPARE(fixture.prompts.shown(Kind::Warning).size(), size_t(2));
    }
    // A value this version does not know: the image editor.
    QVERIFY(Settings(fixture.settingsFile()).write("DBLCLICK", "brush"));
    auto form = fixture.makeForm();
    QVERIFY(ShowActive(*form));
    DoubleClick(*form, kBed);
    QVERIFY(!form->painter());
    QCOMPARE(fixture.prompts.shown(Kind::Warning).size(), size_t(3));
    QCOMPARE(fixture.prompts.unanswered(), 0);
}

void PainterOpenTest::undoInThePainterShowsInTheBoxes()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    QVERIFY(ShowActive(*form));
    const QImage before = form->pictureBox(kBed)->picture();
    form->WinDayImageMouseDown(kBed);
    form->PaintClick();
    PainterWindow& painter = *form->painter();
    painter.resize(700, 500);
    QVERIFY(ShowActive(painter));
    painter.setColours(3, 0);

    // A dab in the middle of the bed: one step, in the box as it ends.
    QWidget* canvas = painter.findChild<PaintCanvas*>()->viewport();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, canvas->rect().center());
    QCOMPARE(form->document().history().count(), 1);
    const QImage painted = form->pictureBox(kBed)->picture();
    QVERIFY(painted != before);
    QVERIFY(form->findChild<QAction*>("Undo")->isEnabled());

    QTest::keyClick(&painter, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(form->pictureBox(kBed)->picture(), before);
    QVERIFY(!form->document().hasUnsavedChanges());

    // And redone from the editor.
    QVERIFY(ShowActive(*form));
    QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(form->pictureBox(kBed)->picture(), painted);

    // A stroke still held when the editor is closed counts as a change: the
    // close asks, and No keeps the window with the stroke as its step.
    form->document().undo();
    QVERIFY(!form->document().hasUnsavedChanges());
    QTest::mousePress(canvas, Qt::LeftButton, {}, canvas->rect().center());
    fixture.prompts.questionAnswers.push_back(false);
    QVERIFY(!form->close());
    QCOMPARE(fixture.prompts.shown(Kind::Question).size(), size_t(1));
    QCOMPARE(form->document().history().count(), 1);
    QCOMPARE(form->document().history().index(), 1);
}

void PainterOpenTest::theClipboardKeysActOnTheFocusedBoxOnly()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    QVERIFY(ShowActive(*form));
    const RgbaPicture letter = SlotToRgba(form->slotPictures(), kLetter);

    // A text field has the focus: the keys leave the room alone.
    QGuiApplication::clipboard()->setMimeData(PictureMimeData(letter, PngForm::Rgba).release());
    auto* name = form->findChild<QPlainTextEdit*>("RoomName");
    name->setFocus();
    QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(form->document().history().count(), 0);
    QVERIFY(fixture.prompts.shown().empty());

    // A box reached with the keyboard, another pressed last: the focused one counts.
    QTest::mouseClick(form->pictureBox(kBed), Qt::LeftButton);
    form->pictureBox(kLetter)->setFocus();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(form->pictureBox(kLetter), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasFormat("image/png"));
    const QByteArray png = data->data("image/png");
    const Result<RgbaPicture> copied = DecodePicture(std::vector<uint8_t>(png.begin(), png.end()));
    QVERIFY(copied.ok());
    QCOMPARE(copied->pixels, letter.pixels);
    QCOMPARE(form->selectedSlot(), kLetter);
}

QTEST_MAIN(PainterOpenTest)
#include "test_painter_open.moc"
