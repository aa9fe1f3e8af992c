// velmora-pac as a user runs it: the built executable, its output and exit codes.
#include "bmp_builder.h"
#include "support/small_disk.h"

#include "core/room/default_room.h"
#include "core/edit/picture_convert.h"
#include "core/image/palette.h"
#include "core/room/room_file.h"
#include "core/image/bmp.h"
#include "imageio/picture_file.h"
#include "layerfile/zip_archive.h"

#include "clean_noise_room.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>

using namespace velmora;
using namespace velmora::testing;
namespace fs = std::filesystem;

namespace {

// The full tool the front starts for all but a plain render.
std::string FullToolExe()
{
    const fs::path front(VELMORA_PAC_EXE);
    return (front.parent_path() / ("velmora-pac-qt" + front.extension().string())).string();
}

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string ReadText(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<uint8_t> ReadBytes(const fs::path& p)
{
    const std::string s = ReadText(p);
    return std::vector<uint8_t>(s.begin(), s.end());
}

void WriteBytes(const fs::path& p, std::span<const uint8_t> bytes)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class PacTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        work_ = fs::path(VELMORA_TEST_WORK_DIR) / info->name();
        fs::remove_all(work_);
        fs::create_directories(work_);
    }

    // Runs `exe` with `args` directly, no shell between, and catches its
    // standard output and error.
    RunResult Run(const std::vector<std::string>& args, const std::string& exe = VELMORA_PAC_EXE)
    {
        QStringList arguments;
        for (const std::string& a : args)
            arguments << QString::fromLocal8Bit(a);
        QProcess process;
        process.start(QString::fromLocal8Bit(exe), arguments);
        RunResult r;
        if (!process.waitForFinished(-1)) {
            r.err = process.errorString().toStdString();
            return r;
        }
        r.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        r.out = process.readAllStandardOutput().toStdString();
        r.err = process.readAllStandardError().toStdString();
#ifdef _WIN32
        // Windows' text mode ends every line with CRLF, and never a line
        // with a bare LF (a file redirected there would mix the two).
        for (std::string* text : {&r.out, &r.err}) {
            const std::string lf = std::regex_replace(*text, std::regex("\r\n"), "\n");
            EXPECT_EQ(text->size() - lf.size(), size_t(std::count(lf.begin(), lf.end(), '\n'))) << *text;
            *text = lf;
        }
#endif
        return r;
    }

    std::string W(const std::string& name) const { return (work_ / name).string(); }

    fs::path work_;
};

// One line on stderr, starting with the program's name.
void ExpectOneErrorLine(const RunResult& r, const std::string& part)
{
    EXPECT_EQ(r.err.rfind("velmora-pac: ", 0), 0u) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(part), std::string::npos) << r.err;
}

std::vector<uint8_t> ExpectedDefaultRoom()
{
    return WriteRoomFile(ReadBytes(VELMORA_PROGRAM_DIR "/VelmHead.dat"), {}, DefaultRoomPictures());
}

}  // namespace

TEST_F(PacTool, HelpListsEveryCommandAndTheExitCodes)
{
    const RunResult r = Run({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    // Started by its full path, it names itself without the folder.
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Usage: velmora-pac [options] command [arguments...]");
    for (const char* word : {"default OUT.pac", "info ROOM.pac", "extract ROOM.pac DIR", "pack DIR OUT.pac",
                             "check BMP SLOT", "import ROOM.pac SLOT PICTURE", "export ROOM.pac SLOT OUT.png",
                             "animate ROOM.pac OUT.gif|OUT.png|OUT.webp --sequence", "sheet ROOM.pac OUT.png",
                             "Exit codes", "2 wrong usage"})
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
}

TEST_F(PacTool, WrongUsageExitsWithTwo)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "no command given"},
        {{"frobnicate"}, "unknown command \"frobnicate\""},
        {{"info"}, "info takes ROOM.pac"},
        {{"pack", "a"}, "pack takes DIR OUT.pac"},
        {{"default", "a", "b"}, "default takes OUT.pac"},
        {{"check", "x.bmp", "40"}, "SLOT must be a number from 0 to 39"},
        {{"check", "x.bmp", "bed"}, "SLOT must be a number"},
        {{"--no-such-option"}, "no-such-option"},
    };
    for (const auto& [args, message] : cases) {
        const RunResult r = Run(args);
        EXPECT_EQ(r.exitCode, 2) << message;
        ExpectOneErrorLine(r, message);
        EXPECT_TRUE(r.out.empty());
    }
}

TEST_F(PacTool, DefaultWritesTheDefaultRoom)
{
    const RunResult r = Run({"default", W("room.pac")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    const std::vector<uint8_t> file = ReadBytes(W("room.pac"));
    EXPECT_EQ(file.size(), 214032u);
    EXPECT_EQ(file, ExpectedDefaultRoom());

    const RunResult bad = Run({"default", W("no/such/folder/room.pac")});
    EXPECT_EQ(bad.exitCode, 1);
    ExpectOneErrorLine(bad, "no/such/folder/room.pac: cannot write the file");
}

TEST_F(PacTool, InfoListsTextsAndSlots)
{
    RoomTexts texts{"Attic", "line one\r\nline two", ""};
    WriteBytes(W("room.pac"), WriteRoomFile(ReadBytes(VELMORA_PROGRAM_DIR "/VelmHead.dat"), texts,
                                            DefaultRoomPictures()));
    const RunResult r = Run({"info", W("room.pac")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 43);
    EXPECT_NE(r.out.find("name: Attic\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("comment: line one\\r\\nline two\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("copyright: \n"), std::string::npos) << r.out;
    EXPECT_TRUE(std::regex_search(r.out, std::regex("\n08 +BedImage +96x76 +8 bpp +8374 bytes\n"))) << r.out;
    EXPECT_TRUE(std::regex_search(r.out, std::regex("\n24 +RoomMask +320x240 +1 bpp +9662 bytes\n"))) << r.out;
}

TEST_F(PacTool, ARoomAtTheLargestSizeIsReadAndOneByteMoreIsNot)
{
    ASSERT_EQ(Run({"default", W("room.pac")}).exitCode, 0);
    std::vector<uint8_t> room = ReadBytes(W("room.pac"));
    room.resize(kRoomMaxFileSize, 0);  // bytes after the last record are ignored
    WriteBytes(W("largest.pac"), room);
    const RunResult largest = Run({"info", W("largest.pac")});
    EXPECT_EQ(largest.exitCode, 0) << largest.err;
    EXPECT_EQ(largest.out, Run({"info", W("room.pac")}).out);

    room.push_back(0);
    WriteBytes(W("larger.pac"), room);
    const RunResult larger = Run({"info", W("larger.pac")});
    EXPECT_EQ(larger.exitCode, 1);
    ExpectOneErrorLine(larger, "larger.pac: the file is 16777217 bytes long, more than the 16777216 bytes taken");
}

TEST_F(PacTool, BadRoomFilesAreNamedWithTheReason)
{
    const RunResult missing = Run({"info", W("missing.pac")});
    EXPECT_EQ(missing.exitCode, 1);
    ExpectOneErrorLine(missing, "missing.pac: cannot open the file");

    WriteBytes(W("short.pac"), std::vector<uint8_t>(199999, 0));
    const RunResult shortFile = Run({"info", W("short.pac")});
    EXPECT_EQ(shortFile.exitCode, 1);
    ExpectOneErrorLine(shortFile, "short.pac: the room file is 199999 bytes long");

    std::vector<uint8_t> broken = ExpectedDefaultRoom();
    broken[1060] = 'X';
    WriteBytes(W("broken.pac"), broken);
    const RunResult bad = Run({"extract", W("broken.pac"), W("out")});
    EXPECT_EQ(bad.exitCode, 1);
    ExpectOneErrorLine(bad, "broken.pac: slot 0 (WinDayImage): not a usable BMP picture");
    EXPECT_FALSE(fs::exists(W("out")));
}

TEST_F(PacTool, DefaultExtractPackGivesBackTheSameBytes)
{
    ASSERT_EQ(Run({"default", W("a.pac")}).exitCode, 0);
    const RunResult ex = Run({"extract", W("a.pac"), W("parts")});
    ASSERT_EQ(ex.exitCode, 0) << ex.err;
    for (const char* name : {"00-WinDayImage.bmp", "08-BedImage.bmp", "28-BedMask.bmp", "39-DoorNightMask.bmp",
                             "name.txt", "comment.txt", "copyright.txt"})
        EXPECT_TRUE(fs::exists(work_ / "parts" / name)) << name;
    EXPECT_EQ(std::distance(fs::directory_iterator(work_ / "parts"), fs::directory_iterator{}), 43);
    // A part saved on its own states its colour count.
    EXPECT_EQ(ReadLe32(&ReadBytes(work_ / "parts" / "08-BedImage.bmp")[46]), 256u);
    EXPECT_EQ(ReadLe32(&ReadBytes(work_ / "parts" / "28-BedMask.bmp")[46]), 2u);
    EXPECT_EQ(fs::file_size(work_ / "parts" / "name.txt"), 0u);

    const RunResult pk = Run({"pack", W("parts"), W("b.pac")});
    ASSERT_EQ(pk.exitCode, 0) << pk.err;
    EXPECT_TRUE(pk.err.empty()) << pk.err;
    EXPECT_EQ(ReadBytes(W("b.pac")), ReadBytes(W("a.pac")));
}

TEST_F(PacTool, AFullDiskFailsWithTheReasonAndKeepsTheOldFiles)
{
    velmora::test::SmallDisk disk(64 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << disk.reason();
    ASSERT_EQ(Run({"default", W("a.pac")}).exitCode, 0);
    const std::vector<uint8_t> old(700, 'o');
    WriteBytes(disk.file("00-WinDayImage.bmp"), old);
    WriteBytes(disk.file("b.pac"), old);
    ASSERT_TRUE(disk.fill());

    for (const auto& args : {std::vector<std::string>{"extract", W("a.pac"), disk.file("")},
                             std::vector<std::string>{"default", disk.file("b.pac")}}) {
        const RunResult r = Run(args);
        EXPECT_EQ(r.exitCode, 1) << args[0];
        ExpectOneErrorLine(r, std::string(": cannot write the file: ") + std::strerror(ENOSPC));
    }
    EXPECT_EQ(ReadBytes(disk.file("00-WinDayImage.bmp")), old);
    EXPECT_EQ(ReadBytes(disk.file("b.pac")), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(disk.file("")), fs::directory_iterator{}), 3);
}

TEST_F(PacTool, ADiskThatFillsPartWayFailsWithTheReasonAndKeepsTheOldFile)
{
    velmora::test::SmallDisk disk(64 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << disk.reason();
    const std::vector<uint8_t> old(700, 'o');
    WriteBytes(disk.file("b.pac"), old);
    ASSERT_TRUE(disk.fill(16 * 1024));

    const RunResult r = Run({"default", disk.file("b.pac")});
    EXPECT_EQ(r.exitCode, 1);
    ExpectOneErrorLine(r, "b.pac: cannot write the file: " + std::string(std::strerror(ENOSPC)));
    EXPECT_EQ(ReadBytes(disk.file("b.pac")), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(disk.file("")), fs::directory_iterator{}), 2);
}

TEST_F(PacTool, PackTakesTextsAsRawBytes)
{
    ASSERT_EQ(Run({"default", W("a.pac")}).exitCode, 0);
    ASSERT_EQ(Run({"extract", W("a.pac"), W("parts")}).exitCode, 0);
    const std::string name = "Two\r\nlines";
    WriteBytes(work_ / "parts" / "name.txt", {reinterpret_cast<const uint8_t*>(name.data()), name.size()});
    WriteBytes(work_ / "parts" / "copyright.txt", std::vector<uint8_t>(127, 'c'));
    ASSERT_EQ(Run({"pack", W("parts"), W("b.pac")}).exitCode, 0);
    const Room room = ReadRoomFile(ReadBytes(W("b.pac")));
    EXPECT_EQ(room.texts.name, name);
    EXPECT_EQ(room.texts.copyright, std::string(127, 'c'));
}

TEST_F(PacTool, PackRefusalsNameTheFileAndWriteNothing)
{
    ASSERT_EQ(Run({"default", W("a.pac")}).exitCode, 0);
    ASSERT_EQ(Run({"extract", W("a.pac"), W("parts")}).exitCode, 0);
    WriteBytes(W("old.pac"), std::vector<uint8_t>{1, 2, 3});

    const fs::path bed = work_ / "parts" / "08-BedImage.bmp";
    const std::vector<uint8_t> bedBytes = ReadBytes(bed);
    WriteBytes(bed, EncodeBmp(Bitmap::Make(95, 76, 8, RoomPaletteVector()), ColoursUsedField::Zero));
    RunResult r = Run({"pack", W("parts"), W("old.pac")});
    EXPECT_EQ(r.exitCode, 1);
    ExpectOneErrorLine(r, "08-BedImage.bmp: refused (11): the picture's width or height differs from the slot's size: "
                          "the picture is 95x76; slot 8 (BedImage) takes 96x76");
    EXPECT_EQ(ReadBytes(W("old.pac")), (std::vector<uint8_t>{1, 2, 3}));

    WriteBytes(bed, EncodeBmp(Bitmap::Make(96, 76, 1), ColoursUsedField::Zero));
    r = Run({"pack", W("parts"), W("new.pac")});
    EXPECT_EQ(r.exitCode, 1);
    ExpectOneErrorLine(r, "08-BedImage.bmp: refused (3)");
    EXPECT_FALSE(fs::exists(W("new.pac")));

    // Passes the header check but does not decode.
    std::vector<uint8_t> cut = bedBytes;
    cut.resize(2000);
    WriteBytes(bed, cut);
    r = Run({"pack", W("parts"), W("new.pac")});
    EXPECT_EQ(r.exitCode, 1);
    ExpectOneErrorLine(r, "08-BedImage.bmp: not a usable BMP picture: the pixel data is truncated");
    WriteBytes(bed, bedBytes);

    fs::remove(work_ / "parts" / "33-PostMask.bmp");
    r = Run({"pack", W("parts"), W("new.pac")});
    EXPECT_EQ(r.exitCode, 1);
    ExpectOneErrorLine(r, "33-PostMask.bmp: cannot open the file");

    ASSERT_EQ(Run({"extract", W("a.pac"), W("parts")}).exitCode, 0);
    WriteBytes(work_ / "parts" / "comment.txt", std::vector<uint8_t>(128, 'x'));
    r = Run({"pack", W("parts"), W("new.pac")});
    EXPECT_EQ(r.exitCode, 1);
    ExpectOneErrorLine(r, "comment.txt: the comment is 128 bytes long; a room file holds at most 127");
    EXPECT_FALSE(fs::exists(W("new.pac")));

    r = Run({"pack", W("nowhere"), W("new.pac")});
    EXPECT_EQ(r.exitCode, 1);
    ExpectOneErrorLine(r, "nowhere: no such folder");
}

TEST_F(PacTool, PackTakesAnotherPaletteWithAWarning)
{
    ASSERT_EQ(Run({"default", W("a.pac")}).exitCode, 0);
    ASSERT_EQ(Run({"extract", W("a.pac"), W("parts")}).exitCode, 0);
    Bitmap table = Bitmap::Make(77, 50, 8, TestColours(256));
    table.pixels[0] = 9;
    WriteBytes(work_ / "parts" / "12-TableImage.bmp", EncodeBmp(table, ColoursUsedField::Zero));
    const RunResult r = Run({"pack", W("parts"), W("b.pac")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ExpectOneErrorLine(r, "12-TableImage.bmp: warning: palette differs (6)");
    EXPECT_TRUE(ReadRoomFile(ReadBytes(W("b.pac"))).pictures[12].samePicture(table));
}

TEST_F(PacTool, CheckPrintsTheVerdict)
{
    const fs::path good = work_ / "good.bmp";
    WriteBytes(good, EncodeBmp(Bitmap::Make(96, 76, 8, RoomPaletteVector()), ColoursUsedField::EntriesWritten));
    RunResult r = Run({"check", good.string(), "8"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "accepted\n");
    EXPECT_TRUE(r.err.empty()) << r.err;

    // The same picture as a mask of the bed: 8 bits are taken for masks.
    r = Run({"check", good.string(), "28"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "accepted\n");

    r = Run({"check", good.string(), "9"});
    EXPECT_EQ(r.exitCode, 0);
    r = Run({"check", good.string(), "0"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "refused (11): the picture's width or height differs from the slot's size: the picture is "
                     "96x76; slot 0 (WinDayImage) takes 55x83\n");

    // Another format: the editor's number, and what the file is.
    RgbaPicture bed{96, 76, std::vector<uint8_t>(96 * 76 * 4, 255)};
    WriteBytes(work_ / "bed.png", EncodePng(bed, PngForm::Rgba));
    r = Run({"check", W("bed.png"), "8"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "refused (11): not a BMP picture but a PNG one\n");
    r = Run({"check", W("bed.png"), "12"});
    EXPECT_EQ(r.out, "refused (11): not a BMP picture but a PNG one of 96x76; slot 12 (TableImage) takes 77x50\n");

    const fs::path odd = work_ / "odd.bmp";
    WriteBytes(odd, EncodeBmp(Bitmap::Make(96, 76, 8, TestColours(256)), ColoursUsedField::Zero));
    r = Run({"check", odd.string(), "8"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "palette differs (6): the picture's colour table differs from the standard palette\n");

    const fs::path deep = work_ / "deep.bmp";
    WriteBytes(deep, EncodeBmp(Bitmap::Make(96, 76, 24), ColoursUsedField::Zero));
    r = Run({"check", deep.string(), "28"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out.rfind("refused (7): ", 0), 0u) << r.out;

    r = Run({"check", W("none.bmp"), "8"});
    EXPECT_EQ(r.exitCode, 1);
    ExpectOneErrorLine(r, "none.bmp: cannot open the file");
}

TEST_F(PacTool, ProgramFolderWithoutDataFiles)
{
    // A copy of the tool in a folder of its own has no template and no palette.
    const fs::path bare = work_ / "bare";
    fs::create_directories(bare);
    const fs::path front = fs::path(VELMORA_PAC_EXE).filename();
    fs::copy_file(VELMORA_PAC_EXE, bare / front);
    if (fs::exists(FullToolExe()))  // Windows has no front: velmora-pac is the full tool
        fs::copy_file(FullToolExe(), bare / fs::path(FullToolExe()).filename());
    const std::string exe = (bare / front).string();

    RunResult r = Run({"default", W("room.pac")}, exe);
    EXPECT_EQ(r.exitCode, 1);
    ExpectOneErrorLine(r, "VelmHead.dat: cannot open the file");
    EXPECT_FALSE(fs::exists(W("room.pac")));

    const fs::path good = work_ / "good.bmp";
    WriteBytes(good, EncodeBmp(Bitmap::Make(96, 76, 8, TestColours(256)), ColoursUsedField::Zero));
    r = Run({"check", good.string(), "8"}, exe);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "accepted\n");
    ExpectOneErrorLine(r, "Velmpl.dat: warning: cannot open the standard palette file");

    // A template of the wrong length is refused, naming it.
    WriteBytes(bare / "VelmHead.dat", std::vector<uint8_t>(1000, 0));
    r = Run({"default", W("room.pac")}, exe);
    EXPECT_EQ(r.exitCode, 1);
    ExpectOneErrorLine(r, "VelmHead.dat: the header template is 1000 bytes long, not 1056");
}

TEST_F(PacTool, WithoutTheFullToolOnlyAPlainRenderWorks)
{
    if (!fs::exists(FullToolExe()))
        GTEST_SKIP() << "velmora-pac is the full tool here";
    ASSERT_EQ(Run({"default", W("room.pac")}).exitCode, 0);
    const fs::path alone = work_ / "alone";
    fs::create_directories(alone);
    fs::copy_file(VELMORA_PAC_EXE, alone / "velmora-pac");
    const std::string exe = (alone / "velmora-pac").string();

    EXPECT_EQ(Run({"render", W("room.pac"), W("a.bmp")}, exe).exitCode, 0);
    const RunResult r = Run({"info", W("room.pac")}, exe);
    EXPECT_EQ(r.exitCode, 1);
    ExpectOneErrorLine(r, "cannot start " + (alone / "velmora-pac-qt").string());
}

TEST_F(PacTool, RenderComposesAndExportsByFormatOrExtension)
{
    ASSERT_EQ(Run({"default", W("room.pac")}).exitCode, 0);

    // The format comes from --format over the extension, else from the extension.
    const std::vector<std::pair<std::vector<std::string>, bool>> cases = {
        {{"render", W("room.pac"), W("a.bmp")}, false},
        {{"render", W("room.pac"), W("b.JPG"), "--night", "--door", "half", "--letters"}, true},
        {{"render", W("room.pac"), W("c.jpeg"), "--tbox", "open", "--bed", "sleeping"}, true},
        {{"render", W("room.pac"), W("d.jpg"), "--format", "bmp"}, false},
        {{"render", W("room.pac"), W("e.out"), "--format", "jpg"}, true},
    };
    for (const auto& [args, jpeg] : cases) {
        const RunResult r = Run(args);
        ASSERT_EQ(r.exitCode, 0) << args[2] << r.err;
        const std::vector<uint8_t> file = ReadBytes(args[2]);
        // The front renders these itself; the full tool must give the same bytes.
        std::vector<std::string> full = args;
        full[2] = fs::path(args[2]).replace_filename("full-" + fs::path(args[2]).filename().string()).string();
        // Windows has no front: velmora-pac is the full tool.
        ASSERT_EQ(Run(full, fs::exists(FullToolExe()) ? FullToolExe() : VELMORA_PAC_EXE).exitCode, 0);
        EXPECT_EQ(ReadBytes(full[2]), file) << args[2];
        ASSERT_GE(file.size(), 2u);
        if (jpeg) {
            EXPECT_EQ(file[0], 0xFF);
            EXPECT_EQ(file[1], 0xD8);
        } else {
            EXPECT_EQ(file.size(), 77878u);
            EXPECT_EQ(file[0], 'B');
        }
    }

    // The letters change the picture; the default state is daytime, all closed.
    ASSERT_EQ(Run({"render", W("room.pac"), W("plain.bmp")}).exitCode, 0);
    ASSERT_EQ(Run({"render", W("room.pac"), W("letters.bmp"), "--letters"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(W("plain.bmp")), ReadBytes(W("a.bmp")));
    EXPECT_NE(ReadBytes(W("plain.bmp")), ReadBytes(W("letters.bmp")));
}

// The front renders only what it takes exactly as the full tool would; for
// anything else the answer, file and exit code are the full tool's own.
TEST_F(PacTool, TheFrontAnswersAsTheFullToolDoes)
{
    if (!fs::exists(FullToolExe()))
        GTEST_SKIP() << "velmora-pac is the full tool here";
    ASSERT_EQ(Run({"default", W("room.pac")}).exitCode, 0);
    const std::string room = W("room.pac"), out = W("out.bmp");
    const std::vector<std::vector<std::string>> cases = {
        {"render", room, out, "--door=half", "--night"},  // taken by the front
        {"render", room, W("out.x"), "--format", "png"},  // a format the front does not write
        {"render", room, out, "extra"},
        {"render", room, out, "--night=yes"},
        {"render", room, out, "--door"},
        {"render", room, out, "--bed", "made"},
        {"render", room, out, "--frobnicate"},
        {"render", room, out, "-o", W("x.pac")},
        {"render", room},
    };
    for (const std::vector<std::string>& args : cases) {
        const std::string written = args.size() > 2 ? args[2] : out;
        RunResult answers[2];
        std::vector<uint8_t> files[2];
        for (int full = 0; full < 2; ++full) {
            fs::remove(written);
            answers[full] = Run(args, full ? FullToolExe() : VELMORA_PAC_EXE);
            if (fs::exists(written))
                files[full] = ReadBytes(written);
        }
        const std::string name = args.back();
        EXPECT_EQ(answers[0].exitCode, answers[1].exitCode) << name;
        EXPECT_EQ(answers[0].err, answers[1].err) << name;
        EXPECT_EQ(files[0], files[1]) << name;
    }
}

TEST_F(PacTool, RenderRefusesUnknownFormatsAndStates)
{
    ASSERT_EQ(Run({"default", W("room.pac")}).exitCode, 0);
    const std::vector<std::pair<std::vector<std::string>, std::string>> usage = {
        {{"render", W("room.pac"), W("x.gif")}, "cannot tell the format"},
        {{"render", W("room.pac"), W("x.bmp"), "--format", "gif"}, "--format takes jpg, bmp or png"},
        {{"render", W("room.pac"), W("x.bmp"), "--door", "ajar"}, "--door takes closed, half, open"},
        {{"render", W("room.pac"), W("x.bmp"), "--bed", "made"}, "--bed takes default, sleeping"},
        {{"info", W("room.pac"), "--night"}, "--night belongs to render"},
    };
    for (const auto& [args, message] : usage) {
        const RunResult r = Run(args);
        EXPECT_EQ(r.exitCode, 2) << message;
        ExpectOneErrorLine(r, message);
        EXPECT_FALSE(fs::exists(W("x.bmp")));
    }
    const RunResult missing = Run({"render", W("nothing.pac"), W("x.bmp")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(fs::exists(W("x.bmp")));
}

TEST_F(PacTool, LintExitsWithOneOnFindings)
{
    ASSERT_EQ(Run({"default", W("room.pac")}).exitCode, 0);
    const RunResult clean = Run({"lint", W("room.pac")});
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_TRUE(clean.out.empty());

    RoomPictures pictures = DefaultRoomPictures();
    pictures[35] = pictures[15];  // an 8-bit bath mask, black (drawn) everywhere
    pictures[35].pixels.assign(pictures[35].pixels.size(), 255);
    WriteBytes(W("bad.pac"), WriteRoomFile(ReadBytes(VELMORA_PROGRAM_DIR "/VelmHead.dat"), {}, pictures));
    const RunResult bad = Run({"lint", W("bad.pac")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.out, "35 BathMask: the mask has 8 bits per pixel, not 1\n");
}

TEST_F(PacTool, ExportWritesTheFormatTheNameAsksFor)
{
    ASSERT_EQ(Run({"default", W("room.pac")}).exitCode, 0);
    ASSERT_EQ(Run({"extract", W("room.pac"), W("parts")}).exitCode, 0);
    ASSERT_EQ(Run({"export", W("room.pac"), "8", W("bed.JPG")}).exitCode, 0);
    const std::vector<uint8_t> jpeg = ReadBytes(W("bed.JPG"));
    ASSERT_GE(jpeg.size(), 2u);
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);
    // A BMP is the slot's own, as extract writes it, part and mask.
    for (const char* slot : {"8", "28"}) {
        ASSERT_EQ(Run({"export", W("room.pac"), slot, W("slot.bmp")}).exitCode, 0);
        const std::string name = std::string(slot) == "8" ? "08-BedImage.bmp" : "28-BedMask.bmp";
        EXPECT_EQ(ReadBytes(W("slot.bmp")), ReadBytes(work_ / "parts" / name)) << slot;
    }

    for (const char* name : {"bed.webp", "bed"}) {
        const RunResult r = Run({"export", W("room.pac"), "8", W(name)});
        EXPECT_EQ(r.exitCode, 2) << name;
        ExpectOneErrorLine(r, "export writes .png, .bmp, .jpg or .jpeg files; cannot write");
        EXPECT_FALSE(fs::exists(W(name)));
    }
}

// Pictures with transparency in and out.
TEST_F(PacTool, ImportExportPicturesWithTransparency)
{
    ASSERT_EQ(Run({"default", W("room.pac")}).exitCode, 0);
    const std::vector<uint8_t> original = ReadBytes(W("room.pac"));

    // Export then import gives back the room byte for byte, part and mask
    // (the letter's black border is see-through).
    ASSERT_EQ(Run({"export", W("room.pac"), "16", W("letter.png")}).exitCode, 0);
    ASSERT_EQ(Run({"export", W("room.pac"), "36", W("lettermask.png")}).exitCode, 0);
    const Result<RgbaPicture> letter = DecodePicture(ReadBytes(W("letter.png")));
    ASSERT_TRUE(letter.ok()) << letter.failure().reason.toStdString();
    const PartSize size = PartSlotTable::RequiredSize(slot::Letter1Image);
    EXPECT_EQ(letter->width, size.width);
    int seeThrough = 0;
    for (size_t i = 3; i < letter->pixels.size(); i += 4)
        seeThrough += letter->pixels[i] == 0 ? 1 : letter->pixels[i] == 255 ? 0 : 1000;
    EXPECT_GT(seeThrough, 0);
    EXPECT_LT(seeThrough, size.width * size.height);
    const RunResult in = Run({"import", W("room.pac"), "16", W("letter.png"), "-o", W("again.pac")});
    ASSERT_EQ(in.exitCode, 0) << in.err;
    EXPECT_EQ(ReadBytes(W("again.pac")), original);
    ASSERT_EQ(Run({"import", W("again.pac"), "36", W("lettermask.png")}).exitCode, 0);
    EXPECT_EQ(ReadBytes(W("again.pac")), original);

    // A red table, its left column see-through: into the room itself without -o.
    RgbaPicture table{77, 50, {}};
    for (int i = 0; i < 77 * 50; ++i)
        table.pixels.insert(table.pixels.end(), {200, 0, 0, uint8_t(i % 77 == 0 ? 0 : 255)});
    WriteBytes(W("table.png"), EncodePng(table, PngForm::Rgba));
    const RunResult t = Run({"import", W("room.pac"), "12", W("table.png")});
    ASSERT_EQ(t.exitCode, 0) << t.err;
    const Room room = ReadRoomFile(ReadBytes(W("room.pac")));
    EXPECT_EQ(room.pictures[slot::TableImage].index(0, 0), kBlackIndex);
    EXPECT_EQ(room.pictures[slot::TableImage].index(1, 0), NearestRoomIndex(RgbQuad{0, 0, 200, 0}));
    EXPECT_EQ(room.pictures[slot::TableMask].colourAt(0, 5), (RgbQuad{255, 255, 255, 0}));
    EXPECT_EQ(room.pictures[slot::TableMask].colourAt(1, 5), (RgbQuad{0, 0, 0, 0}));
}

TEST_F(PacTool, ImportRefusalsNameTheFileAndWriteNothing)
{
    ASSERT_EQ(Run({"default", W("room.pac")}).exitCode, 0);
    const std::vector<uint8_t> original = ReadBytes(W("room.pac"));
    RgbaPicture small{10, 10, std::vector<uint8_t>(400, 255)};
    WriteBytes(W("small.png"), EncodePng(small, PngForm::Rgba));
    const std::vector<uint8_t> junk = {0x89, 'P', 'N', 'G', 1, 2, 3};
    WriteBytes(W("junk.png"), junk);
    std::vector<uint8_t> truncated = ReadBytes(W("small.png"));
    truncated.resize(truncated.size() / 2);
    WriteBytes(W("cut.png"), truncated);

    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"import", W("room.pac"), "8", W("small.png")}, "small.png: the picture is 10x10; slot 8 (BedImage) takes 96x76"},
        {{"import", W("room.pac"), "8", W("junk.png")}, "junk.png: the picture cannot be read"},
        {{"import", W("room.pac"), "8", W("cut.png")}, "cut.png: the picture cannot be read"},
        {{"import", W("room.pac"), "8", W("missing.png")}, "missing.png: cannot read the file"},
        {{"import", W("small.png"), "8", W("small.png")}, "small.png: the room file is"},
    };
    for (const auto& [args, message] : cases) {
        const RunResult r = Run(args);
        EXPECT_EQ(r.exitCode, 1) << message;
        ExpectOneErrorLine(r, message);
    }
    EXPECT_EQ(ReadBytes(W("room.pac")), original);
    EXPECT_EQ(Run({"import", W("room.pac"), "40", W("small.png")}).exitCode, 2);

    // The bed's size turned on its side: as many pixels, still the wrong size.
    RgbaPicture side{76, 96, std::vector<uint8_t>(76 * 96 * 4, 255)};
    WriteBytes(W("side.png"), EncodePng(side, PngForm::Rgba));
    const RunResult r = Run({"import", W("room.pac"), "8", W("side.png")});
    EXPECT_EQ(r.exitCode, 1);
    ExpectOneErrorLine(r, "side.png: the picture is 76x96; slot 8 (BedImage) takes 96x76");
    EXPECT_EQ(ReadBytes(W("room.pac")), original);
    EXPECT_EQ(Run({"info", W("room.pac"), "-o", W("x.pac")}).exitCode, 2);
}

TEST_F(PacTool, ImportFitsDithersAndJudgesAlphaAsAskedAndRefusesOtherValues)
{
    ASSERT_EQ(Run({"default", W("room.pac")}).exitCode, 0);
    const std::vector<uint8_t> original = ReadBytes(W("room.pac"));
    // A 60x20 gradient, its alpha falling from left to right, for the 25x16 letter.
    RgbaPicture wide{60, 20, {}};
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            wide.pixels.insert(wide.pixels.end(), {uint8_t(x * 4), uint8_t(100 + y * 5), 90, uint8_t(255 - x * 4)});
    WriteBytes(W("wide.png"), EncodePng(wide, PngForm::Rgba));

    struct Case {
        std::vector<std::string> options;
        ImportChoices choices;
    };
    const Case cases[] = {
        {{"--fit", "contain", "--dither", "fs", "--alpha", "0"}, {Fitting::Contain, Dithering::FloydSteinberg, 0}},
        {{"--fit", "cover", "--dither", "ordered", "--alpha", "255"}, {Fitting::Cover, Dithering::Ordered, 255}},
        {{"--fit", "crop", "--alpha", "200"}, {Fitting::Crop, Dithering::None, 200}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"import", W("room.pac"), "16", W("wide.png"), "-o", W("out.pac")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const RunResult r = Run(args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const SlotConversion expected = ConvertToSlot(wide, slot::Letter1Image, c.choices);
        const Room room = ReadRoomFile(ReadBytes(W("out.pac")));
        EXPECT_TRUE(room.pictures[slot::Letter1Image].samePicture(expected.picture)) << c.options[1];
        ASSERT_TRUE(expected.mask) << c.options[1];
        EXPECT_TRUE(room.pictures[slot::Letter1Mask].samePicture(*expected.mask)) << c.options[1];
    }

    const std::vector<std::pair<std::vector<std::string>, std::string>> wrong = {
        {{"--fit", "stretch"}, "--fit takes exact, contain, cover, crop, not \"stretch\""},
        {{"--dither", "FS"}, "--dither takes none, fs, ordered, not \"FS\""},
        {{"--alpha", "256"}, "--alpha takes a number from 0 to 255, not \"256\""},
        {{"--alpha", "-1"}, "--alpha takes a number from 0 to 255, not \"-1\""},
        {{"--alpha", "half"}, "--alpha takes a number from 0 to 255, not \"half\""},
    };
    for (const auto& [options, message] : wrong) {
        std::vector<std::string> args = {"import", W("room.pac"), "16", W("wide.png")};
        args.insert(args.end(), options.begin(), options.end());
        const RunResult r = Run(args);
        EXPECT_EQ(r.exitCode, 2) << message;
        ExpectOneErrorLine(r, message);
    }
    ExpectOneErrorLine(Run({"export", W("room.pac"), "16", W("x.png"), "--dither", "fs"}), "--dither belongs to import");
    EXPECT_EQ(ReadBytes(W("room.pac")), original);
    const RunResult help = Run({"--help"});
    for (const char* word : {"--fit contain", "--fit cover", "--fit crop", "--dither fs", "--dither ordered",
                             "--alpha N", "0 ignores the picture's alpha"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
}

TEST_F(PacTool, ExtractPngAndPackTakeTransparencyAndRenderPngMatchesBmp)
{
    ASSERT_EQ(Run({"default", W("room.pac")}).exitCode, 0);
    const RunResult ex = Run({"extract", "--png", W("room.pac"), W("parts")});
    ASSERT_EQ(ex.exitCode, 0) << ex.err;
    EXPECT_TRUE(fs::exists(work_ / "parts" / "08-BedImage.png"));
    EXPECT_FALSE(fs::exists(work_ / "parts" / "08-BedImage.bmp"));
    EXPECT_FALSE(fs::exists(work_ / "parts" / "28-BedMask.bmp"));
    EXPECT_EQ(std::distance(fs::directory_iterator(work_ / "parts"), fs::directory_iterator{}), 23);
    const RunResult pk = Run({"pack", W("parts"), W("back.pac")});
    ASSERT_EQ(pk.exitCode, 0) << pk.err;
    EXPECT_EQ(ReadBytes(W("back.pac")), ReadBytes(W("room.pac")));

    ASSERT_EQ(Run({"render", W("room.pac"), W("room.png"), "--letters"}).exitCode, 0);
    ASSERT_EQ(Run({"render", W("room.pac"), W("room.bmp"), "--letters"}).exitCode, 0);
    ASSERT_EQ(Run({"render", W("room.pac"), W("room.out"), "--format", "png"}).exitCode, 0);
    const Result<RgbaPicture> png = DecodePicture(ReadBytes(W("room.png")));
    ASSERT_TRUE(png.ok());
    EXPECT_EQ(png->pixels, BitmapToRgba(DecodeBmp(ReadBytes(W("room.bmp")))).pixels);
}

TEST_F(PacTool, ThumbnailFitsTheSizeKeepingTheRoomsShape)
{
    ASSERT_EQ(Run({"default", W("room.pac")}).exitCode, 0);
    // The PNG's width and height, from its header chunk.
    auto pngSize = [](const std::vector<uint8_t>& png) {
        EXPECT_GE(png.size(), 24u);
        EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
        return std::pair{int(png[16]) << 24 | int(png[17]) << 16 | int(png[18]) << 8 | png[19],
                         int(png[20]) << 24 | int(png[21]) << 16 | int(png[22]) << 8 | png[23]};
    };
    const std::vector<std::pair<std::vector<std::string>, std::pair<int, int>>> cases = {
        {{}, {128, 96}}, {{"--size", "256"}, {256, 192}}, {{"--size", "100"}, {100, 75}}, {{"--size", "1"}, {1, 1}}};
    for (const auto& [options, size] : cases) {
        std::vector<std::string> args = {"thumbnail", W("room.pac"), W("t.png")};
        args.insert(args.end(), options.begin(), options.end());
        const RunResult r = Run(args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(pngSize(ReadBytes(W("t.png"))), size);
    }
    for (const char* bad : {"0", "4097", "big"}) {
        const RunResult r = Run({"thumbnail", W("room.pac"), W("x.png"), "--size", bad});
        EXPECT_EQ(r.exitCode, 2);
        ExpectOneErrorLine(r, "--size takes a number of pixels from 1 to 4096");
    }
    ExpectOneErrorLine(Run({"render", W("room.pac"), W("x.bmp"), "--size", "5"}), "--size belongs to thumbnail");
    const RunResult missing = Run({"thumbnail", W("nothing.pac"), W("x.png")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(fs::exists(W("x.png")));
}

namespace {

// A room whose door states differ: each door part in its own colour.
void WriteRoomWithDoors(const std::string& path)
{
    RoomPictures pictures = DefaultRoomPictures();
    for (int part : {slot::DoorCloseImage, slot::DoorHalfImage, slot::DoorOpenImage}) {
        Bitmap& door = pictures[size_t(part)];
        door = Bitmap::Make(door.width, door.height, 8, RoomPaletteVector());
        // Speckled, so that the files are larger than a nearly full disk takes.
        std::minstd_rand speckle{unsigned(part)};
        for (uint8_t& p : door.pixels)
            p = speckle() % 4 == 0 ? uint8_t(speckle() % 256) : uint8_t(20 + 40 * (part - slot::DoorCloseImage));
        Bitmap& mask = pictures[size_t(part + 20)];
        mask.pixels.assign(mask.pixels.size(), mask.colours[0] == RgbQuad{} ? 0 : 1);  // black: drawn
    }
    WriteBytes(path, WriteRoomFile(ReadBytes(VELMORA_PROGRAM_DIR "/VelmHead.dat"), {}, pictures));
}

// Whether the RGBA picture's rectangle at (x0, y0) shows the BMP render, pixel for pixel.
bool ShowsRender(const RgbaPicture& picture, int x0, int y0, const std::vector<uint8_t>& bmp)
{
    const Bitmap render = DecodeBmp(bmp);
    for (int y = 0; y < render.height; ++y)
        for (int x = 0; x < render.width; ++x) {
            const RgbQuad c = render.colourAt(x, y);
            const uint8_t* p = &picture.pixels[(size_t(y0 + y) * picture.width + x0 + x) * 4];
            if (p[0] != c.red || p[1] != c.green || p[2] != c.blue)
                return false;
        }
    return true;
}

}  // namespace

TEST_F(PacTool, AnimateAndSheetNameTheWrongValueAndWriteNothing)
{
    ASSERT_EQ(Run({"default", W("room.pac")}).exitCode, 0);
    const std::string room = W("room.pac"), gif = W("a.gif");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"animate", room, gif}, "animate needs --sequence"},
        {{"animate", room, gif, "--sequence", "door,window"}, "--sequence takes door, time, tbox, bed or letters, not \"window\""},
        {{"animate", room, gif, "--sequence", "door", "--scale", "9"}, "--scale takes a whole number from 1 to 8, not \"9\""},
        {{"animate", room, gif, "--sequence", "door", "--scale", "2.5"}, "not \"2.5\""},
        {{"animate", room, gif, "--sequence", "door", "--delay", "0"}, "--delay takes milliseconds from 10 to 60000, not \"0\""},
        {{"animate", room, gif, "--sequence", "door", "--loop", "-1"}, "--loop takes a number of plays from 0 to 65535, not \"-1\""},
        {{"animate", room, gif, "--sequence", "door", "--door", "ajar"}, "--door takes closed, half, open, not \"ajar\""},
        {{"animate", room, W("a.bmp"), "--sequence", "door"}, "name it .gif, .png or .webp"},
        {{"animate", room, gif, "--sequence", "door", "--format", "bmp"}, "--format belongs to render"},
        {{"animate", room, gif, "--sequence", "door", "--columns", "3"}, "--columns belongs to sheet"},
        {{"sheet", room, W("s.png"), "--columns", "0"}, "--columns takes a number of tiles from 1 to 48, not \"0\""},
        {{"sheet", room, W("s.png"), "--gap", "x"}, "--gap takes pixels from 0 to 256, not \"x\""},
        {{"sheet", room, W("s.gif")}, "the sheet is a PNG"},
        {{"sheet", room, W("s.png"), "--pingpong"}, "--pingpong belongs to animate"},
        {{"sheet", room, W("s.png"), "--scale", "8", "--columns", "1"}, "take a smaller --scale"},
        {{"render", room, W("r.bmp"), "--sequence", "door"}, "--sequence belongs to animate"},
    };
    for (const auto& [args, message] : cases) {
        const RunResult r = Run(args);
        EXPECT_EQ(r.exitCode, 2) << message;
        ExpectOneErrorLine(r, message);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(work_), fs::directory_iterator{}), 1);  // the room alone
}

TEST_F(PacTool, AnimateWritesEachFormatAndTheSheetItsTiles)
{
    const std::string room = W("room.pac");
    WriteRoomWithDoors(room);
    for (const char* name : {"door.gif", "door.png", "door.webp"}) {
        const RunResult r = Run({"animate", room, W(name), "--sequence", "door", "--door", "half", "--pingpong",
                                 "--scale", "2", "--loop", "3"});
        ASSERT_EQ(r.exitCode, 0) << name << r.err;
    }
    EXPECT_EQ(ReadText(W("door.gif")).substr(0, 6), "GIF89a");
    const std::string webp = ReadText(W("door.webp"));
    EXPECT_EQ(webp.substr(0, 4) + webp.substr(8, 4), "RIFFWEBP");
    EXPECT_NE(webp.find("ANIM"), std::string::npos);
    // A viewer without APNG shows the first frame: the door closed (the
    // sequence's start, whatever --door says), enlarged.
    ASSERT_EQ(Run({"render", room, W("closed.bmp"), "--door", "closed"}).exitCode, 0);
    const Result<RgbaPicture> still = ReadPictureFile(QString::fromStdString(W("door.png")));
    ASSERT_TRUE(still);
    ASSERT_EQ(still.value().width, 640);
    RgbaPicture halved{320, 240, std::vector<uint8_t>(320 * 240 * 4)};
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            std::memcpy(&halved.pixels[(size_t(y) * 320 + x) * 4],
                        &still.value().pixels[(size_t(2 * y) * 640 + 2 * x) * 4], 4);
    EXPECT_TRUE(ShowsRender(halved, 0, 0, ReadBytes(W("closed.bmp"))));

    // The sheet: tile i at column i mod 5, row i div 5, 3 pixels apart.
    ASSERT_EQ(Run({"sheet", room, W("sheet.png"), "--columns", "5", "--gap", "3"}).exitCode, 0);
    const Result<RgbaPicture> sheet = ReadPictureFile(QString::fromStdString(W("sheet.png")));
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet.value().width, 5 * 320 + 6 * 3);
    EXPECT_EQ(sheet.value().height, 10 * 240 + 11 * 3);
    ASSERT_EQ(Run({"render", room, W("s13.bmp"), "--door", "half", "--tbox", "open", "--letters"}).exitCode, 0);
    ASSERT_EQ(Run({"render", room, W("s47.bmp"), "--night", "--door", "open", "--tbox", "open", "--bed", "sleeping",
                   "--letters"}).exitCode, 0);
    EXPECT_TRUE(ShowsRender(sheet.value(), 3 + 3 * 323, 3 + 2 * 243, ReadBytes(W("s13.bmp"))));
    EXPECT_TRUE(ShowsRender(sheet.value(), 3 + 2 * 323, 3 + 9 * 243, ReadBytes(W("s47.bmp"))));

    // Names under the tiles, the tiles untouched.
    ASSERT_EQ(Run({"sheet", room, W("named.png"), "--columns", "5", "--gap", "3", "--labels", "--language", "ja"})
                  .exitCode, 0);
    const Result<RgbaPicture> named = ReadPictureFile(QString::fromStdString(W("named.png")));
    ASSERT_TRUE(named);
    EXPECT_GT(named.value().height, sheet.value().height);
    EXPECT_TRUE(ShowsRender(named.value(), 3, 3, ReadBytes(W("closed.bmp"))));
    int black = 0;
    for (int y = 243; y < 243 + 30; ++y)
        for (int x = 3; x < 323; ++x)
            black += named.value().pixels[(size_t(y) * named.value().width + x) * 4] == 0;
    EXPECT_GT(black, 40);
}

TEST_F(PacTool, AnimateOnAFullDiskSaysWhyAndKeepsTheOldFile)
{
    velmora::test::SmallDisk disk(64 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << disk.reason();
    const std::string room = W("room.pac");
    WriteRoomWithDoors(room);
    const std::vector<uint8_t> old(700, 'o');
    WriteBytes(disk.file("door.webp"), old);
    ASSERT_TRUE(disk.fill(8 * 1024));
    const RunResult r = Run({"animate", room, disk.file("door.webp"), "--sequence", "door", "--scale", "4"});
    EXPECT_EQ(r.exitCode, 1);
    ExpectOneErrorLine(r, "door.webp: cannot write the file: " + std::string(std::strerror(ENOSPC)));
    EXPECT_EQ(ReadBytes(disk.file("door.webp")), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(disk.file("")), fs::directory_iterator{}), 2);
}

TEST_F(PacTool, LayeredPicturesOutAndBackGiveTheRoomAgain)
{
    ASSERT_EQ(Run({"default", W("room.pac")}).exitCode, 0);
    for (const char* name : {"room.ora", "room.aseprite"}) {
        const RunResult out = Run({"export-layers", W("room.pac"), W(name)});
        ASSERT_EQ(out.exitCode, 0) << out.err;
        const RunResult in = Run({"import-layers", W("room.pac"), W(name), "-o", W("back.pac"), "--dither", "fs"});
        ASSERT_EQ(in.exitCode, 0) << in.err;
        EXPECT_EQ(in.err, "");
        // Byte for byte but for the bubble's undrawn columns, which take their left neighbours.
        const Room before = ReadRoomFile(ReadBytes(W("room.pac")));
        const Room after = ReadRoomFile(ReadBytes(W("back.pac")));
        for (int s = 0; s < PartSlotTable::kSlotCount; ++s) {
            if (PartSlotTable::PartOf(s) != slot::BubbleImage) {
                EXPECT_TRUE(after.pictures[size_t(s)].samePicture(before.pictures[size_t(s)])) << name << " " << s;
            }
        }
        EXPECT_EQ(after.bmpLengths, before.bmpLengths);
    }
    // The merged image is what render writes for the default state.
    ASSERT_EQ(Run({"render", W("room.pac"), W("render.png")}).exitCode, 0);
    const std::vector<uint8_t> oraBytes = ReadBytes(W("room.ora"));
    ZipReader ora(oraBytes, 64);
    EXPECT_EQ(ora.read(ora.find("mergedimage.png"), 1 << 20), ReadBytes(W("render.png")));

    // A room of noise that lint finds clean keeps every part and drawn mask.
    const RoomPictures noise = test::CleanNoiseRoom(11);
    WriteBytes(W("noise.pac"), WriteRoomFile(ReadBytes(VELMORA_PROGRAM_DIR "/VelmHead.dat"), {}, noise));
    ASSERT_EQ(Run({"lint", W("noise.pac")}).exitCode, 0);
    ASSERT_EQ(Run({"export-layers", W("noise.pac"), W("noise.ora")}).exitCode, 0);
    ASSERT_EQ(Run({"import-layers", W("room.pac"), W("noise.ora"), "-o", W("noise-back.pac")}).exitCode, 0);
    const Room back = ReadRoomFile(ReadBytes(W("noise-back.pac")));
    for (int s = 0; s < PartSlotTable::kSlotCount; ++s) {
        if (PartSlotTable::PartOf(s) != slot::BubbleImage && s != slot::WinNightMask && s != slot::DoorNightMask) {
            EXPECT_TRUE(back.pictures[size_t(s)].samePicture(noise[size_t(s)])) << s;
        }
    }
    EXPECT_EQ(Run({"lint", W("noise-back.pac")}).exitCode, 0);
}

TEST_F(PacTool, LayeredPicturesRefusedWarnedAndWrongUsage)
{
    ASSERT_EQ(Run({"default", W("room.pac")}).exitCode, 0);
    const std::vector<uint8_t> room = ReadBytes(W("room.pac"));
    ASSERT_EQ(Run({"export-layers", W("room.pac"), W("room.ora")}).exitCode, 0);

    // A cut file: one line, nothing written, the room as it was.
    std::vector<uint8_t> ora = ReadBytes(W("room.ora"));
    ora.resize(ora.size() - 100);
    WriteBytes(W("cut.ora"), ora);
    RunResult r = Run({"import-layers", W("room.pac"), W("cut.ora")});
    EXPECT_EQ(r.exitCode, 1);
    ExpectOneErrorLine(r, "cut.ora: not a whole zip archive");
    EXPECT_EQ(ReadBytes(W("room.pac")), room);

    // A layer that names no part is told and left out.
    const std::string stack = "<image w=\"320\" h=\"240\"><stack><layer name=\"Sketch\" src=\"a.png\"/>"
                              "<layer name=\"tableimage\" src=\"a.png\" x=\"142\" y=\"129\"/></stack></image>";
    const std::vector<uint8_t> png = EncodePng(RgbaPicture{1, 1, {255, 0, 0, 255}}, PngForm::Rgba);
    WriteBytes(W("sketch.ora"), WriteZip({{"mimetype", {'i', 'm', 'a', 'g', 'e', '/', 'o', 'p', 'e', 'n', 'r', 'a', 's',
                                                         't', 'e', 'r'}, true},
                                          {"stack.xml", std::vector<uint8_t>(stack.begin(), stack.end())},
                                          {"a.png", png}}));
    r = Run({"import-layers", W("room.pac"), W("sketch.ora"), "-o", W("out.pac")});
    EXPECT_EQ(r.exitCode, 0);
    ExpectOneErrorLine(r, "sketch.ora: warning: layer \"Sketch\" names no part: left out");
    EXPECT_NE(ReadRoomFile(ReadBytes(W("out.pac"))).pictures[slot::TableImage].index(0, 0),
              ReadRoomFile(room).pictures[slot::TableImage].index(0, 0));

    r = Run({"import-layers", W("room.pac"), W("room.ora"), "--fit", "cover"});
    EXPECT_EQ(r.exitCode, 2);
    ExpectOneErrorLine(r, "--fit belongs to import");
    r = Run({"export-layers", W("room.pac"), W("room.psd")});
    EXPECT_EQ(r.exitCode, 2);
    ExpectOneErrorLine(r, "name it .ora, .aseprite or .ase");
    EXPECT_FALSE(fs::exists(W("room.psd")));
}
