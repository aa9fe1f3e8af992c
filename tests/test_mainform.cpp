// The main window: its controls as designed, the picture boxes, the close
// question, and the menu keys winning over the text fields.
#include "gui_room_helpers.h"
#include "ui/mainform.h"
#include "ui/widgets/picture_box.h"
#include "core/image/palette.h"
#include "core/room/default_room.h"
#include "ui/widgets/bitmap_image.h"
#include "support/typing.h"
#include "support/ui_fixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSet>
#include <QSignalSpy>
#include <QUndoStack>
#include <QtTest>

using namespace velmora;
using velmora::test::ScriptedPrompts;
using velmora::test::FocusField;
using velmora::test::UiFixture;

class MainFormTest : public QObject {
    Q_OBJECT
private slots:
    void windowIsPlacedAsDesigned();
    void everySlotHasItsBox();
    void boxesScaleWithoutBlending();
    void menusAndDialogsAreAsDesigned();
    void aPressSelectsTheSlot();
    void aRightClickOpensThePartMenu();
    void theKeyboardReachesEveryBoxAndItsMenu();
    void boxesAndFieldsAreNamedInTheChosenLanguage();
    void aFailingCommandIsShownAndTheProgramGoesOn();
    void everyViewFollowsTheDocument();
    void closingWithoutChangesAsksNothing();
    void typedTextAsksBeforeClosing();
    void aChangedPictureAsksBeforeClosing();
    void openedOrSavedTextsAreNotChanges();
    void menuKeysWinOverTheTextFields();
    void ctrlXWithoutChangesClosesAtOnce();
};

void MainFormTest::windowIsPlacedAsDesigned()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QTRY_COMPARE(form->frameGeometry().size(), QSize(618, 462));
    QCOMPARE(form->frameGeometry().topLeft(), QPoint(192, 107));

    const struct {
        const char* name;
        QRect rect;
    } controls[] = {
        {"RoomName", {408, 240, 185, 49}}, {"Comment", {408, 296, 185, 49}},  {"Copyright", {408, 352, 185, 49}},
        {"WviewLabel", {8, 0, 257, 16}},   {"RoomLabel", {8, 256, 337, 16}},  {"NameLabel", {344, 240, 60, 16}},
    };
    for (const auto& control : controls) {
        auto* widget = form->findChild<QWidget*>(control.name);
        QVERIFY2(widget, control.name);
        QCOMPARE(widget->geometry(), control.rect);
    }
    QCOMPARE(form->findChild<QLabel*>("NameLabel")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(form->findChild<QLabel*>("TableLabel")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

    // Tab goes from field to field (it makes no tab character).
    QPlainTextEdit* name = FocusField(*form, "RoomName");
    QVERIFY(name);
    QTest::keyClick(name, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form->findChild<QWidget*>("Comment"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form->findChild<QWidget*>("Copyright"));
    QCOMPARE(name->toPlainText(), QString());
    QVERIFY(!form->document().picturesChangedSinceClean());
    QVERIFY(!form->document().hasUnsavedChanges());
}

void MainFormTest::everySlotHasItsBox()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot) {
        PictureBox* box = form->pictureBox(slot);
        QCOMPARE(box->tag(), slot);
        QCOMPARE(box->objectName(), QString::fromLatin1(PartSlotTable::BoxName(slot)));
        const PartSize size = PartSlotTable::RequiredSize(slot);
        QCOMPARE(form->document().picture(slot).width, size.width);
        QCOMPARE(form->document().picture(slot).height, size.height);
        QCOMPARE(box->picture().size(), QSize(size.width, size.height));
        // Half size, odd sizes rounded up; the letters at full size.
        const bool letter = PartSlotTable::PartOf(slot) >= 16 && PartSlotTable::PartOf(slot) <= 18;
        const QSize shown = letter ? QSize(size.width, size.height)
                                   : QSize((size.width + 1) / 2, (size.height + 1) / 2);
        QCOMPARE(box->size(), shown);
    }
    QCOMPARE(form->pictureBox(19)->geometry(), QRect(408, 16, 40, 45));
    QCOMPARE(form->pictureBox(39)->geometry(), QRect(464, 16, 40, 45));
    QCOMPARE(form->pictureBox(4)->geometry(), QRect(8, 279, 160, 120));
    QCOMPARE(form->pictureBox(24)->geometry(), QRect(184, 279, 160, 120));
    QCOMPARE(form->pictureBox(40), nullptr);
}

void MainFormTest::boxesScaleWithoutBlending()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    // Black and white columns: halving them with blending would give grey.
    Bitmap room = Bitmap::Make(320, 240, 8, RoomPaletteVector());
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; x += 2)
            room.setIndex(x, y, kBlackIndex);
    test::SetSlotPicture(*form, 4, room);
    QVERIFY(form->document().picture(4).samePicture(room));
    QVERIFY(!form->document().picturesChangedSinceClean());  // only the commands decide that

    const QImage shown = form->pictureBox(4)->grab().toImage();
    QCOMPARE(shown.size(), QSize(160, 120));
    int black = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb pixel = shown.pixel(x, y) & 0xffffff;
            QVERIFY2(pixel == 0 || pixel == 0xffffff, qPrintable(QString::number(pixel, 16)));
            black += pixel == 0;
        }
    QVERIFY(black > 0);
}

void MainFormTest::menusAndDialogsAreAsDesigned()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const struct {
        const char* name;
        QKeySequence key;
    } shortcuts[] = {
        {"OpenRoomFile", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"SaveRoomFile", QKeySequence(Qt::CTRL | Qt::Key_A)},
        {"Exit", QKeySequence(Qt::CTRL | Qt::Key_X)},
        {"ShowCheck", QKeySequence()},
        {"CopyPicture", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
        {"PastePicture", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V)},
    };
    for (const auto& item : shortcuts)
        QCOMPARE(form->findChild<QAction*>(item.name)->shortcut(), item.key);
    QCOMPARE(form->findChild<QMenu*>("FileMenu")->menuAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    QCOMPARE(form->findChild<QMenu*>("Help")->menuAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));

    QStringList popup;
    for (QAction* item : form->popupMenu()->actions())
        popup << item->objectName();
    QCOMPARE(popup, QStringList({"Edit", "OpenPFile", "SavePFile", "CopyImage", "CreateMask", "CopyData", "PasteParts",
                                 "ImportPicture", "ExportPicture", "CopyPicture", "PastePicture", "Paint"}));

    QCOMPARE(form->openDialog().defaultSuffix, QStringLiteral("pac"));
    QCOMPARE(form->openDialog().filters, QStringList{"*.pac (*.pac)"});
    QVERIFY(!form->openDialog().overwritePrompt);
    QVERIFY(form->saveDialog().overwritePrompt);
    QCOMPARE(form->openPictureDialog().defaultSuffix, QStringLiteral("bmp"));
    QVERIFY(form->importPictureDialog().filters.at(0).contains(QStringLiteral("*.png")));
    QVERIFY(form->exportPictureDialog().overwritePrompt);
    QCOMPARE(form->exportPictureDialog().defaultSuffix, QStringLiteral("png"));
    QVERIFY(form->openPictureDialog().picturePreview);
    QVERIFY(form->savePictureDialog().overwritePrompt && form->savePictureDialog().picturePreview);
}

void MainFormTest::aPressSelectsTheSlot()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    QCOMPARE(form->selectedSlot(), 0);
    QTest::mouseClick(form->pictureBox(28), Qt::LeftButton);
    QCOMPARE(form->selectedSlot(), 28);
    QTest::mouseClick(form->findChild<QWidget*>("BedImage"), Qt::RightButton);
    QCOMPARE(form->selectedSlot(), 8);
}

void MainFormTest::aRightClickOpensThePartMenu()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    PictureBox* box = form->pictureBox(14);
    QTest::mousePress(box, Qt::RightButton);
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(3, 3), box->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(box, &request);
    QCOMPARE(form->selectedSlot(), 14);
    QTRY_VERIFY(form->popupMenu()->isVisible());
    form->popupMenu()->hide();

    // Pressed on the room picture, let go and asked for on the bed: the
    // menu and its commands are the bed's.
    QTest::mousePress(form->pictureBox(slot::RoomImage), Qt::RightButton);
    PictureBox* bed = form->pictureBox(slot::BedImage);
    QContextMenuEvent elsewhere(QContextMenuEvent::Mouse, QPoint(3, 3), bed->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(bed, &elsewhere);
    QTRY_VERIFY(form->popupMenu()->isVisible());
    QVERIFY(form->findChild<QAction*>("CopyImage")->isEnabled());
    form->popupMenu()->hide();
    QSignalSpy changed(&form->document(), &RoomDocument::slotsChanged);
    form->findChild<QAction*>("CreateMask")->trigger();
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).value<QList<int>>(), QList<int>{slot::BedMask});
}

void MainFormTest::theKeyboardReachesEveryBoxAndItsMenu()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    form->show();
    QApplication::setActiveWindow(form.get());
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto tab = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); };
    auto focusedSlot = [] {
        auto* box = qobject_cast<PictureBox*>(QApplication::focusWidget());
        return box ? box->tag() : -1;
    };

    // After the three fields, Tab visits every box as a page is read, then
    // comes back to the first field.
    FocusField(*form, "Copyright");
    QPoint last(-1, -1);
    QSet<int> visited;
    for (int i = 0; i < PartSlotTable::kSlotCount; ++i) {
        tab();
        const int slot = focusedSlot();
        QVERIFY2(slot >= 0, qPrintable(QString("Tab %1 left the boxes").arg(i)));
        const QPoint at = form->pictureBox(slot)->pos();
        QVERIFY2(std::pair(at.y(), at.x()) > std::pair(last.y(), last.x()), qPrintable(QString::number(slot)));
        last = at;
        visited.insert(slot);
    }
    QCOMPARE(visited.size(), PartSlotTable::kSlotCount);
    tab();
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("RoomName"));

    // The arrow keys step through the same order; the focused box is framed.
    form->pictureBox(0)->setFocus();
    QTest::keyClick(form->pictureBox(0), Qt::Key_Right);
    QCOMPARE(focusedSlot(), 20);  // WinDayMask, to the right of WinDayImage
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(focusedSlot(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(focusedSlot(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);  // the first stays
    QCOMPARE(focusedSlot(), 0);
    const QColor frame = form->palette().color(QPalette::Highlight);
    QCOMPARE(form->pictureBox(0)->grab().toImage().pixelColor(0, 10), frame);
    QVERIFY(form->pictureBox(20)->grab().toImage().pixelColor(0, 10) != frame);

    // The Menu key and Shift+F10 select the focused box as a press does and
    // open the part menu for it.
    const struct {
        int slot;
        QKeyCombination key;
        const char* enabled;
        const char* disabled;
    } presses[] = {
        {8, QKeyCombination(Qt::Key_Menu), "CreateMask", "CopyData"},
        {28, QKeyCombination(Qt::ShiftModifier, Qt::Key_F10), "CopyData", "CreateMask"},
    };
    for (const auto& press : presses) {
        form->pictureBox(press.slot)->setFocus();
        QTest::keyClick(form->pictureBox(press.slot), press.key.key(), press.key.keyboardModifiers());
        QCOMPARE(form->selectedSlot(), press.slot);
        QTRY_VERIFY(form->popupMenu()->isVisible());
        QVERIFY(form->findChild<QAction*>(press.enabled)->isEnabled());
        QVERIFY(!form->findChild<QAction*>(press.disabled)->isEnabled());
        form->popupMenu()->hide();
    }
}

void MainFormTest::boxesAndFieldsAreNamedInTheChosenLanguage()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    auto nameOf = [](QWidget* widget) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        return accessible ? accessible->text(QAccessible::Name) : QString();
    };
    QCOMPARE(nameOf(form->pictureBox(8)), QStringLiteral("Bed (default), picture"));
    QCOMPARE(form->pictureBox(8)->toolTip(), QStringLiteral("Bed (default), picture"));
    QCOMPARE(nameOf(form->pictureBox(39)), QStringLiteral("Door view (night), mask"));
    QCOMPARE(nameOf(form->pictureBox(4)), QStringLiteral("Room view, picture"));
    QCOMPARE(QAccessible::queryAccessibleInterface(form->pictureBox(4))->role(), QAccessible::Graphic);
    QCOMPARE(nameOf(form->findChild<QWidget*>("RoomName")), QStringLiteral("Name"));
    QCOMPARE(nameOf(form->findChild<QWidget*>("Comment")), QStringLiteral("Comment"));
    QCOMPARE(nameOf(form->findChild<QWidget*>("Copyright")), QStringLiteral("Copyright"));

    form->setLanguageCode("ja");
    form->applyTexts();
    const LanguageTexts& ja = form->languageTexts();
    QCOMPARE(nameOf(form->pictureBox(8)), ja.label(44).arg(ja.label(46 + 8)));
    QCOMPARE(form->pictureBox(28)->toolTip(), ja.label(45).arg(ja.label(46 + 8)));
    QCOMPARE(nameOf(form->findChild<QWidget*>("Comment")), ja.label(14));

    // A labels file older than these lines names them in English.
    QStringList lines;
    for (int i = 0; i < 37; ++i)
        lines << ja.label(i);
    fixture.writeProgramFile("ltexts/labels.ja", (lines.join('\n') + '\n').toUtf8());
    form->applyTexts();
    QCOMPARE(nameOf(form->pictureBox(28)), QStringLiteral("Bed (default), mask"));
}

void MainFormTest::aFailingCommandIsShownAndTheProgramGoesOn()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    form->runCommand([] { throw std::runtime_error("disk on fire"); });
    const auto errors = fixture.prompts.shown(ScriptedPrompts::Kind::Error);
    QCOMPARE(errors.size(), size_t{1});
    QCOMPARE(errors[0].text, QStringLiteral("disk on fire"));
    QCOMPARE(errors[0].caption, QStringLiteral("Velmora"));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, form->document().picture(40));
}

void MainFormTest::everyViewFollowsTheDocument()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    RoomDocument& document = form->document();
    auto* undo = form->findChild<QAction*>("Undo");
    auto* redo = form->findChild<QAction*>("Redo");
    // The first place the window differs from the document, or empty.
    auto difference = [&]() -> QString {
        for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot)
            if (form->pictureBox(slot)->picture() != ToQImage(document.picture(slot)))
                return QStringLiteral("box %1").arg(slot);
        const char* const fields[] = {"RoomName", "Comment", "Copyright"};
        for (int field = 0; field < RoomDocument::kTextCount; ++field)
            if (form->findChild<QPlainTextEdit*>(fields[field])->toPlainText() != document.shownText(field))
                return QString::fromLatin1(fields[field]);
        const QString file = document.filePath().isEmpty() ? QString() : QFileInfo(document.filePath()).fileName();
        const QString mark = document.hasUnsavedChanges() ? QStringLiteral("*") : QString();
        const QString title = file.isEmpty() ? "Velmora" + mark : file + mark + " - Velmora";
        if (form->windowTitle() != title)
            return "title " + form->windowTitle();
        const QUndoStack& history = document.history();
        if (undo->isEnabled() != history.canUndo() || redo->isEnabled() != history.canRedo() ||
            !undo->text().endsWith(history.undoText()) || !redo->text().endsWith(history.redoText()))
            return "Edit menu " + undo->text() + " / " + redo->text();
        return {};
    };

    RoomPictures pictures = DefaultRoomPictures();
    pictures[slot::RoomImage] = Bitmap::Make(320, 240, 8, RoomPaletteVector());
    document.openRoom(Room{{"den", "calm", "me"}, pictures, {}}, fixture.tempFolder() + "/den.pac");
    QCOMPARE(difference(), QString());
    const Bitmap bed = Bitmap::Make(96, 76, 8, RoomPaletteVector());
    document.changeSlots("Paint", {{slot::BedImage, bed}, {slot::BedMask, document.picture(slot::TableMask)}});
    QCOMPARE(difference(), QString());
    QVERIFY(document.editText(1, "calmer", "Comment"));
    QCOMPARE(difference(), QString());
    QCOMPARE(undo->text(), QString("&Undo Comment"));
    document.undo();
    QCOMPARE(difference(), QString());
    document.undo();
    QCOMPARE(difference(), QString());
    QVERIFY(!undo->isEnabled());
    document.redo();
    QCOMPARE(difference(), QString());
    QCOMPARE(redo->text(), QString("&Redo Comment"));
    document.setTextEncoding("windows-1252");
    document.markSaved(fixture.tempFolder() + "/attic.pac");
    QCOMPARE(difference(), QString());
    document.restore(DocumentData{"", QByteArray("UTF-8"), {}, DefaultRoomPictures(), true});
    QCOMPARE(difference(), QString());
}

void MainFormTest::closingWithoutChangesAsksNothing()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    form->show();
    QVERIFY(form->close());
    QVERIFY(fixture.prompts.shown().empty());
}

void MainFormTest::typedTextAsksBeforeClosing()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    QPlainTextEdit* comment = FocusField(*form, "Comment");
    QVERIFY(comment);
    QTest::keyClicks(comment, "nice room");
    QVERIFY(!form->document().picturesChangedSinceClean());
    QVERIFY(form->document().hasUnsavedChanges());

    fixture.prompts.questionAnswers = {false};
    QVERIFY(!form->close());
    QVERIFY(form->isVisible());
    QCOMPARE(comment->toPlainText(), QStringLiteral("nice room"));
    const auto questions = fixture.prompts.shown(ScriptedPrompts::Kind::Question);
    QCOMPARE(questions.size(), size_t{1});
    QCOMPARE(questions[0].caption, form->languageTexts().label(32));
    QCOMPARE(questions[0].text, form->languageTexts().message(12));

    // The question comes again, and Yes lets the window go.
    fixture.prompts.questionAnswers = {true};
    QVERIFY(form->close());
    QCOMPARE(fixture.prompts.shown(ScriptedPrompts::Kind::Question).size(), size_t{2});
    QCOMPARE(fixture.prompts.unanswered(), 0);
}

void MainFormTest::aChangedPictureAsksBeforeClosing()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    form->show();
    test::SetModified(*form, true);
    fixture.prompts.questionAnswers = {false};
    QVERIFY(!form->close());
    QVERIFY(form->document().picturesChangedSinceClean());
    // Exit from the menu takes the same way.
    fixture.prompts.questionAnswers = {false};
    form->findChild<QAction*>("Exit")->trigger();
    QVERIFY(form->isVisible());
    QCOMPARE(fixture.prompts.shown(ScriptedPrompts::Kind::Question).size(), size_t{2});
}

void MainFormTest::openedOrSavedTextsAreNotChanges()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    test::SetRoomTexts(*form, {"name", "comment", "(c) me"});
    QVERIFY(!form->document().hasUnsavedChanges());
    QCOMPARE(test::RoomTextsOf(*form), (RoomTexts{"name", "comment", "(c) me"}));

    QPlainTextEdit* name = FocusField(*form, "RoomName");
    QVERIFY(name);
    QTest::keyClick(name, Qt::Key_End);
    QTest::keyClicks(name, "!");
    QVERIFY(form->document().hasUnsavedChanges());
    test::MarkSaved(*form);
    QVERIFY(!form->document().hasUnsavedChanges());
    QCOMPARE(test::RoomTextsOf(*form).name, std::string("name!"));
    QVERIFY(form->close());
    QVERIFY(fixture.prompts.shown().empty());
}

void MainFormTest::menuKeysWinOverTheTextFields()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    QPlainTextEdit* name = FocusField(*form, "RoomName");
    QVERIFY(name);
    QTest::keyClicks(name, "hello");
    name->selectAll();
    QSignalSpy open(form->findChild<QAction*>("OpenRoomFile"), &QAction::triggered);
    QSignalSpy save(form->findChild<QAction*>("SaveRoomFile"), &QAction::triggered);

    // Ctrl+X closes (asking, as the text changed) instead of cutting.
    fixture.prompts.questionAnswers = {false};
    QTest::keyClick(name, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(fixture.prompts.shown(ScriptedPrompts::Kind::Question).size(), size_t{1});
    QCOMPARE(name->toPlainText(), QStringLiteral("hello"));
    QVERIFY(form->isVisible());

    name->moveCursor(QTextCursor::End);
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(save.count(), 1);
    QVERIFY(!name->textCursor().hasSelection());
    QTest::keyClick(name, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(open.count(), 1);
    QCOMPARE(name->toPlainText(), QStringLiteral("hello"));

    // Ctrl+Z is the Edit menu's Undo there: the typing is taken back.
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(name->toPlainText() != QStringLiteral("hello"));
}

void MainFormTest::ctrlXWithoutChangesClosesAtOnce()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    QPlainTextEdit* copyright = FocusField(*form, "Copyright");
    QVERIFY(copyright);
    QTest::keyClick(copyright, Qt::Key_X, Qt::ControlModifier);
    QVERIFY(!form->isVisible());
    QVERIFY(fixture.prompts.shown().empty());
}

QTEST_MAIN(MainFormTest)
#include "test_mainform.moc"
