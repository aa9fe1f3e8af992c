// The room document without a window: its steps and what it says changed,
// runs of typing, texts kept as bytes until typed, the clean state, and the
// recovery data it is written to and restored from (the file's format is
// tested in test_recovery_file).
#include "support/shift_jis.h"
#include "document/document_data.h"
#include "document/room_document.h"

#include "core/room/default_room.h"

#include <QSignalSpy>
#include <QStringEncoder>
#include <QUndoStack>
#include <QtTest>

using namespace velmora;
using velmora::testing::ShiftJis;

class DocumentTest : public QObject {
    Q_OBJECT
private slots:
    void severalSlotsAreOneStepThatUndoAndRedoTakeBack();
    void typingIsOneStepPerRun();
    void textsKeepTheirBytesUntilTypedAndRefuseWhatTheEncodingCannotHold();
    void openAndRestoreStartANewHistory();
    void untouchedTextsGiveBackTheirBytes();
    void recoveryDataComesBackWhole();
};

namespace {

constexpr int kName = 0;
constexpr int kComment = 1;

Bitmap Recoloured(Bitmap picture, uint8_t index)
{
    picture.pixels.assign(picture.pixels.size(), index);
    return picture;
}

std::span<const uint8_t> Bytes(const QByteArray& bytes)
{
    return {reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())};
}

QList<int> SlotsOf(const QSignalSpy& spy, int emission)
{
    return spy.at(emission).at(0).value<QList<int>>();
}

QString ReasonFor(const QByteArray& file)
{
    const Result<DocumentData> read = ReadDocumentData(Bytes(file));
    return read ? QStringLiteral("(read)") : read.failure().reason;
}

}  // namespace

void DocumentTest::severalSlotsAreOneStepThatUndoAndRedoTakeBack()
{
    RoomDocument document;
    const RoomPictures opened = document.pictures();
    QSignalSpy changed(&document, &RoomDocument::slotsChanged);

    // A stroke that writes a part and its mask: one step, both slots named.
    const Bitmap bed = Recoloured(opened[slot::BedImage], 7);
    const Bitmap mask = Recoloured(opened[slot::BedMask], 0);
    QVERIFY(document.changeSlots("Pencil", {{slot::BedImage, bed}, {slot::BedMask, mask}}));
    QCOMPARE(document.history().count(), 1);
    QCOMPARE(document.history().undoText(), QString("Pencil"));
    QCOMPARE(SlotsOf(changed, 0), QList<int>({slot::BedImage, slot::BedMask}));
    QVERIFY(document.picture(slot::BedImage).samePicture(bed));
    QVERIFY(document.hasUnsavedChanges() && document.picturesChangedSinceClean());

    document.undo();
    QCOMPARE(SlotsOf(changed, 1), QList<int>({slot::BedImage, slot::BedMask}));
    QVERIFY(document.picture(slot::BedImage).samePicture(opened[slot::BedImage]));
    QVERIFY(document.picture(slot::BedMask).samePicture(opened[slot::BedMask]));
    QVERIFY(!document.hasUnsavedChanges() && !document.picturesChangedSinceClean());
    document.redo();
    QVERIFY(document.picture(slot::BedMask).samePicture(mask));

    // Nothing to replace, nothing recorded; a slot that does not exist is refused whole.
    QVERIFY(!document.changeSlots("Nothing", {}));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range,
                             document.changeSlots("Bad", {{slot::TableImage, bed}, {40, bed}}));
    QCOMPARE(document.history().count(), 1);
    QVERIFY(document.picture(slot::TableImage).samePicture(opened[slot::TableImage]));
}

void DocumentTest::typingIsOneStepPerRun()
{
    RoomDocument document("UTF-8");
    QSignalSpy texts(&document, &RoomDocument::textChanged);
    for (const char* shown : {"b", "bl", "blue"})
        QVERIFY(document.editText(kName, shown, "Name"));
    QCOMPARE(document.history().count(), 1);
    QCOMPARE(texts.size(), 3);
    QCOMPARE(texts.last().at(0).toInt(), kName);
    QVERIFY(!document.editText(kName, "blue", "Name"));

    // Focus left: a new run. Pictures count as unchanged through texts.
    document.endTypingRun();
    QVERIFY(document.editText(kName, "blue room", "Name"));
    QCOMPARE(document.history().count(), 2);
    QVERIFY(document.hasUnsavedChanges() && !document.picturesChangedSinceClean());

    // Typing after an undo does not join the run before it.
    document.changeSlots("Paint", {{slot::BedImage, document.picture(slot::BedImage)}});
    document.undo();
    QVERIFY(document.editText(kName, "blue room!", "Name"));
    QCOMPARE(document.history().count(), 3);
    document.undo();
    QCOMPARE(document.shownText(kName), QString("blue room"));
    document.undo();
    document.undo();
    QCOMPARE(document.shownText(kName), QString());
    QVERIFY(!document.hasUnsavedChanges());

    // A run that ends where it began is no step, and nothing is unsaved.
    document.endTypingRun();
    document.editText(kComment, "x", "Comment");
    document.editText(kComment, "", "Comment");
    QCOMPARE(document.history().count(), 0);
    QVERIFY(!document.hasUnsavedChanges());
}

void DocumentTest::textsKeepTheirBytesUntilTypedAndRefuseWhatTheEncodingCannotHold()
{
    RoomDocument document("windows-1252");
    // Shift_JIS bytes, which windows-1252 shows as something else.
    const std::string japanese = ShiftJis(QStringLiteral("部屋"));
    Room room{{japanese, "calm", ""}, DefaultRoomPictures(), {}};
    document.openRoom(std::move(room), "/rooms/a.pac");
    const QString shown = document.shownText(kName);

    // Typed and typed back: the bytes themselves again.
    QVERIFY(document.editText(kName, shown + "x", "Name"));
    QVERIFY(document.editText(kName, shown, "Name"));
    QCOMPARE(document.textsToSave()->name, japanese);

    // A character windows-1252 has no form for stays as typed and is refused at save.
    document.endTypingRun();
    QVERIFY(document.editText(kComment, QStringLiteral("calm 日"), "Comment"));
    const Result<RoomTexts> refused = document.textsToSave();
    QVERIFY(!refused);
    QCOMPARE(refused.failure().kind, FailureKind::Unencodable);
    QCOMPARE(refused.failure().item, kComment);
    document.markSaved("/rooms/a.pac");
    QCOMPARE(document.shownText(kComment), QStringLiteral("calm 日"));

    // Another encoding: untouched bytes show in it, the typed text is saved in it.
    QSignalSpy texts(&document, &RoomDocument::textChanged);
    document.setTextEncoding("Shift_JIS");
    QCOMPARE(document.shownText(kName), QStringLiteral("部屋"));
    QCOMPARE(texts.size(), 1);
    const Result<RoomTexts> saved = document.textsToSave();
    QVERIFY(saved.ok());
    QCOMPARE(saved->comment, ShiftJis(QStringLiteral("calm 日")));
    QCOMPARE(saved->name, japanese);
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, document.setTextEncoding("x-no-such"));
}

void DocumentTest::openAndRestoreStartANewHistory()
{
    RoomDocument document;
    QSignalSpy replaced(&document, &RoomDocument::roomReplaced);
    QSignalSpy path(&document, &RoomDocument::filePathChanged);
    document.editText(kName, "old", "Name");
    document.openRoom(Room{{"new", "", ""}, DefaultRoomPictures(), {}}, "/rooms/b.pac");
    QCOMPARE(replaced.size(), 1);
    QCOMPARE(path.size(), 1);
    QCOMPARE(document.filePath(), QString("/rooms/b.pac"));
    QCOMPARE(document.shownText(kName), QString("new"));
    QCOMPARE(document.history().count(), 0);
    QVERIFY(!document.hasUnsavedChanges());

    // Counted as changed until the next open or save, pictures included,
    // though no step lies between.
    document.markUnsaved();
    QVERIFY(document.hasUnsavedChanges() && document.picturesChangedSinceClean());
    document.markSaved("/rooms/c.pac");
    QVERIFY(!document.hasUnsavedChanges());
    QCOMPARE(document.filePath(), QString("/rooms/c.pac"));
    document.markUnsaved();
    document.openRoom(Room{{"", "", ""}, DefaultRoomPictures(), {}}, "/rooms/b.pac");
    QVERIFY(!document.hasUnsavedChanges());
}

void DocumentTest::untouchedTextsGiveBackTheirBytes()
{
    // Bytes that are no text in the locale, and a lone CR.
    RoomDocument document("UTF-8");
    const std::string odd = "Room \xff\xfe one\rtwo";
    document.openRoom(Room{{odd, "one\r\ntwo", ""}, DefaultRoomPictures(), {}}, "/rooms/a.pac");
    QCOMPARE(document.textsToSave()->name, odd);
    QCOMPARE(document.shownText(kName).section('\n', 1), QStringLiteral("two"));

    // Once edited, a text is saved as shown, line breaks as CR LF; edited
    // back to the start, the bytes themselves again.
    QVERIFY(document.editText(kComment, "one\ntwo!", "Comment"));
    QCOMPARE(document.textsToSave()->comment, std::string("one\r\ntwo!"));
    document.undo();
    QVERIFY(!document.text(kComment).typed);
    QCOMPARE(document.textsToSave()->comment, std::string("one\r\ntwo"));

    // A save makes the typed text the room's bytes.
    QVERIFY(document.editText(kComment, "one\ntwo?", "Comment"));
    document.markSaved("/rooms/a.pac");
    QVERIFY(!document.text(kComment).typed);
    QCOMPARE(document.text(kComment).bytes, std::string("one\r\ntwo?"));
}

void DocumentTest::recoveryDataComesBackWhole()
{
    RoomDocument document("windows-1252");
    document.openRoom(Room{{"\x81\x8d", "", "me"}, DefaultRoomPictures(), {}}, "/rooms/a.pac");
    const Bitmap bed = Recoloured(document.picture(slot::BedImage), 9);
    document.changeSlots("Paint", {{slot::BedImage, bed}});
    document.editText(kComment, QStringLiteral("日本"), "Comment");

    const Result<DocumentData> read = ReadDocumentData(Bytes(WriteDocumentData(document.data())));
    QVERIFY2(read.ok(), qPrintable(ReasonFor(WriteDocumentData(document.data()))));
    RoomDocument restored("UTF-8");
    restored.restore(read.value());
    QCOMPARE(restored.filePath(), QString("/rooms/a.pac"));
    QCOMPARE(restored.codec().encoding(), QByteArray("windows-1252"));
    QVERIFY(restored.hasUnsavedChanges() && restored.picturesChangedSinceClean());
    for (int field = 0; field < RoomDocument::kTextCount; ++field)
        QVERIFY(restored.text(field) == document.text(field));
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot)
        QVERIFY2(restored.picture(slot).samePicture(document.picture(slot)), qPrintable(QString::number(slot)));
}

QTEST_GUILESS_MAIN(DocumentTest)
#include "test_document.moc"
