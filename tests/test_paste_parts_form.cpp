// The paste parts dialog: its controls and texts, the preview it builds, and
// what OK, Cancel and the close box leave in the main window.
#include "ui/widgets/bitmap_image.h"
#include "gui_room_helpers.h"
#include "ui/mainform.h"
#include "ui/widgets/picture_box.h"
#include "ui/dialogs/paste_parts_form.h"

#include "picture_helpers.h"
#include "support/modal_dialog.h"
#include "support/ui_fixture.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace velmora;
using velmora::test::ScriptedPrompts;
using velmora::test::UiFixture;
using velmora::test::Child;
using velmora::test::WhenShown;

class PastePartsFormTest : public QObject {
    Q_OBJECT
private slots:
    void controlsAndTextsAreAsDesigned();
    void withNoTickThePreviewIsThePlainRoom();
    void laterPartsAreDrawnOverEarlierOnes();
    void clearingABoxRestoresThePlainRoom();
    void okReplacesTheRoomPictureAndMarksTheRoom();
    void cancelAndTheCloseBoxChangeNothing();
    void theRoomIsShownWithItsOwnColours();
    void aShortLabelsListIsShownAndOkKeepsTheRoom();
};

namespace {

const char* const kChecks[] = {"BedCheck", "TreasureboxCheck", "TableCheck", "MailboxCheck", "BathtubCheck"};

// A click on the box itself: a check box takes clicks on its box and text only.
void Tick(QWidget& dialog, const char* name)
{
    auto* box = Child<QCheckBox>(dialog, name);
    const bool was = box->isChecked();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    QVERIFY(box->isChecked() != was);
}

QImage Shown(QWidget& dialog)
{
    return Child<QLabel>(dialog, "Image")->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

// A room of one index with opaque furniture of its own index each.
void UseTestRoom(TMainForm& form)
{
    const RoomPictures room = velmora::test::OpaqueRoom();
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot)
        test::SetSlotPicture(form, slot, room[size_t(slot)]);
    test::SetModified(form, false);
}

}  // namespace

void PastePartsFormTest::controlsAndTextsAreAsDesigned()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    TPastePartsForm dialog(*form);
    QCOMPARE(dialog.parentWidget(), form.get());
    QCOMPARE(dialog.minimumSize(), QSize(447, 264));
    QCOMPARE(dialog.maximumSize(), QSize(447, 264));
    QCOMPARE(Child<QWidget>(dialog, "Image")->geometry(), QRect(8, 16, 320, 240));
    QVERIFY(!Child<QLabel>(dialog, "Image")->hasScaledContents());
    for (int i = 0; i < 5; ++i) {
        auto* box = Child<QCheckBox>(dialog, kChecks[i]);
        QCOMPARE(box->geometry(), QRect(336, 16 + 24 * i, 97, 17));
        QVERIFY(!box->isChecked());
    }
    QCOMPARE(Child<QWidget>(dialog, "OkBtn")->geometry(), QRect(352, 184, 75, 25));
    QCOMPARE(Child<QWidget>(dialog, "CancelBtn")->geometry(), QRect(352, 224, 75, 25));

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.size(), QSize(447, 264));
    QCOMPARE(dialog.frameGeometry().center(), form->screen()->availableGeometry().center());
    QCOMPARE(fixture.prompts.shown().size(), size_t(0));
    QCOMPARE(dialog.windowTitle(), form->languageTexts().label(35));
    const int lines[] = {26, 25, 7, 8, 10};
    for (int i = 0; i < 5; ++i) {
        auto* box = Child<QCheckBox>(dialog, kChecks[i]);
        QCOMPARE(box->text(), form->languageTexts().label(lines[i]));
        QCOMPARE(box->font().family(), form->languageTexts().label(0));
    }
    QCOMPARE(dialog.font().family(), form->languageTexts().label(0));
    QCOMPARE(Child<QPushButton>(dialog, "OkBtn")->text(), QStringLiteral("OK"));
    QCOMPARE(Child<QPushButton>(dialog, "CancelBtn")->text(), QStringLiteral("CANCEL"));
    QVERIFY(!Child<QPushButton>(dialog, "OkBtn")->autoDefault());

    // Enter on a check box presses no button.
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), Child<QWidget>(dialog, "BedCheck"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(dialog.isVisible());
}

void PastePartsFormTest::withNoTickThePreviewIsThePlainRoom()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    UseTestRoom(*form);
    TPastePartsForm dialog(*form);
    dialog.show();
    QVERIFY(dialog.preview().samePicture(form->document().picture(slot::RoomImage)));
    QCOMPARE(Shown(dialog), ToQImage(form->document().picture(slot::RoomImage)).convertToFormat(QImage::Format_RGB32));
}

void PastePartsFormTest::laterPartsAreDrawnOverEarlierOnes()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    UseTestRoom(*form);
    const uint8_t room = velmora::test::PartIndex(4);
    const uint8_t bed = velmora::test::PartIndex(8);
    const uint8_t box = velmora::test::PartIndex(10);
    TPastePartsForm dialog(*form);
    dialog.show();

    Tick(dialog, "BedCheck");
    QCOMPARE(dialog.preview().index(105, 75), bed);
    QCOMPARE(dialog.preview().index(104, 75), room);
    Tick(dialog, "TreasureboxCheck");
    QCOMPARE(dialog.choice().bed, true);
    QCOMPARE(dialog.choice().treasureBox, true);
    for (int y = 53; y <= 134; ++y) {
        QCOMPARE(dialog.preview().index(104, y), y >= 75 ? box : room);
        for (int x = 105; x <= 106; ++x)
            QCOMPARE(dialog.preview().index(x, y), y >= 75 ? box : bed);
        QCOMPARE(dialog.preview().index(107, y), y <= 128 ? bed : room);
    }
    // The other three at their places, and what the core makes of the choice.
    for (const char* name : {"TableCheck", "MailboxCheck", "BathtubCheck"})
        Tick(dialog, name);
    QCOMPARE(dialog.preview().index(142, 178), velmora::test::PartIndex(12));
    QCOMPARE(dialog.preview().index(15, 234), velmora::test::PartIndex(13));
    QCOMPARE(dialog.preview().index(318, 171), velmora::test::PartIndex(15));
    QVERIFY(dialog.preview().samePicture(PasteParts(form->slotPictures(), PasteChoice{true, true, true, true, true})));
    QCOMPARE(Shown(dialog), ToQImage(dialog.preview()).convertToFormat(QImage::Format_RGB32));
    // Nothing reaches the room before OK.
    QVERIFY(form->document().picture(slot::RoomImage).samePicture(velmora::test::OpaqueRoom()[4]));
}

void PastePartsFormTest::clearingABoxRestoresThePlainRoom()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    TPastePartsForm dialog(*form);
    dialog.show();
    Tick(dialog, "BedCheck");
    // The blank default bed is a white block.
    QCOMPARE(dialog.preview().index(105, 53), uint8_t(0));
    QCOMPARE(dialog.preview().index(200, 128), uint8_t(0));
    QVERIFY(!dialog.preview().samePicture(form->document().picture(slot::RoomImage)));
    Tick(dialog, "BedCheck");
    QVERIFY(dialog.preview().samePicture(form->document().picture(slot::RoomImage)));
    QCOMPARE(Shown(dialog), ToQImage(form->document().picture(slot::RoomImage)).convertToFormat(QImage::Format_RGB32));
}

void PastePartsFormTest::okReplacesTheRoomPictureAndMarksTheRoom()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    UseTestRoom(*form);
    const RoomPictures before = form->slotPictures();

    // OK with no tick: the same pixels, yet the room counts as changed.
    WhenShown<TPastePartsForm>([](TPastePartsForm& dialog) {
        QTest::mouseClick(Child<QPushButton>(dialog, "OkBtn"), Qt::LeftButton);
    });
    form->PastePartsClick();
    QVERIFY(form->document().picturesChangedSinceClean());
    QVERIFY(form->document().picture(slot::RoomImage).samePicture(before[4]));

    test::SetModified(*form, false);
    Bitmap preview;
    WhenShown<TPastePartsForm>([&](TPastePartsForm& dialog) {
        Tick(dialog, "TableCheck");
        Tick(dialog, "BathtubCheck");
        preview = dialog.preview();
        QTest::mouseClick(Child<QPushButton>(dialog, "OkBtn"), Qt::LeftButton);
    });
    form->PastePartsClick();
    QVERIFY(form->document().picturesChangedSinceClean());
    QVERIFY(form->document().picture(slot::RoomImage).samePicture(preview));
    QVERIFY(!preview.samePicture(before[4]));
    // Shown in the main window at once; nothing else changed.
    QCOMPARE(form->pictureBox(slot::RoomImage)->picture(), ToQImage(preview));
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot)
        if (slot != slot::RoomImage)
            QVERIFY(form->document().picture(slot).samePicture(before[size_t(slot)]));

    // A new dialog starts with no tick.
    WhenShown<TPastePartsForm>([](TPastePartsForm& dialog) {
        for (const char* name : kChecks)
            QVERIFY(!Child<QCheckBox>(dialog, name)->isChecked());
    });
    form->PastePartsClick();
}

void PastePartsFormTest::cancelAndTheCloseBoxChangeNothing()
{
    for (const bool wasModified : {false, true}) {
        UiFixture fixture;
        auto form = fixture.makeForm();
        UseTestRoom(*form);
        test::SetModified(*form, wasModified);
        const Bitmap room = form->document().picture(slot::RoomImage);
        for (const bool closeBox : {false, true}) {
            WhenShown<TPastePartsForm>([closeBox](TPastePartsForm& dialog) {
                for (const char* name : kChecks)
                    Tick(dialog, name);
                if (closeBox)
                    dialog.close();
                else
                    QTest::mouseClick(Child<QPushButton>(dialog, "CancelBtn"), Qt::LeftButton);
                QVERIFY(!dialog.isVisible());
            });
            form->PastePartsClick();
            QCOMPARE(form->document().picturesChangedSinceClean(), wasModified);
            QVERIFY(form->document().picture(slot::RoomImage).samePicture(room));
        }
    }
}

void PastePartsFormTest::theRoomIsShownWithItsOwnColours()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    Bitmap room = form->document().picture(slot::RoomImage);
    for (size_t i = 0; i < room.colours.size(); ++i)
        room.colours[i] = RgbQuad{uint8_t(i), uint8_t(255 - i), 40, 0};
    room.pixels.assign(room.pixels.size(), 7);
    test::SetSlotPicture(*form, slot::RoomImage, room);
    TPastePartsForm dialog(*form);
    dialog.show();
    QVERIFY(dialog.preview().colours == room.colours);
    QCOMPARE(Shown(dialog).pixel(300, 10), qRgb(40, 248, 7));
}

void PastePartsFormTest::aShortLabelsListIsShownAndOkKeepsTheRoom()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    UseTestRoom(*form);
    QFile labels(fixture.programFolder() + QStringLiteral("/ltexts/labels.en"));
    QVERIFY(labels.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = labels.readAll().split('\n').mid(0, 35);  // no line 35
    fixture.writeProgramFile(QStringLiteral("ltexts/labels.en"), lines.join('\n'));
    form->applyTexts();
    const Bitmap room = form->document().picture(slot::RoomImage);

    WhenShown<TPastePartsForm>([&](TPastePartsForm& dialog) {
        const auto errors = fixture.prompts.shown(ScriptedPrompts::Kind::Error);
        QCOMPARE(errors.size(), size_t(1));
        QVERIFY2(errors[0].text.contains(QStringLiteral("line 35")), qPrintable(errors[0].text));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.font().family(), form->languageTexts().label(0));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Paste parts"));
        QTest::mouseClick(Child<QPushButton>(dialog, "OkBtn"), Qt::LeftButton);
    });
    form->PastePartsClick();
    // The room picture is never replaced by a preview that was not made.
    QVERIFY(form->document().picturesChangedSinceClean());
    QVERIFY(form->document().picture(slot::RoomImage).samePicture(room));
}

QTEST_MAIN(PastePartsFormTest)
#include "test_paste_parts_form.moc"
