// Language files and applying them to the main window: which line goes
// where, line numbering, and what a missing file or a short list leaves.
#include "ui/services/language_texts.h"
#include "ui/services/language_lines.h"
#include "ui/mainform.h"
#include "common/settings.h"
#include "support/ui_fixture.h"
#include "ui/widgets/dialog_font.h"

#include <QAction>
#include <QFile>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QtTest>

#include <map>

using namespace velmora;
using velmora::test::ScriptedPrompts;
using velmora::test::UiFixture;

namespace {

const char* const kCaptionNames[] = {"WviewLabel", "DviewLabel", "DoorLabel",  "BedLabel",    "TBoxLabel",
                                     "TableLabel", "PostLabel",  "BubbleLabel", "BathLabel",  "LetterLabel",
                                     "RoomLabel",  "NameLabel",  "ComLabel",    "CopyLabel"};
const char* const kMenuItemNames[] = {"OpenRoomFile", "SaveRoomFile", "ShowCheck", "Exit", nullptr,
                                      "EditorSet",    "LanguageSet",  nullptr,     "Contents", "About",
                                      "Edit",         "OpenPFile",    "SavePFile", "CopyImage", "CreateMask",
                                      "CopyData",     "PasteParts"};

// Lines "<prefix> 0" ... joined by the given line end, with a line end at the end.
QByteArray Numbered(const QByteArray& prefix, int count, const QByteArray& lineEnd = "\r\n")
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += prefix + ' ' + QByteArray::number(i) + lineEnd;
    return out;
}

// A full language "xx" whose lines name their list and index.
void WriteNumberedLanguage(const UiFixture& fixture, const QByteArray& code, const QByteArray& lineEnd = "\r\n")
{
    fixture.writeProgramFile("ltexts/menuitems." + code, Numbered("menu", 18, lineEnd));
    fixture.writeProgramFile("ltexts/labels." + code, Numbered("label", 36, lineEnd));
    fixture.writeProgramFile("ltexts/messages." + code, Numbered("message", 13, lineEnd));
}

QString MenuCaption(const TMainForm& form, int line)
{
    if (line == 0)
        return form.findChild<QMenu*>("FileMenu")->title();
    if (line == 5)
        return form.findChild<QMenu*>("Config")->title();
    if (line == 8)
        return form.findChild<QMenu*>("Help")->title();
    return form.findChild<QAction*>(kMenuItemNames[line - 1])->text();
}

QString Caption(const TMainForm& form, const char* name)
{
    return form.findChild<QLabel*>(name)->text();
}

}  // namespace

class LanguageTextsTest : public QObject {
    Q_OBJECT
private slots:
    void everyLineGoesToItsPlace();
    void theProjectsLanguagesAreComplete_data();
    void theProjectsLanguagesAreComplete();
    void japaneseMatchesEnglishLineByLine();
    void theCoresFaultsHaveTheirEnglishLines();
    void theTableHoldsEveryLineWithItsEnglish();
    void aBlankLineKeepsItsIndex();
    void allLineEndsNumberLinesAlike_data();
    void allLineEndsNumberLinesAlike();
    void anEmptyFaceNameLeavesTheFontToTheSystem();
    void aShortListFailsAtTheFirstMissingLine();
    void aMissingFileChangesNoCaption();
    void aMissingFileEndsStartUp();
    void listErrorsNameTheListAndLine();
    void aMissingFaceIsFollowedByOneThatExists();
    void qtsOwnTextsFollowTheLanguage();
};

void LanguageTextsTest::everyLineGoesToItsPlace()
{
    UiFixture fixture;
    WriteNumberedLanguage(fixture, "xx");
    QVERIFY(Settings(fixture.settingsFile()).write("LANG", "xx"));
    auto form = fixture.makeForm();

    for (int line = 0; line < 18; ++line)
        QCOMPARE(MenuCaption(*form, line), QStringLiteral("menu %1").arg(line));
    QCOMPARE(form->windowTitle(), QStringLiteral("label 1"));
    // No display name is set: Qt would append it to every caption.
    QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    QCOMPARE(form->font().family(), QStringLiteral("label 0"));
    for (int i = 0; i < 14; ++i) {
        auto* label = form->findChild<QLabel*>(kCaptionNames[i]);
        QCOMPARE(label->text(), QStringLiteral("label %1").arg(i + 2));
        QCOMPARE(label->font().family(), QStringLiteral("label 0"));
    }
    for (const char* name : {"RoomName", "Comment", "Copyright"}) {
        QCOMPARE(form->findChild<QPlainTextEdit*>(name)->font().family(), QStringLiteral("label 0"));
        // A labels file without line 36 says in English why a field stops.
        QVERIFY(form->findChild<QPlainTextEdit*>(name)->toolTip().startsWith(QStringLiteral("At most 127 bytes")));
    }
    // The separators keep their own look.
    QVERIFY(form->findChild<QAction*>("N1")->isSeparator());

    // The boxes take their captions and their message from the lists.
    QVERIFY(!form->askQuestion(Text::UnsavedChanges));
    form->showWarning(Text::RoomTooShort);
    const auto& shown = fixture.prompts.shown();
    QCOMPARE(shown.size(), size_t{2});
    QCOMPARE(shown[0].caption, QStringLiteral("label 32"));
    QCOMPARE(shown[0].text, QStringLiteral("message 12"));
    QCOMPARE(shown[1].caption, QStringLiteral("label 33"));
    QCOMPARE(shown[1].text, QStringLiteral("message 9"));
}

void LanguageTextsTest::theProjectsLanguagesAreComplete_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("openCaption");
    QTest::newRow("en") << "en" << "&Open...";
    QTest::newRow("ja") << "ja" << "開く(&O)...";
}

void LanguageTextsTest::theProjectsLanguagesAreComplete()
{
    QFETCH(QString, code);
    QFETCH(QString, openCaption);
    UiFixture fixture;
    QVERIFY(Settings(fixture.settingsFile()).write("LANG", code));
    auto form = fixture.makeForm();
    QCOMPARE(form->findChild<QAction*>("OpenRoomFile")->text(), openCaption);
    const LanguageTexts& texts = form->languageTexts();
    // Every line the program names, and no more than English has.
    QCOMPARE(texts.lines(LanguageTexts::List::MenuItems).size(), size_t(kTextLines[size_t(Text::OnionSkin)].index + 1));
    QCOMPARE(texts.lines(LanguageTexts::List::Labels).size(), size_t(kTextLines[size_t(Text::OnionNone)].index + 1));
    QCOMPARE(texts.lines(LanguageTexts::List::Messages).size(), size_t(message::kLastLine + 1));
    for (const auto list : {LanguageTexts::List::MenuItems, LanguageTexts::List::Labels, LanguageTexts::List::Messages})
        for (const QString& line : texts.lines(list))
            QVERIFY2(!line.trimmed().isEmpty() && line == line.trimmed(), qPrintable(line));
    // Message 6 goes through formatted printing: a lone percent sign would be lost.
    QVERIFY(!texts.message(6).contains(QLatin1Char('%')));
}

void LanguageTextsTest::japaneseMatchesEnglishLineByLine()
{
    const QString folder = QStringLiteral(VELMORA_DATA_DIR) + "/ltexts/";
    const QRegularExpression placeholder(QStringLiteral("%\\d"));
    auto placeholders = [&](const QString& line) {
        QStringList found;
        for (const auto& match : placeholder.globalMatch(line))
            found << match.captured();
        found.sort();
        return found;
    };
    for (const char* list : {"menuitems", "labels", "messages"}) {
        const std::vector<QString> en = ReadTextFileLines(folder + list + ".en").value();
        const std::vector<QString> ja = ReadTextFileLines(folder + list + ".ja").value();
        QCOMPARE(ja.size(), en.size());
        for (size_t i = 0; i < en.size(); ++i) {
            const QString where = QString("%1 line %2: %3").arg(list).arg(i).arg(ja[i]);
            // The same numbers and names go into both, and both or neither have an access key.
            QVERIFY2(placeholders(ja[i]) == placeholders(en[i]), qPrintable(where));
            QVERIFY2(ja[i].contains('&') == en[i].contains('&'), qPrintable(where));
            // The program calls a room 部屋 everywhere.
            QVERIFY2(!ja[i].contains(QStringLiteral("ルーム")), qPrintable(where));
        }
    }
}

void LanguageTextsTest::theCoresFaultsHaveTheirEnglishLines()
{
    // A fault added to the core without its line would be worded by the next fault's.
    LanguageTexts texts;
    texts.load(LanguageTexts::List::Messages, QStringLiteral(VELMORA_DATA_DIR) + "/ltexts/messages.en");
    for (int fault = 1; fault < kFormatFaultCount; ++fault)
        QCOMPARE(texts.message(message::kFirstFormatFault + fault - 1),
                 QString::fromUtf8(FaultTemplate(FormatFault(fault))));
    QCOMPARE(texts.message(message::kNotUsableBmp), QString::fromUtf8(kNotUsableBmpTemplate));
    QCOMPARE(texts.message(message::kFaultInSlot), QString::fromUtf8(kSlotFaultTemplate));
    for (int i = 0; i < 4; ++i)
        QCOMPARE(texts.message(message::kFirstChannelName + i),
                 QString::fromStdString(FaultArgText({FaultArg::Kind::Channel, i})));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(texts.message(message::kFirstRoomTextName + i), QString::fromLatin1(kRoomTextNames[size_t(i)]));
}

void LanguageTextsTest::theTableHoldsEveryLineWithItsEnglish()
{
    // The English a file without the line shows is the English file's line,
    // and no line of either file is left out of the table.
    const QString folder = QStringLiteral(VELMORA_DATA_DIR) + "/ltexts/";
    for (const char* code : {"en", "ja"}) {
        LanguageTexts texts;
        texts.load(LanguageTexts::List::MenuItems, folder + "menuitems." + code);
        texts.load(LanguageTexts::List::Labels, folder + "labels." + code);
        texts.load(LanguageTexts::List::Messages, folder + "messages." + code);
        std::map<LanguageTexts::List, size_t> lines;
        for (const TextLine& line : kTextLines) {
            const QString where = QStringLiteral("%1 line %2").arg(code).arg(line.index);
            QVERIFY2(size_t(line.index) < texts.lines(line.list).size(), qPrintable(where));
            if (code == QByteArray("en"))
                QCOMPARE(texts.line(line.list, line.index), QString::fromUtf8(line.english));
            ++lines[line.list];
        }
        for (const auto& [list, count] : lines)
            QCOMPARE(texts.lines(list).size(), count);
    }
}

void LanguageTextsTest::aBlankLineKeepsItsIndex()
{
    UiFixture fixture;
    WriteNumberedLanguage(fixture, "xx");
    QByteArray menu = Numbered("menu", 18);
    menu.replace("menu 3\r\n", "\r\n");
    fixture.writeProgramFile("ltexts/menuitems.xx", menu);
    QVERIFY(Settings(fixture.settingsFile()).write("LANG", "xx"));
    auto form = fixture.makeForm();
    QCOMPARE(form->findChild<QAction*>("ShowCheck")->text(), QString());
    QCOMPARE(form->findChild<QAction*>("Exit")->text(), QStringLiteral("menu 4"));
    QCOMPARE(form->findChild<QAction*>("PasteParts")->text(), QStringLiteral("menu 17"));
}

void LanguageTextsTest::allLineEndsNumberLinesAlike_data()
{
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CR") << QByteArray("\r");
}

void LanguageTextsTest::allLineEndsNumberLinesAlike()
{
    QFETCH(QByteArray, lineEnd);
    UiFixture fixture;
    WriteNumberedLanguage(fixture, "xx", lineEnd);
    QVERIFY(Settings(fixture.settingsFile()).write("LANG", "xx"));
    auto form = fixture.makeForm();
    QCOMPARE(MenuCaption(*form, 17), QStringLiteral("menu 17"));
    QCOMPARE(Caption(*form, "CopyLabel"), QStringLiteral("label 15"));
    QCOMPARE(form->languageTexts().lines(LanguageTexts::List::Labels).size(), size_t{36});
    QCOMPARE(form->languageTexts().message(12), QStringLiteral("message 12"));
}

void LanguageTextsTest::anEmptyFaceNameLeavesTheFontToTheSystem()
{
    UiFixture fixture;
    WriteNumberedLanguage(fixture, "xx");
    QByteArray labels = Numbered("label", 36);
    labels.replace("label 0\r\n", "\r\n");
    fixture.writeProgramFile("ltexts/labels.xx", labels);
    QVERIFY(Settings(fixture.settingsFile()).write("LANG", "xx"));
    auto form = fixture.makeForm();
    QCOMPARE(Caption(*form, "WviewLabel"), QStringLiteral("label 2"));
    QCOMPARE(form->font().family(), QString());
    QVERIFY(!QFontInfo(form->font()).family().isEmpty());
}

void LanguageTextsTest::aShortListFailsAtTheFirstMissingLine()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const QString oldLetter = Caption(*form, "LetterLabel");
    WriteNumberedLanguage(fixture, "xx");
    fixture.writeProgramFile("ltexts/labels.xx", Numbered("label", 11));  // lines 0 to 10
    form->setLanguageCode("xx");
    form->runCommand([&] { form->applyTexts(); });

    const auto errors = fixture.prompts.shown(ScriptedPrompts::Kind::Error);
    QCOMPARE(errors.size(), size_t{1});
    QVERIFY2(errors[0].text.contains("labels") && errors[0].text.contains("11"), qPrintable(errors[0].text));
    QCOMPARE(errors[0].caption, QStringLiteral("label 1"));  // the title was already set
    // Everything before the missing line is set, the rest keeps the old text.
    QCOMPARE(MenuCaption(*form, 17), QStringLiteral("menu 17"));
    QCOMPARE(form->windowTitle(), QStringLiteral("label 1"));
    QCOMPARE(Caption(*form, "BathLabel"), QStringLiteral("label 10"));
    QCOMPARE(Caption(*form, "LetterLabel"), oldLetter);
    QCOMPARE(Caption(*form, "CopyLabel"), QStringLiteral("Copyright"));
    QVERIFY(form->isEnabled());
}

void LanguageTextsTest::aMissingFileChangesNoCaption()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    WriteNumberedLanguage(fixture, "xx");
    fixture.removeProgramFile("ltexts/messages.xx");
    form->setLanguageCode("xx");
    form->runCommand([&] { form->applyTexts(); });

    const auto errors = fixture.prompts.shown(ScriptedPrompts::Kind::Error);
    QCOMPARE(errors.size(), size_t{1});
    QVERIFY2(errors[0].text.contains(fixture.programFolder() + "/ltexts/messages.xx"), qPrintable(errors[0].text));
    // The lists read before the failing file hold the new language ...
    QCOMPARE(form->languageTexts().menuItem(0), QStringLiteral("menu 0"));
    QCOMPARE(form->languageTexts().label(2), QStringLiteral("label 2"));
    // ... the failing one keeps its lines, and the window is unchanged.
    QCOMPARE(form->languageTexts().message(12), QStringLiteral("The room has unsaved changes, which will be lost. Continue?"));
    QCOMPARE(MenuCaption(*form, 0), QStringLiteral("&File"));
    QCOMPARE(Caption(*form, "WviewLabel"), QStringLiteral("Window view (day, night, connecting)"));

    // A file far too large for a list is refused the same way, unread.
    fixture.writeProgramFile("ltexts/messages.xx", QByteArray(2 << 20, '\n'));
    form->runCommand([&] { form->applyTexts(); });
    QCOMPARE(fixture.prompts.shown(ScriptedPrompts::Kind::Error).size(), size_t{2});
    QVERIFY(fixture.prompts.shown(ScriptedPrompts::Kind::Error)[1].text.contains("messages.xx"));
    QCOMPARE(form->languageTexts().lines(LanguageTexts::List::Messages).size(), size_t(message::kLastLine + 1));
}

void LanguageTextsTest::aMissingFileEndsStartUp()
{
    UiFixture fixture;
    fixture.removeProgramFile("ltexts/labels.en");
    try {
        fixture.makeForm();
        QFAIL("started without a labels file");
    } catch (const FileOpenError& e) {
        QVERIFY(QString::fromUtf8(e.what()).contains(fixture.programFolder() + "/ltexts/labels.en"));
    }
}

void LanguageTextsTest::listErrorsNameTheListAndLine()
{
    UiFixture fixture;
    LanguageTexts texts;
    QVERIFY_THROWS_EXCEPTION(ListIndexError, texts.message(0));
    fixture.writeProgramFile("m", "one\ntwo\n");
    texts.load(LanguageTexts::List::Messages, fixture.programFolder() + "/m");
    QCOMPARE(texts.message(1), QStringLiteral("two"));
    try {
        texts.message(2);
        QFAIL("read beyond the end");
    } catch (const ListIndexError& e) {
        const QString text = QString::fromUtf8(e.what());
        QVERIFY2(text.contains("messages") && text.contains("line 2"), qPrintable(text));
    }
    QVERIFY_THROWS_EXCEPTION(ListIndexError, texts.message(-1));
    // A failing load keeps the lines there were.
    QVERIFY_THROWS_EXCEPTION(FileOpenError, texts.load(LanguageTexts::List::Messages, fixture.programFolder() + "/nope"));
    QCOMPARE(texts.message(0), QStringLiteral("one"));
}

QTEST_MAIN(LanguageTextsTest)
void LanguageTextsTest::aMissingFaceIsFollowedByOneThatExists()
{
    QWidget widget;
    SetFace(&widget, QStringLiteral("No Such Face 7"));
    const QStringList families = widget.font().families();
    QCOMPARE(families.size(), 2);
    QCOMPARE(families[0], QStringLiteral("No Such Face 7"));
    QVERIFY2(QFontDatabase::hasFamily(families[1]), qPrintable(families[1]));
    // An installed face is taken alone.
    SetFace(&widget, families[1]);
    QCOMPARE(widget.font().families(), QStringList{families[1]});
}

void LanguageTextsTest::qtsOwnTextsFollowTheLanguage()
{
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm")))
        QSKIP("Qt's Japanese translation is not installed (qt6-translations-l10n)");
    auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
    auto fileName = [] { return QCoreApplication::translate("QFileDialog", "File &name:"); };
    UiFixture fixture;
    QVERIFY(Settings(fixture.settingsFile()).write("LANG", "ja"));
    {
        auto form = fixture.makeForm();
        QCOMPARE(yes(), QStringLiteral("はい(&Y)"));
        QVERIFY(fileName() != QStringLiteral("File &name:"));
        // Back to English: Qt's texts with it, nothing of the Japanese left.
        form->setLanguageCode(QStringLiteral("en"));
        form->applyTexts();
        QCOMPARE(yes(), QStringLiteral("&Yes"));
        form->setLanguageCode(QStringLiteral("ja"));
        form->applyTexts();
        QCOMPARE(yes(), QStringLiteral("はい(&Y)"));
    }
    // A closed window takes its translation with it.
    QCOMPARE(yes(), QStringLiteral("&Yes"));
}

#include "test_language_texts.moc"
