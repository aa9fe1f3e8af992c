// Writes on a full disk, on one that fills part way and with a failed sync:
// the old file stays byte for byte, nothing new is left behind, and the
// message carries the system's reason.
#include "gui_room_helpers.h"
#include "support/small_disk.h"
#include "support/ui_fixture.h"

#include "common/file_bytes.h"
#include "ui/services/external_editor.h"
#include "core/room/default_room.h"

#include <QtTest>

#include <cerrno>
#include <cstring>

using namespace velmora;
using velmora::test::FilesIn;
using velmora::test::ReadBytes;
using velmora::test::ScriptedPrompts;
using velmora::test::SmallDisk;
using velmora::test::UiFixture;
using velmora::test::WriteBytes;
using Kind = ScriptedPrompts::Kind;

class WholeWritesTest : public QObject {
    Q_OBJECT
private slots:
    void aFullDiskKeepsTheOldFile();
    void aDiskThatFillsPartWaySaysWhy();
    void theEditorSaysWhyASaveFailed();
    void aSaveThatFillsTheDiskPartWayKeepsTheOldRoom();
    void aFailedSyncKeepsTheOldFileAndSaysWhy();
    void theRealSyncSaysWhyTheSystemRefusedIt();
};

namespace {

const QString kNoSpace = QString::fromLocal8Bit(std::strerror(ENOSPC));

#define SMALL_DISK(disk)                                        \
    SmallDisk disk(64 * 1024);                                  \
    if (!disk.mounted())                                        \
        QSKIP(disk.reason().c_str());

QString On(const SmallDisk& disk, const char* name)
{
    return QString::fromStdString(disk.file(name));
}

// Save As into `path` with the room changed: the text of the one warning it
// shows, which should be message 8, a line break and the system's reason.
QString SaveAsWarning(UiFixture& fixture, TMainForm& form, const QString& path)
{
    test::SetModified(form, true);
    fixture.prompts.clear();
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{path, 0});
    form.SaveRoomFileClick();
    const auto warnings = fixture.prompts.shown(Kind::Warning);
    return warnings.size() == 1 ? warnings[0].text : QStringLiteral("%1 warnings").arg(warnings.size());
}

QString CannotWrite(const TMainForm& form, const QString& reason)
{
    return form.languageTexts().message(8) + "\n" + reason;
}

// What a disk that fails as the new file is synced says.
const QString kSyncFailed = QString::fromLocal8Bit(std::strerror(EIO));

Result<void> FailingSync(QFileDevice& file)
{
    return Failure{FailureKind::CannotWrite, kSyncFailed, file.fileName()};
}

// The failing sync for as long as it lives.
class SyncFails {
public:
    SyncFails() : previous_(ReplaceFileSync(&FailingSync)) {}
    ~SyncFails() { ReplaceFileSync(previous_); }
    SyncFails(const SyncFails&) = delete;
    SyncFails& operator=(const SyncFails&) = delete;

private:
    FileSync previous_;
};

// The real sync, handed a file the system cannot sync: one not open.
Result<void> RealSyncRefused(QFileDevice&)
{
    QFile notOpen;
    return SyncFileToDisk(notOpen);
}

}  // namespace

void WholeWritesTest::aFullDiskKeepsTheOldFile()
{
    SMALL_DISK(disk)
    const QString target = On(disk, "part.bmp");
    const std::vector<uint8_t> old(3000, 'o');
    WriteBytes(target, old);
    QVERIFY(disk.fill());

    // A small file stays in Qt's buffer until the end; a large one fails at
    // once: both say why, and both leave the old file and nothing else.
    for (const size_t size : {size_t(100), size_t(200'000)}) {
        const Result<void> written = WriteWholeFile(target, std::vector<uint8_t>(size, 'n'));
        QVERIFY2(!written, qPrintable(QString::number(size)));
        QCOMPARE(written.failure().reason, kNoSpace);
        QVERIFY(ReadBytes(target) == old);
        QCOMPARE(FilesIn(QFileInfo(target).path()), (QStringList{"filler", "part.bmp"}));
    }
    // Nothing new is written where no file was.
    QVERIFY(!WriteWholeFile(On(disk, "new.bmp"), std::vector<uint8_t>(10, 'n')));
    QVERIFY(!QFile::exists(On(disk, "new.bmp")));
}

void WholeWritesTest::aDiskThatFillsPartWaySaysWhy()
{
    SMALL_DISK(disk)
    const QString target = On(disk, "part.bmp");
    const std::vector<uint8_t> old(3000, 'o');
    WriteBytes(target, old);
    QVERIFY(disk.fill(4096));

    // The disk takes the first few KiB of each, then says it is full.
    for (const size_t size : {size_t(12'000), size_t(200'000)}) {
        const Result<void> written = WriteWholeFile(target, std::vector<uint8_t>(size, 'n'));
        QVERIFY2(!written, qPrintable(QString::number(size)));
        QCOMPARE(written.failure().reason, kNoSpace);
        QVERIFY(ReadBytes(target) == old);
        QCOMPARE(FilesIn(QFileInfo(target).path()), (QStringList{"filler", "part.bmp"}));
    }
    // The picture handed to the image editor, the same.
    const Result<QString> temporary = CreateExclusiveFile(
        [&](int n) { return On(disk, "velm.bmp") + QString::number(n); }, std::vector<uint8_t>(12'000, 'n'));
    if (temporary)
        QFAIL("the temporary file was written");
    QCOMPARE(temporary.failure().reason, kNoSpace);
    QCOMPARE(FilesIn(QFileInfo(target).path()), (QStringList{"filler", "part.bmp"}));
}

void WholeWritesTest::theEditorSaysWhyASaveFailed()
{
    SMALL_DISK(disk)
    UiFixture fixture;
    auto form = fixture.makeForm();
    const QString room = On(disk, "room.pac");
    const QString part = On(disk, "bed.bmp");
    const std::vector<uint8_t> oldPart(500, 'p');
    WriteBytes(part, oldPart);
    QVERIFY(disk.fill());

    // Save As: message 8, a line break, the reason; the room stays unsaved.
    QCOMPARE(SaveAsWarning(fixture, *form, room), CannotWrite(*form, kNoSpace));
    QVERIFY(form->document().hasUnsavedChanges());
    QVERIFY(!QFile::exists(room));

    // Save to bitmapfile: the error box names the file and the reason.
    fixture.prompts.clear();
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{part, 0});
    form->findChild<QAction*>("SavePFile")->trigger();
    const auto errors = fixture.prompts.shown(Kind::Error);
    QCOMPARE(errors.size(), size_t(1));
    QVERIFY2(errors[0].text.contains(part) && errors[0].text.endsWith(kNoSpace), qPrintable(errors[0].text));
    QVERIFY(ReadBytes(part) == oldPart);
}

void WholeWritesTest::aSaveThatFillsTheDiskPartWayKeepsTheOldRoom()
{
    SMALL_DISK(disk)
    UiFixture fixture;
    auto form = fixture.makeForm();
    const QString room = On(disk, "room.pac");
    const std::vector<uint8_t> oldRoom(5000, 'r');
    WriteBytes(room, oldRoom);
    QVERIFY(disk.fill(16 * 1024));

    QCOMPARE(SaveAsWarning(fixture, *form, room), CannotWrite(*form, kNoSpace));
    QVERIFY(ReadBytes(room) == oldRoom);
    QCOMPARE(FilesIn(QFileInfo(room).path()), (QStringList{"filler", "room.pac"}));
    QVERIFY(form->document().hasUnsavedChanges());
}

void WholeWritesTest::aFailedSyncKeepsTheOldFileAndSaysWhy()
{
    UiFixture fixture;
    const QString folder = fixture.tempFolder();
    const QString target = folder + "/part.bmp";
    const std::vector<uint8_t> old(300, 'o');
    WriteBytes(target, old);
    {
        const SyncFails fails;
        const Result<void> written = WriteWholeFile(target, std::vector<uint8_t>(500, 'n'));
        QVERIFY(!written);
        QCOMPARE(written.failure().reason, kSyncFailed);
    }
    QVERIFY(ReadBytes(target) == old);
    QCOMPARE(FilesIn(folder), QStringList{"part.bmp"});

    // Save As says so in its warning, and the room stays unsaved.
    auto form = fixture.makeForm();
    const QString room = folder + "/room.pac";
    WriteBytes(room, old);
    {
        const SyncFails fails;
        QCOMPARE(SaveAsWarning(fixture, *form, room), CannotWrite(*form, kSyncFailed));
    }
    QVERIFY(ReadBytes(room) == old);
    QVERIFY(form->document().hasUnsavedChanges());

    // With the real sync back, the same save goes through.
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{room, 0});
    form->SaveRoomFileClick();
    QVERIFY(!form->document().hasUnsavedChanges());
    QVERIFY(ReadBytes(room) != old);
}

void WholeWritesTest::theRealSyncSaysWhyTheSystemRefusedIt()
{
    QFile notOpen;
    const Result<void> synced = SyncFileToDisk(notOpen);
    QVERIFY(!synced);
    QCOMPARE(synced.failure().kind, FailureKind::CannotWrite);
#ifdef Q_OS_UNIX
    QCOMPARE(synced.failure().reason, QString::fromLocal8Bit(std::strerror(EBADF)));
#else
    QVERIFY(!synced.failure().reason.isEmpty());
#endif

    // Its refusal stops the write before the old file is replaced.
    UiFixture fixture;
    const QString target = fixture.tempFolder() + "/part.bmp";
    const std::vector<uint8_t> old(300, 'o');
    WriteBytes(target, old);
    const FileSync previous = ReplaceFileSync(&RealSyncRefused);
    const Result<void> written = WriteWholeFile(target, std::vector<uint8_t>(500, 'n'));
    ReplaceFileSync(previous);
    QVERIFY(!written);
    QCOMPARE(written.failure().reason, synced.failure().reason);
    QVERIFY(ReadBytes(target) == old);
    QCOMPARE(FilesIn(fixture.tempFolder()), QStringList{"part.bmp"});
}

QTEST_MAIN(WholeWritesTest)
#include "test_whole_writes.moc"
