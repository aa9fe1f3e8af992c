// Paths and settings: the program folder rule, "TEMP", the file-name
// formats and the settings transactions, including start-up's "LANG".
#include "ui/mainform.h"
#include "ui/services/paths.h"
#include "common/settings.h"
#include "support/ui_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QtTest>

using namespace velmora;
using velmora::test::UiFixture;

class AppSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void programFolderIsCutAtTheLastSeparator_data();
    void programFolderIsCutAtTheLastSeparator();
    void programFolderDefaultsToTheExecutablesFolder();
    void tempFolderComesFromTempElseTheSystem();
    void fileNamesFollowTheirFormats();
    void settingsReadWhatWasWritten();
    void aListValueIsNotAText();
    void aFailedWriteIsAnError();
    void firstStartWritesEnglish();
    void anExistingLanguageIsUsedAsItIs();
    void startFailsWhenTheLanguageCannotBeWritten();
};

void AppSettingsTest::programFolderIsCutAtTheLastSeparator_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("folder");
    QTest::newRow("nested") << "/A/B/x" << "/A/B";
    QTest::newRow("dots in folders") << "/opt/v.1/bin/velmora" << "/opt/v.1/bin";
    QTest::newRow("root") << "/velmora" << "";
    QTest::newRow("no separator") << "velmora" << "";
}

void AppSettingsTest::programFolderIsCutAtTheLastSeparator()
{
    QFETCH(QString, executable);
    QFETCH(QString, folder);
    QCOMPARE(ProgramFolderOf(executable), folder);
}

void AppSettingsTest::programFolderDefaultsToTheExecutablesFolder()
{
    UiFixture fixture;
    Environment environment = fixture.environment();
    environment.programFolder.clear();
    // The test program lives in the build's program folder, where the
    // language files are copied, so the window starts from there.
    TMainForm form(environment, &fixture.prompts);
    QCOMPARE(form.programFolder(), QCoreApplication::applicationDirPath());
    QVERIFY(!form.programFolder().endsWith(QLatin1Char('/')));
}

void AppSettingsTest::tempFolderComesFromTempElseTheSystem()
{
    UiFixture fixture;
    QCOMPARE(TempFolder(), fixture.tempFolder());
    qputenv("TEMP", "/somewhere/else");
    QCOMPARE(TempFolder(), QStringLiteral("/somewhere/else"));  // read anew each time
    qunsetenv("TEMP");
    QCOMPARE(TempFolder(), QDir::tempPath());
    qputenv("TEMP", "");
    QCOMPARE(TempFolder(), QDir::tempPath());
}

void AppSettingsTest::fileNamesFollowTheirFormats()
{
    const QString p = QStringLiteral("/p");
    QCOMPARE(MenuItemsPath(p, "en"), QStringLiteral("/p/ltexts/menuitems.en"));
    QCOMPARE(LabelsPath(p, "ja"), QStringLiteral("/p/ltexts/labels.ja"));
    QCOMPARE(MessagesPath(p, "english"), QStringLiteral("/p/ltexts/messages.english"));
    QCOMPARE(LanguageListPath(p), QStringLiteral("/p/Velmllist.cfg"));
    QCOMPARE(HeaderTemplatePath(p), QStringLiteral("/p/VelmHead.dat"));
    QCOMPARE(StandardPalettePath(p), QStringLiteral("/p/Velmpl.dat"));
    QCOMPARE(HelpLanguagePath(p, "en"), QStringLiteral("/p/Help/en"));
    QCOMPARE(HelpIndexPath(p), QStringLiteral("/p/Help/vlindex.htm"));
    QCOMPARE(HelpIndexPath(p, "en"), QStringLiteral("/p/Help/en/vlindex.htm"));
    QCOMPARE(TempBitmapPath(QStringLiteral("/t"), 1700000000), QStringLiteral("/t/velm1700000000.bmp"));
}

void AppSettingsTest::settingsReadWhatWasWritten()
{
    UiFixture fixture;
    const Settings settings(fixture.settingsFile());
    QCOMPARE(settings.read("GEDIT").value(), std::nullopt);
    QVERIFY(settings.write("GEDIT", QStringLiteral("/usr/bin/my editor")));
    QVERIFY(settings.write("LANG", QStringLiteral("ja")));
    QCOMPARE(settings.read("GEDIT").value(), QStringLiteral("/usr/bin/my editor"));
    QCOMPARE(Settings(fixture.settingsFile()).read("LANG").value(), QStringLiteral("ja"));
    QCOMPARE(settings.location(), fixture.settingsFile());
}

void AppSettingsTest::aListValueIsNotAText()
{
    UiFixture fixture;
    {
        QSettings raw(fixture.settingsFile(), QSettings::IniFormat);
        raw.setValue("LANG", QStringList{"en", "ja"});
    }
    const Result<std::optional<QString>> read = Settings(fixture.settingsFile()).read("LANG");
    if (read)
        QFAIL("a list was read as a text");
    QVERIFY(read.failure().reason.contains("\"LANG\""));
}

void AppSettingsTest::aFailedWriteIsAnError()
{
    UiFixture fixture;
    // A folder where the file should be: nothing can be written there.
    QDir().mkpath(fixture.settingsFile());
    QVERIFY(!Settings(fixture.settingsFile()).write("LANG", "en"));
}

void AppSettingsTest::firstStartWritesEnglish()
{
    UiFixture fixture;
    QVERIFY(!QFile::exists(fixture.settingsFile()));
    auto form = fixture.makeForm();
    QCOMPARE(form->languageCode(), QStringLiteral("en"));
    QCOMPARE(Settings(fixture.settingsFile()).read("LANG").value(), QStringLiteral("en"));
    QCOMPARE(form->languageTexts().menuItem(0), QStringLiteral("&File"));
    QVERIFY(fixture.prompts.shown().empty());
}

void AppSettingsTest::anExistingLanguageIsUsedAsItIs()
{
    UiFixture fixture;
    // Not two characters long, and still used unchanged.
    QVERIFY(Settings(fixture.settingsFile()).write("LANG", QStringLiteral("test")));
    QByteArray menu;
    for (int i = 0; i < 18; ++i)
        menu += "menu " + QByteArray::number(i) + "\n";
    fixture.writeProgramFile("ltexts/menuitems.test", menu);
    QFile::copy(fixture.programFolder() + "/ltexts/labels.en", fixture.programFolder() + "/ltexts/labels.test");
    QFile::copy(fixture.programFolder() + "/ltexts/messages.en",
                fixture.programFolder() + "/ltexts/messages.test");
    auto form = fixture.makeForm();
    QCOMPARE(form->languageCode(), QStringLiteral("test"));
    QCOMPARE(form->languageTexts().menuItem(17), QStringLiteral("menu 17"));
    QCOMPARE(Settings(fixture.settingsFile()).read("LANG").value(), QStringLiteral("test"));
}

void AppSettingsTest::startFailsWhenTheLanguageCannotBeWritten()
{
    UiFixture fixture;
    QDir().mkpath(fixture.settingsFile());
    QVERIFY_THROWS_EXCEPTION(SettingsError, fixture.makeForm());
}

QTEST_MAIN(AppSettingsTest)
#include "test_app_settings.moc"
