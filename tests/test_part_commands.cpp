// The part popup menu: which entries each slot offers, loading and saving a
// part as a BMP file with the acceptance check and its boxes, and the mask
// and copy commands.
#include "bmp_builder.h"
#include "gui_room_helpers.h"
#include "picture_helpers.h"
#include "support/ui_fixture.h"

#include "ui/services/paths.h"
#include "ui/services/language_lines.h"
#include "ui/widgets/picture_box.h"
#include "core/edit/mask_ops.h"
#include "core/image/palette.h"
#include "imageio/picture_file.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include <random>

using namespace velmora;
using velmora::test::FilesIn;
using velmora::test::ReadBytes;
using velmora::test::RoomState;
using velmora::test::ScriptedPrompts;
using velmora::test::UiFixture;
using velmora::test::WriteBytes;
using Kind = ScriptedPrompts::Kind;

class PartCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void popupEntriesFollowTheSlot();
    void refusalsComeInTheirOrder();
    void paletteQuestionAndMissingPalette();
    void paletteQuestionShowsPercentSignsSafely();
    void savedPartLoadsBackWithoutQuestions();
    void loadFailuresLeaveTheRoom();
    void malformedBitmapsAreRefused();
    void makeMaskMarksPureBlackSeeThrough();
    void copyFromImageMarksPureWhiteSeeThrough();
    void copyFromRoomViewCutsThePlacement();
    void exportedPicturesImportBackAndBadOnesAreRefused();
    void theImportDialogOffersEveryFormatItReads();
};

namespace {

constexpr int kBed = 8;
constexpr int kBedMask = 28;

PartSize SizeOf(int slot)
{
    return PartSlotTable::RequiredSize(slot);
}

QAction* Entry(const TMainForm& form, const char* name)
{
    return form.findChild<QAction*>(name);
}

QString Message(const TMainForm& form, int index)
{
    return form.languageTexts().message(index);
}

// A file as the part's own save would write it.
std::vector<uint8_t> PartFile(const Bitmap& picture)
{
    return EncodeBmp(picture, ColoursUsedField::EntriesWritten);
}

// An 8-bit picture of the slot's size in the room palette with a pattern.
Bitmap Pattern(int slot, uint8_t base)
{
    const PartSize s = SizeOf(slot);
    Bitmap b = test::Filled(s.width, s.height, base);
    for (int y = 0; y < s.height; ++y)
        b.setIndex(y % s.width, y, uint8_t(base + 1));
    return b;
}

// Loads `bytes` as a file into `slot` through the popup entry.
void Load(TMainForm& form, UiFixture& fixture, int slot, std::span<const uint8_t> bytes,
          const QString& name = "part.bmp")
{
    const QString path = fixture.tempFolder() + "/../" + name;
    WriteBytes(path, bytes);
    form.WinDayImageMouseDown(slot);
    fixture.prompts.openAnswers.push_back(QFileInfo(path).absoluteFilePath());
    Entry(form, "OpenPFile")->trigger();
}

std::vector<QString> Texts(const ScriptedPrompts& prompts, Kind kind)
{
    std::vector<QString> out;
    for (const auto& s : prompts.shown(kind))
        out.push_back(s.text);
    return out;
}

}  // namespace

void PartCommandsTest::popupEntriesFollowTheSlot()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const char* names[] = {"Edit",       "OpenPFile",     "SavePFile",     "CopyImage",   "CreateMask",  "CopyData",
                           "PasteParts", "ImportPicture", "ExportPicture", "CopyPicture", "PastePicture", "Paint"};
    for (int i = 0; i < 7; ++i)
        QCOMPARE(Entry(*form, names[i])->text(), form->languageTexts().menuItem(11 + i));
    QCOMPARE(Entry(*form, "ImportPicture")->text(), form->languageTexts().menuItem(22));
    QCOMPARE(Entry(*form, "ExportPicture")->text(), form->languageTexts().menuItem(23));
    QCOMPARE(Entry(*form, "CopyPicture")->text(), TextOf(form->languageTexts(), Text::CopyPicture));
    QCOMPARE(Entry(*form, "PastePicture")->text(), TextOf(form->languageTexts(), Text::PastePicture));
    QCOMPARE(Entry(*form, "Paint")->text(), TextOf(form->languageTexts(), Text::Paint));

    for (int s = 0; s < PartSlotTable::kSlotCount; ++s) {
        form->WinDayImageMouseDown(s);
        form->PopupMenuPopup();
        const bool expected[] = {true,    true,   true, s < 20 && s != 4, s >= 4 && s <= 18, s >= 20,
                                 s == 4,  true,   true, true,             true, true};
        for (int i = 0; i < 12; ++i)
            QVERIFY2(Entry(*form, names[i])->isEnabled() == expected[i],
                     qPrintable(QStringLiteral("slot %1 %2").arg(s).arg(names[i])));
        QCOMPARE(form->popupMenu()->actions().size(), 12);
        QCOMPARE(form->popupMenu()->actions().last(), Entry(*form, "Paint"));
    }

    // A press on a mask box, then a right-click elsewhere: the latter counts.
    form->show();
    QTest::mousePress(form->pictureBox(33), Qt::LeftButton);
    QCOMPARE(form->selectedSlot(), 33);
    QTest::mousePress(form->pictureBox(4), Qt::RightButton);
    QCOMPARE(form->selectedSlot(), 4);
    form->PopupMenuPopup();
    QVERIFY(!Entry(*form, "CopyImage")->isEnabled());
    QVERIFY(Entry(*form, "PasteParts")->isEnabled());
    QVERIFY(fixture.prompts.shown().empty());
}

void PartCommandsTest::refusalsComeInTheirOrder()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const RoomState before = RoomState::Of(*form);
    const std::vector<uint8_t> good = PartFile(Pattern(kBed, 30));
    const PartSize bed = SizeOf(kBed);

    auto with = [&](auto change) {
        std::vector<uint8_t> bytes = good;
        change(bytes);
        return bytes;
    };
    const std::vector<uint8_t> grey(size_t(bed.width + 3) / 4 * 4 * size_t(bed.height), 0);
    const auto depth = [&](uint16_t bpp, uint32_t compression = 0) {
        testing::BmpLayout layout;
        layout.width = bed.width;
        layout.height = bed.height;
        layout.bpp = bpp;
        layout.compression = compression;
        if (bpp <= 8)
            layout.colours.assign(size_t(1) << bpp, RgbQuad{});
        layout.pixelData.assign(size_t((bed.width * bpp + 31) / 32 * 4 * bed.height), 0);
        return testing::BuildBmp(layout);
    };
    testing::BmpLayout core;
    core.infoSize = 12;
    core.width = bed.width;
    core.height = bed.height;
    core.colours = RoomPaletteVector();
    core.pixelData = grey;

    const struct {
        const char* what;
        int slot;
        std::vector<uint8_t> bytes;
        int message;
    } cases[] = {
        {"one column wider", kBed, with([&](auto& b) { WriteLe32(&b[18], uint32_t(bed.width + 1)); }), 11},
        {"one row lower", kBed, with([&](auto& b) { WriteLe32(&b[22], uint32_t(bed.height - 1)); }), 11},
        {"top-down", kBed, with([&](auto& b) { WriteLe32(&b[22], uint32_t(-bed.height)); }), 11},
        {"wrong size before depth", kBed, with([&](auto& b) { WriteLe32(&b[18], 5); WriteLe16(&b[28], 24); }), 11},
        {"a real core header", kBed, testing::BuildBmp(core), 11},
        {"header size 12 with the slot's size", kBed, with([&](auto& b) { WriteLe32(&b[14], 12); }), 2},
        {"1-bit picture", kBed, depth(1), 3},
        {"24-bit picture", kBed, depth(24), 3},
        {"RLE8 picture", kBed, with([&](auto& b) { WriteLe32(&b[30], 1); }), 4},
        {"24-bit mask", kBedMask, depth(24), 7},
        {"4-bit mask", kBedMask, depth(4), 7},
        {"RLE8 mask", kBedMask, depth(8, 1), 4},
        {"wrong-size mask", kBedMask, with([&](auto& b) { WriteLe32(&b[18], 1); }), 11},
    };
    for (const auto& c : cases) {
        fixture.prompts.clear();
        Load(*form, fixture, c.slot, c.bytes);
        QCOMPARE(Texts(fixture.prompts, Kind::Warning), std::vector<QString>{Message(*form, c.message)});
        QCOMPARE(fixture.prompts.shown(Kind::Warning)[0].caption, form->languageTexts().label(33));
        QVERIFY2(fixture.prompts.shown(Kind::Question).empty(), c.what);
        QVERIFY2(RoomState::Of(*form).differenceFrom(before).isEmpty(), c.what);
    }

    // Accepted masks keep their own form: 1-bit, and 8-bit stays 8-bit.
    const Bitmap mask1 = test::Mask(bed.width, bed.height, true);
    const Bitmap mask8 = Pattern(kBed, 0);
    for (const Bitmap* mask : {&mask1, &mask8}) {
        fixture.prompts.clear();
        test::SetModified(*form, false);
        Load(*form, fixture, kBedMask, PartFile(*mask));
        QVERIFY(fixture.prompts.shown(Kind::Warning).empty());
        QVERIFY(form->document().picture(kBedMask).samePicture(*mask));
        QVERIFY(form->document().picturesChangedSinceClean());
    }
    QCOMPARE(form->document().picture(kBedMask).bitsPerPixel, uint16_t(8));
}

void PartCommandsTest::paletteQuestionAndMissingPalette()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    Bitmap own = Pattern(kBed, 40);
    own.colours[40] = RgbQuad{1, 2, 3, 0};
    const std::vector<uint8_t> file = PartFile(own);

    // No: slot and flag unchanged.
    const RoomState before = RoomState::Of(*form);
    fixture.prompts.questionAnswers.push_back(false);
    Load(*form, fixture, kBed, file);
    QCOMPARE(Texts(fixture.prompts, Kind::Question), std::vector<QString>{Message(*form, 6)});
    QCOMPARE(fixture.prompts.shown(Kind::Question)[0].caption, form->languageTexts().label(32));
    QVERIFY(fixture.prompts.shown(Kind::Warning).empty());
    QCOMPARE(RoomState::Of(*form).differenceFrom(before), QString());

    // Yes: taken with its own colour table.
    fixture.prompts.clear();
    fixture.prompts.questionAnswers.push_back(true);
    Load(*form, fixture, kBed, file);
    QVERIFY(form->document().picture(kBed).samePicture(own));
    QVERIFY(form->document().picturesChangedSinceClean());

    // The palette file is read at every check: missing or short, message 5
    // and the picture is taken.
    const std::vector<uint8_t> palette = ReadBytes(StandardPalettePath(fixture.programFolder()));
    const std::vector<uint8_t> standard = PartFile(Pattern(kBed, 50));
    const QByteArray shortPalette(reinterpret_cast<const char*>(palette.data()), 1023);
    for (int round = 0; round < 2; ++round) {
        if (round == 0)
            fixture.removeProgramFile("Velmpl.dat");
        else
            fixture.writeProgramFile("Velmpl.dat", shortPalette);
        test::SetModified(*form, false);
        fixture.prompts.clear();
        Load(*form, fixture, kBed, file);
        QCOMPARE(Texts(fixture.prompts, Kind::Warning), std::vector<QString>{Message(*form, 5)});
        QVERIFY(fixture.prompts.shown(Kind::Question).empty());
        QVERIFY(form->document().picture(kBed).samePicture(own));
        QVERIFY(form->document().picturesChangedSinceClean());
    }
    // Masks never look at the palette file.
    fixture.prompts.clear();
    Load(*form, fixture, kBedMask, PartFile(test::Mask(SizeOf(kBed).width, SizeOf(kBed).height, false)));
    QVERIFY(fixture.prompts.shown().size() == 1);

    // Back in place: the standard palette passes without a box.
    fixture.writeProgramFile("Velmpl.dat", QByteArray(reinterpret_cast<const char*>(palette.data()), qsizetype(palette.size())));
    fixture.prompts.clear();
    Load(*form, fixture, kBed, standard);
    QCOMPARE(fixture.prompts.shown().size(), size_t(1));
    QVERIFY(form->document().picture(kBed).samePicture(Pattern(kBed, 50)));
}

void PartCommandsTest::paletteQuestionShowsPercentSignsSafely()
{
    UiFixture fixture;
    std::vector<QString> lines = ReadTextFileLines(MessagesPath(fixture.programFolder(), "en")).value();
    lines[6] = "100%% sure? %s %n %d %x %08p %";
    QString text;
    for (const QString& line : lines)
        text += line + "\n";
    fixture.writeProgramFile("ltexts/messages.en", text.toUtf8());
    auto form = fixture.makeForm();

    Bitmap own = Pattern(kBed, 40);
    own.colours[0] = RgbQuad{9, 9, 9, 0};
    fixture.prompts.questionAnswers.push_back(false);
    Load(*form, fixture, kBed, PartFile(own));
    QCOMPARE(Texts(fixture.prompts, Kind::Question), std::vector<QString>{"100% sure? %s %n %d %x %08p %"});
    // Other messages are shown as they stand.
    QCOMPARE(Message(*form, 6), QString("100%% sure? %s %n %d %x %08p %"));
}

void PartCommandsTest::savedPartLoadsBackWithoutQuestions()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const QString path = fixture.tempFolder() + "/../bed.bmp";
    const RoomState before = RoomState::Of(*form);

    form->WinDayImageMouseDown(kBed);
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{path, 0});
    Entry(*form, "SavePFile")->trigger();
    QCOMPARE(fixture.prompts.shown().size(), size_t(1));
    QCOMPARE(fixture.prompts.shown()[0].dialog, form->savePictureDialog());
    QVERIFY(form->savePictureDialog().overwritePrompt);
    QCOMPARE(form->savePictureDialog().defaultSuffix, QString("bmp"));
    // Written as the part's own file: colours used = entries written.
    const std::vector<uint8_t> saved = ReadBytes(path);
    QVERIFY(saved == PartFile(form->document().picture(kBed)));
    QCOMPARE(ReadLe32(&saved[46]), 256u);
    // Saving a part changes nothing.
    QCOMPARE(RoomState::Of(*form).differenceFrom(before), QString());

    test::SetSlotPicture(*form, kBed, Pattern(kBed, 90));
    fixture.prompts.clear();
    fixture.prompts.openAnswers.push_back(path);
    form->WinDayImageMouseDown(kBed);
    Entry(*form, "OpenPFile")->trigger();
    QCOMPARE(fixture.prompts.shown().size(), size_t(1));
    QCOMPARE(fixture.prompts.shown()[0].dialog, form->openPictureDialog());
    QVERIFY(form->document().picture(kBed).samePicture(before.pictures[kBed]));
    QVERIFY(form->document().picturesChangedSinceClean());

    // A mask saves as 1-bit with two entries.
    form->WinDayImageMouseDown(kBedMask);
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{path, 0});
    Entry(*form, "SavePFile")->trigger();
    QCOMPARE(ReadLe16(&ReadBytes(path)[28]), uint16_t(1));
    QCOMPARE(ReadLe32(&ReadBytes(path)[46]), 2u);
    QCOMPARE(FilesIn(fixture.tempFolder()), QStringList{});
}

void PartCommandsTest::loadFailuresLeaveTheRoom()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const RoomState before = RoomState::Of(*form);

    // Cancelled dialog, missing file, a folder.
    form->WinDayImageMouseDown(kBed);
    fixture.prompts.openAnswers.push_back(std::nullopt);
    Entry(*form, "OpenPFile")->trigger();
    QCOMPARE(fixture.prompts.shown().size(), size_t(1));
    for (const QString& path : {fixture.tempFolder() + "/none.bmp", fixture.tempFolder()}) {
        fixture.prompts.clear();
        fixture.prompts.openAnswers.push_back(path);
        Entry(*form, "OpenPFile")->trigger();
        QCOMPARE(Texts(fixture.prompts, Kind::Warning), std::vector<QString>{Message(*form, 8)});
    }
    QCOMPARE(RoomState::Of(*form).differenceFrom(before), QString());

    // Passes the check, does not decode: a warning naming the file.
    std::vector<uint8_t> cut = PartFile(Pattern(kBed, 30));
    cut.resize(1078 + 100);
    fixture.prompts.clear();
    Load(*form, fixture, kBed, cut, "cut.bmp");
    const auto warnings = Texts(fixture.prompts, Kind::Warning);
    QCOMPARE(warnings.size(), size_t(1));
    QVERIFY2(warnings[0].startsWith(QFileInfo(fixture.tempFolder() + "/../cut.bmp").absoluteFilePath() + ": "),
             qPrintable(warnings[0]));
    QCOMPARE(RoomState::Of(*form).differenceFrom(before), QString());

    // A part that cannot be written: the error box names the file.
    const QString nowhere = fixture.tempFolder() + "/no/such/folder/bed.bmp";
    fixture.prompts.clear();
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{nowhere, 0});
    Entry(*form, "SavePFile")->trigger();
    const auto errors = Texts(fixture.prompts, Kind::Error);
    QCOMPARE(errors.size(), size_t(1));
    QVERIFY2(errors[0].contains(nowhere), qPrintable(errors[0]));
    QCOMPARE(RoomState::Of(*form).differenceFrom(before), QString());
}

void PartCommandsTest::malformedBitmapsAreRefused()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    test::SetModified(*form, true);
    test::SetRoomTexts(*form, {"n", "c", "r"});
    const RoomState before = RoomState::Of(*form);

    struct Case {
        QString what;
        int slot;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases;
    const std::vector<uint8_t> picture = PartFile(Pattern(kBed, 30));
    const std::vector<uint8_t> mask = PartFile(test::Mask(SizeOf(kBed).width, SizeOf(kBed).height, true));
    for (const auto& [slot, good] : {std::pair{kBed, picture}, std::pair{kBedMask, mask}}) {
        for (size_t cut = 0; cut + 1 < good.size(); cut += cut < 80 ? 3 : 211)
            cases.push_back({QStringLiteral("slot %1 cut at %2").arg(slot).arg(cut), slot,
                             {good.begin(), good.begin() + ptrdiff_t(cut)}});
        for (const uint32_t offset : {0u, 13u, uint32_t(good.size()), 0x7FFFFFFFu, 0xFFFFFFFFu}) {
            auto b = good;
            WriteLe32(&b[10], offset);
            cases.push_back({QStringLiteral("slot %1 pixel offset %2").arg(slot).arg(offset), slot, b});
        }
        for (const uint32_t info : {0u, 16u, 39u, 108u, 0xFFFF0000u}) {
            auto b = good;
            WriteLe32(&b[14], info);
            cases.push_back({QStringLiteral("slot %1 info size %2").arg(slot).arg(info), slot, b});
        }
        std::mt19937 random(77 + unsigned(slot));
        for (int i = 0; i < 40; ++i) {
            auto b = good;
            for (int flips = 0; flips < 2; ++flips)
                b[random() % 62] ^= uint8_t(1u << (random() % 8));
            cases.push_back({QStringLiteral("slot %1 flips %2").arg(slot).arg(i), slot, b});
        }
    }

    int refused = 0;
    for (const Case& c : cases) {
        fixture.prompts.clear();
        fixture.prompts.questionAnswers.push_back(true);  // take a foreign palette, so decoding runs
        Load(*form, fixture, c.slot, c.bytes);
        QVERIFY2(fixture.prompts.shown(Kind::Error).empty(), qPrintable(c.what));
        const Bitmap now = form->document().picture(c.slot);
        if (!now.samePicture(before.pictures[size_t(c.slot)])) {
            // Taken: only what decodes, exactly as it decodes.
            QVERIFY2(now.samePicture(DecodeBmp(c.bytes)), qPrintable(c.what));
            test::SetSlotPicture(*form, c.slot, before.pictures[size_t(c.slot)]);
            continue;
        }
        ++refused;
        QVERIFY2(!fixture.prompts.shown(Kind::Warning).empty() || !fixture.prompts.shown(Kind::Question).empty(),
                 qPrintable(c.what));
        QVERIFY2(RoomState::Of(*form).differenceFrom(before).isEmpty(), qPrintable(c.what));
    }
    QVERIFY(refused > 60);
}

void PartCommandsTest::makeMaskMarksPureBlackSeeThrough()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const PartSize size = SizeOf(kBed);

    // Pure black, near black (17, 17, 17) and pure white, in a table of our own.
    Bitmap picture = Bitmap::Make(size.width, size.height, 8, RoomPaletteVector());
    picture.colours[1] = RgbQuad{0, 0, 0, 0};
    picture.colours[2] = RgbQuad{17, 17, 17, 0};
    picture.colours[3] = RgbQuad{255, 255, 255, 0};
    picture.colours[4] = RgbQuad{0, 0, 1, 0};
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
            picture.setIndex(x, y, uint8_t(1 + (x + y) % 4));
    test::SetSlotPicture(*form, kBed, picture);
    test::SetModified(*form, false);

    form->WinDayImageMouseDown(kBed);
    Entry(*form, "CreateMask")->trigger();
    const Bitmap& mask = form->document().picture(kBedMask);
    QCOMPARE(mask.bitsPerPixel, uint16_t(1));
    QCOMPARE(mask.width, size.width);
    QCOMPARE(mask.height, size.height);
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x) {
            const RgbQuad c = mask.colourAt(x, y);
            const bool white = (x + y) % 4 == 0;
            QVERIFY(c == (white ? RgbQuad{255, 255, 255, 0} : RgbQuad{0, 0, 0, 0}));
        }
    // What the way through a BMP file would have given.
    QVERIFY(mask.samePicture(MakeMaskFromPicture(DecodeBmp(EncodeBmp(picture, ColoursUsedField::Zero)))));
    QVERIFY(form->document().picturesChangedSinceClean());
    QVERIFY(fixture.prompts.shown().empty());
    QCOMPARE(FilesIn(fixture.tempFolder()), QStringList{});

    // All black: all see-through; the same result again still counts as a change.
    test::SetSlotPicture(*form, kBed, test::Filled(size.width, size.height, 255));
    for (int round = 0; round < 2; ++round) {
        test::SetModified(*form, false);
        Entry(*form, "CreateMask")->trigger();
        QVERIFY(form->document().picture(kBedMask).samePicture(test::Mask(size.width, size.height, true)));
        QVERIFY(form->document().picturesChangedSinceClean());
    }
    // No black at all: nothing see-through.
    test::SetSlotPicture(*form, kBed, test::Filled(size.width, size.height, 0));
    Entry(*form, "CreateMask")->trigger();
    QVERIFY(form->document().picture(kBedMask).samePicture(test::Mask(size.width, size.height, false)));

    // The room makes its own mask.
    Bitmap room = test::Filled(320, 240, 255);
    room.setIndex(5, 6, 0);
    test::SetSlotPicture(*form, 4, room);
    form->WinDayImageMouseDown(4);
    Entry(*form, "CreateMask")->trigger();
    const Bitmap& roomMask = form->document().picture(24);
    QCOMPARE(roomMask.colourAt(5, 6), (RgbQuad{0, 0, 0, 0}));
    QCOMPARE(roomMask.colourAt(6, 6), (RgbQuad{255, 255, 255, 0}));
}

void PartCommandsTest::copyFromImageMarksPureWhiteSeeThrough()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const PartSize size = SizeOf(kBed);
    Bitmap picture = test::Filled(size.width, size.height, 255);  // black
    picture.setIndex(0, 0, 0);                                     // white
    picture.colours[7] = RgbQuad{254, 255, 255, 0};
    picture.setIndex(1, 0, 7);                                     // near white
    test::SetSlotPicture(*form, kBed, picture);
    test::SetModified(*form, false);

    form->WinDayImageMouseDown(kBedMask);
    Entry(*form, "CopyData")->trigger();
    const Bitmap& mask = form->document().picture(kBedMask);
    QCOMPARE(mask.bitsPerPixel, uint16_t(1));
    QCOMPARE(mask.colourAt(0, 0), (RgbQuad{255, 255, 255, 0}));
    QCOMPARE(mask.colourAt(1, 0), (RgbQuad{0, 0, 0, 0}));
    QCOMPARE(mask.colourAt(5, 5), (RgbQuad{0, 0, 0, 0}));
    QVERIFY(mask.samePicture(MaskFromImageWhite(DecodeBmp(EncodeBmp(picture, ColoursUsedField::Zero)))));
    QVERIFY(form->document().picturesChangedSinceClean());
    // The picture itself is untouched.
    QVERIFY(form->document().picture(kBed).samePicture(picture));

    // Without white: all drawn.
    test::SetSlotPicture(*form, kBed, test::Filled(size.width, size.height, 100));
    Entry(*form, "CopyData")->trigger();
    QVERIFY(form->document().picture(kBedMask).samePicture(test::Mask(size.width, size.height, false)));
    QCOMPARE(FilesIn(fixture.tempFolder()), QStringList{});
}

void PartCommandsTest::copyFromRoomViewCutsThePlacement()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    // Every room pixel tells its place: columns step by 7, rows by 13.
    Bitmap room = test::Filled(320, 240, 0);
    const auto value = [](int x, int y) { return uint8_t((x * 7 + y * 13) & 0xFF); };
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            room.setIndex(x, y, value(x, y));
    test::SetSlotPicture(*form, 4, room);

    for (int part = 0; part < PartSlotTable::kPartCount; ++part) {
        if (part == 4 || part == slot::BubbleImage)
            continue;
        test::SetModified(*form, false);
        form->WinDayImageMouseDown(part);
        Entry(*form, "CopyImage")->trigger();
        const Placement r = PartSlotTable::PlacementOf(part);
        const Bitmap& cut = form->document().picture(part);
        QCOMPARE(cut.width, SizeOf(part).width);
        QCOMPARE(cut.height, SizeOf(part).height);
        QCOMPARE(cut.bitsPerPixel, uint16_t(8));
        for (int y = 0; y < cut.height; ++y)
            for (int x = 0; x < cut.width; ++x)
                QVERIFY2(cut.index(x, y) == value(r.left + x, r.top + y), qPrintable(QString::number(part)));
        QVERIFY(form->document().picturesChangedSinceClean());
    }
    // The window views share one place, as do the door views.
    QVERIFY(form->document().picture(0).samePicture(form->document().picture(1)));
    QVERIFY(form->document().picture(1).samePicture(form->document().picture(2)));
    QVERIFY(form->document().picture(3).samePicture(form->document().picture(19)));

    // The bubble: 73 room columns stretched over 82, rows one to one.
    const Placement r = PartSlotTable::PlacementOf(slot::BubbleImage);
    QCOMPARE(r.right - r.left + 1, 73);
    form->WinDayImageMouseDown(slot::BubbleImage);
    Entry(*form, "CopyImage")->trigger();
    const Bitmap& bubble = form->document().picture(slot::BubbleImage);
    QCOMPARE(bubble.width, 82);
    QCOMPARE(bubble.height, 71);
    std::vector<int> sourceColumn;
    for (int x = 0; x < 82; ++x) {
        int column = -1;
        for (int c = r.left; c <= r.right; ++c)
            if (value(c, r.top) == bubble.index(x, 0))
                column = c;
        QVERIFY(column >= 0);
        for (int y = 0; y < 71; ++y)
            QCOMPARE(bubble.index(x, y), value(column, r.top + y));
        sourceColumn.push_back(column);
    }
    QCOMPARE(sourceColumn.front(), r.left);
    QCOMPARE(sourceColumn.back(), r.right);
    for (size_t i = 1; i < sourceColumn.size(); ++i)
        QVERIFY(sourceColumn[i] - sourceColumn[i - 1] == 0 || sourceColumn[i] - sourceColumn[i - 1] == 1);
    QVERIFY(fixture.prompts.shown().empty());
    QCOMPARE(FilesIn(fixture.tempFolder()), QStringList{});
}

void PartCommandsTest::exportedPicturesImportBackAndBadOnesAreRefused()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    const QString folder = fixture.tempFolder() + "/..";
    // The first letter has a see-through border: export, spoil the slot, import.
    constexpr int kLetter = 16, kLetterMask = 36;
    const RoomState original = RoomState::Of(*form);
    form->WinDayImageMouseDown(kLetter);
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{folder + "/letter.png", 0});
    Entry(*form, "ExportPicture")->trigger();
    QCOMPARE(fixture.prompts.shown(Kind::SaveFile).at(0).dialog.startName, QStringLiteral("Letter1Image.png"));
    form->WinDayImageMouseDown(kLetterMask);
    fixture.prompts.saveAnswers.push_back(SaveFileChoice{folder + "/mask.png", 0});
    Entry(*form, "ExportPicture")->trigger();
    const Bitmap letter = form->document().picture(kLetter);
    test::SetSlotPicture(*form, kLetter, Pattern(kLetter, 40));
    test::SetSlotPicture(*form, kLetterMask, test::Mask(letter.width, letter.height, false));

    form->WinDayImageMouseDown(kLetter);
    const RoomState spoiled = RoomState::Of(*form);
    fixture.prompts.openAnswers.push_back(folder + "/letter.png");
    Entry(*form, "ImportPicture")->trigger();
    QVERIFY(form->document().picturesChangedSinceClean());
    // Part and mask came in as one step of the history.
    auto* undo = form->findChild<QAction*>(QStringLiteral("Undo"));
    QCOMPARE(undo->text(), QStringLiteral("&Undo Import picture"));
    undo->trigger();
    QCOMPARE(RoomState::Of(*form).differenceFrom(spoiled), QString());
    form->findChild<QAction*>(QStringLiteral("Redo"))->trigger();
    test::SetModified(*form, false);
    QCOMPARE(RoomState::Of(*form).differenceFrom(original), QString());
    test::SetSlotPicture(*form, kLetterMask, test::Mask(letter.width, letter.height, false));
    form->WinDayImageMouseDown(kLetterMask);
    fixture.prompts.openAnswers.push_back(folder + "/mask.png");
    Entry(*form, "ImportPicture")->trigger();
    test::SetModified(*form, false);
    QCOMPARE(RoomState::Of(*form).differenceFrom(original), QString());
    QVERIFY(fixture.prompts.shown(Kind::Warning).empty());

    // A file that does not decode: a warning. A picture of another slot's
    // size: the import dialog, whose Cancel changes nothing.
    WriteBytes(folder + "/broken.png", std::vector<uint8_t>{0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0});
    fixture.prompts.dialogAnswers.push_back([](QDialog& dialog) {
        dialog.findChild<QPushButton*>("CancelBtn")->click();
        return dialog.result() == QDialog::Accepted;
    });
    for (const QString name : {"broken.png", "mask.png"}) {
        form->WinDayImageMouseDown(kBed);
        fixture.prompts.openAnswers.push_back(folder + "/" + name);
        Entry(*form, "ImportPicture")->trigger();
    }
    const auto warnings = Texts(fixture.prompts, Kind::Warning);
    QCOMPARE(warnings.size(), size_t(1));
    QVERIFY2(warnings[0].contains("broken.png"), qPrintable(warnings[0]));
    QCOMPARE(fixture.prompts.shown(Kind::Dialog).size(), size_t(1));
    QCOMPARE(RoomState::Of(*form).differenceFrom(original), QString());
    QCOMPARE(fixture.prompts.unanswered(), 0);
}

void PartCommandsTest::theImportDialogOffersEveryFormatItReads()
{
    UiFixture fixture;
    auto form = fixture.makeForm();
    auto filtersShown = [&] {
        fixture.prompts.openAnswers.push_back(std::nullopt);
        Entry(*form, "ImportPicture")->trigger();
        return fixture.prompts.shown(Kind::OpenFile).back().dialog.filters;
    };
    // Every picture first, then each format alone, then any file.
    QStringList filters = filtersShown();
    QVERIFY2(filters.size() >= 4, qPrintable(filters.join(" | ")));
    QVERIFY2(filters.first().startsWith("Pictures ("), qPrintable(filters.first()));
    for (const char* pattern : {"*.png", "*.jpg", "*.jpeg", "*.gif", "*.bmp"})
        QVERIFY2(filters.first().contains(pattern), pattern);
    QVERIFY(filters.contains("PNG (*.png)"));
    QVERIFY(filters.contains("JPEG (*.jpeg *.jpg)"));
    QVERIFY(filters.contains("BMP (*.bmp)"));
    QCOMPARE(filters.last(), QStringLiteral("All files (*)"));

    // The names follow the language chosen later.
    form->setLanguageCode("ja");
    form->applyTexts();
    filters = filtersShown();
    QVERIFY2(filters.first().startsWith(form->languageTexts().label(37) + " ("), qPrintable(filters.first()));
    QCOMPARE(filters.last(), form->languageTexts().label(38) + " (*)");
    QVERIFY(filters.last() != QStringLiteral("All files (*)"));

    // So does the reason a file is refused.
    const QString notes = fixture.tempFolder() + "/notes.txt";
    WriteBytes(notes, std::vector<uint8_t>{'n', 'o', 't', 'e', 's'});
    fixture.prompts.openAnswers.push_back(notes);
    Entry(*form, "ImportPicture")->trigger();
    const auto warnings = Texts(fixture.prompts, Kind::Warning);
    QCOMPARE(warnings.size(), size_t(1));
    QVERIFY2(warnings[0].endsWith(QStringLiteral("\n画像を読み込めません: ここで扱えるどの形式の画像でもありません")),
             qPrintable(warnings[0]));
}

QTEST_MAIN(PartCommandsTest)
#include "test_part_commands.moc"
