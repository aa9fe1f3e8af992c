// The recovery file as the user meets it: a damaged one at start, a restore
// declined, and a recovery folder that cannot be written.
#include "gui_room_helpers.h"
#include "support/modal_dialog.h"
#include "support/ui_fixture.h"

#include "document/document_data.h"
#include "ui/room_recovery.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest>

using namespace velmora;
using velmora::test::FilesIn;
using velmora::test::ReadBytes;
using velmora::test::RoomState;
using velmora::test::ScriptedPrompts;
using velmora::test::UiFixture;
using velmora::test::WriteBytes;
using Kind = ScriptedPrompts::Kind;

class RecoveryTest : public QObject {
    Q_OBJECT
private slots:
    void aDamagedFileIsSetAsideAtStart_data();
    void aDamagedFileIsSetAsideAtStart();
    void aDeclinedRestoreLeavesNothingBehind();
    void aFailedWriteIsToldOnceInTheWindow();
    void anEncodingChosenAfterAChangeIsRecovered();
};

namespace {

// Leaves the recovery file of a changed room, as an editor that stopped
// without closing does; gives its path.
QString LeaveRecoveryFile(UiFixture& fixture)
{
    auto form = fixture.makeForm();
    form->WinDayImageMouseDown(slot::BedImage);
    form->findChild<QAction*>("CopyImage")->trigger();
    form->writeRecovery();
    const QString path = form->recoveryFile();
    if (!QFile::exists(path))
        qFatal("no recovery file written");
    return path;
}

}  // namespace

void RecoveryTest::aDamagedFileIsSetAsideAtStart_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason");
    QTest::newRow("cut short") << "cut" << "cut short";
    QTest::newRow("a newer version") << "version" << "newer version";
}

void RecoveryTest::aDamagedFileIsSetAsideAtStart()
{
    QFETCH(QString, damage);
    QFETCH(QString, reason);
    UiFixture fixture;
    const QString path = LeaveRecoveryFile(fixture);
    std::vector<uint8_t> bytes = ReadBytes(path);
    if (damage == "cut")
        bytes.resize(bytes.size() / 2);
    else
        bytes[23] = uint8_t(kRecoveryVersion + 1);  // the version, after the 20-byte signature
    WriteBytes(path, bytes);

    // Started anew: a warning naming the file set aside and why, no question,
    // and the default room as if there had been nothing.
    auto form = fixture.makeForm();
    const RoomState fresh = RoomState::Of(*form);
    form->offerRecovery();
    QVERIFY(fixture.prompts.shown(Kind::Question).empty());
    const auto warnings = fixture.prompts.shown(Kind::Warning);
    QCOMPARE(warnings.size(), size_t(1));
    const QString aside = path + ".unreadable";
    const QString expected = form->languageTexts().message(message::kRecoveryDamaged) + "\n" +
                             QDir::toNativeSeparators(aside) + "\n";
    QVERIFY2(warnings[0].text.startsWith(expected) && warnings[0].text.contains(reason), qPrintable(warnings[0].text));
    QVERIFY(ReadBytes(aside) == bytes);
    QCOMPARE(FilesIn(fixture.recoveryFolder()), QStringList{QFileInfo(aside).fileName()});
    QCOMPARE(RoomState::Of(*form).differenceFrom(fresh), QString());

    // Never offered again.
    fixture.prompts.clear();
    fixture.makeForm()->offerRecovery();
    QVERIFY(fixture.prompts.shown().empty());
}

void RecoveryTest::aDeclinedRestoreLeavesNothingBehind()
{
    UiFixture fixture;
    const QString path = LeaveRecoveryFile(fixture);
    auto form = fixture.makeForm();
    const RoomState fresh = RoomState::Of(*form);
    fixture.prompts.questionAnswers.push_back(false);
    form->offerRecovery();

    // A room never saved is named by its recovery file.
    const auto questions = fixture.prompts.shown(Kind::Question);
    QCOMPARE(questions.size(), size_t(1));
    QCOMPARE(questions[0].text,
             form->languageTexts().message(message::kRestoreRecovery) + "\n" + QDir::toNativeSeparators(path));
    // No file and no lock is left, and the room is as it was.
    QCOMPARE(FilesIn(fixture.recoveryFolder()), QStringList());
    QCOMPARE(RoomState::Of(*form).differenceFrom(fresh), QString());
    QCOMPARE(form->windowTitle(), QString("Velmora"));
    fixture.prompts.clear();
    fixture.makeForm()->offerRecovery();
    QVERIFY(fixture.prompts.shown().empty());
}

void RecoveryTest::aFailedWriteIsToldOnceInTheWindow()
{
    UiFixture fixture;
    // A file where the recovery folder should be made.
    const QString blocker = fixture.tempFolder() + "/blocker";
    WriteBytes(blocker, std::vector<uint8_t>{1});
    Environment environment = fixture.environment();
    environment.recoveryFolder = blocker + "/recovery";
    TMainForm form(environment, &fixture.prompts);
    form.show();
    auto* problem = test::Child<QLabel>(form, "RecoveryProblem");
    QVERIFY(!problem->isVisible());

    // Told in the window, not in a box, and told again only after a success.
    const QString line = form.languageTexts().message(message::kRecoveryNotWritten);
    test::SetModified(form, true);
    form.writeRecovery();
    QVERIFY(problem->isVisible());
    QVERIFY2(problem->text().startsWith(line + "\n") && problem->text().contains("recovery"),
             qPrintable(problem->text()));
    form.writeRecovery();
    QVERIFY(problem->isVisible());
    QVERIFY(fixture.prompts.shown().empty());

    QFile::remove(blocker);
    form.writeRecovery();
    QVERIFY(QFile::exists(form.recoveryFile()));
    QVERIFY(!problem->isVisible());

    QFile::remove(form.recoveryFile());
    QDir().mkpath(form.recoveryFile());
    form.writeRecovery();
    QVERIFY(problem->isVisible());
    QVERIFY2(problem->text().startsWith(line + "\n"), qPrintable(problem->text()));
    QVERIFY(fixture.prompts.shown().empty());

    // Nothing unsaved: nothing to keep, nothing to tell.
    test::SetModified(form, false);
    QVERIFY(!problem->isVisible());
}

void RecoveryTest::anEncodingChosenAfterAChangeIsRecovered()
{
    UiFixture fixture;
    // A room name in Shift_JIS, "nihon".
    const std::string name = "\x93\xfa\x96\x7b";
    {
        auto form = fixture.makeForm();
        test::SetRoomTexts(*form, RoomTexts{name, "", ""});
        form->WinDayImageMouseDown(slot::BedImage);
        form->findChild<QAction*>("CopyImage")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(form->recoveryFile()), 5000);
        // The name shows right only once the encoding is chosen, after the
        // file was written; the file follows within seconds all the same.
        fixture.prompts.choiceAnswers.push_back(
            static_cast<int>(RoomTextCodec::Offered().indexOf(QByteArray("Shift_JIS"))));
        form->TextEncodingSetClick();
        const QString recovery = form->recoveryFile();
        auto recorded = [&recovery] {
            const Result<DocumentData> data = RoomRecovery::read(recovery);
            return data ? data->textEncoding.value_or("none") : QByteArray("unreadable");
        };
        QTRY_COMPARE_WITH_TIMEOUT(recorded(), QByteArray("Shift_JIS"), 5000);
    }
    // Stopped and started again: the room comes back as it was shown.
    auto next = fixture.makeForm();
    fixture.prompts.questionAnswers.push_back(true);
    next->offerRecovery();
    QCOMPARE(next->findChild<QPlainTextEdit*>("RoomName")->toPlainText(), QString::fromUtf8("\u65e5\u672c"));
}

QTEST_MAIN(RecoveryTest)
#include "test_recovery.moc"
