// The image-editor and language dialogs: their controls as designed, what
// they store, and the two Config commands around them.
#include "ui/dialogs/edset_dlg.h"
#include "ui/dialogs/langset_dlg.h"
#include "ui/mainform.h"
#include "support/modal_driver.h"
#include "support/ui_fixture.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using namespace velmora;
using velmora::test::ScriptedPrompts;
using velmora::test::UiFixture;
using velmora::test::WhenModalShown;

class SettingsDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void languageCodeComesFromTheLastBlank_data();
    void languageCodeComesFromTheLastBlank();
    void languageDialogIsAsDesigned();
    void okStoresTheSelectedCode();
    void missingLanguageListOpensAnEmptyDialog();
    void languageCommandWritesAndAppliesTheChoice();
    void closeBoxStillWritesAndReloads();
    void languageWithoutFilesKeepsTheOldOne();

    void editorDialogIsAsDesigned();
    void emptyFieldIsRefusedAndCancelWritesNothing();
    void typedPathIsStoredAsTyped();
    void browseFillsTheFieldUnlessCancelled();
    void editorCommandStoresThePath();
};

namespace {

QString Gedit(const UiFixture& fixture)
{
    return Settings(fixture.settingsFile()).read("GEDIT").value().value_or(QStringLiteral("<missing>"));
}

}  // namespace

void SettingsDialogsTest::languageCodeComesFromTheLastBlank_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("code");
    QTest::newRow("name and code") << "Deutsch de" << "de";
    QTest::newRow("code alone") << "de" << "de";
    QTest::newRow("last blank counts") << "Portugues do Brasil pt" << "pt";
    QTest::newRow("at most two") << "English eng" << "en";
    QTest::newRow("no blank, long") << "english" << "en";
    QTest::newRow("one character") << "Suomi f" << "f";
    QTest::newRow("ends in a blank") << "English " << "";
    QTest::newRow("empty line") << "" << "";
    QTest::newRow("not ASCII") << "日本語 ja" << "ja";
}

void SettingsDialogsTest::languageCodeComesFromTheLastBlank()
{
    QFETCH(QString, line);
    QFETCH(QString, code);
    QCOMPARE(LanguageCodeOf(line), code);
}

void SettingsDialogsTest::languageDialogIsAsDesigned()
{
    UiFixture fixture;
    fixture.writeProgramFile("Velmllist.cfg", "English en\r\nDeutsch de\r\n\r\n日本語 ja");
    auto form = fixture.makeForm();
    TLangSetDlg dialog(*form);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Language Settings"));
    QCOMPARE(dialog.size(), QSize(170, 177));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QCOMPARE(dialog.pos(), QPoint(420, 276));
    auto* list = dialog.findChild<QListWidget*>("LangList");
    QCOMPARE(list->geometry(), QRect(24, 16, 121, 97));
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    auto* ok = dialog.findChild<QPushButton*>("OkBtn");
    QCOMPARE(ok->geometry(), QRect(48, 136, 75, 25));
    QCOMPARE(ok->text(), QStringLiteral("OK"));

    // File order, unchanged, the empty line too; the first one selected.
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    QCOMPARE(lines, QStringList({"English en", "Deutsch de", "", "日本語 ja"}));
    QCOMPARE(list->currentRow(), 0);
    QVERIFY(fixture.prompts.shown().empty());
}

void SettingsDialogsTest::okStoresTheSelectedCode()
{
    UiFixture fixture;
    fixture.writeProgramFile("Velmllist.cfg", "English en\nPortugues do Brasil pt\n");
    auto form = fixture.makeForm();
    TLangSetDlg dialog(*form);
    dialog.show();
    auto* list = dialog.findChild<QListWidget*>("LangList");
    list->setCurrentRow(1);
    QTest::mouseClick(dialog.findChild<QPushButton*>("OkBtn"), Qt::LeftButton);
    QCOMPARE(form->languageCode(), QStringLiteral("pt"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    // Only the command around the dialog writes the setting.
    QCOMPARE(Settings(fixture.settingsFile()).read("LANG").value(), QStringLiteral("en"));
}

void SettingsDialogsTest::missingLanguageListOpensAnEmptyDialog()
{
    UiFixture fixture;
    fixture.removeProgramFile("Velmllist.cfg");
    auto form = fixture.makeForm();
    TLangSetDlg dialog(*form);
    dialog.show();
    const auto errors = fixture.prompts.shown(ScriptedPrompts::Kind::Error);
    QCOMPARE(errors.size(), size_t{1});
    QVERIFY2(errors[0].text.contains(fixture.programFolder() + "/Velmllist.cfg"), qPrintable(errors[0].text));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.findChild<QListWidget*>("LangList")->count(), 0);

    // OK with nothing to choose: an error, and the dialog stays.
    QTest::mouseClick(dialog.findChild<QPushButton*>("OkBtn"), Qt::LeftButton);
    const auto after = fixture.prompts.shown(ScriptedPrompts::Kind::Error);
    QCOMPARE(after.size(), size_t{2});
    QVERIFY2(after[1].text.contains("List index"), qPrintable(after[1].text));
    QVERIFY(dialog.isVisible());
    QCOMPARE(form->languageCode(), QStringLiteral("en"));
}

void SettingsDialogsTest::languageCommandWritesAndAppliesTheChoice()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    auto drive = WhenModalShown([](QDialog* dialog) {
        auto* list = dialog->findChild<QListWidget*>("LangList");
        list->setCurrentRow(1);  // 日本語 ja
        QTest::mouseClick(dialog->findChild<QPushButton*>("OkBtn"), Qt::LeftButton);
    });
    form->findChild<QAction*>("LanguageSet")->trigger();
    QVERIFY(!drive->timedOut);
    QVERIFY(drive->dialog.isNull());  // destroyed with the command
    QCOMPARE(form->languageCode(), QStringLiteral("ja"));
    QCOMPARE(Settings(fixture.settingsFile()).read("LANG").value(), QStringLiteral("ja"));
    QCOMPARE(form->findChild<QMenu*>("FileMenu")->title(), QStringLiteral("ファイル(&F)"));
    QCOMPARE(form->findChild<QAction*>("Edit")->text(), QStringLiteral("画像エディタで編集"));
    QVERIFY(fixture.prompts.shown().empty());
}

void SettingsDialogsTest::closeBoxStillWritesAndReloads()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    // Changed behind the program's back: the command must write the code
    // again and read the language files again.
    QVERIFY(Settings(fixture.settingsFile()).write("LANG", "xx"));
    QByteArray labels = "DejaVu Sans\nReloaded title\n";
    for (int i = 2; i < 36; ++i)
        labels += "label " + QByteArray::number(i) + "\n";
    fixture.writeProgramFile("ltexts/labels.en", labels);

    auto drive = WhenModalShown([](QDialog* dialog) {
        dialog->findChild<QListWidget*>("LangList")->setCurrentRow(1);
        dialog->close();  // the close box: the selection is not taken
    });
    form->LanguageSetClick();
    QVERIFY(!drive->timedOut);
    QCOMPARE(form->languageCode(), QStringLiteral("en"));
    QCOMPARE(Settings(fixture.settingsFile()).read("LANG").value(), QStringLiteral("en"));
    QCOMPARE(form->windowTitle(), QStringLiteral("Reloaded title"));
}

void SettingsDialogsTest::languageWithoutFilesKeepsTheOldOne()
{
    UiFixture fixture;
    fixture.writeProgramFile("Velmllist.cfg", "Nowhere zz\n");
    auto form = fixture.makeForm();
    const QString title = form->findChild<QMenu*>("FileMenu")->title();
    auto drive = WhenModalShown([](QDialog* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>("OkBtn"), Qt::LeftButton);
    });
    form->findChild<QAction*>("LanguageSet")->trigger();
    QVERIFY(!drive->timedOut);

    const auto errors = fixture.prompts.shown(ScriptedPrompts::Kind::Error);
    QCOMPARE(errors.size(), size_t{1});
    QVERIFY2(errors[0].text.contains("menuitems.zz"), qPrintable(errors[0].text));
    // The program stays in the language that works, now and at the next start.
    QCOMPARE(form->languageCode(), QStringLiteral("en"));
    QCOMPARE(Settings(fixture.settingsFile()).read("LANG").value(), QStringLiteral("en"));
    QCOMPARE(form->findChild<QMenu*>("FileMenu")->title(), title);
    QCOMPARE(form->languageTexts().menuItem(0), title);
}

void SettingsDialogsTest::editorDialogIsAsDesigned()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    TEdSetDlg dialog(*form);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTRY_COMPARE(dialog.frameGeometry().size(), QSize(342, 99));
    QCOMPARE(dialog.frameGeometry().topLeft(), QPoint(286, 188));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    const struct {
        const char* name;
        QRect rect;
        const char* text;
    } controls[] = {
        {"OpnBtn", {272, 8, 49, 17}, "Browse"},
        {"OkBtn", {77, 40, 75, 25}, "OK"},
        {"CancelBtn", {181, 40, 75, 25}, "Cancel"},
    };
    for (const auto& control : controls) {
        auto* button = dialog.findChild<QPushButton*>(control.name);
        QVERIFY2(button, control.name);
        QCOMPARE(button->geometry(), control.rect);
        QCOMPARE(button->text(), QString::fromUtf8(control.text));
    }
    auto* editor = dialog.findChild<QLineEdit*>("Editor");
    QCOMPARE(editor->geometry(), QRect(8, 8, 257, 17));
    QCOMPARE(editor->text(), QString());
    QCOMPARE(dialog.windowTitle(), form->languageTexts().label(30));
    const QString face = form->languageTexts().label(0);
    QCOMPARE(dialog.font().family(), face);
    QCOMPARE(editor->font().family(), face);
    QCOMPARE(dialog.findChild<QPushButton*>("OpnBtn")->font().family(), face);
    QVERIFY(dialog.findChild<QPushButton*>("OkBtn")->isDefault());
    // Programs here have no common suffix.
    QCOMPARE(dialog.openDialog().filters, QStringList{"All files (*)"});
    QCOMPARE(dialog.openDialog().defaultSuffix, QString());
}

void SettingsDialogsTest::emptyFieldIsRefusedAndCancelWritesNothing()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    {
        TEdSetDlg dialog(*form);
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>("OkBtn"), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(Gedit(fixture), QStringLiteral("<missing>"));

        QTest::keyClicks(dialog.findChild<QLineEdit*>("Editor"), "/usr/bin/typed");
        QTest::mouseClick(dialog.findChild<QPushButton*>("CancelBtn"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(Gedit(fixture), QStringLiteral("<missing>"));
    }
    // A stored path cannot be cleared through the dialog.
    QVERIFY(Settings(fixture.settingsFile()).write("GEDIT", "/usr/bin/kept"));
    TEdSetDlg dialog(*form);
    dialog.show();
    auto* editor = dialog.findChild<QLineEdit*>("Editor");
    QCOMPARE(editor->text(), QStringLiteral("/usr/bin/kept"));
    editor->clear();
    QTest::mouseClick(dialog.findChild<QPushButton*>("OkBtn"), Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QCOMPARE(Gedit(fixture), QStringLiteral("/usr/bin/kept"));
    QVERIFY(fixture.prompts.shown().empty());
}

void SettingsDialogsTest::typedPathIsStoredAsTyped()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    TEdSetDlg dialog(*form);
    dialog.show();
    const QString typed = QStringLiteral("/opt/My Paint/bin/paint  ");
    QTest::keyClicks(dialog.findChild<QLineEdit*>("Editor"), typed);
    QTest::keyClick(dialog.findChild<QLineEdit*>("Editor"), Qt::Key_Return);  // the default button
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(Gedit(fixture), typed);
}

void SettingsDialogsTest::browseFillsTheFieldUnlessCancelled()
{
    UiFixture fixture;
    QVERIFY(Settings(fixture.settingsFile()).write("GEDIT", "/usr/bin/before"));
    auto form = fixture.makeForm();
    TEdSetDlg dialog(*form);
    dialog.show();
    auto* editor = dialog.findChild<QLineEdit*>("Editor");
    auto* browse = dialog.findChild<QPushButton*>("OpnBtn");

    fixture.prompts.openAnswers.push_back(std::nullopt);
    QTest::mouseClick(browse, Qt::LeftButton);
    QCOMPARE(editor->text(), QStringLiteral("/usr/bin/before"));

    fixture.prompts.openAnswers.push_back(QStringLiteral("/home/u/Paint Tools/paint"));
    QTest::mouseClick(browse, Qt::LeftButton);
    QCOMPARE(editor->text(), QStringLiteral("/home/u/Paint Tools/paint"));
    const auto dialogs = fixture.prompts.shown(ScriptedPrompts::Kind::OpenFile);
    QCOMPARE(dialogs.size(), size_t{2});
    QCOMPARE(dialogs[0].dialog, dialog.openDialog());
    // Browsing alone stores nothing.
    QCOMPARE(Gedit(fixture), QStringLiteral("/usr/bin/before"));
    QTest::mouseClick(dialog.findChild<QPushButton*>("OkBtn"), Qt::LeftButton);
    QCOMPARE(Gedit(fixture), QStringLiteral("/home/u/Paint Tools/paint"));
}

void SettingsDialogsTest::editorCommandStoresThePath()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    auto drive = WhenModalShown([](QDialog* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>("Editor"), "/usr/bin/mtpaint");
        QTest::mouseClick(dialog->findChild<QPushButton*>("OkBtn"), Qt::LeftButton);
    });
    form->findChild<QAction*>("EditorSet")->trigger();
    QVERIFY(!drive->timedOut);
    QCOMPARE(Gedit(fixture), QStringLiteral("/usr/bin/mtpaint"));
    QVERIFY(fixture.prompts.shown().empty());
}

QTEST_MAIN(SettingsDialogsTest)
#include "test_settings_dialogs.moc"
