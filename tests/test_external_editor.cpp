// The Edit command with stand-in editors (small POSIX shell scripts): every
// outcome with its message, what happens to the temporary picture and the
// slot, the editor's one argument, the window hidden during the wait, an
// editor that cannot be started, and a temporary name that is taken.
#include "gui_room_helpers.h"
#include "ui/mainform.h"
#include "ui/services/paths.h"
#include "ui/widgets/picture_box.h"
#include "bmp_builder.h"
#include "ui/services/external_editor.h"
#include "picture_helpers.h"
#include "core/image/bmp.h"
#include "support/ui_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <ctime>
#include <optional>

using namespace velmora;
using velmora::test::ScriptedPrompts;
using velmora::test::UiFixture;

Q_DECLARE_METATYPE(std::optional<bool>)

class ExternalEditorTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void noEditorSetWarnsAndMakesNoFile_data();
    void noEditorSetWarnsAndMakesNoFile();
    void outcomes_data();
    void outcomes();
    void editorThatEndsAtOnceTakesThePictureBack();
    void editorGetsOnePrivateFileAsItsOnlyArgument();
    void windowIsHiddenWhileTheEditorRuns();
    void editorThatCannotBeStarted_data();
    void editorThatCannotBeStarted();
    void plantedLinkIsNotFollowed();
    void takenNamesGetACounter();
    void temporaryFileInAMissingFolderIsAnError();
};

namespace {

constexpr int kBed = 8;           // 96 x 76
constexpr int kBedMask = 28;

QByteArray Bytes(const std::vector<uint8_t>& v)
{
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

std::vector<uint8_t> Vec(const QByteArray& b)
{
    return std::vector<uint8_t>(b.begin(), b.end());
}

QByteArray Encoded(const Bitmap& b)
{
    return Bytes(EncodeBmp(b, ColoursUsedField::EntriesWritten));
}

Bitmap Striped(int width, int height)
{
    Bitmap b = test::Filled(width, height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.setIndex(x, y, uint8_t((x + 3 * y) % 256));
    return b;
}

Bitmap Rgb(int width, int height)
{
    Bitmap b = Bitmap::Make(width, height, 24);
    for (size_t i = 0; i < b.pixels.size(); ++i)
        b.pixels[i] = uint8_t(i * 7);
    return b;
}

// A right-sized file whose 32-bit header claims the 12-byte core form.
QByteArray CoreHeaderClaim(int width, int height)
{
    std::vector<uint8_t> bytes = EncodeBmp(Striped(width, height), ColoursUsedField::EntriesWritten);
    WriteLe32(bytes.data() + 14, 12);
    return Bytes(bytes);
}

QByteArray Rle8(int width, int height)
{
    testing::BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.compression = 1;
    layout.colours = RoomPaletteVector();
    layout.pixelData = {0, 1};  // end of picture
    return Bytes(testing::BuildBmp(layout));
}

QByteArray TopDown(int width, int height)
{
    std::vector<uint8_t> bytes = EncodeBmp(Striped(width, height), ColoursUsedField::EntriesWritten);
    WriteLe32(bytes.data() + 22, static_cast<uint32_t>(-height));
    return Bytes(bytes);
}

Bitmap OwnPalette(int width, int height)
{
    std::vector<RgbQuad> colours = RoomPaletteVector();
    colours[1] = RgbQuad{1, 2, 3, 0};
    Bitmap b = Striped(width, height);
    b.colours = colours;
    return b;
}

// The stand-in editors and prepared pictures of one test, and the form.
class EditorWorld {
public:
    EditorWorld() : form(fixture.makeForm()), editors_(QFileInfo(fixture.tempFolder()).path() + "/editors")
    {
        QDir().mkpath(editors_);
    }

    // A /bin/sh script; `body` may use $1, the picture's path.
    QString makeEditor(const QString& name, const QByteArray& body, bool executable = true) const
    {
        const QString path = editors_ + "/" + name;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write("#!/bin/sh\n" + body + "\n");
        file.close();
        QFile::Permissions mode = QFile::ReadOwner | QFile::WriteOwner;
        if (executable)
            mode |= QFile::ExeOwner;
        file.setPermissions(mode);
        return path;
    }

    // A prepared file beside the editors, as a quoted shell word.
    QByteArray prepare(const QString& name, const QByteArray& bytes) const
    {
        const QString path = editors_ + "/" + name;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return "'" + QFile::encodeName(path) + "'";
    }

    // An editor that saves `bytes` over the picture, then exits with `status`.
    QString savingEditor(const QByteArray& bytes, int status = 0) const
    {
        return makeEditor("save.sh", "cp " + prepare("saved.bmp", bytes) + " \"$1\"\nexit " +
                                         QByteArray::number(status));
    }

    void useEditor(const QString& path) const { QVERIFY(Settings(fixture.settingsFile()).write("GEDIT", path)); }

    void edit(int slot) const
    {
        form->WinDayImageMouseDown(slot);
        form->findChild<QAction*>("Edit")->trigger();
    }

    QStringList tempPictures() const
    {
        return QDir(fixture.tempFolder()).entryList({"velm*.bmp"}, QDir::Files | QDir::System | QDir::Hidden);
    }

    QString editorsFolder() const { return editors_; }
    QString message(int n) const { return form->languageTexts().message(n); }

    UiFixture fixture;
    std::unique_ptr<TMainForm> form;

private:
    QString editors_;
};

}  // namespace

void ExternalEditorTest::initTestCase()
{
#ifndef Q_OS_UNIX
    QSKIP("The stand-in editors are POSIX shell scripts; they need a Unix-like system.");
#endif
}

void ExternalEditorTest::noEditorSetWarnsAndMakesNoFile_data()
{
    QTest::addColumn<bool>("setEmpty");
    QTest::newRow("missing") << false;
    QTest::newRow("empty") << true;
}

void ExternalEditorTest::noEditorSetWarnsAndMakesNoFile()
{
    QFETCH(bool, setEmpty);
    EditorWorld world;
    if (setEmpty)
        world.useEditor(QString());
    const Bitmap before = world.form->document().picture(kBed);
    // A double-click is the same command.
    QTest::mouseDClick(world.form->pictureBox(kBed), Qt::LeftButton);
    const auto& shown = world.fixture.prompts.shown();
    QCOMPARE(shown.size(), size_t{1});
    QCOMPARE(shown[0].kind, ScriptedPrompts::Kind::Warning);
    QCOMPARE(shown[0].text, world.message(0));
    QCOMPARE(shown[0].caption, world.form->languageTexts().label(33));
    QVERIFY(world.tempPictures().isEmpty());
    QVERIFY(world.form->document().picture(kBed).samePicture(before));
    QVERIFY(!world.form->document().picturesChangedSinceClean());
}

void ExternalEditorTest::outcomes_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QByteArray>("saved");      // what the editor leaves; empty: it deletes the file
    QTest::addColumn<bool>("withPalette");      // the palette file is there
    QTest::addColumn<std::optional<bool>>("answer");  // to the palette question
    QTest::addColumn<int>("message");           // -1: no box
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("kept");             // the temporary file stays

    const std::optional<bool> none;
    QTest::newRow("1 file gone") << kBed << QByteArray() << true << none << 1 << false << false;
    QTest::newRow("11 wrong width") << kBed << Encoded(Striped(95, 76)) << true << none << 11 << false << true;
    QTest::newRow("11 mask wrong height") << kBedMask << Encoded(test::Mask(96, 77, true)) << true << none << 11
                                          << false << true;
    QTest::newRow("11 top-down") << kBed << TopDown(96, 76) << true << none << 11 << false << true;
    // A right picture with 16 MiB of trailing bytes is not read at all.
    QTest::newRow("11 over 16 MiB") << kBed << Encoded(Striped(96, 76)).leftJustified(16 * 1024 * 1024 + 1, '\0')
                                    << true << none << 11 << false << true;
    QTest::newRow("11 not a bitmap at all") << kBed << QByteArray("edited") << true << none << 11 << false << true;
    QTest::newRow("2 core header") << kBed << CoreHeaderClaim(96, 76) << true << none << 2 << false << false;
    QTest::newRow("3 24-bit picture") << kBed << Encoded(Rgb(96, 76)) << true << none << 3 << false << false;
    QTest::newRow("3 1-bit picture") << kBed << Encoded(test::Mask(96, 76, true)) << true << none << 3 << false
                                     << false;
    QTest::newRow("7 24-bit mask") << kBedMask << Encoded(Rgb(96, 76)) << true << none << 7 << false << false;
    QTest::newRow("4 RLE picture") << kBed << Rle8(96, 76) << true << none << 4 << false << false;
    QTest::newRow("4 RLE mask") << kBedMask << Rle8(96, 76) << true << none << 4 << false << false;
    QTest::newRow("5 no palette file") << kBed << Encoded(Striped(96, 76)) << false << none << 5 << true << false;
    QTest::newRow("6 No") << kBed << Encoded(OwnPalette(96, 76)) << true << std::optional<bool>(false) << 6
                          << false << false;
    QTest::newRow("6 Yes") << kBed << Encoded(OwnPalette(96, 76)) << true << std::optional<bool>(true) << 6 << true
                           << false;
    QTest::newRow("accepted picture") << kBed << Encoded(Striped(96, 76)) << true << none << -1 << true << false;
    QTest::newRow("8-bit mask stays 8-bit") << kBedMask << Encoded(Striped(96, 76)) << true << none << -1 << true
                                            << false;
}

void ExternalEditorTest::outcomes()
{
    QFETCH(int, slot);
    QFETCH(QByteArray, saved);
    QFETCH(bool, withPalette);
    QFETCH(std::optional<bool>, answer);
    QFETCH(int, message);
    QFETCH(bool, loaded);
    QFETCH(bool, kept);

    EditorWorld world;
    if (!withPalette)
        world.fixture.removeProgramFile("Velmpl.dat");
    if (answer)
        world.fixture.prompts.questionAnswers.push_back(*answer);
    world.useEditor(saved.isEmpty() ? world.makeEditor("remove.sh", "rm -f \"$1\"") : world.savingEditor(saved));
    const Bitmap before = world.form->document().picture(slot);

    world.edit(slot);

    const auto& shown = world.fixture.prompts.shown();
    if (message < 0) {
        QCOMPARE(shown.size(), size_t{0});
    } else {
        QCOMPARE(shown.size(), size_t{1});
        QCOMPARE(shown[0].kind, message == 6 ? ScriptedPrompts::Kind::Question : ScriptedPrompts::Kind::Warning);
        QCOMPARE(shown[0].text, world.message(message));
    }
    QCOMPARE(world.fixture.prompts.unanswered(), 0);
    QCOMPARE(world.form->document().picturesChangedSinceClean(), loaded);
    if (loaded) {
        const Bitmap taken = DecodeBmp(Vec(saved));
        QVERIFY(world.form->document().picture(slot).samePicture(taken));
        QCOMPARE(world.form->document().picture(slot).bitsPerPixel, taken.bitsPerPixel);
    } else {
        QVERIFY(world.form->document().picture(slot).samePicture(before));
    }
    const QStringList left = world.tempPictures();
    if (kept) {
        QCOMPARE(left.size(), 1);
        QFile file(world.fixture.tempFolder() + "/" + left[0]);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), saved);
    } else {
        QVERIFY2(left.isEmpty(), qPrintable(left.join(' ')));
    }
}

void ExternalEditorTest::editorThatEndsAtOnceTakesThePictureBack()
{
    // Like an editor that hands the file to a running instance and exits,
    // with a failure status that makes no difference.
    EditorWorld world;
    world.useEditor(world.makeEditor("quick.sh", "exit 1"));
    for (const int slot : {kBed, kBedMask, 4}) {
        const Bitmap before = world.form->document().picture(slot);
        test::SetModified(*world.form, false);
        world.edit(slot);
        QVERIFY(world.fixture.prompts.shown().empty());
        QVERIFY(world.form->document().picture(slot).samePicture(before));
        QCOMPARE(world.form->document().picture(slot).bitsPerPixel, before.bitsPerPixel);
        QVERIFY(world.form->document().picturesChangedSinceClean());
        QVERIFY(world.tempPictures().isEmpty());
    }

    test::SetModified(*world.form, false);
    world.useEditor(world.savingEditor(Encoded(Striped(96, 76)), 7));
    world.edit(kBed);
    QVERIFY(world.fixture.prompts.shown().empty());
    QVERIFY(world.form->document().picture(kBed).samePicture(Striped(96, 76)));
    QVERIFY(world.form->document().picturesChangedSinceClean());
}

void ExternalEditorTest::editorGetsOnePrivateFileAsItsOnlyArgument()
{
    EditorWorld world;
    const QString record = world.editorsFolder() + "/record.txt";
    const QByteArray quoted = "'" + QFile::encodeName(record) + "'";
    // A path with blanks, given as typed: no quoting, no shell.
    const QString editor = world.makeEditor(
        "My Editor/paint it.sh",
        "{ echo \"$#\"; echo \"$1\"; ls -l \"$1\"; } > " + quoted +
            "\ncp \"$1\" \"$1.seen\"");
    world.useEditor(editor);
    const int64_t before = std::time(nullptr);
    world.edit(kBed);
    const int64_t after = std::time(nullptr);

    QFile file(record);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.value(0), QByteArray("1"));
    const QString path = QFile::decodeName(lines.value(1));
    bool named = false;
    for (int64_t t = before; t <= after; ++t)
        named = named || path == TempBitmapPath(world.fixture.tempFolder(), t);
    QVERIFY2(named, qPrintable(path));
    QVERIFY2(lines.value(2).startsWith("-rw-------"), lines.value(2).constData());
    // The editor got the slot's picture as a part saved on its own.
    QFile seen(path + ".seen");
    QVERIFY(seen.open(QIODevice::ReadOnly));
    QCOMPARE(seen.readAll(), Encoded(world.form->document().picture(kBed)));
    QVERIFY(!QFile::exists(path));
}

void ExternalEditorTest::windowIsHiddenWhileTheEditorRuns()
{
    EditorWorld world;
    const QString marker = world.editorsFolder() + "/ran";
    world.useEditor(world.makeEditor("mark.sh", "echo ran > '" + QFile::encodeName(marker) + "'"));
    world.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(world.form.get()));

    // What the window went through, and whether the editor had run by then.
    struct Recorder : QObject {
        QString marker;
        QStringList events;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Hide || event->type() == QEvent::Show)
                events << QString("%1 %2").arg(event->type() == QEvent::Hide ? "hide" : "show",
                                               QFile::exists(marker) ? "after" : "before");
            return false;
        }
    } recorder;
    recorder.marker = marker;
    world.form->installEventFilter(&recorder);
    world.edit(kBed);
    world.form->removeEventFilter(&recorder);

    QCOMPARE(recorder.events, QStringList({"hide before", "show after"}));
    QVERIFY(world.form->isVisible());

    // A window that was not shown is not shown by the command.
    world.form->hide();
    world.edit(kBed);
    QVERIFY(!world.form->isVisible());
}

void ExternalEditorTest::editorThatCannotBeStarted_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("no such program") << "missing";
    QTest::newRow("not executable") << "noexec";
}

void ExternalEditorTest::editorThatCannotBeStarted()
{
    QFETCH(QString, kind);
    EditorWorld world;
    const QString editor = kind == "missing" ? world.editorsFolder() + "/Not There/paint"
                                             : world.makeEditor("plain file.sh", "exit 0", false);
    world.useEditor(editor);
    world.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(world.form.get()));
    const Bitmap before = world.form->document().picture(kBed);

    world.edit(kBed);

    QVERIFY(world.form->isVisible());
    const auto& shown = world.fixture.prompts.shown();
    QCOMPARE(shown.size(), size_t{1});
    QCOMPARE(shown[0].kind, ScriptedPrompts::Kind::Warning);
    QVERIFY2(shown[0].text.startsWith(world.message(8)), qPrintable(shown[0].text));
    QVERIFY2(shown[0].text.contains(editor), qPrintable(shown[0].text));
    const QString reason = kind == "missing" ? "No such file" : "Permission denied";
    QVERIFY2(shown[0].text.contains(reason, Qt::CaseInsensitive), qPrintable(shown[0].text));
    QVERIFY(world.tempPictures().isEmpty());
    QVERIFY(world.form->document().picture(kBed).samePicture(before));
    QVERIFY(!world.form->document().picturesChangedSinceClean());
}

void ExternalEditorTest::plantedLinkIsNotFollowed()
{
    EditorWorld world;
    const QString victim = world.editorsFolder() + "/victim";
    {
        QFile file(victim);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("precious");
    }
    // Every name the command can form in the next seconds is a link.
    const int64_t now = std::time(nullptr);
    QStringList links;
    for (int64_t t = now; t < now + 10; ++t) {
        links << TempBitmapPath(world.fixture.tempFolder(), t);
        QVERIFY(QFile::link(victim, links.back()));
    }
    const QString record = world.editorsFolder() + "/record.txt";
    world.useEditor(world.makeEditor("record.sh", "echo \"$1\" > '" + QFile::encodeName(record) + "'"));

    world.edit(kBed);

    QFile file(victim);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("precious"));
    QFile recorded(record);
    QVERIFY(recorded.open(QIODevice::ReadOnly));
    const QString used = QFile::decodeName(recorded.readAll().trimmed());
    QVERIFY2(!links.contains(used), qPrintable(used));
    QVERIFY(QFileInfo(used).fileName().startsWith("velm"));
    QVERIFY(world.fixture.prompts.shown().empty());
    QVERIFY(world.form->document().picturesChangedSinceClean());
    for (const QString& link : links)
        QVERIFY(QFileInfo(link).isSymLink());
    QVERIFY(!QFile::exists(used));
}

void ExternalEditorTest::takenNamesGetACounter()
{
    UiFixture fixture;
    const QString folder = fixture.tempFolder();
    for (const int attempt : {0, 1}) {
        QFile file(TempBitmapPath(folder, 1234, attempt));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("someone else's");
    }
    const std::vector<uint8_t> bytes{1, 2, 3};
    const QString path = CreateExclusiveFile([&](int n) { return TempBitmapPath(folder, 1234, n); }, bytes).value();
    QCOMPARE(path, folder + "/velm1234-2.bmp");
    QFile made(path);
    QVERIFY(made.open(QIODevice::ReadOnly));
    QCOMPARE(made.readAll(), QByteArray("\x01\x02\x03"));
    QCOMPARE(made.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
             QFile::Permissions());
    QFile first(TempBitmapPath(folder, 1234, 0));
    QVERIFY(first.open(QIODevice::ReadOnly));
    QCOMPARE(first.readAll(), QByteArray("someone else's"));
}

void ExternalEditorTest::temporaryFileInAMissingFolderIsAnError()
{
    EditorWorld world;
    world.useEditor(world.makeEditor("quick.sh", "exit 0"));
    QDir(world.fixture.tempFolder()).removeRecursively();
    world.edit(kBed);
    const auto errors = world.fixture.prompts.shown(ScriptedPrompts::Kind::Error);
    QCOMPARE(errors.size(), size_t{1});
    QVERIFY2(errors[0].text.contains(world.fixture.tempFolder()), qPrintable(errors[0].text));
    QVERIFY2(errors[0].text.contains("No such file"), qPrintable(errors[0].text));
    QVERIFY(!world.form->document().picturesChangedSinceClean());
}

QTEST_MAIN(ExternalEditorTest)
#include "test_external_editor.moc"
