// The import dialog and the clipboard, through the window: Import picture
// with Shift, a clipboard picture of another size, Copy picture and Paste
// picture with their keys.
#include "gui_room_helpers.h"
#include "support/modal_dialog.h"
#include "support/ui_fixture.h"

#include "imageio/picture_file.h"
#include "ui/dialogs/import_picture_form.h"
#include "ui/services/language_lines.h"
#include "common/settings.h"
#include "ui/widgets/picture_box.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QUndoStack>
#include <QtTest>

using namespace velmora;
using velmora::test::ChooseFromMenu;
using velmora::test::Child;
using velmora::test::RoomState;
using velmora::test::ScriptedPrompts;
using velmora::test::ShowActive;
using velmora::test::UiFixture;
using velmora::test::WriteBytes;
using Kind = ScriptedPrompts::Kind;

class ImportDialogTest : public QObject {
    Q_OBJECT
private slots:
    void shiftImportOpensTheDialogAndOkIsOneStep();
    void aClipboardPictureOfAnotherSizeOpensTheDialog();
    void copyAndPasteKeepTheTransparency();
};

namespace {

constexpr int kBed = 8;
constexpr int kLetter = 16;
constexpr int kLetterMask = 36;

// A smooth gradient, the top-left corner see-through.
RgbaPicture Gradient(int32_t width, int32_t height)
{
    RgbaPicture picture{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.pixels.insert(picture.pixels.end(), {uint8_t(x * 255 / width), uint8_t(y * 255 / height), 90,
                                                         uint8_t(x < 4 && y < 4 ? 0 : 255)});
    return picture;
}

// Presses a button of the dialog; whether that closed it with OK.
bool Click(QDialog& dialog, const char* button)
{
    Child<QPushButton>(dialog, button)->click();
    return dialog.result() == QDialog::Accepted;
}

void ExpectSlots(const TMainForm& form, int slot, const SlotConversion& expected)
{
    QVERIFY(form.document().picture(slot).samePicture(expected.picture));
    if (expected.mask)
        QVERIFY(form.document().picture(PartSlotTable::MaskOf(slot)).samePicture(*expected.mask));
}

}  // namespace

void ImportDialogTest::shiftImportOpensTheDialogAndOkIsOneStep()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    QVERIFY(ShowActive(*form));
    const RgbaPicture picture = Gradient(96, 76);  // the bed's own size
    const QString path = fixture.tempFolder() + "/../bed.png";
    WriteBytes(path, EncodePng(picture, PngForm::Rgba));
    const RoomState before = RoomState::Of(*form);

    // With Shift the dialog opens although the size is right.
    ImportChoices taken;
    fixture.prompts.openAnswers.push_back(path);
    fixture.prompts.dialogAnswers.push_back([&](QDialog& dialog) {
        Child<QComboBox>(dialog, "DitherSetting")->setCurrentIndex(int(Dithering::FloydSteinberg));
        Child<QSpinBox>(dialog, "AlphaSetting")->setValue(200);
        taken = static_cast<TImportPictureForm&>(dialog).choices();
        return Click(dialog, "OkBtn");
    });
    ChooseFromMenu(*form, kBed, "ImportPicture", Qt::ShiftModifier);
    QCOMPARE(fixture.prompts.shown(Kind::Dialog).size(), size_t(1));
    QCOMPARE(fixture.prompts.shown(Kind::Dialog)[0].caption, QStringLiteral("Import picture"));
    QCOMPARE(taken.dither, Dithering::FloydSteinberg);
    ExpectSlots(*form, kBed, ConvertToSlot(picture, kBed, taken));
    QVERIFY(!form->document().picture(kBed).samePicture(ConvertToSlot(picture, kBed).picture));
    // Part and mask are one step.
    QCOMPARE(form->document().history().count(), 1);
    form->findChild<QAction*>("Undo")->trigger();
    QCOMPARE(RoomState::Of(*form).differenceFrom(before), QString());

    // Without Shift a picture of the right size goes straight in.
    fixture.prompts.openAnswers.push_back(path);
    ChooseFromMenu(*form, kBed, "ImportPicture", Qt::NoModifier);
    QCOMPARE(fixture.prompts.shown(Kind::Dialog).size(), size_t(1));
    ExpectSlots(*form, kBed, ConvertToSlot(picture, kBed));

    // The next dialog opens on the choices last taken; Cancel changes nothing.
    const RoomState imported = RoomState::Of(*form);
    fixture.prompts.openAnswers.push_back(path);
    fixture.prompts.dialogAnswers.push_back([&](QDialog& dialog) {
        taken = static_cast<TImportPictureForm&>(dialog).choices();
        return Click(dialog, "CancelBtn");
    });
    ChooseFromMenu(*form, kBed, "ImportPicture", Qt::ShiftModifier);
    QCOMPARE(fixture.prompts.shown(Kind::Dialog).size(), size_t(2));
    QCOMPARE(taken.dither, Dithering::FloydSteinberg);
    QCOMPARE(taken.alphaThreshold, uint8_t(200));
    QCOMPARE(RoomState::Of(*form).differenceFrom(imported), QString());
    QCOMPARE(Settings(fixture.settingsFile()).read(Settings::kImportDither).value(), QStringLiteral("fs"));
    QCOMPARE(fixture.prompts.unanswered(), 0);
}

void ImportDialogTest::aClipboardPictureOfAnotherSizeOpensTheDialog()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    QVERIFY(ShowActive(*form));
    // A plain image without PNG, as a program without alpha offers it.
    RgbaPicture picture = Gradient(640, 480);
    for (size_t i = 3; i < picture.pixels.size(); i += 4)
        picture.pixels[i] = 255;
    QGuiApplication::clipboard()->setImage(ImageFromPicture(picture).convertToFormat(QImage::Format_RGB32));
    const RoomState before = RoomState::Of(*form);

    const ImportChoices chosen{Fitting::Cover, Dithering::FloydSteinberg, kOpaqueAlpha};
    QStringList warningsWhileOpen;
    int openedOn = -1;
    fixture.prompts.dialogAnswers.push_back([&](QDialog& dialog) {
        auto* fit = Child<QComboBox>(dialog, "FitSetting");
        openedOn = fit->currentIndex();
        // Exact: OK says why it cannot be taken, and the dialog stays open.
        fit->setCurrentIndex(int(Fitting::Exact));
        if (Click(dialog, "OkBtn"))
            return true;
        for (const auto& shown : fixture.prompts.shown(Kind::Warning))
            warningsWhileOpen << shown.text;
        fit->setCurrentIndex(int(chosen.fit));
        Child<QComboBox>(dialog, "DitherSetting")->setCurrentIndex(int(chosen.dither));
        return Click(dialog, "OkBtn");
    });
    QTest::mouseClick(form->pictureBox(slot::RoomImage), Qt::LeftButton);
    form->findChild<QAction*>("PastePicture")->trigger();

    // Exact cannot take this picture: the dialog does not open on it.
    QCOMPARE(openedOn, int(Fitting::Contain));
    QCOMPARE(warningsWhileOpen,
             QStringList{form->languageTexts().message(14).arg(QStringLiteral("640×480"), QStringLiteral("320×240"))});
    QCOMPARE(fixture.prompts.shown(Kind::Dialog).size(), size_t(1));
    QCOMPARE(fixture.prompts.shown(Kind::Dialog)[0].caption, QStringLiteral("Paste picture"));
    ExpectSlots(*form, slot::RoomImage, ConvertToSlot(picture, slot::RoomImage, chosen));
    QCOMPARE(form->document().history().count(), 1);
    form->findChild<QAction*>("Undo")->trigger();
    QCOMPARE(RoomState::Of(*form).differenceFrom(before), QString());
    QCOMPARE(fixture.prompts.unanswered(), 0);
}

void ImportDialogTest::copyAndPasteKeepTheTransparency()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    QVERIFY(ShowActive(*form));
    const RoomState original = RoomState::Of(*form);
    const RgbaPicture letter = SlotToRgba(form->slotPictures(), kLetter);

    // Ctrl+Shift+C: a PNG with the part's alpha, and a plain image beside it.
    QTest::mouseClick(form->pictureBox(kLetter), Qt::LeftButton);
    QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasFormat("image/png"));
    const QByteArray png = data->data("image/png");
    const Result<RgbaPicture> copied = DecodePicture(std::vector<uint8_t>(png.begin(), png.end()));
    QVERIFY(copied.ok());
    QCOMPARE(copied->pixels, letter.pixels);
    QVERIFY(std::find(letter.pixels.begin(), letter.pixels.end(), 0) != letter.pixels.end());
    QVERIFY(data->hasImage());
    QVERIFY(!qvariant_cast<QImage>(data->imageData()).hasAlphaChannel());

    // Ctrl+Shift+V on a spoilt part: part and mask come back, one step, no dialog.
    test::SetSlotPicture(*form, kLetter, Bitmap::Make(letter.width, letter.height, 8, original.pictures[kLetter].colours));
    test::SetSlotPicture(*form, kLetterMask, Bitmap::Make(letter.width, letter.height, 1, original.pictures[kLetterMask].colours));
    QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(form->document().history().count(), 1);
    QCOMPARE(form->findChild<QAction*>("Undo")->text(), QStringLiteral("&Undo Paste picture"));
    test::SetModified(*form, false);
    QCOMPARE(RoomState::Of(*form).differenceFrom(original), QString());

    // Nothing on the clipboard: said so, nothing changes.
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    const auto warnings = fixture.prompts.shown(Kind::Warning);
    QCOMPARE(warnings.size(), size_t(1));
    QCOMPARE(warnings[0].text, form->languageTexts().message(message::kNoClipboardPicture));
    QCOMPARE(form->document().history().count(), 1);
    QVERIFY(fixture.prompts.shown(Kind::Dialog).empty());
}

QTEST_MAIN(ImportDialogTest)
#include "test_import_dialog.moc"
