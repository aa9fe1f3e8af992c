// The recovery file's reader: what the writer wrote comes back whole, and a
// damaged file of any kind is refused with its reason, never misread.
#include "common/recovery_file.h"

#include "picture_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace velmora;

namespace {

// A room of 8x8 pictures: its room file is far shorter than an opened one.
RecoveryContents SmallRoom()
{
    RecoveryContents contents;
    contents.roomPath = QStringLiteral("r.pac");
    for (size_t s = 0; s < contents.pictures.size(); ++s) {
        contents.pictures[s] = s >= 20 ? test::Mask(8, 8, s % 2 == 1) : test::Filled(8, 8, uint8_t(s));
        contents.pictures[s].setIndex(1, 2, s >= 20 ? 0 : 200);
    }
    contents.texts[0] = {"old", QStringLiteral("new \u90e8\u5c4b\n2"), true};
    contents.texts[1] = {"kept", QStringLiteral("kept"), false};
    contents.texts[2] = {};
    return contents;
}

std::vector<uint8_t> Bytes(const QByteArray& data)
{
    return std::vector<uint8_t>(data.begin(), data.end());
}

void PutBe32(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + size_t(i)] = uint8_t(value >> (24 - 8 * i));
}

// Where the parts of SmallRoom's file lie: signature (4 + 16 bytes),
// version, the path "r.pac" (4 + 10), then the name's bytes "old" (4 + 3)
// and its text.
constexpr size_t kVersionAt = 20;
constexpr size_t kPathAt = 24;
constexpr size_t kNameBytesAt = 38;
constexpr size_t kNameTextAt = 45;

}  // namespace

TEST(RecoveryFile, WhatIsWrittenReadsBackWhole)
{
    const RecoveryContents written = SmallRoom();
    const RecoveryContents read = DecodeRecoveryFile(Bytes(EncodeRecoveryFile(written)));
    EXPECT_EQ(read.roomPath, written.roomPath);
    EXPECT_EQ(read.texts, written.texts);
    for (size_t s = 0; s < written.pictures.size(); ++s)
        EXPECT_TRUE(read.pictures[s].samePicture(written.pictures[s])) << "slot " << s;

    // A room never saved: no file name.
    RecoveryContents unsaved = SmallRoom();
    unsaved.roomPath = QString();
    EXPECT_TRUE(DecodeRecoveryFile(Bytes(EncodeRecoveryFile(unsaved))).roomPath.isEmpty());
}

TEST(RecoveryFile, ADamagedFileIsRefusedWithItsReason)
{
    const std::vector<uint8_t> good = Bytes(EncodeRecoveryFile(SmallRoom()));
    ASSERT_EQ(good[kNameTextAt + 3], 16);  // "new \u90e8\u5c4b\n2" in UTF-16, then the changed mark

    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* reason;
    };
    std::vector<Case> cases;
    auto changed = [&good](auto change) {
        std::vector<uint8_t> bytes = good;
        change(bytes);
        return bytes;
    };
    for (const size_t cut : {size_t(0), size_t(10), kVersionAt + 2, kPathAt + 6, kNameBytesAt + 5, kNameTextAt + 3,
                             good.size() / 2, good.size() - 1})
        cases.push_back({"cut short", std::vector<uint8_t>(good.begin(), good.begin() + long(cut)), "cut short"});
    cases.push_back({"another signature", changed([](auto& b) { b[4] = 'X'; }), "not a recovery file"});
    cases.push_back({"a newer version", changed([](auto& b) { PutBe32(b, kVersionAt, kRecoveryVersion + 1); }),
                     "newer version"});
    // A length far beyond the file is refused before anything is taken for it.
    cases.push_back({"a huge path", changed([](auto& b) { PutBe32(b, kPathAt, 0xFFFFFFF0); }), "more than"});
    cases.push_back({"a long name", changed([](auto& b) { PutBe32(b, kNameBytesAt, 128); }), "more than the 127"});
    cases.push_back({"a changed mark of 2", changed([](auto& b) { b[kNameTextAt + 4 + 16] = 2; }), "neither 0 nor 1"});
    cases.push_back({"a byte after the end", changed([](auto& b) { b.push_back(0); }), "after its end"});
    // The pictures' room file, last in the file: its first picture's size
    // field made to run past the end.
    const size_t roomAt = good.size() - WriteRoomFile(std::vector<uint8_t>(kRoomHeaderSize, 0), {},
                                                      SmallRoom().pictures).size();
    cases.push_back({"a broken picture",
                     changed([roomAt](auto& b) { PutBe32(b, roomAt + kRoomHeaderSize + 4 + 2, 0xFFFFFFFF); }),
                     "the pictures:"});

    for (const Case& c : cases) {
        try {
            DecodeRecoveryFile(c.bytes);
            ADD_FAILURE() << c.what << ": read";
        } catch (const RecoveryFileError& e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << c.what << ": " << e.what();
        }
    }
}
