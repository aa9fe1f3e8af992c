// Room texts in another code page than the locale's: the Config menu's
// text-encoding choice, its setting, and texts that round-trip through open,
// edit and save in that encoding.
#include "support/shift_jis.h"
#include "gui_room_helpers.h"
#include "picture_helpers.h"
#include "support/typing.h"
#include "support/ui_fixture.h"

#include "ui/mainform.h"
#include "ui/services/paths.h"
#include "ui/widgets/room_text_edit.h"
#include "common/settings.h"
#include "common/room_text_codec.h"
#include "core/room/default_room.h"

#include <QAction>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QMenu>
#include <QUndoStack>
#include <QtTest>

using namespace velmora;
using velmora::testing::ShiftJis;
using velmora::test::ReadBytes;
using velmora::test::ScriptedPrompts;
using velmora::test::UiFixture;
using velmora::test::WriteBytes;
using Kind = ScriptedPrompts::Kind;

class TextEncodingTest : public QObject {
    Q_OBJECT
private slots:
    void shiftJisTextRoundTripsThroughOpenEditAndSave();
    void theChoiceIsStoredAndCancelStoresNothing();
    void aSettingThisSystemCannotUseLeavesTheLocale();
    void menuCaptionFallsBackForOlderLanguageFiles();
    void theByteLimitCountsInTheChosenEncoding();
    void textTheEncodingCannotHoldIsNotSaved();
    void anEditKeepsTheCharactersItDidNotTouch();
};

namespace {

QString WriteRoom(const UiFixture& fixture, const QString& name, const RoomTexts& texts)
{
    const QString path = fixture.tempFolder() + QLatin1Char('/') + name;
    WriteBytes(path, WriteRoomFile(ReadBytes(HeaderTemplatePath(fixture.programFolder())), texts,
                                   DefaultRoomPictures()));
    return path;
}

RoomTextEdit* Field(TMainForm& form, const char* name)
{
    return form.findChild<RoomTextEdit*>(QString::fromLatin1(name));
}

}  // namespace

void TextEncodingTest::shiftJisTextRoundTripsThroughOpenEditAndSave()
{
    UiFixture fixture;
    QVERIFY(Settings(fixture.settingsFile()).write(QString::fromLatin1(Settings::kTextEncoding), QStringLiteral("Shift_JIS")));
    const RoomTexts texts{ShiftJis(QStringLiteral("日本の部屋")), ShiftJis(QStringLiteral("一行目\r\n二行目")),
                          ShiftJis(QStringLiteral("© 作者"))};
    const QString path = WriteRoom(fixture, QStringLiteral("sjis.pac"), texts);

    auto form = fixture.makeForm();
    QCOMPARE(form->document().codec().encoding(), QByteArray("Shift_JIS"));
    fixture.prompts.openAnswers.push_back(path);
    form->OpenRoomFileClick();
    QCOMPARE(Field(*form, "RoomName")->toPlainText(), QStringLiteral("日本の部屋"));
    QCOMPARE(Field(*form, "Comment")->toPlainText(), QStringLiteral("一行目\n二行目"));

    // Typing into one field re-encodes only that one; the others keep their bytes.
    RoomTextEdit* name = Field(*form, "RoomName");
    name->setFocus();
    name->moveCursor(QTextCursor::End);
    test::TypeText(name, QStringLiteral("です"));
    const QString saved = fixture.tempFolder() + QStringLiteral("/saved.pac");
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{saved, 0});
    form->SaveRoomFileClick();
    QVERIFY(fixture.prompts.shown(Kind::Warning).empty());
    const Room room = ReadRoomFile(ReadBytes(saved));
    QCOMPARE(room.texts.name, ShiftJis(QStringLiteral("日本の部屋です")));
    QCOMPARE(room.texts.comment, texts.comment);
    QCOMPARE(room.texts.copyright, texts.copyright);

    // Opened again in a fresh window, the text reads back as typed.
    auto again = fixture.makeForm();
    fixture.prompts.openAnswers.push_back(saved);
    again->OpenRoomFileClick();
    QCOMPARE(Field(*again, "RoomName")->toPlainText(), QStringLiteral("日本の部屋です"));
}

void TextEncodingTest::theChoiceIsStoredAndCancelStoresNothing()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const Settings settings(fixture.settingsFile());
    QVERIFY(!settings.read(QString::fromLatin1(Settings::kTextEncoding)).value());

    fixture.prompts.choiceAnswers.push_back(std::nullopt);
    form->TextEncodingSetClick();
    QVERIFY(!settings.read(QString::fromLatin1(Settings::kTextEncoding)).value());
    QCOMPARE(fixture.prompts.shown(Kind::Choice).size(), size_t(1));
    const QStringList items = fixture.prompts.lastChoiceItems;
    QVERIFY(items.first().startsWith(QStringLiteral("System")));
    for (const char* name : {"Shift_JIS", "windows-1252", "UTF-8"})
        QVERIFY2(items.contains(QString::fromLatin1(name)), name);

    fixture.prompts.choiceAnswers.push_back(static_cast<int>(items.indexOf(QStringLiteral("windows-1252"))));
    form->TextEncodingSetClick();
    QCOMPARE(settings.read(QString::fromLatin1(Settings::kTextEncoding)).value().value_or(QString()), QStringLiteral("windows-1252"));
    QCOMPARE(form->document().codec().encoding(), QByteArray("windows-1252"));
    // The next opening starts on the current choice; the locale's is stored as empty.
    fixture.prompts.choiceAnswers.push_back(0);
    form->TextEncodingSetClick();
    QCOMPARE(fixture.prompts.shown(Kind::Choice).back().text, QStringLiteral("windows-1252"));
    QCOMPARE(settings.read(QString::fromLatin1(Settings::kTextEncoding)).value().value_or(QStringLiteral("x")), QString());
    QCOMPARE(form->document().codec().encoding(), QByteArray());
    QVERIFY(!form->document().hasUnsavedChanges());
}

void TextEncodingTest::aSettingThisSystemCannotUseLeavesTheLocale()
{
    UiFixture fixture;
    QVERIFY(Settings(fixture.settingsFile()).write(QString::fromLatin1(Settings::kTextEncoding), QStringLiteral("x-no-such")));
    auto form = fixture.makeForm();
    QCOMPARE(form->document().codec().encoding(), QByteArray());
    QVERIFY(fixture.prompts.shown().empty());
}

void TextEncodingTest::menuCaptionFallsBackForOlderLanguageFiles()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    auto* action = form->findChild<QAction*>(QStringLiteral("TextEncodingSet"));
    QVERIFY(action);
    QCOMPARE(action->text(), form->languageTexts().menuItem(18));

    // An English menu file of 18 lines, as written before the entry existed:
    // it and the later entries, the picture entries of the part menu among
    // them, take their English captions.
    const QList<QByteArray> lines = fixture.readProgramFile(QStringLiteral("ltexts/menuitems.en")).split('\n');
    fixture.writeProgramFile(QStringLiteral("ltexts/menuitems.en"), lines.mid(0, 18).join('\n') + '\n');
    form->applyTexts();
    QCOMPARE(form->languageTexts().lines(LanguageTexts::List::MenuItems).size(), size_t(18));
    QCOMPARE(action->text(), QStringLiteral("&Text encoding..."));
    QCOMPARE(form->findChild<QAction*>("Undo")->text(), QStringLiteral("&Undo"));
    QCOMPARE(form->findChild<QAction*>("Save")->text(), QStringLiteral("&Save"));
    QCOMPARE(form->findChild<QMenu*>("EditMenu")->title(), QStringLiteral("&Edit"));
    QCOMPARE(form->findChild<QMenu*>("RecentRooms")->title(), QStringLiteral("&Recent rooms"));
    QCOMPARE(form->findChild<QAction*>(QStringLiteral("ImportPicture"))->text(), QStringLiteral("Import picture..."));
    QCOMPARE(form->findChild<QAction*>(QStringLiteral("ExportPicture"))->text(), QStringLiteral("Export picture..."));
}

void TextEncodingTest::theByteLimitCountsInTheChosenEncoding()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    form->document().setTextEncoding("Shift_JIS");
    RoomTextEdit* comment = Field(*form, "Comment");
    comment->setFocus();
    test::TypeText(comment, QString(70, QChar(0x65E5)));  // 日: two bytes in Shift_JIS
    QCOMPARE(comment->toPlainText().size(), qsizetype(63));
    QCOMPARE(test::RoomTextsOf(*form).comment.size(), size_t(126));
}

void TextEncodingTest::textTheEncodingCannotHoldIsNotSaved()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    form->document().setTextEncoding("windows-1252");
    RoomTextEdit* copyright = Field(*form, "Copyright");
    copyright->setFocus();
    test::TypeText(copyright, QStringLiteral("日本"));
    const QString target = fixture.tempFolder() + QStringLiteral("/room.pac");
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{target, 0});
    form->SaveRoomFileClick();
    const auto warnings = fixture.prompts.shown(Kind::Warning);
    QCOMPARE(warnings.size(), size_t(1));
    QVERIFY2(warnings[0].text.contains(QStringLiteral("copyright note")) &&
                 warnings[0].text.contains(QStringLiteral("windows-1252")),
             qPrintable(warnings[0].text));
    QVERIFY(!QFile::exists(target));
    QVERIFY(form->document().hasUnsavedChanges());

    // In Japanese, the field and the system's encoding named in Japanese too.
    form->setLanguageCode("ja");
    form->applyTexts();
    form->document().setTextEncoding({});
    fixture.prompts.clear();
    fixture.prompts.choiceAnswers.push_back(std::nullopt);
    form->TextEncodingSetClick();
    QVERIFY2(fixture.prompts.lastChoiceItems.first().startsWith(QStringLiteral("システム（")),
             qPrintable(fixture.prompts.lastChoiceItems.first()));
    form->document().setTextEncoding("windows-1252");
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{target, 0});
    form->SaveRoomFileClick();
    QCOMPARE(fixture.prompts.shown(Kind::Warning).back().text,
             QStringLiteral("著作権表示に、文字コード windows-1252 で表せない文字があります。テキストか文字コードを変えてから、"
                            "もう一度保存してください。"));
}

void TextEncodingTest::anEditKeepsTheCharactersItDidNotTouch()
{
    // A non-breaking space (A0 in windows-1252), a lone CR and a CR LF: the
    // field shows the first as a space and the others as line breaks of its
    // own, and none of that may reach the room.
    UiFixture fixture;
    QVERIFY(Settings(fixture.settingsFile()).write(QString::fromLatin1(Settings::kTextEncoding),
                                                   QStringLiteral("windows-1252")));
    const RoomTexts texts{"Ro\xA0om", "a\rb\r\nc\xA0", "\xA9 me"};
    const QString path = WriteRoom(fixture, QStringLiteral("nbsp.pac"), texts);
    auto form = fixture.makeForm();
    fixture.prompts.openAnswers.push_back(path);
    form->OpenRoomFileClick();
    QVERIFY(!form->document().hasUnsavedChanges());
    QVERIFY(!form->document().history().canUndo());

    // Focus in and out of each field takes no step either.
    RoomTextEdit* name = Field(*form, "RoomName");
    for (const char* field : {"RoomName", "Comment", "Copyright"})
        Field(*form, field)->setFocus();
    name->setFocus();
    QVERIFY(!form->document().hasUnsavedChanges());

    name->moveCursor(QTextCursor::End);
    test::TypeText(name, QStringLiteral("x"));
    RoomTextEdit* comment = Field(*form, "Comment");
    comment->setFocus();
    comment->moveCursor(QTextCursor::Start);
    test::TypeText(comment, QStringLiteral("y"));
    const QString saved = fixture.tempFolder() + QStringLiteral("/saved.pac");
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{saved, 0});
    form->SaveRoomFileClick();
    QVERIFY(fixture.prompts.shown(Kind::Warning).empty());
    const Room room = ReadRoomFile(ReadBytes(saved));
    QCOMPARE(room.texts.name, std::string("Ro\xA0omx"));
    QCOMPARE(room.texts.comment, std::string("ya\rb\r\nc\xA0"));
    QCOMPARE(room.texts.copyright, texts.copyright);
}

QTEST_MAIN(TextEncodingTest)
#include "test_text_encoding.moc"
