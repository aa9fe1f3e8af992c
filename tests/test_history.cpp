// The room's history, Save, recent rooms and the recovery file, driven
// through the real window: Undo and Redo of every kind of step, unsaved
// changes that follow the history, the title mark, and a room that comes
// back after its editor stopped.
#include "gui_room_helpers.h"
#include "support/modal_dialog.h"
#include "support/modal_driver.h"
#include "support/typing.h"
#include "support/ui_fixture.h"

#include "ui/dialogs/paste_parts_form.h"
#include "ui/services/paths.h"
#include "ui/widgets/bitmap_image.h"
#include "ui/widgets/picture_box.h"
#include "core/room/default_room.h"

#include <QAction>
#include <QDialog>
#include <QCheckBox>
#include <QDateTime>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QUndoStack>
#include <QtTest>

#include <cerrno>
#include <cstring>

using namespace velmora;
using velmora::test::Child;
using velmora::test::ReadBytes;
using velmora::test::RoomState;
using velmora::test::ScriptedPrompts;
using velmora::test::FocusField;
using velmora::test::UiFixture;
using velmora::test::WhenShown;
using velmora::test::WriteBytes;
using Kind = ScriptedPrompts::Kind;

class HistoryTest : public QObject {
    Q_OBJECT
private slots:
    void everyCommandIsOneStepThatUndoAndRedoTakeBack();
    void typingIsOneStepPerRunAndTheMenuKeysWin();
    void typingRunsEndAtEveryUndoAndWhenFocusLeaves();
    void typingThatChangesNothingIsNoStep();
    void unsavedChangesFollowTheHistory();
    void saveWritesTheRoomsOwnFile();
    void saveAsksBeforeReplacingAFileChangedBehindItsBack();
    void activationOffersARoomChangedBehindItsBack();
    void recentRoomsListTheLastEight();
    void recentRoomsOpenOnceASaveFillsTheList();
    void aStoppedEditorsRoomComesBack();
};

namespace {

constexpr int kBed = slot::BedImage;

QAction* Action(TMainForm& form, const char* name)
{
    return form.findChild<QAction*>(name);
}

// A room of its own in a file, unlike the default room.
QString WriteRoom(const UiFixture& fixture, const QString& name, uint8_t shade)
{
    RoomPictures pictures = DefaultRoomPictures();
    Bitmap& room = pictures[slot::RoomImage];
    for (int y = 0; y < room.height; ++y)
        for (int x = 0; x < room.width; ++x)
            room.setIndex(x, y, uint8_t((x / 7 + y / 5 + shade) % 256));
    const QString path = fixture.tempFolder() + QStringLiteral("/") + name;
    WriteBytes(path, WriteRoomFile(ReadBytes(HeaderTemplatePath(fixture.programFolder())), {"room", "", ""}, pictures));
    return path;
}


}  // namespace

void HistoryTest::everyCommandIsOneStepThatUndoAndRedoTakeBack()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    form->openFromCommandLine({WriteRoom(fixture, "a.pac", 3)});
    const RoomState opened = RoomState::Of(*form);
    QVERIFY(!Action(*form, "Undo")->isEnabled());
    QCOMPARE(Action(*form, "Undo")->text(), QString("&Undo"));

    // Copy from room view, then Make mask: each one step named by its command.
    form->WinDayImageMouseDown(kBed);
    Action(*form, "CopyImage")->trigger();
    const RoomState copied = RoomState::Of(*form);
    QVERIFY(!copied.pictures[kBed].samePicture(opened.pictures[kBed]));
    Action(*form, "CreateMask")->trigger();
    QCOMPARE(form->document().history().count(), 2);
    QCOMPARE(Action(*form, "Undo")->text(), QString("&Undo Make mask"));

    Action(*form, "Undo")->trigger();
    QCOMPARE(RoomState::Of(*form).differenceFrom(copied), QString());
    QCOMPARE(Action(*form, "Redo")->text(), QString("&Redo Make mask"));
    Action(*form, "Undo")->trigger();
    QCOMPARE(RoomState::Of(*form).differenceFrom(opened), QString());
    QVERIFY(!form->document().hasUnsavedChanges());
    Action(*form, "Redo")->trigger();
    QCOMPARE(RoomState::Of(*form).differenceFrom(copied), QString());
    // The box shows what the slot holds.
    QCOMPARE(form->pictureBox(kBed)->picture(), ToQImage(copied.pictures[kBed]));

    // Loading a part from a file (the menu, a drop): one step.
    const QString bmp = fixture.tempFolder() + "/bed.bmp";
    WriteBytes(bmp, EncodeBmp(form->document().picture(kBed), ColoursUsedField::EntriesWritten));
    form->UndoClick();
    form->loadPartFile(bmp, kBed);
    QCOMPARE(form->document().history().undoText(), QString("Load from bitmap file"));
    QCOMPARE(RoomState::Of(*form).differenceFrom(copied), QString());
    form->UndoClick();
    QCOMPARE(RoomState::Of(*form).differenceFrom(opened), QString());
    form->RedoClick();
    QCOMPARE(RoomState::Of(*form).differenceFrom(copied), QString());

    // Paste parts OK: one step, undone whole.
    form->WinDayImageMouseDown(slot::RoomImage);
    WhenShown<TPastePartsForm>([](TPastePartsForm& dialog) {
        Child<QCheckBox>(dialog, "TableCheck")->click();
        QTest::mouseClick(Child<QPushButton>(dialog, "OkBtn"), Qt::LeftButton);
    });
    form->PastePartsClick();
    QVERIFY(!form->document().picture(slot::RoomImage).samePicture(opened.pictures[slot::RoomImage]));
    QCOMPARE(form->document().history().undoText(), QString("Paste parts"));
    form->UndoClick();
    QCOMPARE(RoomState::Of(*form).differenceFrom(copied), QString());

    // A hundred and more steps all come back.
    for (int i = 0; i < 150; ++i) {
        form->WinDayImageMouseDown(i % 2 ? kBed : slot::TableImage);
        Action(*form, "CopyImage")->trigger();
    }
    for (int i = 0; i < 151; ++i)
        form->UndoClick();
    QCOMPARE(RoomState::Of(*form).differenceFrom(opened), QString());

    // Opening starts a new history.
    form->RedoClick();
    fixture.prompts.questionAnswers.push_back(true);
    fixture.prompts.openAnswers.push_back(WriteRoom(fixture, "b.pac", 9));
    form->OpenRoomFileClick();
    QCOMPARE(form->document().history().count(), 0);
    QVERIFY(!form->document().hasUnsavedChanges());
}

void HistoryTest::typingIsOneStepPerRunAndTheMenuKeysWin()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    QPlainTextEdit* name = FocusField(*form, "RoomName");
    QVERIFY(name);
    QTest::keyClicks(name, "blue");
    QCOMPARE(form->document().history().count(), 1);
    QCOMPARE(Action(*form, "Undo")->text(), "&Undo " + form->languageTexts().label(13));
    QPlainTextEdit* comment = form->findChild<QPlainTextEdit*>("Comment");
    comment->setFocus();
    QTest::keyClicks(comment, "calm");
    name->setFocus();
    QTest::keyClicks(name, " room");
    QCOMPARE(form->document().history().count(), 3);

    // Ctrl+Z in a field is the menu's Undo, a run at a time.
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(name->toPlainText(), QString("blue"));
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(comment->toPlainText(), QString());
    QTest::keyClick(name, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(comment->toPlainText(), QString("calm"));
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(name->toPlainText(), QString("blue room"));
    QCOMPARE(test::RoomTextsOf(*form).name, std::string("blue room"));
    for (int i = 0; i < 3; ++i)
        form->UndoClick();
    QVERIFY(!form->document().hasUnsavedChanges());
    QCOMPARE(test::RoomTextsOf(*form).name, std::string());
}

void HistoryTest::typingRunsEndAtEveryUndoAndWhenFocusLeaves()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    QPlainTextEdit* name = FocusField(*form, "RoomName");
    QVERIFY(name);

    // Typing, an undo of another step, typing again: two steps of typing.
    QTest::keyClicks(name, "blue");
    form->WinDayImageMouseDown(kBed);
    Action(*form, "CopyImage")->trigger();
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClicks(name, " room");
    QCOMPARE(form->document().history().count(), 2);
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(name->toPlainText(), QString("blue"));

    // The run ends when the focus leaves, even to come straight back.
    QTest::keyClicks(name, "s");
    QTest::keyClick(name, Qt::Key_Tab);
    QVERIFY(!name->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QVERIFY(name->hasFocus());
    QTest::keyClicks(name, "!");
    QCOMPARE(form->document().history().count(), 3);
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(name->toPlainText(), QString("blues"));
}

void HistoryTest::typingThatChangesNothingIsNoStep()
{
    UiFixture fixture;
    // The real question box, so that it takes the focus as it does for a user.
    auto form = std::make_unique<TMainForm>(fixture.environment(), nullptr);
    QPlainTextEdit* name = FocusField(*form, "RoomName");
    QVERIFY(name);
    QTest::keyClicks(name, "blue");

    // The close question dismissed with Escape, then Alt+N typed and taken back.
    bool asked = false;
    auto drive = test::WhenModalShown([&asked](QDialog* box) {
        asked = true;
        QTest::keyClick(box, Qt::Key_Escape);
    });
    QVERIFY(!form->close());
    QVERIFY(asked && !drive->timedOut);
    QCOMPARE(FocusField(*form, "RoomName"), name);
    QTest::keyClick(name, Qt::Key_N, Qt::AltModifier);
    QTest::keyClick(name, Qt::Key_Backspace);
    QCOMPARE(name->toPlainText(), QString("blue"));
    QCOMPARE(form->document().history().count(), 1);
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(name->toPlainText(), QString());
    QVERIFY(!form->document().hasUnsavedChanges());

    // In an opened room: a character typed and deleted leaves it saved, and
    // the field gives back the file's own bytes.
    const QString path = WriteRoom(fixture, "a.pac", 3);
    form->openFromCommandLine({path});
    QTest::keyClicks(name, "x");
    QVERIFY(form->document().hasUnsavedChanges());
    QTest::keyClick(name, Qt::Key_Backspace);
    QVERIFY(!form->document().hasUnsavedChanges());
    QCOMPARE(form->windowTitle(), QString("a.pac - Velmora"));
    QVERIFY(!Action(*form, "Undo")->isEnabled());
    QVERIFY(!name->document()->isModified());
}

void HistoryTest::unsavedChangesFollowTheHistory()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const QString path = WriteRoom(fixture, "a.pac", 3);
    form->openFromCommandLine({path});
    QCOMPARE(form->windowTitle(), QString("a.pac - Velmora"));

    form->WinDayImageMouseDown(kBed);
    Action(*form, "CopyImage")->trigger();
    QVERIFY(form->document().picturesChangedSinceClean());
    QCOMPARE(form->windowTitle(), QString("a.pac* - Velmora"));

    // Back at the opened state: nothing to ask on open or close.
    form->UndoClick();
    QVERIFY(!form->document().picturesChangedSinceClean());
    QCOMPARE(form->windowTitle(), QString("a.pac - Velmora"));
    fixture.prompts.openAnswers.push_back(path);
    form->OpenRoomFileClick();
    QVERIFY(fixture.prompts.shown(Kind::Question).empty());

    // Redo away from it asks again.
    Action(*form, "CopyImage")->trigger();
    form->UndoClick();
    form->show();
    QVERIFY(form->close());
    form->show();
    form->RedoClick();
    fixture.prompts.questionAnswers.push_back(false);
    QVERIFY(!form->close());
    QCOMPARE(fixture.prompts.shown(Kind::Question).size(), size_t(1));
}

void HistoryTest::saveWritesTheRoomsOwnFile()
{
    UiFixture fixture;
    auto form = fixture.makeForm();

    // A room never saved: Save is Save As.
    test::SetModified(*form, true);
    fixture.prompts.saveAnswers.push_back(std::nullopt);
    Action(*form, "Save")->trigger();
    QCOMPARE(fixture.prompts.shown(Kind::SaveFile).size(), size_t(1));
    QCOMPARE(fixture.prompts.shown(Kind::SaveFile)[0].dialog, form->saveDialog());

    // Opened from the command line: Ctrl+S writes that file, asking nothing;
    // undo and save again give back the first file's bytes.
    const QString path = WriteRoom(fixture, "a.pac", 3);
    const std::vector<uint8_t> first = ReadBytes(path);
    test::SetModified(*form, false);
    form->openFromCommandLine({path});
    fixture.prompts.clear();
    form->WinDayImageMouseDown(kBed);
    Action(*form, "CopyImage")->trigger();
    QPlainTextEdit* name = FocusField(*form, "RoomName");
    QVERIFY(name);
    QTest::keyClick(name, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(fixture.prompts.shown().empty());
    QVERIFY(ReadBytes(path) != first);
    QVERIFY(!form->document().hasUnsavedChanges());
    QCOMPARE(form->windowTitle(), QString("a.pac - Velmora"));
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(form->document().hasUnsavedChanges());
    QTest::keyClick(name, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(ReadBytes(path) == first);

    // A failed save keeps the room unsaved and says why.
    Action(*form, "CopyImage")->trigger();
    QFile::remove(path);
    QDir().mkpath(path);
    Action(*form, "Save")->trigger();
    QCOMPARE(fixture.prompts.shown(Kind::Warning).size(), size_t(1));
    QVERIFY(form->document().hasUnsavedChanges());
}

void HistoryTest::saveAsksBeforeReplacingAFileChangedBehindItsBack()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const QString path = WriteRoom(fixture, "a.pac", 3);
    form->openFromCommandLine({path});
    const QString question = form->languageTexts().message(message::kRoomChangedOnSave) + "\n" +
                             QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());

    // Rewritten with the same bytes, only its time changes: nothing to ask.
    const std::vector<uint8_t> opened = ReadBytes(path);
    WriteBytes(path, opened);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
    }
    form->WinDayImageMouseDown(kBed);
    Action(*form, "CopyImage")->trigger();
    form->SaveClick();
    QVERIFY(fixture.prompts.shown().empty());
    const std::vector<uint8_t> ours = ReadBytes(path);

    // Another program's room, the same size, written at once: No writes nothing.
    WriteRoom(fixture, "a.pac", 9);
    const std::vector<uint8_t> theirs = ReadBytes(path);
    QCOMPARE(theirs.size(), ours.size());
    Action(*form, "CreateMask")->trigger();
    fixture.prompts.questionAnswers.push_back(false);
    form->SaveClick();
    QCOMPARE(fixture.prompts.shown().size(), size_t(1));
    QCOMPARE(fixture.prompts.shown()[0].text, question);
    QVERIFY(ReadBytes(path) == theirs);
    QVERIFY(form->document().hasUnsavedChanges());

    // Save again asks again; Yes replaces it, and the next save asks nothing.
    fixture.prompts.clear();
    fixture.prompts.questionAnswers.push_back(true);
    form->SaveClick();
    QCOMPARE(fixture.prompts.shown(Kind::Question).size(), size_t(1));
    form->UndoClick();
    form->SaveClick();
    QCOMPARE(fixture.prompts.shown().size(), size_t(1));
    QVERIFY(ReadBytes(path) == ours);

    // Theirs again at once, the same size, its time set back to ours (as a
    // copy that keeps times does): within the clock's grain only the bytes
    // tell, and Save asks.
    const QDateTime time = QFileInfo(path).lastModified();
    WriteBytes(path, theirs);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
    }
    QCOMPARE(QFileInfo(path).lastModified(), time);
    fixture.prompts.clear();
    Action(*form, "CreateMask")->trigger();
    fixture.prompts.questionAnswers.push_back(false);
    form->SaveClick();
    QCOMPARE(fixture.prompts.shown(Kind::Question).size(), size_t(1));
    QVERIFY(ReadBytes(path) == theirs);
}

void HistoryTest::activationOffersARoomChangedBehindItsBack()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const QString path = WriteRoom(fixture, "a.pac", 3);
    form->openFromCommandLine({path});
    QWidget elsewhere;
    elsewhere.resize(100, 100);
    // The user goes to another window and comes back.
    const auto comeBack = [&] {
        for (QWidget* window : {&elsewhere, static_cast<QWidget*>(form.get())}) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
        }
        QCoreApplication::processEvents();
    };
    comeBack();
    QVERIFY(fixture.prompts.shown().empty());

    // Changed behind its back: asked once; No keeps the room as it is.
    const RoomState opened = RoomState::Of(*form);
    WriteRoom(fixture, "a.pac", 9);
    fixture.prompts.questionAnswers.push_back(false);
    comeBack();
    const QString question = form->languageTexts().message(message::kRoomChangedReload) + "\n" +
                             QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    QCOMPARE(fixture.prompts.shown().size(), size_t(1));
    QCOMPARE(fixture.prompts.shown()[0].text, question);
    QCOMPARE(RoomState::Of(*form).differenceFrom(opened), QString());
    comeBack();
    QCOMPARE(fixture.prompts.shown().size(), size_t(1));

    // Changed again: asked again; Yes opens the file as it is now.
    WriteRoom(fixture, "a.pac", 11);
    const std::vector<uint8_t> now = ReadBytes(path);
    fixture.prompts.questionAnswers.push_back(true);
    comeBack();
    QCOMPARE(fixture.prompts.shown().size(), size_t(2));
    QVERIFY(form->document().picture(slot::RoomImage).samePicture(ReadRoomFile(now).pictures[slot::RoomImage]));
    QVERIFY(!form->document().hasUnsavedChanges());

    // Unsaved work here: no offer (Save asks before replacing).
    Action(*form, "CopyImage")->trigger();
    WriteRoom(fixture, "a.pac", 13);
    comeBack();
    QCOMPARE(fixture.prompts.shown().size(), size_t(2));
}

void HistoryTest::recentRoomsListTheLastEight()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    QStringList paths;
    for (int i = 0; i < 9; ++i) {
        paths.prepend(QFileInfo(WriteRoom(fixture, QString("r%1.pac").arg(i), uint8_t(i))).absoluteFilePath());
        form->openFromCommandLine({paths.first()});
    }
    paths.removeLast();
    QCOMPARE(form->recentRooms(), paths);
    QMenu* menu = form->findChild<QMenu*>("RecentRooms");
    emit menu->aboutToShow();
    QCOMPARE(menu->actions().size(), 8);
    QVERIFY(menu->actions()[1]->text().endsWith("r7.pac"));

    // Chosen with a changed room: the question first, then the room.
    Action(*form, "CopyImage")->trigger();
    fixture.prompts.questionAnswers.push_back(true);
    menu->actions()[1]->trigger();
    QCOMPARE(form->document().filePath(), paths[1]);
    QCOMPARE(form->recentRooms().first(), paths[1]);

    // A file that is gone: message 8 with the file and why, and off the list.
    QFile::remove(paths[3]);
    fixture.prompts.clear();
    form->openRecentRoom(paths[3]);
    QCOMPARE(fixture.prompts.shown(Kind::Warning).size(), size_t(1));
    QCOMPARE(fixture.prompts.shown(Kind::Warning)[0].text, form->languageTexts().message(8) + "\n" +
                                                               QDir::toNativeSeparators(paths[3]) + "\n" +
                                                               test::ReasonOpening(paths[3], QIODevice::ReadOnly));
    QVERIFY(!form->recentRooms().contains(paths[3]));
    QCOMPARE(form->document().filePath(), paths[1]);
}

void HistoryTest::recentRoomsOpenOnceASaveFillsTheList()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    auto* file = form->findChild<QMenu*>("FileMenu");
    QMenu* recent = form->findChild<QMenu*>("RecentRooms");
    // What the user finds on opening the File menu.
    auto recentOffered = [&] {
        file->popup(form->mapToGlobal(QPoint(0, 0)));
        const bool shown = QTest::qWaitForWindowExposed(file);
        const bool enabled = shown && recent->menuAction()->isEnabled();
        file->hide();
        return enabled;
    };
    QVERIFY(form->recentRooms().isEmpty());
    QVERIFY(!recentOffered());

    const QString path = fixture.tempFolder() + "/saved.pac";
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{path, 0});
    Action(*form, "SaveRoomFile")->trigger();
    QVERIFY(QFileInfo::exists(path));
    QVERIFY(recentOffered());
    QCOMPARE(recent->actions().size(), 1);
    QVERIFY(recent->actions()[0]->text().endsWith("saved.pac"));
}

void HistoryTest::aStoppedEditorsRoomComesBack()
{
    UiFixture fixture;
    const QString path = WriteRoom(fixture, "a.pac", 3);
    auto form = fixture.makeForm();
    form->openFromCommandLine({path});
    QPlainTextEdit* comment = FocusField(*form, "Comment");
    QVERIFY(comment);
    QTest::keyClicks(comment, "unsaved");
    form->WinDayImageMouseDown(kBed);
    Action(*form, "CopyImage")->trigger();
    const RoomState changed = RoomState::Of(*form);
    // Written within seconds of the change.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(form->recoveryFile()), 5000);
#ifndef Q_OS_WIN
    // Only the user may read the unsaved work.
    QCOMPARE(QFile::permissions(form->recoveryFile()) & 0x0077, QFileDevice::Permissions());
#endif

    // Another editor running meanwhile leaves it alone and has its own.
    auto other = fixture.makeForm();
    other->offerRecovery();
    QVERIFY(fixture.prompts.shown(Kind::Question).empty());
    test::SetModified(*other, true);
    other->writeRecovery();
    QVERIFY(other->recoveryFile() != form->recoveryFile());
    QVERIFY(QFile::exists(other->recoveryFile()));
    QVERIFY(QFile::exists(form->recoveryFile()));
    test::SetModified(*other, false);
    QVERIFY(!QFile::exists(other->recoveryFile()));

    // The editor stops without closing; the next start asks, Yes restores.
    form.reset();
    auto next = fixture.makeForm();
    fixture.prompts.questionAnswers.push_back(true);
    next->offerRecovery();
    const auto questions = fixture.prompts.shown(Kind::Question);
    QCOMPARE(questions.size(), size_t(1));
    QCOMPARE(questions[0].text, next->languageTexts().message(13) + "\n" + QDir::toNativeSeparators(
                                                                            QFileInfo(path).absoluteFilePath()));
    QCOMPARE(RoomState::Of(*next).differenceFrom(changed), QString());
    QCOMPARE(next->document().filePath(), QFileInfo(path).absoluteFilePath());
    QCOMPARE(next->windowTitle(), QString("a.pac* - Velmora"));
    QCOMPARE(QDir(fixture.recoveryFolder()).entryList({"*.vrec"}, QDir::Files).size(), 1);

    // Save removes it, and the file holds the restored room.
    next->SaveClick();
    QVERIFY(fixture.prompts.shown(Kind::Warning).empty());
    QCOMPARE(QDir(fixture.recoveryFolder()).entryList({"*.vrec"}, QDir::Files), QStringList());
    QCOMPARE(ReadRoomFile(ReadBytes(path)).texts.comment, std::string("unsaved"));

    // No deletes a left file; a messages file older than the question
    // gives it in English.
    const QList<QByteArray> lines = fixture.readProgramFile("ltexts/messages.en").split('\n');
    fixture.writeProgramFile("ltexts/messages.en", lines.mid(0, 13).join('\n') + '\n');
    test::SetModified(*next, true);
    next->writeRecovery();
    next.reset();
    auto last = fixture.makeForm();
    fixture.prompts.questionAnswers.push_back(false);
    last->offerRecovery();
    QCOMPARE(fixture.prompts.shown(Kind::Question).back().text,
             "Velmora stopped before this room was saved. Restore the unsaved work?\n" +
                 QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    QVERIFY(!last->document().hasUnsavedChanges());
    QCOMPARE(QDir(fixture.recoveryFolder()).entryList({"*.vrec"}, QDir::Files), QStringList());
}

QTEST_MAIN(HistoryTest)
#include "test_history.moc"
