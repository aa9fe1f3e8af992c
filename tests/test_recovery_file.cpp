// The recovery file's format: what the writer wrote comes back whole, a
// file of the editors before the document (version 1) is still read, and a
// damaged file of any kind is refused with its reason, never misread.
#include "document/document_data.h"

#include "picture_helpers.h"

#include "core/room/default_room.h"

#include <QDataStream>
#include <QIODevice>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace velmora;

namespace {

// A room of 8x8 pictures: its room file is far shorter than an opened one.
DocumentData SmallRoom()
{
    DocumentData data;
    data.filePath = QStringLiteral("r.pac");
    data.textEncoding = QByteArray("UTF-8");
    for (size_t s = 0; s < data.pictures.size(); ++s) {
        data.pictures[s] = s >= 20 ? test::Mask(8, 8, s % 2 == 1) : test::Filled(8, 8, uint8_t(s));
        data.pictures[s].setIndex(1, 2, s >= 20 ? 0 : 200);
    }
    data.texts[0] = {"old", QStringLiteral("new \u90e8\u5c4b\n2")};
    data.texts[1] = {"kept", std::nullopt};
    return data;
}

// One text field as the editors before the document kept it.
struct FieldState {
    std::string bytes;
    QString shown;
    bool changed = false;
};

QByteArray PicturesAsRoomFile(const RoomPictures& pictures)
{
    const std::vector<uint8_t> bytes = WriteRoomFile(std::vector<uint8_t>(kRoomHeaderSize, 0), {}, pictures);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

QByteArray VersionOneFile(const QString& path, const std::array<FieldState, 3>& fields, const QByteArray& pictures)
{
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << QByteArrayLiteral("VELMORA RECOVERY") << quint32(1) << path;
    for (const FieldState& field : fields)
        out << QByteArray::fromStdString(field.bytes) << field.shown << field.changed;
    out << pictures;
    return file;
}

// SmallRoom as version 1 wrote it.
QByteArray SmallRoomVersionOne()
{
    return VersionOneFile(QStringLiteral("r.pac"),
                          {FieldState{"old", QStringLiteral("new \u90e8\u5c4b\n2"), true}, {"kept", "kept", false}, {}},
                          PicturesAsRoomFile(SmallRoom().pictures));
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

std::string ReasonFor(const std::vector<uint8_t>& bytes)
{
    const Result<DocumentData> read = ReadDocumentData(bytes);
    return read ? std::string("(read)") : read.failure().reason.toStdString();
}

// Where the parts of SmallRoom's version-1 file lie: signature (4 + 16
// bytes), version, the path "r.pac" (4 + 10), then the name's bytes "old"
// (4 + 3) and its text.
constexpr size_t kVersionAt = 20;
constexpr size_t kPathAt = 24;
constexpr size_t kNameBytesAt = 38;
constexpr size_t kNameTextAt = 45;

void ExpectSame(const DocumentData& read, const DocumentData& written)
{
    EXPECT_EQ(read.filePath, written.filePath);
    EXPECT_EQ(read.textEncoding, written.textEncoding);
    EXPECT_EQ(read.unsaved, written.unsaved);
    EXPECT_TRUE(read.texts == written.texts);
    for (size_t s = 0; s < written.pictures.size(); ++s)
        EXPECT_TRUE(read.pictures[s].samePicture(written.pictures[s])) << "slot " << s;
}

}  // namespace

TEST(RecoveryFile, WhatIsWrittenReadsBackWhole)
{
    const DocumentData written = SmallRoom();
    const Result<DocumentData> read = ReadDocumentData(Bytes(WriteDocumentData(written)));
    ASSERT_TRUE(read.ok()) << read.failure().reason.toStdString();
    ExpectSame(read.value(), written);

    // A room never saved: no file name; the locale's encoding; nothing unsaved.
    DocumentData plain = SmallRoom();
    plain.filePath = QString();
    plain.textEncoding = QByteArray();
    plain.unsaved = false;
    const Result<DocumentData> again = ReadDocumentData(Bytes(WriteDocumentData(plain)));
    ASSERT_TRUE(again.ok());
    EXPECT_TRUE(again->filePath.isEmpty());
    EXPECT_EQ(again->textEncoding, QByteArray());
    EXPECT_FALSE(again->unsaved);

    // An encoding not recorded stays so: the editor's setting, not the locale's.
    plain.textEncoding.reset();
    const Result<DocumentData> unrecorded = ReadDocumentData(Bytes(WriteDocumentData(plain)));
    ASSERT_TRUE(unrecorded.ok());
    EXPECT_FALSE(unrecorded->textEncoding);
}

TEST(RecoveryFile, TextsAtTheLimitReadBack)
{
    // 127 bytes each, the most a room text has; typed texts of 127 bytes in
    // UTF-8, one of them mostly characters of two UTF-16 units.
    DocumentData full = SmallRoom();
    std::string bytes(127, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = char(0x80 + i);
    QString emoji;
    for (int i = 0; i < 31; ++i)
        emoji += QString::fromUtf8("\xF0\x9F\x98\x80");
    full.texts = {DocumentText{bytes, QString(127, QLatin1Char('z'))}, DocumentText{bytes, emoji + "abc"},
                  DocumentText{bytes, std::nullopt}};
    const Result<DocumentData> read = ReadDocumentData(Bytes(WriteDocumentData(full)));
    ASSERT_TRUE(read.ok()) << read.failure().reason.toStdString();
    ExpectSame(read.value(), full);
}

TEST(RecoveryFile, VersionOneFilesAreRead)
{
    RoomPictures pictures = DefaultRoomPictures();
    pictures[slot::TableImage] = test::Filled(pictures[slot::TableImage].width, pictures[slot::TableImage].height, 3);
    const QByteArray file = VersionOneFile(
        "/rooms/old.pac", {FieldState{"room", "room", false}, {"calm", "calm now", true}, {"", "", false}},
        PicturesAsRoomFile(pictures));

    const Result<DocumentData> read = ReadDocumentData(Bytes(file));
    ASSERT_TRUE(read.ok()) << read.failure().reason.toStdString();
    EXPECT_EQ(read->filePath, QString("/rooms/old.pac"));
    EXPECT_FALSE(read->textEncoding);
    EXPECT_TRUE(read->unsaved);
    EXPECT_TRUE(read->texts[0] == (DocumentText{"room", std::nullopt}));
    EXPECT_TRUE(read->texts[1] == (DocumentText{"calm", QString("calm now")}));
    EXPECT_TRUE(read->pictures[slot::TableImage].samePicture(pictures[slot::TableImage]));

    // SmallRoom as version 1 gives SmallRoom, but for what version 1 did not keep.
    const Result<DocumentData> small = ReadDocumentData(Bytes(SmallRoomVersionOne()));
    ASSERT_TRUE(small.ok());
    DocumentData expected = SmallRoom();
    expected.textEncoding.reset();
    ExpectSame(small.value(), expected);
}

TEST(RecoveryFile, ADamagedFileIsRefusedWithItsReason)
{
    const std::vector<uint8_t> good = Bytes(SmallRoomVersionOne());
    ASSERT_EQ(good[kNameTextAt + 3], 16);  // "new \u90e8\u5c4b\n2" in UTF-16, then the changed mark

    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* reason;
    };
    std::vector<Case> cases;
    auto changed = [](std::vector<uint8_t> bytes, auto change) {
        change(bytes);
        return bytes;
    };
    for (const size_t cut : {size_t(0), size_t(10), size_t(12), kVersionAt + 2, kPathAt + 6, kNameBytesAt + 5,
                             kNameTextAt + 3, size_t(60), good.size() / 2, good.size() - 1})
        cases.push_back({"cut short", std::vector<uint8_t>(good.begin(), good.begin() + long(cut)), "cut short"});
    cases.push_back({"another signature", changed(good, [](auto& b) { b[4] = 'X'; }), "not a recovery file"});
    cases.push_back({"a newer version", changed(good, [](auto& b) { PutBe32(b, kVersionAt, kRecoveryVersion + 1); }),
                     "newer version"});
    // A length far beyond the file is refused before anything is taken for it.
    cases.push_back({"a huge path", changed(good, [](auto& b) { PutBe32(b, kPathAt, 0xFFFFFFF0); }), "more than"});
    cases.push_back({"a long name", changed(good, [](auto& b) { PutBe32(b, kNameBytesAt, 128); }), "more than the 127"});
    cases.push_back(
        {"a changed mark of 2", changed(good, [](auto& b) { b[kNameTextAt + 4 + 16] = 2; }), "neither 0 nor 1"});
    cases.push_back({"a byte after the end", changed(good, [](auto& b) { b.push_back(0); }), "after its end"});
    // The pictures' room file, last in the file: its first picture's size
    // field made to run past the end; or no room file at all.
    const size_t roomAt = good.size() - size_t(PicturesAsRoomFile(SmallRoom().pictures).size());
    cases.push_back({"a broken picture",
                     changed(good, [roomAt](auto& b) { PutBe32(b, roomAt + kRoomHeaderSize + 4 + 2, 0xFFFFFFFF); }),
                     "the pictures:"});
    cases.push_back({"no pictures", Bytes(VersionOneFile("", {}, QByteArray(210000, '\0'))), "the pictures:"});

    // Version 2: a changed pixel shows too, and a version to come is not guessed at.
    const std::vector<uint8_t> current = Bytes(WriteDocumentData(SmallRoom()));
    cases.push_back({"a changed pixel", changed(current, [](auto& b) { b[b.size() - 100] ^= 1; }),
                     "checksum does not match"});
    cases.push_back({"cut in the checksum", std::vector<uint8_t>(current.begin(), current.end() - 1),
                     "cut short in the checksum"});
    cases.push_back({"version 3", changed(current, [](auto& b) { b[kVersionAt + 3] = 3; }), "newer version"});

    for (const Case& c : cases) {
        const std::string reason = ReasonFor(c.bytes);
        EXPECT_NE(reason.find(c.reason), std::string::npos) << c.what << ": " << reason;
    }
}
