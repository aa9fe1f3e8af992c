// The check dialog: its controls and texts, the state its controls select,
// the picture it composes, and the export of that picture.
#include "ui/widgets/bitmap_image.h"
#include "ui/widgets/pixel_view.h"
#include "gui_room_helpers.h"
#include "ui/mainform.h"
#include "ui/dialogs/check_form.h"
#include "core/render/compose.h"
#include "core/image/bmp.h"
#include "core/image/palette.h"

#include "picture_helpers.h"
#include "support/modal_dialog.h"
#include "support/ui_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace velmora;
using velmora::test::ScriptedPrompts;
using velmora::test::UiFixture;
using velmora::test::Child;
using velmora::test::WhenShown;

class CheckFormTest : public QObject {
    Q_OBJECT
private slots:
    void controlsAreAsDesigned();
    void textsComeFromTheLabelsList();
    void tabGoesInTheDesignedOrder();
    void enterAndEscapeActOnlyThroughTheFocusedControl();
    void thePictureStaysSharpAtEveryScale();
    void everyOpeningStartsInTheFirstState();
    void theStateFollowsTheShownTextsExactly();
    void sameTextsForHalfOpenAndOpenGiveOpen();
    void everyKeystrokeRecomposes();
    void thePictureIsTheRoomComposedForTheState();
    void unsavedEditsAppear();
    void theFilterDecidesTheFormat();
    void theSaveDialogStartsWhereItWasLeftWithinOneOpening();
    void cancellingTheSaveWritesNothing();
    void aFailedExportIsShownAndChangesNothing();
    void aShortLabelsListIsShownAndTheDialogOpens();
};

namespace {

QStringList LabelLines(const UiFixture& fixture)
{
    QFile file(fixture.programFolder() + QStringLiteral("/ltexts/labels.en"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the labels list");
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Replaces the labels list and has the main window load it.
void UseLabels(UiFixture& fixture, TMainForm& form, const QStringList& lines)
{
    fixture.writeProgramFile(QStringLiteral("ltexts/labels.en"), (lines.join(QLatin1Char('\n')) + '\n').toUtf8());
    form.applyTexts();
}

// Every part its own colour and opaque, so that every layer and every state
// leaves its mark.
void UseOpaqueRoom(TMainForm& form)
{
    const RoomPictures room = velmora::test::OpaqueRoom();
    for (int slot = 0; slot < PartSlotTable::kSlotCount; ++slot)
        test::SetSlotPicture(form, slot, room[size_t(slot)]);
    test::SetModified(form, false);
}

QImage Shown(QWidget& dialog)
{
    return Child<PixelView>(dialog, "CheckImage")->picture().convertToFormat(QImage::Format_RGB32);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct JpegFrame {
    int width = 0;
    int height = 0;
    int components = 0;
    bool baseline = false;
};

// The frame header of a JPEG file; all zero when there is none.
JpegFrame ReadJpegFrame(const QByteArray& bytes)
{
    JpegFrame frame;
    if (bytes.size() < 4 || uint8_t(bytes[0]) != 0xFF || uint8_t(bytes[1]) != 0xD8)
        return frame;
    for (qsizetype at = 2; at + 9 < bytes.size();) {
        if (uint8_t(bytes[at]) != 0xFF)
            return frame;
        const uint8_t marker = uint8_t(bytes[at + 1]);
        const int length = uint8_t(bytes[at + 2]) << 8 | uint8_t(bytes[at + 3]);
        if (marker == 0xC0 || marker == 0xC2) {
            frame.baseline = marker == 0xC0;
            frame.height = uint8_t(bytes[at + 5]) << 8 | uint8_t(bytes[at + 6]);
            frame.width = uint8_t(bytes[at + 7]) << 8 | uint8_t(bytes[at + 8]);
            frame.components = uint8_t(bytes[at + 9]);
            return frame;
        }
        at += 2 + length;
    }
    return frame;
}

}  // namespace

void CheckFormTest::controlsAreAsDesigned()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    TCheckForm dialog(*form);
    QCOMPARE(dialog.parentWidget(), form.get());
    QCOMPARE(dialog.size(), QSize(451, 264));
    QCOMPARE(dialog.minimumSize(), QSize(451, 264));
    QCOMPARE(dialog.maximumSize(), QSize(451, 264));
    QVERIFY(dialog.windowFlags() & Qt::MSWindowsFixedSizeDialogHint);

    const struct {
        const char* name;
        QRect rect;
    } controls[] = {
        {"CheckImage", {8, 16, 320, 240}},    {"TimeLabel", {336, 8, 105, 12}},     {"TimeSetting", {336, 24, 105, 21}},
        {"DoorLabel", {336, 48, 97, 12}},     {"DoorSetting", {336, 64, 105, 21}},  {"TBoxLabel", {336, 88, 105, 12}},
        {"TBoxSetting", {336, 104, 105, 21}}, {"BedLabel", {336, 128, 105, 12}},    {"BedSetting", {336, 144, 105, 21}},
        {"LaBSetting", {336, 176, 105, 17}},  {"SaveBtn", {352, 200, 75, 25}},      {"OkBtn", {352, 232, 75, 25}},
    };
    for (const auto& control : controls)
        QCOMPARE(Child<QWidget>(dialog, control.name)->geometry(), control.rect);
    for (const char* name : {"TimeSetting", "DoorSetting", "TBoxSetting", "BedSetting"}) {
        auto* combo = Child<QComboBox>(dialog, name);
        QVERIFY(combo->isEditable());
        QCOMPARE(combo->completer(), nullptr);
    }
    // No default button, and none that Enter presses from elsewhere.
    for (const char* name : {"SaveBtn", "OkBtn"}) {
        QVERIFY(!Child<QPushButton>(dialog, name)->isDefault());
        QVERIFY(!Child<QPushButton>(dialog, name)->autoDefault());
    }

    // Before it is shown: the design texts and a white picture.
    QCOMPARE(Child<QComboBox>(dialog, "DoorSetting")->currentText(), QStringLiteral("closed"));
    QCOMPARE(dialog.picture().width, 320);
    QCOMPARE(dialog.picture().height, 240);
    QCOMPARE(dialog.picture().bitsPerPixel, 8);
    QVERIFY(dialog.picture().colours == RoomPaletteVector());
    QVERIFY(std::all_of(dialog.picture().pixels.begin(), dialog.picture().pixels.end(), [](uint8_t i) { return i == 0; }));

    // Centred on the screen.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QRect screen = form->screen()->availableGeometry();
    QCOMPARE(dialog.frameGeometry().center(), screen.center());
}

void CheckFormTest::textsComeFromTheLabelsList()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    QStringList lines = LabelLines(fixture);
    lines[0] = QStringLiteral("Liberation Serif");
    for (int line = 17; line <= 34; ++line)
        lines[line] = QStringLiteral("L%1").arg(line);
    UseLabels(fixture, *form, lines);

    TCheckForm dialog(*form);
    dialog.show();
    QCOMPARE(fixture.prompts.shown().size(), size_t(0));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("L17"));
    QCOMPARE(dialog.font().family(), QStringLiteral("Liberation Serif"));

    const struct {
        const char* name;
        int line;
    } captions[] = {{"TimeLabel", 18}, {"DoorLabel", 21}, {"TBoxLabel", 25}, {"BedLabel", 26}};
    for (const auto& caption : captions) {
        auto* label = Child<QLabel>(dialog, caption.name);
        QCOMPARE(label->text(), lines[caption.line]);
        QCOMPARE(label->font().family(), QStringLiteral("Liberation Serif"));
    }
    const struct {
        const char* name;
        QStringList items;
    } settings[] = {
        {"TimeSetting", {"L19", "L20"}},
        {"DoorSetting", {"L22", "L23", "L24"}},
        {"TBoxSetting", {"L22", "L24"}},
        {"BedSetting", {"L27", "L28"}},
    };
    for (const auto& setting : settings) {
        auto* combo = Child<QComboBox>(dialog, setting.name);
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QCOMPARE(items, setting.items);
        QCOMPARE(combo->currentText(), setting.items[0]);
        QCOMPARE(combo->font().family(), QStringLiteral("Liberation Serif"));
    }
    QCOMPARE(Child<QPushButton>(dialog, "SaveBtn")->text(), QStringLiteral("L29"));
    QCOMPARE(Child<QPushButton>(dialog, "SaveBtn")->font().family(), QStringLiteral("Liberation Serif"));
    QCOMPARE(Child<QCheckBox>(dialog, "LaBSetting")->text(), QStringLiteral("L34"));
    QCOMPARE(Child<QCheckBox>(dialog, "LaBSetting")->font().family(), QStringLiteral("Liberation Serif"));
    // The OK button keeps its own caption and face.
    QCOMPARE(Child<QPushButton>(dialog, "OkBtn")->text(), QStringLiteral("OK"));
    QCOMPARE(Child<QPushButton>(dialog, "OkBtn")->font().family(), QStringLiteral("MS Sans Serif"));
    // The first picture is composed on show.
    PreviewState first;
    Bitmap expected;
    ComposeRoom(form->slotPictures(), first, expected);
    QVERIFY(dialog.picture().samePicture(expected));
}

void CheckFormTest::tabGoesInTheDesignedOrder()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    TCheckForm dialog(*form);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), Child<QWidget>(dialog, "TimeSetting"));
    for (const char* name : {"DoorSetting", "TBoxSetting", "OkBtn", "BedSetting", "SaveBtn", "LaBSetting", "TimeSetting"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Child<QWidget>(dialog, name));
    }
}

void CheckFormTest::enterAndEscapeActOnlyThroughTheFocusedControl()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    TCheckForm dialog(*form);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* door = Child<QComboBox>(dialog, "DoorSetting");
    door->setFocus();
    door->lineEdit()->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ajar"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QCOMPARE(door->count(), 3);  // Enter adds nothing to the list
    QCOMPARE(door->currentText(), QStringLiteral("ajar"));
    Child<QCheckBox>(dialog, "LaBSetting")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(dialog.isVisible());

    // The save button pressed with Enter while it has the focus.
    fixture.prompts.saveAnswers.push_back(std::nullopt);
    Child<QPushButton>(dialog, "SaveBtn")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(fixture.prompts.shown(ScriptedPrompts::Kind::SaveFile).size(), size_t(1));
    QVERIFY(dialog.isVisible());

    Child<QPushButton>(dialog, "OkBtn")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

// Run again by ctest with QT_SCALE_FACTOR=2, where a smoothed picture shows
// colours between its pixels' own.
void CheckFormTest::thePictureStaysSharpAtEveryScale()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    UseOpaqueRoom(*form);
    TCheckForm dialog(*form);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* view = Child<QWidget>(dialog, "CheckImage");
    const qreal ratio = view->devicePixelRatioF();
    if (qEnvironmentVariable("QT_SCALE_FACTOR") == QStringLiteral("2"))
        QCOMPARE(ratio, 2.0);
    const QImage drawn = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage picture = ToQImage(dialog.picture()).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(drawn.size(), picture.size() * ratio);
    // Each device pixel is the colour of the picture's pixel it lies in.
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb expected = picture.pixel(int(x / ratio), int(y / ratio));
            if (drawn.pixel(x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("device pixel %1,%2 is %3, not %4")
                                     .arg(x).arg(y).arg(drawn.pixel(x, y), 0, 16).arg(expected, 0, 16)));
        }
}

void CheckFormTest::everyOpeningStartsInTheFirstState()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    UseOpaqueRoom(*form);
    Bitmap first;
    ComposeRoom(form->slotPictures(), PreviewState{}, first);

    int openings = 0;
    auto inFirstState = [&](TCheckForm& dialog) {
        ++openings;
        QCOMPARE(dialog.state(), PreviewState{});
        QCOMPARE(Child<QComboBox>(dialog, "TimeSetting")->currentText(), QStringLiteral("Daytime"));
        QCOMPARE(Child<QComboBox>(dialog, "DoorSetting")->currentText(), QStringLiteral("Closed"));
        QCOMPARE(Child<QComboBox>(dialog, "TBoxSetting")->currentText(), QStringLiteral("Closed"));
        QCOMPARE(Child<QComboBox>(dialog, "BedSetting")->currentText(), QStringLiteral("Default"));
        QVERIFY(!Child<QCheckBox>(dialog, "LaBSetting")->isChecked());
        QVERIFY(dialog.picture().samePicture(first));
        QCOMPARE(Shown(dialog), ToQImage(first).convertToFormat(QImage::Format_RGB32));
    };
    WhenShown<TCheckForm>([&](TCheckForm& dialog) {
        inFirstState(dialog);
        Child<QComboBox>(dialog, "TimeSetting")->setCurrentIndex(1);
        Child<QComboBox>(dialog, "DoorSetting")->setCurrentIndex(2);
        Child<QComboBox>(dialog, "TBoxSetting")->setCurrentIndex(1);
        Child<QComboBox>(dialog, "BedSetting")->setEditText(QStringLiteral("Sleeping"));
        QTest::mouseClick(Child<QCheckBox>(dialog, "LaBSetting"), Qt::LeftButton);
        QCOMPARE(dialog.state(), (PreviewState{true, DoorState::Open, true, true, true}));
        QVERIFY(!dialog.picture().samePicture(first));
        QTest::mouseClick(Child<QPushButton>(dialog, "OkBtn"), Qt::LeftButton);
    });
    form->ShowCheckClick();
    // Closed by the close box this time.
    WhenShown<TCheckForm>([&](TCheckForm& dialog) {
        inFirstState(dialog);
        Child<QComboBox>(dialog, "DoorSetting")->setCurrentIndex(1);
        dialog.close();
    });
    form->ShowCheckClick();
    WhenShown<TCheckForm>(inFirstState);
    form->ShowCheckClick();
    QCOMPARE(openings, 3);
    QVERIFY(!form->document().picturesChangedSinceClean());
    QCOMPARE(fixture.prompts.shown().size(), size_t(0));
}

void CheckFormTest::theStateFollowsTheShownTextsExactly()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    TCheckForm dialog(*form);
    dialog.show();
    auto* time = Child<QComboBox>(dialog, "TimeSetting");
    auto* door = Child<QComboBox>(dialog, "DoorSetting");
    auto* box = Child<QComboBox>(dialog, "TBoxSetting");
    auto* bed = Child<QComboBox>(dialog, "BedSetting");

    time->setEditText(QStringLiteral("Nighttime"));
    QVERIFY(dialog.state().night);
    for (const char* text : {"nighttime", "Nighttime ", "", "Daytime"}) {
        time->setEditText(QString::fromLatin1(text));
        QVERIFY2(!dialog.state().night, text);
    }

    const struct {
        const char* text;
        DoorState door;
    } doors[] = {
        {"Open", DoorState::Open},       {"Half open", DoorState::HalfOpen}, {"open", DoorState::Closed},
        {"ajar", DoorState::Closed},     {"", DoorState::Closed},            {"Closed", DoorState::Closed},
        {"Half Open", DoorState::Closed},
    };
    for (const auto& d : doors) {
        door->setEditText(QString::fromLatin1(d.text));
        QVERIFY2(dialog.state().door == d.door, d.text);
    }

    box->setEditText(QStringLiteral("Open"));
    QVERIFY(dialog.state().treasureBoxOpen);
    box->setEditText(QStringLiteral("Half open"));  // an item of the door, not of the box
    QVERIFY(!dialog.state().treasureBoxOpen);
    bed->setEditText(QStringLiteral("Sleeping"));
    QVERIFY(dialog.state().bedSleeping);
    bed->setEditText(QStringLiteral("SLEEPING"));
    QVERIFY(!dialog.state().bedSleeping);

    // Each change composed the state it selected.
    Bitmap expected;
    ComposeRoom(form->slotPictures(), dialog.state(), expected);
    QVERIFY(dialog.picture().samePicture(expected));
}

void CheckFormTest::sameTextsForHalfOpenAndOpenGiveOpen()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    QStringList lines = LabelLines(fixture);
    lines[23] = lines[24];
    UseLabels(fixture, *form, lines);
    TCheckForm dialog(*form);
    dialog.show();
    auto* door = Child<QComboBox>(dialog, "DoorSetting");
    door->setCurrentIndex(1);
    QCOMPARE(dialog.state().door, DoorState::Open);
    door->setCurrentIndex(2);
    QCOMPARE(dialog.state().door, DoorState::Open);
}

void CheckFormTest::everyKeystrokeRecomposes()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    UseOpaqueRoom(*form);
    TCheckForm dialog(*form);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    Bitmap closed;
    Bitmap open;
    ComposeRoom(form->slotPictures(), PreviewState{}, closed);
    ComposeRoom(form->slotPictures(), PreviewState{false, DoorState::Open, false, false, false}, open);
    QVERIFY(!closed.samePicture(open));

    auto* door = Child<QComboBox>(dialog, "DoorSetting");
    door->setFocus();
    door->lineEdit()->selectAll();
    QTest::keyClick(door->lineEdit(), Qt::Key_Backspace);
    QCOMPARE(door->currentText(), QString());
    QVERIFY(dialog.picture().samePicture(closed));

    const QString typed = QStringLiteral("Open");
    for (int i = 1; i <= typed.size(); ++i) {
        QTest::keyClick(door->lineEdit(), typed[i - 1].toLatin1());
        QCOMPARE(door->currentText(), typed.left(i));
        const bool isOpen = i == typed.size();
        QVERIFY2(dialog.picture().samePicture(isOpen ? open : closed), qPrintable(typed.left(i)));
        QCOMPARE(Shown(dialog), ToQImage(isOpen ? open : closed).convertToFormat(QImage::Format_RGB32));
    }
    // One more character and the door is closed again.
    QTest::keyClick(door->lineEdit(), 's');
    QVERIFY(dialog.picture().samePicture(closed));
    QTest::keyClick(door->lineEdit(), Qt::Key_Backspace);
    QVERIFY(dialog.picture().samePicture(open));
}

void CheckFormTest::thePictureIsTheRoomComposedForTheState()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    UseOpaqueRoom(*form);
    TCheckForm dialog(*form);
    dialog.show();
    auto* letters = Child<QCheckBox>(dialog, "LaBSetting");
    for (int time = 0; time < 2; ++time)
        for (int door = 0; door < 3; ++door)
            for (int box = 0; box < 2; ++box)
                for (int bed = 0; bed < 2; ++bed)
                    for (int lab = 0; lab < 2; ++lab) {
                        Child<QComboBox>(dialog, "TimeSetting")->setCurrentIndex(time);
                        Child<QComboBox>(dialog, "DoorSetting")->setCurrentIndex(door);
                        Child<QComboBox>(dialog, "TBoxSetting")->setCurrentIndex(box);
                        Child<QComboBox>(dialog, "BedSetting")->setCurrentIndex(bed);
                        if (letters->isChecked() != bool(lab))
                            QTest::mouseClick(letters, Qt::LeftButton);
                        const PreviewState state{time == 1, DoorState(door), box == 1, bed == 1, lab == 1};
                        QCOMPARE(dialog.state(), state);
                        Bitmap expected;
                        ComposeRoom(form->slotPictures(), state, expected);
                        QVERIFY(dialog.picture().samePicture(expected));
                    }
    QCOMPARE(Shown(dialog), ToQImage(dialog.picture()).convertToFormat(QImage::Format_RGB32));
    QVERIFY(!form->document().picturesChangedSinceClean());
}

void CheckFormTest::unsavedEditsAppear()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    Bitmap room = form->document().picture(slot::RoomImage);
    velmora::test::FillRect(room, {10, 10, 40, 30}, 0x2A);
    test::SetSlotPicture(*form, slot::RoomImage, room);
    test::SetSlotPicture(*form, slot::RoomMask, velmora::test::Mask(320, 240, false));
    test::SetModified(*form, true);

    TCheckForm dialog(*form);
    dialog.show();
    for (int y = 10; y <= 30; y += 5)
        for (int x = 10; x <= 40; x += 5)
            QCOMPARE(dialog.picture().index(x, y), uint8_t(0x2A));
    const RgbQuad c = RoomPalette()[0x2A];
    QCOMPARE(Shown(dialog).pixel(20, 20), qRgb(c.red, c.green, c.blue));
}

void CheckFormTest::theFilterDecidesTheFormat()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    UseOpaqueRoom(*form);
    TCheckForm dialog(*form);
    dialog.show();
    Child<QComboBox>(dialog, "DoorSetting")->setCurrentIndex(2);
    const Bitmap shown = dialog.picture();

    const QString bmpNamedJpg = fixture.tempFolder() + QStringLiteral("/room.jpg");
    const QString jpgNamedBmp = fixture.tempFolder() + QStringLiteral("/room.bmp");
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{bmpNamedJpg, 1});
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{jpgNamedBmp, 0});
    QTest::mouseClick(Child<QPushButton>(dialog, "SaveBtn"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(dialog, "SaveBtn"), Qt::LeftButton);
    QCOMPARE(fixture.prompts.shown().size(), size_t(2));  // the two save dialogs, no error

    const QByteArray bmp = ReadAll(bmpNamedJpg);
    QCOMPARE(bmp.size(), 77878);
    QVERIFY(bmp.startsWith("BM"));
    const Bitmap decoded = DecodeBmp(std::span(reinterpret_cast<const uint8_t*>(bmp.data()), size_t(bmp.size())));
    QVERIFY(decoded.samePicture(shown));

    const JpegFrame frame = ReadJpegFrame(ReadAll(jpgNamedBmp));
    QCOMPARE(frame.width, 320);
    QCOMPARE(frame.height, 240);
    QCOMPARE(frame.components, 3);
    QVERIFY(frame.baseline);

    // Exporting changes nothing else.
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.picture().samePicture(shown));
    QVERIFY(!form->document().picturesChangedSinceClean());
    QVERIFY(!form->document().hasUnsavedChanges());
}

void CheckFormTest::theSaveDialogStartsWhereItWasLeftWithinOneOpening()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const QString name = fixture.tempFolder() + QStringLiteral("/first.bmp");
    const QString replaced = fixture.tempFolder() + QStringLiteral("/second.jpg");
    WhenShown<TCheckForm>([&](TCheckForm& dialog) {
        fixture.prompts.saveAnswers.push_back(SaveFileChoice{name, 1});
        fixture.prompts.saveAnswers.push_back(std::nullopt);
        fixture.prompts.saveAnswers.push_back(SaveFileChoice{replaced, 0});
        fixture.prompts.saveAnswers.push_back(std::nullopt);
        for (int i = 0; i < 4; ++i)
            QTest::mouseClick(Child<QPushButton>(dialog, "SaveBtn"), Qt::LeftButton);
    });
    form->ShowCheckClick();
    fixture.prompts.saveAnswers.push_back(std::nullopt);
    WhenShown<TCheckForm>([](TCheckForm& dialog) {
        QTest::mouseClick(Child<QPushButton>(dialog, "SaveBtn"), Qt::LeftButton);
    });
    form->ShowCheckClick();

    const auto dialogs = fixture.prompts.shown(ScriptedPrompts::Kind::SaveFile);
    QCOMPARE(dialogs.size(), size_t(5));
    const FileDialogSettings& first = dialogs[0].dialog;
    QCOMPARE(first.filters, (QStringList{"JPEG Image (*.jpg)", "Bitmap Image (*.bmp)"}));
    // The names follow the language; the filter's place still decides the format.
    form->setLanguageCode("ja");
    form->applyTexts();
    fixture.prompts.saveAnswers.push_back(std::nullopt);
    WhenShown<TCheckForm>([](TCheckForm& dialog) {
        QTest::mouseClick(Child<QPushButton>(dialog, "SaveBtn"), Qt::LeftButton);
    });
    form->ShowCheckClick();
    QCOMPARE(fixture.prompts.shown(ScriptedPrompts::Kind::SaveFile).back().dialog.filters,
             (QStringList{QStringLiteral("JPEG 画像 (*.jpg)"), QStringLiteral("ビットマップ画像 (*.bmp)")}));
    QCOMPARE(first.selectedFilter, 0);
    QCOMPARE(first.startName, QString());
    QCOMPARE(first.defaultSuffix, QStringLiteral("jpg"));
    QVERIFY(first.overwritePrompt);
    QVERIFY(first.refuseReadOnly);
    QCOMPARE(first.title, QString());
    // After a save, and after a cancel that changed nothing.
    QCOMPARE(dialogs[1].dialog.selectedFilter, 1);
    QCOMPARE(dialogs[1].dialog.startName, name);
    QCOMPARE(dialogs[2].dialog.selectedFilter, 1);
    QCOMPARE(dialogs[2].dialog.startName, name);
    QCOMPARE(dialogs[3].dialog.selectedFilter, 0);
    QCOMPARE(dialogs[3].dialog.startName, replaced);
    // A new opening starts afresh.
    QCOMPARE(dialogs[4].dialog, first);
    QVERIFY(QFile::exists(name));
    QVERIFY(QFile::exists(replaced));
}

void CheckFormTest::cancellingTheSaveWritesNothing()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    TCheckForm dialog(*form);
    dialog.show();
    fixture.prompts.saveAnswers.push_back(std::nullopt);
    QTest::mouseClick(Child<QPushButton>(dialog, "SaveBtn"), Qt::LeftButton);
    QCOMPARE(fixture.prompts.shown().size(), size_t(1));
    QCOMPARE(QDir(fixture.tempFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    QVERIFY(dialog.isVisible());
}

void CheckFormTest::aFailedExportIsShownAndChangesNothing()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const QString missing = fixture.tempFolder() + QStringLiteral("/no such folder/room.jpg");
    WhenShown<TCheckForm>([&](TCheckForm& dialog) {
        const Bitmap before = dialog.picture();
        fixture.prompts.saveAnswers.push_back(SaveFileChoice{missing, 0});
        QTest::mouseClick(Child<QPushButton>(dialog, "SaveBtn"), Qt::LeftButton);
        const auto errors = fixture.prompts.shown(ScriptedPrompts::Kind::Error);
        QCOMPARE(errors.size(), size_t(1));
        QVERIFY2(errors[0].text.contains(QStringLiteral("room.jpg")), qPrintable(errors[0].text));
        QCOMPARE(errors[0].caption, QStringLiteral("Velmora"));
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.picture().samePicture(before));
        QVERIFY(!QFile::exists(missing));
    });
    form->ShowCheckClick();
    QVERIFY(!form->document().picturesChangedSinceClean());
    QVERIFY(!form->document().hasUnsavedChanges());
}

void CheckFormTest::aShortLabelsListIsShownAndTheDialogOpens()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    QStringList lines = LabelLines(fixture).mid(0, 24);  // lines 0..23: "open" is missing
    UseLabels(fixture, *form, lines);

    WhenShown<TCheckForm>([&](TCheckForm& dialog) {
        const auto errors = fixture.prompts.shown(ScriptedPrompts::Kind::Error);
        QCOMPARE(errors.size(), size_t(1));
        QVERIFY2(errors[0].text.contains(QStringLiteral("line 24")), qPrintable(errors[0].text));
        QVERIFY(dialog.isVisible());
        // Set up to the failing line ...
        QCOMPARE(dialog.windowTitle(), lines[17]);
        QCOMPARE(Child<QLabel>(dialog, "DoorLabel")->text(), lines[21]);
        auto* door = Child<QComboBox>(dialog, "DoorSetting");
        QCOMPARE(door->currentText(), lines[22]);
        QCOMPARE(door->count(), 2);
        QCOMPARE(door->itemText(1), lines[23]);
        // ... and nothing after it.
        QCOMPARE(Child<QLabel>(dialog, "TBoxLabel")->text(), QStringLiteral("treasure box"));
        QCOMPARE(Child<QPushButton>(dialog, "SaveBtn")->text(), QStringLiteral("Save As..."));
        // The controls still work.
        Child<QComboBox>(dialog, "TimeSetting")->setCurrentIndex(1);
        QVERIFY(dialog.state().night);
    });
    form->ShowCheckClick();
}

QTEST_MAIN(CheckFormTest)
#include "test_check_form.moc"
