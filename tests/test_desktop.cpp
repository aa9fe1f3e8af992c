// The editor as a desktop program: a room named at start-up, files dragged
// from a file manager onto a picture box or the window.
#include "gui_room_helpers.h"
#include "picture_helpers.h"
#include "support/ui_fixture.h"

#include "ui/mainform.h"
#include "ui/services/paths.h"
#include "ui/widgets/picture_box.h"
#include "support/modal_driver.h"
#include "core/room/default_room.h"
#include "imageio/picture_file.h"

#include <QDialog>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>
#include <QtTest>

using namespace velmora;
using velmora::test::ReadBytes;
using velmora::test::RoomState;
using velmora::test::ScriptedPrompts;
using velmora::test::UiFixture;
using velmora::test::WriteBytes;
using Kind = ScriptedPrompts::Kind;

class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    void startUpArgumentOpensTheRoom();
    void startUpArgumentThatFailsKeepsTheDefaultRoom();
    void bmpDroppedOnABoxLoadsIntoThatSlot();
    void droppedBmpGetsTheSameRefusals();
    void otherPicturesDroppedOnABoxAreImported();
    void roomDroppedOnTheWindowOpensAsOpenWould();
    void onlyOneLocalFileIsTaken();
    void aPreviewPaneWidensTheFileDialog();
};

namespace {

QString WriteRoom(const UiFixture& fixture, const QString& name, const RoomPictures& pictures, const RoomTexts& texts)
{
    const QString path = fixture.tempFolder() + QLatin1Char('/') + name;
    WriteBytes(path, WriteRoomFile(ReadBytes(HeaderTemplatePath(fixture.programFolder())), texts, pictures));
    return path;
}

QString WriteBmp(const UiFixture& fixture, const QString& name, const Bitmap& picture)
{
    const QString path = fixture.tempFolder() + QLatin1Char('/') + name;
    WriteBytes(path, EncodeBmp(picture, ColoursUsedField::EntriesWritten));
    return path;
}

// Drops the given URLs on a widget as a file manager would.
void Drop(QWidget* target, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
}

void DropFile(QWidget* target, const QString& path)
{
    Drop(target, {QUrl::fromLocalFile(path)});
}

}  // namespace

void DesktopTest::startUpArgumentOpensTheRoom()
{
    UiFixture fixture;
    const QString path = WriteRoom(fixture, QStringLiteral("attic.pac"), test::OpaqueRoom(), {"Attic", "", ""});
    auto form = fixture.makeForm();
    form->openFromCommandLine({path});
    QVERIFY(fixture.prompts.shown().empty());
    QCOMPARE(test::RoomTextsOf(*form).name, std::string("Attic"));
    QVERIFY(form->document().picture(8).samePicture(test::OpaqueRoom()[8]));
    QVERIFY(!form->document().hasUnsavedChanges());

    // No argument: the default room stays, nothing is asked.
    auto plain = fixture.makeForm();
    plain->openFromCommandLine({});
    QVERIFY(plain->document().picture(4).samePicture(DefaultRoomPictures()[4]));
    QVERIFY(fixture.prompts.shown().empty());
}

void DesktopTest::startUpArgumentThatFailsKeepsTheDefaultRoom()
{
    UiFixture fixture;
    const QString shortFile = fixture.tempFolder() + QStringLiteral("/short.pac");
    WriteBytes(shortFile, std::vector<uint8_t>(1000, 0));
    for (const QString& path : {shortFile, fixture.tempFolder() + QStringLiteral("/missing.pac")}) {
        fixture.prompts.clear();
        auto form = fixture.makeForm();
        const RoomState before = RoomState::Of(*form);
        form->openFromCommandLine({path});
        QCOMPARE(fixture.prompts.shown(Kind::Warning).size(), size_t(1));
        QCOMPARE(RoomState::Of(*form).differenceFrom(before), QString());
        QVERIFY(form->isEnabled());
    }
}

void DesktopTest::bmpDroppedOnABoxLoadsIntoThatSlot()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const Bitmap bed = test::Filled(96, 76, 30);
    DropFile(form->pictureBox(8), WriteBmp(fixture, QStringLiteral("bed.bmp"), bed));
    QVERIFY(fixture.prompts.shown().empty());
    QVERIFY(form->document().picture(8).samePicture(bed));
    QVERIFY(form->document().picturesChangedSinceClean());
    QCOMPARE(form->selectedSlot(), 0);  // a drop names its slot; it does not select

    // An 8-bit mask dropped on a mask box stays 8-bit, as when loaded.
    const Bitmap mask = test::Filled(96, 76, 255);
    DropFile(form->pictureBox(28), WriteBmp(fixture, QStringLiteral("mask.bmp"), mask));
    QCOMPARE(form->document().picture(28).bitsPerPixel, uint16_t(8));
}

void DesktopTest::droppedBmpGetsTheSameRefusals()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const RoomState before = RoomState::Of(*form);

    DropFile(form->pictureBox(8), WriteBmp(fixture, QStringLiteral("small.bmp"), test::Filled(10, 10, 3)));
    DropFile(form->pictureBox(8), WriteBmp(fixture, QStringLiteral("deep.bmp"), Bitmap::Make(96, 76, 24)));
    DropFile(form->pictureBox(8), fixture.tempFolder() + QStringLiteral("/nothing.bmp"));
    const auto warnings = fixture.prompts.shown(Kind::Warning);
    QCOMPARE(warnings.size(), size_t(3));
    const LanguageTexts& texts = form->languageTexts();
    QCOMPARE(warnings[0].text, texts.message(message::kWrongSize));
    QCOMPARE(warnings[1].text, texts.message(message::kNot8Bit));
    QCOMPARE(warnings[2].text, texts.message(message::kCannotOpen));

    // The palette question, answered No, leaves the slot.
    Bitmap foreign = test::Filled(96, 76, 3);
    foreign.colours[3] = RgbQuad{1, 2, 3, 0};
    fixture.prompts.questionAnswers.push_back(false);
    DropFile(form->pictureBox(8), WriteBmp(fixture, QStringLiteral("foreign.bmp"), foreign));
    QCOMPARE(fixture.prompts.shown(Kind::Question).size(), size_t(1));
    QCOMPARE(RoomState::Of(*form).differenceFrom(before), QString());
}

void DesktopTest::otherPicturesDroppedOnABoxAreImported()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    // A green bed, see-through in its top row.
    RgbaPicture bed{96, 76, {}};
    for (int i = 0; i < 96 * 76; ++i)
        bed.pixels.insert(bed.pixels.end(), {0, 255, 0, uint8_t(i < 96 ? 0 : 255)});
    const QString path = fixture.tempFolder() + QStringLiteral("/bed.png");
    WriteBytes(path, EncodePng(bed, PngForm::Rgba));
    DropFile(form->pictureBox(8), path);
    QVERIFY(fixture.prompts.shown().empty());
    QVERIFY(form->document().picture(8).samePicture(ConvertToSlot(bed, 8).picture));
    QCOMPARE(form->document().picture(8).index(0, 0), kBlackIndex);
    QCOMPARE(form->document().picture(28).colourAt(0, 0), (RgbQuad{255, 255, 255, 0}));
    QCOMPARE(form->document().picture(28).colourAt(0, 1), (RgbQuad{0, 0, 0, 0}));
    QVERIFY(form->document().picturesChangedSinceClean());

    // Dropped on the table, the same picture opens the import dialog; its
    // Cancel changes nothing.
    const RoomState before = RoomState::Of(*form);
    fixture.prompts.dialogAnswers.push_back([](QDialog& dialog) {
        dialog.findChild<QPushButton*>(QStringLiteral("CancelBtn"))->click();
        return dialog.result() == QDialog::Accepted;
    });
    DropFile(form->pictureBox(12), path);
    QCOMPARE(fixture.prompts.shown(Kind::Dialog).size(), size_t(1));
    QVERIFY(fixture.prompts.shown(Kind::Warning).empty());
    QCOMPARE(RoomState::Of(*form).differenceFrom(before), QString());
    QCOMPARE(fixture.prompts.unanswered(), 0);
}

void DesktopTest::roomDroppedOnTheWindowOpensAsOpenWould()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const QString path = WriteRoom(fixture, QStringLiteral("den.pac"), test::OpaqueRoom(), {"Den", "", ""});

    // Unsaved changes: No keeps everything.
    test::SetModified(*form, true);
    const RoomState before = RoomState::Of(*form);
    fixture.prompts.questionAnswers.push_back(false);
    DropFile(form.get(), path);
    QCOMPARE(fixture.prompts.shown(Kind::Question).size(), size_t(1));
    QCOMPARE(fixture.prompts.shown(Kind::Question)[0].text, form->languageTexts().message(message::kUnsavedChanges));
    QCOMPARE(RoomState::Of(*form).differenceFrom(before), QString());

    // Yes opens it; a room file dropped on a picture box opens it as well.
    fixture.prompts.questionAnswers.push_back(true);
    DropFile(form.get(), path);
    QCOMPARE(test::RoomTextsOf(*form).name, std::string("Den"));
    QVERIFY(!form->document().hasUnsavedChanges());

    const QString other = WriteRoom(fixture, QStringLiteral("other.pac"), test::OpaqueRoom(), {"Other", "", ""});
    DropFile(form->pictureBox(8), other);
    QCOMPARE(test::RoomTextsOf(*form).name, std::string("Other"));
    QVERIFY(form->document().picture(8).samePicture(test::OpaqueRoom()[8]));
    QCOMPARE(fixture.prompts.unanswered(), 0);
}

void DesktopTest::onlyOneLocalFileIsTaken()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const RoomState before = RoomState::Of(*form);
    const QString a = WriteBmp(fixture, QStringLiteral("a.bmp"), test::Filled(96, 76, 1));
    const QString b = WriteBmp(fixture, QStringLiteral("b.bmp"), test::Filled(96, 76, 2));
    Drop(form->pictureBox(8), {QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
    Drop(form->pictureBox(8), {QUrl(QStringLiteral("https://example.invalid/a.bmp"))});
    QVERIFY(fixture.prompts.shown().empty());
    QCOMPARE(RoomState::Of(*form).differenceFrom(before), QString());
}

QTEST_MAIN(DesktopTest)
void DesktopTest::aPreviewPaneWidensTheFileDialog()
{
    // The real dialog, answered from inside its loop.
    UiFixture fixture;
    QFileDialog plain;
    const int plainWidth = plain.sizeHint().width();
    int width = 0;
    QList<QHeaderView::ResizeMode> modes;
    const auto drive = velmora::test::WhenModalShown([&](QDialog* dialog) {
        width = dialog->width();
        if (auto* list = dialog->findChild<QTreeView*>(QStringLiteral("treeView")))
            for (int column = 0; column < list->header()->count(); ++column)
                modes.append(list->header()->sectionResizeMode(column));
        dialog->reject();
    });
    FileDialogSettings settings;
    settings.filters = {QStringLiteral("*.bmp (*.bmp)")};
    settings.picturePreview = true;
    WidgetPrompts prompts(nullptr);
    QVERIFY(!prompts.openFile(settings));
    QVERIFY(!drive->timedOut);
    // The preview's 160 pixels come on top of the list's own width, and the
    // columns beside the name are as wide as their contents.
    QVERIFY2(width >= plainWidth + 160, qPrintable(QStringLiteral("%1 vs %2").arg(width).arg(plainWidth)));
    QCOMPARE(modes, (QList<QHeaderView::ResizeMode>{QHeaderView::Stretch, QHeaderView::ResizeToContents,
                                                     QHeaderView::ResizeToContents, QHeaderView::ResizeToContents}));
}

#include "test_desktop.moc"
