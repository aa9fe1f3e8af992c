// The check dialog's Animate... and Sheet...: the small dialog plays what it
// will save, from the check dialog's state, and saves through the prompts.
#include "gui_room_helpers.h"
#include "ui/dialogs/check_form.h"
#include "ui/dialogs/share_form.h"
#include "ui/mainform.h"

#include "core/render/compose.h"
#include "core/share/frames.h"
#include "core/share/sheet.h"

#include "support/modal_dialog.h"
#include "support/ui_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

using namespace velmora;
using velmora::test::Child;
using velmora::test::ScriptedPrompts;
using velmora::test::UiFixture;

class ShareFormTest : public QObject {
    Q_OBJECT
private slots:
    void animatePlaysFromTheCheckedStateStopsAfterItsPlaysAndSaves();
    void sheetSavesEveryStateAndAFailedSaveIsShown();
};

void ShareFormTest::animatePlaysFromTheCheckedStateStopsAfterItsPlaysAndSaves()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    // A half-open door that shows.
    Bitmap door = form->slotPictures()[slot::DoorHalfImage];
    door.pixels.assign(door.pixels.size(), 200);
    test::SetSlotPicture(*form, slot::DoorHalfImage, door);
    Bitmap mask = form->slotPictures()[slot::DoorHalfMask];
    mask.pixels.assign(mask.pixels.size(), mask.colours[0] == RgbQuad{} ? 0 : 1);  // black: drawn
    test::SetSlotPicture(*form, slot::DoorHalfMask, mask);
    TCheckForm check(*form);
    check.show();
    Child<QComboBox>(check, "DoorSetting")->setCurrentIndex(1);
    const QString path = fixture.tempFolder() + QStringLiteral("/room.webp");
    bool answered = false;
    fixture.prompts.dialogAnswers.push_back([&](QDialog& d) {
        answered = true;
        d.show();
        auto& dialog = dynamic_cast<TShareForm&>(d);
        Child<QCheckBox>(d, "doorCheck")->setChecked(false);
        Child<QCheckBox>(d, "lettersCheck")->setChecked(true);
        Child<QSpinBox>(d, "DelaySetting")->setValue(20);
        Child<QSpinBox>(d, "PlaysSetting")->setValue(2);
        // The letters off, then on, the door half open as the check dialog showed it.
        const Animation& a = dialog.animation();
        PreviewState state;
        Bitmap day, expected;
        ComposeRoom(form->slotPictures(), state, day);
        state.door = DoorState::HalfOpen;
        ComposeRoom(form->slotPictures(), state, expected);
        [&] { QVERIFY(!day.samePicture(expected)); }();
        [&] { QVERIFY(a.frames.size() == 2 && a.frames[0].samePicture(ScaledUp(expected, 2))); }();
        state.lettersAndBubble = true;
        ComposeRoom(form->slotPictures(), state, expected);
        [&] { QVERIFY(a.frames[1].samePicture(ScaledUp(expected, 2))); }();
        // It plays twice, as a browser would, and stays on the last frame.
        [&] { QTRY_VERIFY_WITH_TIMEOUT(!dialog.playing(), 3000); }();
        [&] { QCOMPARE(dialog.shownFrame(), 1); }();

        fixture.prompts.saveAnswers.push_back(SaveFileChoice{path, 2});
        QTest::mouseClick(Child<QPushButton>(d, "SaveBtn"), Qt::LeftButton);
        return true;
    });
    QTest::mouseClick(Child<QPushButton>(check, "AnimateBtn"), Qt::LeftButton);
    QVERIFY(answered);
    const auto saves = fixture.prompts.shown(ScriptedPrompts::Kind::SaveFile);
    QCOMPARE(saves.size(), size_t(1));
    QCOMPARE(saves[0].dialog.filters,
             QStringList({QStringLiteral("GIF Image (*.gif)"), QStringLiteral("Animated PNG Image (*.png)"),
                          QStringLiteral("WebP Image (*.webp)")}));
    QCOMPARE(saves[0].dialog.selectedFilter, 0);
    // The filter chosen decides the format.
    const std::vector<uint8_t> file = test::ReadBytes(path);
    QVERIFY(file.size() > 40);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(file.data()) + 8, 4), QByteArray("WEBP"));
    QCOMPARE(fixture.prompts.shown(ScriptedPrompts::Kind::Error).size(), size_t(0));
}

void ShareFormTest::sheetSavesEveryStateAndAFailedSaveIsShown()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    TCheckForm check(*form);
    check.show();
    const QString path = fixture.tempFolder() + QStringLiteral("/sheet.png");
    const QString missing = fixture.tempFolder() + QStringLiteral("/no such folder/sheet.png");
    fixture.prompts.dialogAnswers.push_back([&](QDialog& d) {
        d.show();
        Child<QSpinBox>(d, "ColumnsSetting")->setValue(8);
        fixture.prompts.saveAnswers.push_back(SaveFileChoice{path, 0});
        QTest::mouseClick(Child<QPushButton>(d, "SaveBtn"), Qt::LeftButton);
        Child<QCheckBox>(d, "NamesCheck")->setChecked(true);
        fixture.prompts.saveAnswers.push_back(SaveFileChoice{missing, 0});
        QTest::mouseClick(Child<QPushButton>(d, "SaveBtn"), Qt::LeftButton);
        return true;
    });
    QTest::mouseClick(Child<QPushButton>(check, "SheetBtn"), Qt::LeftButton);
    const QImage sheet(path);
    SheetLayout layout;
    layout.columns = 8;
    QCOMPARE(sheet.size(), QSize(int(layout.width()), int(layout.height())));
    QCOMPARE(sheet.format(), QImage::Format_Indexed8);
    const auto errors = fixture.prompts.shown(ScriptedPrompts::Kind::Error);
    QCOMPARE(errors.size(), size_t(1));
    QVERIFY2(errors[0].text.contains(QStringLiteral("sheet.png")), qPrintable(errors[0].text));
}

QTEST_MAIN(ShareFormTest)
#include "test_share_form.moc"
