// Opening and saving room files from the File menu: the unsaved-changes
// question, the file dialogs, every failure with its message, and a room
// that is never half replaced nor a file half written.
#include "gui_room_helpers.h"
#include "picture_helpers.h"
#include "support/ui_fixture.h"

#include "ui/services/paths.h"
#include "core/room/default_room.h"

#include <QPlainTextEdit>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <random>

using namespace velmora;
using velmora::test::FilesIn;
using velmora::test::ReadBytes;
using velmora::test::RoomState;
using velmora::test::ScriptedPrompts;
using velmora::test::UiFixture;
using velmora::test::WriteBytes;
using Kind = ScriptedPrompts::Kind;

class OpenSaveTest : public QObject {
    Q_OBJECT
private slots:
    void openReplacesTheWholeRoom();
    void openAsksAboutUnsavedChanges();
    void openFailuresLeaveTheRoom();
    void roomFileSizeLimits();
    void malformedRoomFilesAreRefusedWhole();
    void refusalsAreWordedInTheChosenLanguage();
    void saveThenOpenGivesBackTheRoom();
    void textsTheLocaleCannotShowSurviveOpenAndSave();
    void saveDialogAndTemplateFailures();
    void failedSaveLeavesTheOldFile();
};

namespace {

std::vector<uint8_t> HeaderTemplate(const UiFixture& fixture)
{
    return ReadBytes(HeaderTemplatePath(fixture.programFolder()));
}

// Forty pictures unlike the default room: parts filled with their own index
// and a diagonal, masks with stripes, one 8-bit mask.
RoomPictures TestRoom()
{
    RoomPictures pictures = test::OpaqueRoom();
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot) {
        Bitmap& b = pictures[size_t(slot)];
        for (int y = 0; y < b.height; ++y)
            for (int x = 0; x < b.width; ++x)
                if (PartSlotTable::IsMask(slot) ? (x / 3 + y) % 2 == 0 : x == y)
                    b.setIndex(x, y, PartSlotTable::IsMask(slot) ? uint8_t(1 - b.index(x, y)) : uint8_t(200));
    }
    const PartSize bath = PartSlotTable::RequiredSize(15);
    pictures[35] = test::Filled(bath.width, bath.height, 77);
    return pictures;
}

const RoomTexts kTexts{"Blue room", "line one\r\nline two", std::string(127, 'c')};

QString WriteRoom(const UiFixture& fixture, const QString& name, const RoomPictures& pictures,
                  const RoomTexts& texts = kTexts)
{
    const QString path = fixture.tempFolder() + QStringLiteral("/../") + name;
    WriteBytes(path, WriteRoomFile(HeaderTemplate(fixture), texts, pictures));
    return QFileInfo(path).absoluteFilePath();
}

QString Message(const TMainForm& form, int index)
{
    return form.languageTexts().message(index);
}

// Opens `path` through the menu handler with an unchanged room.
void Open(TMainForm& form, UiFixture& fixture, const QString& path)
{
    fixture.prompts.openAnswers.push_back(path);
    form.OpenRoomFileClick();
}

// The one warning of the last command, or a text saying what was shown instead.
QString OnlyWarning(const ScriptedPrompts& prompts)
{
    const auto warnings = prompts.shown(Kind::Warning);
    if (warnings.size() != 1)
        return QStringLiteral("<%1 warnings>").arg(warnings.size());
    return warnings[0].text;
}

}  // namespace

void OpenSaveTest::openReplacesTheWholeRoom()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const RoomPictures pictures = TestRoom();
    const QString path = WriteRoom(fixture, "blue.pac", pictures);

    Open(*form, fixture, path);
    QCOMPARE(fixture.prompts.shown().size(), size_t(1));
    const auto& dialog = fixture.prompts.shown()[0];
    QCOMPARE(dialog.kind, Kind::OpenFile);
    QCOMPARE(dialog.dialog, form->openDialog());
    QCOMPARE(dialog.dialog.filters, QStringList{"*.pac (*.pac)"});
    QCOMPARE(dialog.dialog.defaultSuffix, QString("pac"));
    QVERIFY(!dialog.dialog.overwritePrompt);

    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot)
        QVERIFY2(form->document().picture(slot).samePicture(pictures[size_t(slot)]), qPrintable(QString::number(slot)));
    QCOMPARE(form->document().picture(35).bitsPerPixel, uint16_t(8));
    QVERIFY(test::RoomTextsOf(*form) == kTexts);
    QCOMPARE(form->findChild<QPlainTextEdit*>("Comment")->toPlainText(), QString("line one\nline two"));
    QVERIFY(!form->document().picturesChangedSinceClean());
    QVERIFY(!form->document().hasUnsavedChanges());
    // Pictures pass in memory: nothing is left in the temporary folder.
    QCOMPARE(FilesIn(fixture.tempFolder()), QStringList{});
}

void OpenSaveTest::openAsksAboutUnsavedChanges()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const QString path = WriteRoom(fixture, "blue.pac", TestRoom());

    // A changed picture: No shows no file dialog and keeps everything.
    test::SetModified(*form, true);
    const RoomState before = RoomState::Of(*form);
    fixture.prompts.questionAnswers.push_back(false);
    form->OpenRoomFileClick();
    QCOMPARE(fixture.prompts.shown().size(), size_t(1));
    QCOMPARE(fixture.prompts.shown()[0].kind, Kind::Question);
    QCOMPARE(fixture.prompts.shown()[0].text, Message(*form, 12));
    QCOMPARE(fixture.prompts.shown()[0].caption, form->languageTexts().label(32));
    QCOMPARE(RoomState::Of(*form).differenceFrom(before), QString());

    // Yes, then the dialog cancelled: still nothing changes.
    fixture.prompts.clear();
    fixture.prompts.questionAnswers.push_back(true);
    fixture.prompts.openAnswers.push_back(std::nullopt);
    form->OpenRoomFileClick();
    QCOMPARE(fixture.prompts.shown(Kind::OpenFile).size(), size_t(1));
    QCOMPARE(RoomState::Of(*form).differenceFrom(before), QString());

    // Yes and a file: opened, and the next open asks nothing.
    fixture.prompts.clear();
    fixture.prompts.questionAnswers.push_back(true);
    Open(*form, fixture, path);
    QVERIFY(!form->document().hasUnsavedChanges());
    fixture.prompts.clear();
    Open(*form, fixture, path);
    QVERIFY(fixture.prompts.shown(Kind::Question).empty());

    // One character typed into the comment is a change too.
    form->show();
    auto* comment = form->findChild<QPlainTextEdit*>("Comment");
    comment->setFocus();
    QTest::keyClick(comment, Qt::Key_X);
    QVERIFY(form->document().hasUnsavedChanges());
    fixture.prompts.clear();
    fixture.prompts.questionAnswers.push_back(false);
    form->OpenRoomFileClick();
    QCOMPARE(fixture.prompts.shown().size(), size_t(1));
    QCOMPARE(fixture.prompts.shown()[0].text, Message(*form, 12));
    QVERIFY(test::RoomTextsOf(*form).comment != kTexts.comment);
}

void OpenSaveTest::openFailuresLeaveTheRoom()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    test::SetRoomTexts(*form, {"keep", "these", "texts"});
    const RoomState before = RoomState::Of(*form);

    // Message 8 first, then the file and the system's reason.
    const struct {
        const char* what;
        QString path;
        QString reason;
    } cases[] = {
        {"missing file", fixture.tempFolder() + "/none.pac",
         test::ReasonOpening(fixture.tempFolder() + "/none.pac", QIODevice::ReadOnly)},
        {"a folder", fixture.tempFolder(), QString::fromLocal8Bit(std::strerror(EISDIR))},
    };
    for (const auto& c : cases) {
        fixture.prompts.clear();
        Open(*form, fixture, c.path);
        QCOMPARE(OnlyWarning(fixture.prompts),
                 Message(*form, 8) + "\n" + QDir::toNativeSeparators(c.path) + "\n" + c.reason);
        QCOMPARE(fixture.prompts.shown(Kind::Warning)[0].caption, form->languageTexts().label(33));
        QVERIFY2(RoomState::Of(*form).differenceFrom(before).isEmpty(), c.what);
    }
}

void OpenSaveTest::roomFileSizeLimits()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    test::SetModified(*form, true);
    const RoomState before = RoomState::Of(*form);
    const QString path = fixture.tempFolder() + "/../sized.pac";

    // A room of small pictures padded with bytes the reader ignores.
    RoomPictures small;
    for (Bitmap& b : small)
        b = test::Mask(8, 8, true);
    std::vector<uint8_t> bytes = WriteRoomFile(HeaderTemplate(fixture), kTexts, small);
    QVERIFY(bytes.size() < kRoomMinFileSize);

    bytes.resize(kRoomMinFileSize - 1);
    WriteBytes(path, bytes);
    fixture.prompts.questionAnswers.push_back(true);
    fixture.prompts.openAnswers.push_back(path);
    form->OpenRoomFileClick();
    QCOMPARE(OnlyWarning(fixture.prompts), Message(*form, 9) + "\n" + QDir::toNativeSeparators(path));
    QCOMPARE(RoomState::Of(*form).differenceFrom(before), QString());

    // Over 16 MiB: refused by its size alone, as lack of memory.
    {
        QFile huge(path);
        QVERIFY(huge.open(QIODevice::ReadWrite));
        QVERIFY(huge.resize(qint64(kRoomMaxFileSize) + 1));
    }
    fixture.prompts.clear();
    fixture.prompts.questionAnswers.push_back(true);
    fixture.prompts.openAnswers.push_back(path);
    form->OpenRoomFileClick();
    QCOMPARE(OnlyWarning(fixture.prompts), Message(*form, 10));
    QCOMPARE(RoomState::Of(*form).differenceFrom(before), QString());

    // Exactly 200,000 bytes passes the length test and opens.
    bytes.resize(kRoomMinFileSize);
    WriteBytes(path, bytes);
    fixture.prompts.clear();
    fixture.prompts.questionAnswers.push_back(true);
    fixture.prompts.openAnswers.push_back(path);
    form->OpenRoomFileClick();
    QVERIFY(fixture.prompts.shown(Kind::Warning).empty());
    QVERIFY(form->document().picture(4).samePicture(small[4]));
    QVERIFY(!form->document().picturesChangedSinceClean());
}

void OpenSaveTest::malformedRoomFilesAreRefusedWhole()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const QString goodPath = WriteRoom(fixture, "good.pac", TestRoom());
    Open(*form, fixture, goodPath);
    test::SetModified(*form, true);
    const RoomState before = RoomState::Of(*form);
    const std::vector<uint8_t> good = WriteRoomFile(HeaderTemplate(fixture), {"x", "y", "z"}, DefaultRoomPictures());

    // Where each slot's BMP starts in the good file.
    std::vector<size_t> starts;
    for (size_t p = kRoomHeaderSize + 4; starts.size() < 40; p += ReadLe32(&good[p + 2]) + 4)
        starts.push_back(p);

    struct Case {
        QString what;
        std::vector<uint8_t> bytes;
        bool mustFail;
    };
    std::vector<Case> cases;
    for (size_t cut = kRoomMinFileSize; cut < good.size(); cut += 997)
        cases.push_back({QStringLiteral("cut at %1").arg(cut), {good.begin(), good.begin() + ptrdiff_t(cut)}, true});
    cases.push_back({"cut before the last byte", {good.begin(), good.end() - 1}, true});
    for (const size_t slot : {size_t(0), size_t(4), size_t(20), size_t(39)}) {
        const size_t p = starts[slot];
        auto zero = good;
        WriteLe32(&zero[p + 2], 0);
        cases.push_back({QStringLiteral("size field of slot %1 zero").arg(slot), zero, true});
        auto huge = good;
        WriteLe32(&huge[p + 2], 0xFFFFFFFFu);
        cases.push_back({QStringLiteral("size field of slot %1 huge").arg(slot), huge, true});
        auto offset = good;
        WriteLe32(&offset[p + 10], ReadLe32(&good[p + 2]) + 1);
        cases.push_back({QStringLiteral("pixels of slot %1 outside").arg(slot), offset, true});
        auto noSignature = good;
        noSignature[p] = 'X';
        cases.push_back({QStringLiteral("signature of slot %1").arg(slot), noSignature, false});
    }
    std::mt19937 random(20240611);
    for (int i = 0; i < 60; ++i) {
        auto flipped = good;
        const size_t p = starts[random() % 40];
        for (int flips = 0; flips < 3; ++flips)
            flipped[p + random() % 54] ^= uint8_t(1u << (random() % 8));
        cases.push_back({QStringLiteral("header flips %1").arg(i), flipped, false});
    }

    const QString path = fixture.tempFolder() + "/../bad.pac";
    int refused = 0;
    for (const Case& c : cases) {
        WriteBytes(path, c.bytes);
        fixture.prompts.clear();
        fixture.prompts.questionAnswers.push_back(true);
        fixture.prompts.openAnswers.push_back(path);
        form->OpenRoomFileClick();
        bool decodes = true;
        try {
            ReadRoomFile(c.bytes);
        } catch (const FormatError&) {
            decodes = false;
        }
        QVERIFY2(!(c.mustFail && decodes), qPrintable(c.what));
        QVERIFY2(fixture.prompts.shown(Kind::Error).empty(), qPrintable(c.what));
        if (decodes) {
            // A flip the format does not notice: the room opens; start again.
            QVERIFY2(fixture.prompts.shown(Kind::Warning).empty(), qPrintable(c.what));
            fixture.prompts.clear();
            Open(*form, fixture, goodPath);
            test::SetModified(*form, true);
            continue;
        }
        ++refused;
        const QString warning = OnlyWarning(fixture.prompts);
        QVERIFY2(warning.startsWith(path + ": ") && warning.size() > path.size() + 4,
                 qPrintable(c.what + ": " + warning));
        QVERIFY2(RoomState::Of(*form).differenceFrom(before).isEmpty(), qPrintable(c.what));
    }
    QVERIFY(refused > 40);
}

void OpenSaveTest::refusalsAreWordedInTheChosenLanguage()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    std::vector<uint8_t> bytes = WriteRoomFile(HeaderTemplate(fixture), {}, DefaultRoomPictures());
    const size_t first = kRoomHeaderSize + 4;
    WriteLe32(&bytes[first + 18], 40000);
    const int height = int(ReadLe32(&bytes[first + 22]));
    const QString path = fixture.tempFolder() + "/wide.pac";
    WriteBytes(path, bytes);

    Open(*form, fixture, path);
    QCOMPARE(OnlyWarning(fixture.prompts),
             path + QString(": slot 0 (WinDayImage): not a usable BMP picture: the picture size 40000x%1 is too large")
                        .arg(height));
    form->setLanguageCode("ja");
    form->applyTexts();
    fixture.prompts.clear();
    Open(*form, fixture, path);
    QCOMPARE(OnlyWarning(fixture.prompts),
             path + QString(": スロット 0（WinDayImage）: 使える BMP 画像ではありません: 画像の大きさ 40000x%1 が大きすぎます")
                        .arg(height));
}

void OpenSaveTest::saveThenOpenGivesBackTheRoom()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const RoomPictures pictures = TestRoom();
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot)
        test::SetSlotPicture(*form, slot, pictures[size_t(slot)]);
    test::SetRoomTexts(*form, kTexts);
    test::SetModified(*form, true);

    const QString path = fixture.tempFolder() + "/../saved.pac";
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{path, 0});
    form->SaveRoomFileClick();
    // Saving never asks about unsaved changes.
    QCOMPARE(fixture.prompts.shown().size(), size_t(1));
    const auto& dialog = fixture.prompts.shown()[0];
    QCOMPARE(dialog.kind, Kind::SaveFile);
    QCOMPARE(dialog.dialog, form->saveDialog());
    QVERIFY(!form->document().picturesChangedSinceClean());
    QVERIFY(!form->document().hasUnsavedChanges());
    QCOMPARE(FilesIn(fixture.tempFolder()), QStringList{});
    QCOMPARE(QFileInfo(path).size(), qint64(1056 + 40 * 4) + [&] {
        qint64 sum = 0;
        for (const Bitmap& b : pictures)
            sum += qint64(EncodeBmp(b, ColoursUsedField::Zero).size());
        return sum;
    }());

    // A second window opens what the first saved.
    auto other = fixture.makeForm();
    Open(*other, fixture, path);
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot)
        QVERIFY2(other->document().picture(slot).samePicture(pictures[size_t(slot)]), qPrintable(QString::number(slot)));
    QVERIFY(test::RoomTextsOf(*other) == kTexts);

    // Texts typed by the user are saved and the field counts as saved.
    form->show();
    auto* name = form->findChild<QPlainTextEdit*>("RoomName");
    name->setFocus();
    name->moveCursor(QTextCursor::End);
    QTest::keyClicks(name, "!");
    QVERIFY(form->document().hasUnsavedChanges());
    fixture.prompts.clear();
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{path, 0});
    form->SaveRoomFileClick();
    QVERIFY(!form->document().hasUnsavedChanges());
    fixture.prompts.clear();
    Open(*other, fixture, path);
    QCOMPARE(test::RoomTextsOf(*other).name, std::string("Blue room!"));
}

void OpenSaveTest::textsTheLocaleCannotShowSurviveOpenAndSave()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    // Bytes that are no valid text in UTF-8, and a zero-free line break.
    const RoomTexts raw{"\xff\xfe\x81\x40", "a\r\n\xe9t\xe9", std::string("\x80\xc0\xc1", 3)};
    const QString in = WriteRoom(fixture, "raw.pac", DefaultRoomPictures(), raw);
    Open(*form, fixture, in);
    QVERIFY(test::RoomTextsOf(*form) == raw);

    const QString out = fixture.tempFolder() + "/../raw-again.pac";
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{out, 0});
    form->SaveRoomFileClick();
    QVERIFY(fixture.prompts.shown(Kind::Warning).empty());
    // Same template, same texts, same pictures: the very same file.
    QVERIFY(ReadBytes(out) == ReadBytes(in));
}

void OpenSaveTest::saveDialogAndTemplateFailures()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const FileDialogSettings& dialog = form->saveDialog();
    QCOMPARE(dialog.filters, QStringList{"*.pac (*.pac)"});
    // A name typed without extension gets ".pac" from the dialog.
    QCOMPARE(dialog.defaultSuffix, QString("pac"));
    QVERIFY(dialog.overwritePrompt);
    QVERIFY(dialog.refuseReadOnly);

    test::SetModified(*form, true);
    const RoomState before = RoomState::Of(*form);
    const QString target = fixture.tempFolder() + "/../new.pac";
    const QString templatePath = HeaderTemplatePath(fixture.programFolder());
    const std::vector<uint8_t> goodTemplate = ReadBytes(templatePath);
    const QString templateMessage = Message(*form, 8) + " " + templatePath;

    // Missing, one byte short, one byte long: message 8, a blank, the path.
    fixture.removeProgramFile("VelmHead.dat");
    std::vector<std::vector<uint8_t>> templates = {{}};
    templates.push_back({goodTemplate.begin(), goodTemplate.end() - 1});
    templates.push_back(goodTemplate);
    templates.back().push_back(0);
    for (size_t i = 0; i < templates.size(); ++i) {
        if (i > 0)
            WriteBytes(templatePath, templates[i]);
        fixture.prompts.clear();
        fixture.prompts.saveAnswers.push_back(SaveFileChoice{target, 0});
        form->SaveRoomFileClick();
        QCOMPARE(OnlyWarning(fixture.prompts), templateMessage);
        QVERIFY(!QFile::exists(target));
        QCOMPARE(RoomState::Of(*form).differenceFrom(before), QString());
    }

    // The template is read anew: put back, the save works.
    WriteBytes(templatePath, goodTemplate);
    fixture.prompts.clear();
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{target, 0});
    form->SaveRoomFileClick();
    QVERIFY(fixture.prompts.shown(Kind::Warning).empty());
    QVERIFY(QFile::exists(target));
    QVERIFY(!form->document().picturesChangedSinceClean());

    // Cancelling the dialog does nothing.
    test::SetModified(*form, true);
    fixture.prompts.clear();
    fixture.prompts.saveAnswers.push_back(std::nullopt);
    form->SaveRoomFileClick();
    QCOMPARE(fixture.prompts.shown().size(), size_t(1));
    QVERIFY(form->document().picturesChangedSinceClean());
}

void OpenSaveTest::failedSaveLeavesTheOldFile()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const QString existing = WriteRoom(fixture, "old.pac", TestRoom());
    const std::vector<uint8_t> oldBytes = ReadBytes(existing);
    test::SetModified(*form, true);

    // The target cannot be created: message 8, a line break, the system's text.
    const struct {
        QString path;
        QString reason;
    } uncreatable[] = {
        {fixture.tempFolder(), QString::fromLocal8Bit(std::strerror(EISDIR))},
        {fixture.tempFolder() + "/no/such/folder/x.pac",
         test::ReasonOpening(fixture.tempFolder() + "/no/such/folder/x.pac", QIODevice::WriteOnly)},
    };
    for (const auto& c : uncreatable) {
        fixture.prompts.clear();
        fixture.prompts.saveAnswers.push_back(SaveFileChoice{c.path, 0});
        form->SaveRoomFileClick();
        QCOMPARE(OnlyWarning(fixture.prompts), Message(*form, 8) + "\n" + c.reason);
        QVERIFY(form->document().picturesChangedSinceClean());
    }
    QCOMPARE(FilesIn(fixture.tempFolder()), QStringList{});

    // A text too long for a room file fails the save before the file is
    // touched; the old room file stays byte for byte.
    test::SetRoomTexts(*form, {std::string(128, 'n'), "", ""});
    test::SetModified(*form, true);
    fixture.prompts.clear();
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{existing, 0});
    form->SaveRoomFileClick();
    const QString warning = OnlyWarning(fixture.prompts);
    QVERIFY2(warning.startsWith(Message(*form, 8) + "\n") && warning.contains("127"), qPrintable(warning));
    QVERIFY(ReadBytes(existing) == oldBytes);
    QVERIFY(form->document().picturesChangedSinceClean());

    // So does a bad template.
    test::SetRoomTexts(*form, kTexts);
    fixture.writeProgramFile("VelmHead.dat", QByteArray(100, 'h'));
    fixture.prompts.clear();
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{existing, 0});
    form->SaveRoomFileClick();
    QCOMPARE(OnlyWarning(fixture.prompts), Message(*form, 8) + " " + HeaderTemplatePath(fixture.programFolder()));
    QVERIFY(ReadBytes(existing) == oldBytes);
    QCOMPARE(QDir(QFileInfo(existing).path()).entryList({"old.pac*"}, QDir::Files | QDir::Hidden), QStringList{"old.pac"});
}

QTEST_MAIN(OpenSaveTest)
#include "test_open_save.moc"
