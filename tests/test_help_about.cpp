// Help and About: which help page is opened, the help pages naming the
// commands as the menus do, the About box as designed, the program icon.
#include "ui/dialogs/about_box.h"
#include "ui/mainform.h"
#include "ui/widgets/program_icon.h"
#include "support/modal_driver.h"
#include "support/ui_fixture.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

using namespace velmora;
using velmora::test::ScriptedPrompts;
using velmora::test::UiFixture;
using velmora::test::WhenModalShown;

class HelpAboutTest : public QObject {
    Q_OBJECT
private slots:
    void languageFolderPageIsOpened();
    void generalPageWithoutALanguageFolder();
    void aFileNamedLikeTheCodeCounts();
    void withoutAViewerTheUserIsToldWhereTheHelpIs();
    void helpPagesNameTheCommandsAsTheMenusDo_data();
    void helpPagesNameTheCommandsAsTheMenusDo();
    void aboutBoxIsAsDesigned();
    void aboutCommandClosesWithOk();
    void theAboutBoxSpeaksTheChosenLanguage();
    void programIconHasAllSizes();
};

namespace {

QString PageText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return text.replace(QStringLiteral("&gt;"), QStringLiteral(">")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

// A caption as the help page writes it: no accelerator mark.
QString Plain(QString caption)
{
    caption.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    return caption.remove(QLatin1Char('&'));
}

}  // namespace

void HelpAboutTest::languageFolderPageIsOpened()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    form->findChild<QAction*>("Contents")->trigger();
    QCOMPARE(fixture.openedUrls().size(), size_t{1});
    QCOMPARE(fixture.openedUrls()[0], QUrl::fromLocalFile(fixture.programFolder() + "/Help/en/vlindex.htm"));
    QVERIFY(fixture.prompts.shown().empty());
}

void HelpAboutTest::generalPageWithoutALanguageFolder()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    form->setLanguageCode("de");
    form->ContentsClick();
    // A language folder without its page still counts: the folder is what is tested.
    QDir().mkpath(fixture.programFolder() + "/Help/fr");
    form->setLanguageCode("fr");
    form->ContentsClick();
    QCOMPARE(fixture.openedUrls().size(), size_t{2});
    QCOMPARE(fixture.openedUrls()[0], QUrl::fromLocalFile(fixture.programFolder() + "/Help/vlindex.htm"));
    QCOMPARE(fixture.openedUrls()[1], QUrl::fromLocalFile(fixture.programFolder() + "/Help/fr/vlindex.htm"));
}

void HelpAboutTest::aFileNamedLikeTheCodeCounts()
{
    UiFixture fixture;
    fixture.writeProgramFile("Help/zz", "not a folder");
    auto form = fixture.makeForm();
    form->setLanguageCode("zz");
    form->ContentsClick();
    QCOMPARE(fixture.openedUrls().at(0), QUrl::fromLocalFile(fixture.programFolder() + "/Help/zz/vlindex.htm"));
}

void HelpAboutTest::withoutAViewerTheUserIsToldWhereTheHelpIs()
{
    UiFixture fixture;
    fixture.setViewerPresent(false);
    auto form = fixture.makeForm();
    for (const QString code : {"en", "ja"}) {
        form->setLanguageCode(code);
        form->applyTexts();
        fixture.prompts.clear();
        form->findChild<QAction*>("Contents")->trigger();
        const auto warnings = fixture.prompts.shown(ScriptedPrompts::Kind::Warning);
        QCOMPARE(warnings.size(), size_t{1});
        QCOMPARE(warnings[0].caption, form->languageTexts().label(33));
        QCOMPARE(warnings[0].text, form->languageTexts().message(message::kHelpNotShown) + "\n" +
                                       QDir::toNativeSeparators(fixture.programFolder() + "/Help/" + code + "/vlindex.htm"));
    }
}

void HelpAboutTest::helpPagesNameTheCommandsAsTheMenusDo_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("en") << "en";
    QTest::newRow("ja") << "ja";
}

void HelpAboutTest::helpPagesNameTheCommandsAsTheMenusDo()
{
    QFETCH(QString, code);
    const QString data = QStringLiteral(VELMORA_DATA_DIR);
    const QString page = PageText(data + "/Help/" + code + "/vlindex.htm");
    QVERIFY(!page.isEmpty());
    LanguageTexts texts;
    texts.load(LanguageTexts::List::MenuItems, data + "/ltexts/menuitems." + code);
    texts.load(LanguageTexts::List::Labels, data + "/ltexts/labels." + code);
    // Every command the window's menus carry (a language file may hold lines
    // for commands this version does not have), and the dialogs' own
    // captions the page talks about.
    UiFixture fixture;
    auto form = fixture.makeForm();
    form->setLanguageCode(code);
    form->applyTexts();
    QStringList names;
    for (const QAction* action : form->findChildren<QAction*>())
        if (!action->text().isEmpty())
            names << Plain(action->text());
    QVERIFY(names.size() >= 20);
    for (const int line : {17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 31, 34})
        names << Plain(texts.label(line));
    for (QString name : names) {
        // "Save As..." may stand without its dots in running text.
        if (!page.contains(name))
            name.remove(QStringLiteral("..."));
        QVERIFY2(page.contains(name, Qt::CaseInsensitive), qPrintable(code + ": " + name));
    }
}

void HelpAboutTest::aboutBoxIsAsDesigned()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    TAboutBox box(*form);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.size(), QSize(273, 141));
    QCOMPARE(box.minimumSize(), box.maximumSize());
    QVERIFY(!(box.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
    QCOMPARE(box.windowTitle(), form->languageTexts().label(16));

    auto* bevel = box.findChild<QFrame*>("Bevel1");
    QCOMPARE(bevel->geometry(), QRect(8, 8, 257, 97));
    QCOMPARE(bevel->frameShadow(), QFrame::Sunken);
    auto* icon = box.findChild<QLabel*>("ProgramIcon");
    QCOMPARE(icon->geometry(), QRect(24, 16, 41, 41));
    QVERIFY(!icon->pixmap().isNull());
    QVERIFY(icon->pixmap().width() <= 41 && icon->pixmap().width() >= 32);

    auto* name = box.findChild<QLabel*>("ApName");
    QCOMPARE(name->geometry(), QRect(72, 24, 153, 20));
    QCOMPARE(name->text(), form->languageTexts().label(1));
    QCOMPARE(name->font().pixelSize(), 16);
    QCOMPARE(name->font().family(), form->languageTexts().label(0));
    QVERIFY(name->alignment() & Qt::AlignHCenter);
    QCOMPARE(box.findChild<QLabel*>("Version")->text(), QStringLiteral("Version."));
    QCOMPARE(box.findChild<QLabel*>("Version")->pos(), QPoint(96, 48));
    QCOMPARE(box.findChild<QLabel*>("VersinNo")->text(), QStringLiteral("2.10"));
    // At 144, or after "Version." where the system's face makes it wider
    // than its room (the offscreen fonts under wine).
    const QRect version = box.findChild<QLabel*>("Version")->geometry();
    const QPoint number = box.findChild<QLabel*>("VersinNo")->pos();
    QCOMPARE(number.y(), 48);
    QVERIFY(number.x() >= 144 && number.x() > version.right());
    if (version.right() < 136)
        QCOMPARE(number.x(), 144);
    auto* copyright = box.findChild<QLabel*>("Copyright");
    QCOMPARE(copyright->pos(), QPoint(64, 64));
    QVERIFY(copyright->text().startsWith(QStringLiteral("Copyright \u00a9")));
    // The labels are sized to their text and stay inside the frame.
    QVERIFY2(copyright->geometry().right() <= bevel->geometry().right(), qPrintable(QString::number(copyright->geometry().right())));

    auto* ok = box.findChild<QPushButton*>("Button1");
    QCOMPARE(ok->geometry(), QRect(99, 113, 75, 25));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(ok->font().pixelSize(), 16);
    QVERIFY(ok->isDefault());
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(box.result(), int(QDialog::Accepted));
    QVERIFY(!box.isVisible());
}

void HelpAboutTest::aboutCommandClosesWithOk()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    QString title;
    auto drive = WhenModalShown([&title](QDialog* dialog) {
        title = dialog->windowTitle();
        QTest::mouseClick(dialog->findChild<QPushButton*>("Button1"), Qt::LeftButton);
    });
    form->findChild<QAction*>("About")->trigger();
    QVERIFY(!drive->timedOut);
    QVERIFY(drive->dialog.isNull());
    QCOMPARE(title, form->languageTexts().label(16));
    QVERIFY(fixture.prompts.shown().empty());
}

void HelpAboutTest::theAboutBoxSpeaksTheChosenLanguage()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    form->setLanguageCode("ja");
    form->applyTexts();
    TAboutBox box(*form);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.findChild<QLabel*>("Version")->text(), QStringLiteral("バージョン"));
    QCOMPARE(box.findChild<QLabel*>("Copyright")->text(), form->languageTexts().label(42));
    // The number stands clear of the longer word.
    const QRect version = box.findChild<QLabel*>("Version")->geometry();
    QCOMPARE(version.topLeft(), QPoint(96, 48));
    QVERIFY(box.findChild<QLabel*>("VersinNo")->x() > version.right());
}

void HelpAboutTest::programIconHasAllSizes()
{
    const QIcon icon = ProgramIcon();
    QVERIFY(!icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (const int side : {16, 32, 48, 64, 128, 256})
        QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
    QCOMPARE(icon.pixmap(QSize(256, 256)).size(), QSize(256, 256));
}

QTEST_MAIN(HelpAboutTest)
#include "test_help_about.moc"
