// Writes the seed corpora of the fuzz targets: make_seeds OUTPUT_FOLDER makes
// OUTPUT_FOLDER/<target>/ with rooms, pictures of every form, part files
// and text files, all made here.
#include "fuzz/bmp_forms.h"
#include "document/document_data.h"
#include "core/room/default_room.h"
#include "core/image/palette.h"
#include "core/room/room_file.h"

#include <QDataStream>
#include <QIODevice>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

using namespace velmora;
namespace fs = std::filesystem;

// make_layered_seeds.cpp: the OpenRaster and Aseprite readers' seeds, saved through `save`.
void MakeLayeredSeeds(const fs::path& root,
                      void (*save)(const fs::path&, const std::string&, const std::vector<uint8_t>&));

namespace {

void Save(const fs::path& folder, const std::string& name, const std::vector<uint8_t>& bytes)
{
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + (folder / name).string());
}

const char* FormName(forms::Form form)
{
    switch (form) {
    case forms::Form::Standard: return "standard";
    case forms::Form::CoreHeader: return "core";
    case forms::Form::V5Header: return "v5";
    case forms::Form::TopDown: return "topdown";
    case forms::Form::Rle: return "rle";
    }
    return "?";
}

// A room whose records come in every form; padded to the least length a
// room file has (bytes after the fortieth record are ignored).
std::vector<uint8_t> MixedRoom(const RoomPictures& pictures)
{
    std::vector<uint8_t> out(kRoomHeaderSize, 0);
    const std::string name = "Mixed forms";
    out[kRoomTextOffsets[0]] = static_cast<uint8_t>(name.size());
    std::copy(name.begin(), name.end(), out.begin() + kRoomTextOffsets[0] + 1);
    const forms::Form kForms[] = {forms::Form::Standard, forms::Form::CoreHeader, forms::Form::V5Header,
                                  forms::Form::TopDown, forms::Form::Rle};
    for (size_t s = 0; s < pictures.size(); ++s) {
        const forms::Form form = kForms[s % 5];
        const std::vector<uint8_t> bmp = forms::Encode(pictures[s], form == forms::Form::Rle && pictures[s].bitsPerPixel == 1
                                                                            ? forms::Form::Standard
                                                                            : form);
        out.insert(out.end(), bmp.begin() + 2, bmp.begin() + 6);
        out.insert(out.end(), bmp.begin(), bmp.end());
    }
    if (out.size() < kRoomMinFileSize)
        out.resize(kRoomMinFileSize, 0);
    return out;
}

// A 16- or 32-bit picture as image programs write it: a V5 header with
// bit-field masks (5-6-5, or 8-8-8 with alpha), or a 40-byte header and the
// default channels.
std::vector<uint8_t> DirectColour(uint16_t bpp, bool bitfields, int32_t width, int32_t height)
{
    const uint32_t infoSize = bitfields ? 124 : 40;
    const uint32_t offset = 14 + infoSize;
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * bpp / 8 + 3) / 4 * 4;
    std::vector<uint8_t> out(offset + rowBytes * static_cast<uint32_t>(height), 0);
    uint8_t* p = out.data();
    p[0] = 'B';
    p[1] = 'M';
    WriteLe32(p + 2, static_cast<uint32_t>(out.size()));
    WriteLe32(p + 10, offset);
    WriteLe32(p + 14, infoSize);
    WriteLe32(p + 18, static_cast<uint32_t>(width));
    WriteLe32(p + 22, static_cast<uint32_t>(height));
    WriteLe16(p + 26, 1);
    WriteLe16(p + 28, bpp);
    WriteLe32(p + 30, bitfields ? 3 : 0);
    if (bitfields) {
        const uint32_t masks16[] = {0xF800, 0x07E0, 0x001F, 0};
        const uint32_t masks32[] = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
        for (int i = 0; i < 4; ++i)
            WriteLe32(p + 54 + 4 * i, bpp == 16 ? masks16[i] : masks32[i]);
    }
    for (size_t i = offset; i < out.size(); ++i)
        out[i] = static_cast<uint8_t>(i * 37 + i / 11);
    return out;
}

// A recovery file as the editors before the document wrote it (version 1):
// each field's bytes, the text it showed and whether it was changed.
QByteArray VersionOneRecovery(const DocumentData& data)
{
    const std::vector<uint8_t> pictures = WriteRoomFile(std::vector<uint8_t>(kRoomHeaderSize, 0), {}, data.pictures);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << QByteArrayLiteral("VELMORA RECOVERY") << quint32(1) << data.filePath;
    for (const DocumentText& text : data.texts)
        out << QByteArray::fromStdString(text.bytes) << text.typed.value_or(QString::fromStdString(text.bytes))
            << text.typed.has_value();
    out << QByteArray(reinterpret_cast<const char*>(pictures.data()), qsizetype(pictures.size()));
    return bytes;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_seeds OUTPUT_FOLDER\n";
        return 2;
    }
    const fs::path root = argv[1];
    try {
        // Pictures: every depth in every form that takes it, small so that
        // the fuzzer runs fast, and one part of real size.
        std::vector<std::vector<uint8_t>> pictures;
        for (uint16_t bpp : {1, 4, 8, 24})
            for (forms::Form form : {forms::Form::Standard, forms::Form::CoreHeader, forms::Form::V5Header,
                                     forms::Form::TopDown, forms::Form::Rle}) {
                if (form == forms::Form::Rle && bpp != 4 && bpp != 8)
                    continue;
                const std::vector<uint8_t> bmp = forms::Encode(forms::Pattern(13, 7, bpp), form);
                Save(root / "decode_bmp", std::to_string(bpp) + "bit-" + FormName(form) + ".bmp", bmp);
                pictures.push_back(bmp);
            }

        for (uint16_t bpp : {16, 32})
            for (bool bitfields : {false, true})
                Save(root / "decode_bmp",
                     std::to_string(bpp) + "bit-" + (bitfields ? "bitfields-v5" : "rgb") + ".bmp",
                     DirectColour(bpp, bitfields, 13, 7));

        // Rooms: the default room through the writer, and one of mixed forms.
        const RoomPictures defaults = DefaultRoomPictures();
        const std::vector<uint8_t> zeroTemplate(kRoomHeaderSize, 0);
        Save(root / "room_file", "default.pac",
             WriteRoomFile(zeroTemplate, RoomTexts{"Default room", "A comment\r\non two lines", "(c) nobody"},
                           defaults));
        Save(root / "room_file", "mixed.pac", MixedRoom(defaults));

        // Recovery files: the default room with changed texts and its file,
        // a room never saved of small pictures, and the same two as the
        // editors before the document wrote them (version 1).
        auto recovery = [&](const std::string& name, const QByteArray& bytes) {
            Save(root / "recovery_file", name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
        };
        DocumentData changed{QStringLiteral("/rooms/default.pac"), QByteArray("Shift_JIS"), {}, defaults, true};
        changed.texts[0] = {"Default room", QStringLiteral("Default room, \u90e8\u5c4b")};
        changed.texts[1] = {"A comment\r\non two lines", std::nullopt};
        recovery("default.vrec", WriteDocumentData(changed));
        recovery("default-v1.vrec", VersionOneRecovery(changed));
        DocumentData small;
        for (size_t s = 0; s < small.pictures.size(); ++s)
            small.pictures[s] = Bitmap::Make(4, 3, s < 20 ? 8 : 1, s < 20 ? RoomPaletteVector() : MaskColoursBlackFirst());
        recovery("small-unsaved.vrec", WriteDocumentData(small));
        recovery("small-unsaved-v1.vrec", VersionOneRecovery(small));

        // Part files: the slot number, then the file.
        auto part = [&](const std::string& name, uint8_t slot, const std::vector<uint8_t>& bmp) {
            std::vector<uint8_t> bytes{slot};
            bytes.insert(bytes.end(), bmp.begin(), bmp.end());
            Save(root / "part_check", name, bytes);
        };
        part("bed.bin", 8, EncodeBmp(defaults[8], ColoursUsedField::EntriesWritten));
        part("bed-mask.bin", 28, EncodeBmp(defaults[28], ColoursUsedField::EntriesWritten));
        part("bed-mask-8bit.bin", 28, EncodeBmp(defaults[8], ColoursUsedField::Zero));
        part("letter-rle.bin", 16, forms::Encode(Bitmap::Make(25, 16, 8, RoomPaletteVector()), forms::Form::Rle));
        part("letter-core.bin", 16,
             forms::Encode(Bitmap::Make(25, 16, 8, RoomPaletteVector()), forms::Form::CoreHeader));
        part("letter-v5.bin", 16,
             forms::Encode(Bitmap::Make(25, 16, 8, RoomPaletteVector()), forms::Form::V5Header));
        part("small-24bit.bin", 36, pictures.back());

        // Text files as the language files and the language list hold them.
        auto text = [&](const std::string& name, const std::string& s) {
            Save(root / "text_lines", name, std::vector<uint8_t>(s.begin(), s.end()));
        };
        text("crlf.txt", "&File\r\n&Open...\r\n\r\nSave &as...\r\n");
        text("lf.txt", "en,English\nde,Deutsch\n");
        text("cr.txt", "one\rtwo\r\rthree");
        text("mixed-nul.txt", std::string("a\n\r\nb\rc\0d\ne", 13));

        MakeLayeredSeeds(root, Save);
    } catch (const std::exception& e) {
        std::cerr << "make_seeds: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
