// The painter window on a room document, driven through its widgets: a
// click paints the pixel under it at every zoom and scroll, Alt picks, a
// stroke is one step of the document's history that Ctrl+Z in the painter
// takes back, a click in the room view switches to the part drawn there,
// and every caption has its line in the language files.
#include "support/scripted_prompts.h"
#include "support/ui_fixture.h"

#include "ui/mainform.h"
#include "ui/painter/paint_canvas.h"
#include "ui/services/language_lines.h"
#include "ui/painter/painter_window.h"
#include "ui/painter/palette_grid.h"
#include "ui/painter/pixel_view.h"
#include "ui/painter/room_view.h"
#include "ui/services/paths.h"

#include "document/room_document.h"

#include "core/paint/paint_slots.h"
#include "core/room/default_room.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>

using namespace velmora;
using velmora::test::ScriptedPrompts;
using velmora::test::UiFixture;

class PainterTest : public QObject {
    Q_OBJECT
private slots:
    void aClickPaintsThePixelUnderIt_data();
    void aClickPaintsThePixelUnderIt();
    void altPicksWithAnyTool();
    void aStrokeIsOneStepThatUndoInThePainterTakesBack();
    void aClickInTheRoomViewPaintsThePartDrawnThere();
    void aShapeDragLeavesOnlyItsLastShape();
    void aFillIsAStepOfItsOwn();
    void escapeCancelsADragAndLeavesNoStep();
    void toolsComeFromTheToolBarAndTheirKeys();
    void ctrlSInThePainterSavesTheRoom();
    void aRoundBrushUnderSymmetryAndAFlipAreOneStepEach();
    void anOpenDuringAStrokeDropsTheStroke();
    void aDragWithSpaceHeldPansAndPaintsNothing();
    void aSelectionMovesCopiesAndPastesIntoAnotherPart();
    void anOnionSkinShowsAnotherStateAndChangesNoSlot();
    void everyCaptionHasItsLineInBothLanguages();
    void screenReadersNameTheCanvasThePaletteAndTheRoom();
};

namespace {

LanguageTexts Texts(const char* code)
{
    LanguageTexts texts;
    const QString folder = QStringLiteral(VELMORA_DATA_DIR);
    texts.load(LanguageTexts::List::MenuItems, MenuItemsPath(folder, QString::fromLatin1(code)));
    texts.load(LanguageTexts::List::Labels, LabelsPath(folder, QString::fromLatin1(code)));
    texts.load(LanguageTexts::List::Messages, MessagesPath(folder, QString::fromLatin1(code)));
    return texts;
}

// The painter of an editor in a world of its own, shown on `slot`.
PainterWindow& OpenPainter(TMainForm& form, int slot)
{
    form.WinDayImageMouseDown(slot);
    form.PaintClick();
    return *form.painter();
}

struct Painter {
    UiFixture fixture;
    std::unique_ptr<TMainForm> form = fixture.makeForm();
    RoomDocument& document = form->document();
    ScriptedPrompts& prompts = fixture.prompts;
    PainterWindow& window;

    explicit Painter(int slot) : window(OpenPainter(*form, slot))
    {
        window.resize(900, 600);
        window.showSlot(slot);
        if (!QTest::qWaitForWindowExposed(&window))
            throw std::runtime_error("the painter did not show");
    }
    PaintCanvas& canvas() { return *window.findChild<PaintCanvas*>(); }
    QWidget* viewport() { return canvas().viewport(); }
    // The centre of pixel (x, y) in the viewport, worked out from the zoom and
    // the scroll bars: the picture is centred while it is smaller than the view.
    // With the surroundings shown the room around a part (inside the room) is
    // what is centred or scrolled.
    QPoint centreOf(int x, int y)
    {
        PaintCanvas& c = canvas();
        const int zoom = c.zoom();
        QRect content(0, 0, window.session().picture().width, window.session().picture().height);
        if (c.surroundingsShown()) {
            const Placement place = PartSlotTable::PlacementOf(PartSlotTable::PartOf(window.slot()));
            content = QRect(-place.left, -place.top, PartSlotTable::kRoomWidth, PartSlotTable::kRoomHeight);
        }
        const QSize shown = content.size() * zoom;
        const QSize view = viewport()->size();
        const int left = shown.width() < view.width() ? (view.width() - shown.width()) / 2
                                                      : -c.horizontalScrollBar()->value();
        const int top = shown.height() < view.height() ? (view.height() - shown.height()) / 2
                                                        : -c.verticalScrollBar()->value();
        return QPoint(left + (x - content.x()) * zoom + zoom / 2, top + (y - content.y()) * zoom + zoom / 2);
    }
    QAction* action(const QString& text)
    {
        for (QAction* a : window.findChildren<QAction*>())
            if (a->text() == text)
                return a;
        throw std::runtime_error("no action " + text.toStdString());
    }
    void drag(QPoint from, std::initializer_list<QPoint> through, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(viewport(), Qt::LeftButton, modifiers, centreOf(from.x(), from.y()));
        QPoint last = from;
        for (QPoint p : through) {
            QTest::mouseMove(viewport(), centreOf(p.x(), p.y()));
            last = p;
        }
        QTest::mouseRelease(viewport(), Qt::LeftButton, modifiers, centreOf(last.x(), last.y()));
    }
    uint8_t roomIndex(int slot, int x, int y) { return document.picture(slot).index(x, y); }
};

}  // namespace

void PainterTest::aClickPaintsThePixelUnderIt_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<bool>("surroundings");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QPoint>("scroll");
    QTest::addColumn<QPoint>("pixel");
    const int room = slot::RoomImage;
    QTest::newRow("1x") << room << false << 1 << QPoint() << QPoint(200, 150);
    QTest::newRow("8x") << room << false << 8 << QPoint() << QPoint(20, 30);
    QTest::newRow("8x scrolled") << room << false << 8 << QPoint(1001, 517) << QPoint(190, 110);
    QTest::newRow("table, 4x, the room around it") << int(slot::TableImage) << true << 4 << QPoint(500, 400)
                                                   << QPoint(30, 20);
}

void PainterTest::aClickPaintsThePixelUnderIt()
{
    QFETCH(int, slot);
    QFETCH(bool, surroundings);
    QFETCH(int, zoom);
    QFETCH(QPoint, scroll);
    QFETCH(QPoint, pixel);
    Painter painter(slot);
    painter.canvas().setZoom(zoom);
    if (surroundings)
        painter.action(QStringLiteral("Show &surroundings"))->setChecked(true);
    painter.canvas().horizontalScrollBar()->setValue(scroll.x());
    painter.canvas().verticalScrollBar()->setValue(scroll.y());
    QCOMPARE(painter.canvas().horizontalScrollBar()->value(), scroll.x());
    painter.window.setColours(35, 0);

    QTest::mouseClick(painter.viewport(), Qt::LeftButton, {}, painter.centreOf(pixel.x(), pixel.y()));
    // In the document, as one step, and nowhere else.
    QCOMPARE(painter.roomIndex(slot, pixel.x(), pixel.y()), uint8_t{35});
    for (QPoint beside : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
        QCOMPARE(painter.roomIndex(slot, pixel.x() + beside.x(), pixel.y() + beside.y()),
                 DefaultRoomPictures()[size_t(slot)].index(pixel.x() + beside.x(), pixel.y() + beside.y()));
    QCOMPARE(painter.document.history().count(), 1);
    QVERIFY(painter.prompts.shown().empty());
}

void PainterTest::altPicksWithAnyTool()
{
    Painter painter(slot::RoomImage);
    painter.canvas().setZoom(4);
    // The default room's line drawing is index 247; the rest white.
    QPoint line;
    const Bitmap& room = painter.document.picture(slot::RoomImage);
    for (int x = 0; x < room.width && line.isNull(); ++x)
        if (room.index(x, 120) == 247)
            line = QPoint(x, 120);
    QVERIFY(!line.isNull());
    painter.canvas().horizontalScrollBar()->setValue(line.x() * 4 - 100);
    painter.canvas().verticalScrollBar()->setValue(line.y() * 4 - 100);

    painter.window.setTool(PaintTool::Fill);
    QTest::mouseClick(painter.viewport(), Qt::LeftButton, Qt::AltModifier, painter.centreOf(line.x(), line.y()));
    QCOMPARE(painter.window.foreground(), uint8_t{247});
    QTest::mouseClick(painter.viewport(), Qt::RightButton, Qt::AltModifier,
                      painter.centreOf(line.x() + 3, line.y()));
    QCOMPARE(painter.window.background(), uint8_t{0});
    QCOMPARE(painter.window.foreground(), uint8_t{247});
    // Picking changes nothing in the room.
    QCOMPARE(painter.document.history().count(), 0);
}

void PainterTest::aStrokeIsOneStepThatUndoInThePainterTakesBack()
{
    Painter painter(slot::BedImage);
    painter.canvas().setZoom(4);
    painter.window.setColours(35, 0);
    const Bitmap bedBefore = painter.document.picture(slot::BedImage);
    QWidget* viewport = painter.viewport();

    QTest::mousePress(viewport, Qt::LeftButton, {}, painter.centreOf(10, 10));
    for (int x = 11; x <= 30; ++x)
        QTest::mouseMove(viewport, painter.centreOf(x, 10));
    // While the button is held the room beside follows; the document waits.
    const Placement bed = PartSlotTable::PlacementOf(slot::BedImage);
    QCOMPARE(painter.window.session().composedRoom().index(bed.left + 30, bed.top + 10), uint8_t{35});
    QCOMPARE(painter.document.history().count(), 0);
    QVERIFY(painter.document.picture(slot::BedImage).samePicture(bedBefore));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, painter.centreOf(30, 10));

    QCOMPARE(painter.document.history().count(), 1);
    QCOMPARE(painter.document.history().undoText(), QStringLiteral("Pencil"));
    for (int x = 10; x <= 30; ++x)
        QCOMPARE(painter.roomIndex(slot::BedImage, x, 10), uint8_t{35});

    QAction* undo = painter.action(QStringLiteral("&Undo Pencil"));
    QTest::keyClick(&painter.window, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(painter.document.picture(slot::BedImage).samePicture(bedBefore));
    QCOMPARE(painter.window.session().picture().at({20, 10}), PaintValue{0});
    QCOMPARE(undo->text(), QStringLiteral("&Undo"));
    QVERIFY(!undo->isEnabled());

    // A step taken back elsewhere (the main window) shows here too.
    painter.document.redo();
    QCOMPARE(painter.window.session().picture().at({20, 10}), PaintValue{35});
    QCOMPARE(painter.window.session().composedRoom().index(bed.left + 20, bed.top + 10), uint8_t{35});
    QVERIFY(painter.prompts.shown().empty());
}

void PainterTest::aClickInTheRoomViewPaintsThePartDrawnThere()
{
    // A bed the room can see: drawn through a mask that draws everywhere.
    Painter painter(slot::RoomImage);
    RoomView* view = painter.window.findChild<RoomView*>();
    const Placement bed = PartSlotTable::PlacementOf(slot::BedImage);
    const QPoint onBed(bed.left + 40, bed.top + 30);

    QTest::mouseClick(view, Qt::LeftButton, {}, onBed);
    QCOMPARE(painter.window.slot(), int(slot::BedImage));
    // The sleeping bed in that state.
    painter.window.findChild<QComboBox*>(QStringLiteral("BedChoice"))->setCurrentIndex(1);
    QTest::mouseClick(view, Qt::LeftButton, {}, onBed);
    QCOMPARE(painter.window.slot(), int(slot::BedSleepingImage));
    // Where no part is drawn, the room itself.
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(painter.window.slot(), int(slot::RoomImage));
}

void PainterTest::aShapeDragLeavesOnlyItsLastShape()
{
    Painter painter(slot::TableImage);
    painter.canvas().setZoom(4);
    painter.window.setColours(35, 0);
    painter.window.setTool(PaintTool::Rectangle);
    const Placement table = PartSlotTable::PlacementOf(slot::TableImage);

    QTest::mousePress(painter.viewport(), Qt::LeftButton, {}, painter.centreOf(2, 2));
    QTest::mouseMove(painter.viewport(), painter.centreOf(40, 30));
    QCOMPARE(painter.window.session().composedRoom().index(table.left + 40, table.top + 30), uint8_t{35});
    QTest::mouseMove(painter.viewport(), painter.centreOf(10, 8));
    // The larger rectangle is gone from the room beside too.
    QCOMPARE(painter.window.session().composedRoom().index(table.left + 40, table.top + 30), uint8_t{0});
    QTest::mouseRelease(painter.viewport(), Qt::LeftButton, {}, painter.centreOf(10, 8));

    QCOMPARE(painter.document.history().count(), 1);
    QCOMPARE(painter.document.history().undoText(), QStringLiteral("Rectangle"));
    for (QPoint corner : {QPoint(2, 2), QPoint(10, 2), QPoint(2, 8), QPoint(10, 8)})
        QCOMPARE(painter.roomIndex(slot::TableImage, corner.x(), corner.y()), uint8_t{35});
    QCOMPARE(painter.roomIndex(slot::TableImage, 6, 5), uint8_t{0});    // inside the outline
    QCOMPARE(painter.roomIndex(slot::TableImage, 40, 30), uint8_t{0});  // where the drag went by
    QCOMPARE(painter.roomIndex(slot::TableImage, 40, 2), uint8_t{0});
}

void PainterTest::aFillIsAStepOfItsOwn()
{
    Painter painter(slot::TableImage);
    painter.canvas().setZoom(4);
    painter.window.setColours(35, 0);
    QTest::mouseClick(painter.viewport(), Qt::LeftButton, {}, painter.centreOf(2, 2));
    painter.window.setTool(PaintTool::Fill);
    painter.window.setColours(36, 0);
    QTest::mouseClick(painter.viewport(), Qt::LeftButton, {}, painter.centreOf(20, 20));
    painter.window.setTool(PaintTool::Pencil);
    painter.window.setColours(37, 0);
    QTest::mouseClick(painter.viewport(), Qt::LeftButton, {}, painter.centreOf(4, 2));
    QCOMPARE(painter.document.history().count(), 3);

    // Each undo takes back one of them, the fill alone in the middle.
    painter.document.undo();
    QCOMPARE(painter.document.history().undoText(), QStringLiteral("Fill"));
    QCOMPARE(painter.roomIndex(slot::TableImage, 4, 2), uint8_t{36});
    QCOMPARE(painter.roomIndex(slot::TableImage, 2, 2), uint8_t{35});
    painter.document.undo();
    QCOMPARE(painter.roomIndex(slot::TableImage, 20, 20), uint8_t{0});
    QCOMPARE(painter.roomIndex(slot::TableImage, 2, 2), uint8_t{35});
}

void PainterTest::escapeCancelsADragAndLeavesNoStep()
{
    Painter painter(slot::TableImage);
    painter.canvas().setZoom(4);
    painter.window.setColours(35, 0);
    const Placement table = PartSlotTable::PlacementOf(slot::TableImage);
    for (PaintTool tool : {PaintTool::Pencil, PaintTool::Rectangle}) {
        painter.window.setTool(tool);
        QTest::mousePress(painter.viewport(), Qt::LeftButton, {}, painter.centreOf(2, 2));
        QTest::mouseMove(painter.viewport(), painter.centreOf(20, 12));
        QCOMPARE(painter.window.session().composedRoom().index(table.left + 20, table.top + 12), uint8_t{35});
        QTest::keyClick(&painter.window, Qt::Key_Escape);
        // Gone from the picture and the room at once, and the release adds nothing.
        QCOMPARE(painter.window.session().picture().at({20, 12}), PaintValue{0});
        QCOMPARE(painter.window.session().composedRoom().index(table.left + 20, table.top + 12), uint8_t{0});
        QTest::mouseMove(painter.viewport(), painter.centreOf(30, 20));
        QTest::mouseRelease(painter.viewport(), Qt::LeftButton, {}, painter.centreOf(30, 20));
        QCOMPARE(painter.document.history().count(), 0);
        QVERIFY(!painter.document.hasUnsavedChanges());
        QCOMPARE(painter.window.session().picture().at({30, 20}), PaintValue{0});
    }
}

void PainterTest::toolsComeFromTheToolBarAndTheirKeys()
{
    Painter painter(slot::TableImage);
    auto* bar = painter.window.findChild<QToolBar*>(QStringLiteral("ToolBar"));
    QAction* fill = painter.action(QStringLiteral("&Fill"));
    QVERIFY(!fill->icon().isNull());
    QVERIFY(fill->toolTip().contains(QStringLiteral("(G)")));
    QTest::mouseClick(bar->widgetForAction(fill), Qt::LeftButton);
    QCOMPARE(painter.window.tool(), PaintTool::Fill);
    QVERIFY(qobject_cast<QToolButton*>(bar->widgetForAction(fill))->isChecked());

    QTest::keyClick(&painter.window, Qt::Key_B);
    QCOMPARE(painter.window.tool(), PaintTool::Pencil);
    QVERIFY(!fill->isChecked());
    // U goes round the rectangles, Shift+U the ellipses.
    QTest::keyClick(&painter.window, Qt::Key_U);
    QCOMPARE(painter.window.tool(), PaintTool::Rectangle);
    QTest::keyClick(&painter.window, Qt::Key_U);
    QCOMPARE(painter.window.tool(), PaintTool::FilledRectangle);
    QTest::keyClick(&painter.window, Qt::Key_U);
    QCOMPARE(painter.window.tool(), PaintTool::Rectangle);
    QTest::keyClick(&painter.window, Qt::Key_U, Qt::ShiftModifier);
    QCOMPARE(painter.window.tool(), PaintTool::Ellipse);
    QVERIFY(painter.prompts.shown().empty());
}

void PainterTest::ctrlSInThePainterSavesTheRoom()
{
    Painter painter(slot::BedImage);
    painter.canvas().setZoom(4);
    painter.window.setColours(35, 0);
    QTest::mouseClick(painter.viewport(), Qt::LeftButton, {}, painter.centreOf(10, 10));
    QCOMPARE(painter.window.windowTitle(), QStringLiteral("BedImage* - Painter"));

    // A room never saved: the main window's Save As dialog.
    const QString path = painter.fixture.tempFolder() + "/../painted.pac";
    painter.prompts.saveAnswers.push_back(SaveFileChoice{path, 0});
    QTest::keyClick(&painter.window, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(painter.prompts.shown().size(), size_t(1));
    QCOMPARE(painter.prompts.shown()[0].dialog, painter.form->saveDialog());
    QVERIFY(!painter.document.hasUnsavedChanges());
    QCOMPARE(painter.window.windowTitle(), QStringLiteral("BedImage - painted.pac - Painter"));

    // Then to its file without a question, a stroke still held included.
    QTest::mousePress(painter.viewport(), Qt::LeftButton, {}, painter.centreOf(12, 10));
    QTest::keyClick(&painter.window, Qt::Key_S, Qt::ControlModifier);
    QTest::mouseRelease(painter.viewport(), Qt::LeftButton, {}, painter.centreOf(12, 10));
    QCOMPARE(painter.prompts.shown().size(), size_t(1));
    QVERIFY(!painter.document.hasUnsavedChanges());
    auto reopened = painter.fixture.makeForm();
    reopened->openRoomFile(path);
    QCOMPARE(reopened->document().picture(slot::BedImage).index(10, 10), uint8_t{35});
    QCOMPARE(reopened->document().picture(slot::BedImage).index(12, 10), uint8_t{35});
}

void PainterTest::aRoundBrushUnderSymmetryAndAFlipAreOneStepEach()
{
    Painter painter(slot::TableImage);  // 77 wide: the middle is column 38
    painter.canvas().setZoom(4);
    painter.window.setColours(35, 0);
    painter.window.findChild<QComboBox*>(QStringLiteral("BrushShape"))->setCurrentIndex(1);
    auto* size = painter.window.findChild<QSpinBox*>(QStringLiteral("BrushSize"));
    size->setValue(4);
    QTest::keyClick(&painter.window, Qt::Key_Period);
    QCOMPARE(size->value(), 5);
    painter.action(QStringLiteral("&Vertical symmetry"))->setChecked(true);

    QTest::mouseClick(painter.viewport(), Qt::LeftButton, {}, painter.centreOf(10, 10));
    QCOMPARE(painter.document.history().count(), 1);
    for (int x : {8, 10, 12, 64, 66, 68})
        QCOMPARE(painter.roomIndex(slot::TableImage, x, 10), uint8_t{35});
    QCOMPARE(painter.roomIndex(slot::TableImage, 8, 8), uint8_t{0});  // a round's corner
    QCOMPARE(painter.roomIndex(slot::TableImage, 38, 10), uint8_t{0});

    // Columns 6..16 flipped: the dab, columns 8..12, goes to 10..14.
    painter.window.setTool(PaintTool::Select);
    painter.drag({6, 6}, {{16, 14}});
    painter.action(QStringLiteral("Flip &horizontally"))->trigger();
    QCOMPARE(painter.document.history().count(), 2);
    QCOMPARE(painter.document.history().undoText(), QStringLiteral("Flip horizontally"));
    QCOMPARE(painter.window.session().selection(), (PixelRect{6, 6, 11, 9}));
    QCOMPARE(painter.roomIndex(slot::TableImage, 14, 10), uint8_t{35});
    QCOMPARE(painter.roomIndex(slot::TableImage, 8, 10), uint8_t{0});
    QVERIFY(painter.prompts.shown().empty());
}

void PainterTest::anOpenDuringAStrokeDropsTheStroke()
{
    Painter painter(slot::BedImage);
    painter.canvas().setZoom(4);
    painter.window.setColours(35, 0);
    QTest::mousePress(painter.viewport(), Qt::LeftButton, {}, painter.centreOf(10, 10));
    QTest::mouseMove(painter.viewport(), painter.centreOf(20, 10));

    // The main window opens a room meanwhile: its bed is grey.
    Room opened;
    opened.pictures = DefaultRoomPictures();
    std::fill(opened.pictures[slot::BedImage].pixels.begin(), opened.pictures[slot::BedImage].pixels.end(), 247);
    painter.document.openRoom(opened, QStringLiteral("opened.pac"));
    QTest::mouseMove(painter.viewport(), painter.centreOf(30, 10));
    QTest::mouseRelease(painter.viewport(), Qt::LeftButton, {}, painter.centreOf(30, 10));

    // Nothing of the stroke reaches the opened room.
    QCOMPARE(painter.document.history().count(), 0);
    QVERIFY(!painter.document.hasUnsavedChanges());
    QVERIFY(painter.document.picture(slot::BedImage).samePicture(opened.pictures[slot::BedImage]));
    QCOMPARE(painter.window.session().picture().at({15, 10}), PaintValue{247});
}

void PainterTest::aDragWithSpaceHeldPansAndPaintsNothing()
{
    Painter painter(slot::RoomImage);
    painter.canvas().setZoom(8);
    painter.window.setColours(35, 0);
    QScrollBar* across = painter.canvas().horizontalScrollBar();
    const int scrolled = across->value();
    const QPoint from = painter.centreOf(100, 100);

    QTest::keyPress(&painter.canvas(), Qt::Key_Space);
    QTest::mousePress(painter.viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(painter.viewport(), from - QPoint(40, 0));
    QTest::mouseRelease(painter.viewport(), Qt::LeftButton, {}, from - QPoint(40, 0));
    QCOMPARE(across->value(), scrolled + 40);
    QCOMPARE(painter.document.history().count(), 0);

    // Space let go: the left button paints again.
    QTest::keyRelease(&painter.canvas(), Qt::Key_Space);
    QTest::mouseClick(painter.viewport(), Qt::LeftButton, {}, painter.centreOf(100, 100));
    QCOMPARE(painter.document.history().count(), 1);
}

void PainterTest::aSelectionMovesCopiesAndPastesIntoAnotherPart()
{
    Painter painter(slot::TableImage);
    painter.canvas().setZoom(4);
    painter.window.setColours(35, 0);
    painter.drag({4, 4}, {{6, 4}});  // a pencil line of three pixels
    painter.window.setTool(PaintTool::Select);
    painter.drag({3, 3}, {{7, 5}});  // selects 3..7 x 3..5
    QCOMPARE(painter.window.session().selection(), (PixelRect{3, 3, 5, 3}));  // both ends in it

    painter.drag({5, 4}, {{5, 10}}, Qt::ControlModifier);  // a copy 6 rows down
    QCOMPARE(painter.document.history().undoText(), QStringLiteral("Copy"));
    painter.drag({5, 10}, {{25, 10}});  // the copy moved 20 right
    QCOMPARE(painter.document.history().undoText(), QStringLiteral("Move"));
    QCOMPARE(painter.roomIndex(slot::TableImage, 5, 4), uint8_t{35});   // the original stays
    QCOMPARE(painter.window.session().picture().at({5, 10}), kSeeThrough);  // a move leaves see-through
    QCOMPARE(painter.roomIndex(slot::TableImage, 26, 10), uint8_t{35});
    QCOMPARE(painter.document.history().count(), 3);

    // Ctrl+C here, Ctrl+V on the bath: one step there, at its corner.
    QTest::keyClick(&painter.window, Qt::Key_C, Qt::ControlModifier);
    painter.window.showSlot(slot::BathImage);
    QTest::keyClick(&painter.window, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(painter.document.history().count(), 4);
    QCOMPARE(painter.document.history().undoText(), QStringLiteral("Paste"));
    QCOMPARE(painter.roomIndex(slot::BathImage, 2, 1), uint8_t{35});
    QCOMPARE(painter.roomIndex(slot::BathImage, 5, 1), uint8_t{0});
    QVERIFY(painter.prompts.shown().empty());
}

void PainterTest::anOnionSkinShowsAnotherStateAndChangesNoSlot()
{
    Painter painter(slot::DoorHalfImage);
    painter.canvas().setZoom(4);
    // The half open door erased where the closed door is drawn, and a pixel it still paints.
    std::optional<QPoint> under, over;
    const PaintPicture closed = ReadPaintPicture(painter.document.pictures(), slot::DoorCloseImage);
    for (int32_t y = 0; y < closed.height && !under; ++y)
        for (int32_t x = 0; x < closed.width && !under; ++x)
            if (closed.at(PixelPoint{x, y}) != kSeeThrough)
                under = QPoint(x, y);
    QVERIFY(under);
    painter.window.setTool(PaintTool::Eraser);
    QTest::mouseClick(painter.viewport(), Qt::LeftButton, {}, painter.centreOf(under->x(), under->y()));
    const RoomPictures pictures = painter.document.pictures();
    const PaintPicture half = ReadPaintPicture(pictures, slot::DoorHalfImage);
    QCOMPARE(half.at(PixelPoint{under->x(), under->y()}), kSeeThrough);
    for (int32_t y = 0; y < half.height && !over; ++y)
        for (int32_t x = 0; x < half.width && !over; ++x)
            if (half.at(PixelPoint{x, y}) != kSeeThrough)
                over = QPoint(x, y);
    QVERIFY(over);

    auto* menu = painter.window.findChild<QMenu*>(QStringLiteral("OnionSkinMenu"));
    QVERIFY(menu->menuAction()->isEnabled());
    QStringList listed;
    for (QAction* a : menu->actions())
        listed << a->text();
    QCOMPARE(listed, (QStringList{"None", "Door (closed)", "Door (open)"}));

    const QImage before = painter.viewport()->grab().toImage();
    menu->actions().at(1)->trigger();
    const QImage after = painter.viewport()->grab().toImage();
    const QPoint at = painter.centreOf(under->x(), under->y());
    QVERIFY(after.pixel(at) != before.pixel(at));
    // Faint: the checkerboard still shows through it.
    QVERIFY(after.pixel(at) != QColor(RoomRgb()[closed.at(PixelPoint{under->x(), under->y()})]).rgb());
    QCOMPARE(after.pixel(painter.centreOf(over->x(), over->y())), before.pixel(painter.centreOf(over->x(), over->y())));
    QCOMPARE(painter.document.history().count(), 1);  // the erasing
    for (int s = 0; s < PartSlotTable::kSlotCount; ++s)
        QVERIFY(painter.document.picture(s).samePicture(pictures[size_t(s)]));

    // The list follows the part: the closed door stays chosen on the open
    // door, a part of one state has no list, and back on the half open door nothing is chosen.
    painter.window.showSlot(slot::DoorOpenImage);
    listed.clear();
    for (QAction* a : menu->actions())
        listed << a->text() + (a->isChecked() ? "*" : "");
    QCOMPARE(listed, (QStringList{"None", "Door (closed)*", "Door (half open)"}));
    painter.window.showSlot(slot::TableImage);
    QVERIFY(!menu->menuAction()->isEnabled());
    QCOMPARE(menu->actions().size(), 1);
    painter.window.showSlot(slot::DoorHalfImage);
    QVERIFY(menu->actions().at(0)->isChecked());
    QVERIFY(painter.prompts.shown().empty());
}

void PainterTest::everyCaptionHasItsLineInBothLanguages()
{
    // Each line the painter added has its own Japanese, so a block moved to
    // other numbers shows up here (the table's English against the English
    // file: test_language_texts).
    const LanguageTexts english = Texts("en"), japanese = Texts("ja");
    const int firstMenu = kTextLines[size_t(Text::Cut)].index;
    const int firstLabel = kTextLines[size_t(Text::PainterTitle)].index;
    for (const TextLine& line : kTextLines) {
        const bool added = (line.list == LanguageTexts::List::MenuItems && line.index >= firstMenu) ||
                           (line.list == LanguageTexts::List::Labels && line.index >= firstLabel);
        if (added)
            QVERIFY2(japanese.line(line.list, line.index) != english.line(line.list, line.index), line.english);
    }
}

void PainterTest::screenReadersNameTheCanvasThePaletteAndTheRoom()
{
    // What a screen reader announces, in step with the part shown.
    auto name = [](QWidget* widget) { return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name); };
    Painter painter(slot::BedImage);
    QCOMPARE(name(&painter.canvas()), QString("Bed (default), picture"));
    QCOMPARE(name(painter.window.findChild<PaletteGrid*>()), QString("Room palette"));
    QCOMPARE(name(painter.window.findChild<RoomView*>()), QString("Room view"));
    painter.window.showSlot(slot::BedMask);
    QCOMPARE(name(&painter.canvas()), QString("Bed (default), mask"));
}

QTEST_MAIN(PainterTest)
#include "test_painter.moc"
