// Room files and pictures from strangers: forged sizes, records that do not
// fit, and the faults fuzzing found. Nothing may crash, read outside the
// input, or allocate far more than the input can justify.
#include "fuzz/bmp_forms.h"
#include "core/room/default_room.h"
#include "core/image/palette.h"
#include "core/room/part_check.h"
#include "core/room/room_file.h"
#include "core/text/text_lines.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

using namespace velmora;

// The largest single allocation since the last reset: proves that a forged
// header is refused before its pixels are allocated.
namespace {
std::atomic<size_t> largestAllocation{0};
}  // namespace

void* operator new(size_t size)
{
    size_t seen = largestAllocation.load(std::memory_order_relaxed);
    while (size > seen && !largestAllocation.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
    }
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
// The pair is malloc and free underneath; GCC cannot see that they match.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace {

constexpr size_t kSmall = 64 * 1024;

// A standard BMP header for the given size and depth, followed by a full
// colour table and `dataBytes` bytes of pixel data: the whole file is tiny
// whatever the header claims.
std::vector<uint8_t> ForgedBmp(int32_t width, int32_t height, uint16_t bpp, uint32_t compression = 0,
                               size_t dataBytes = 16)
{
    const uint32_t entries = bpp <= 8 ? 1u << bpp : 0;
    const uint32_t offset = 54 + 4 * entries;
    std::vector<uint8_t> b(offset + dataBytes, 0);
    b[0] = 'B';
    b[1] = 'M';
    WriteLe32(&b[2], static_cast<uint32_t>(b.size()));
    WriteLe32(&b[10], offset);
    WriteLe32(&b[14], 40);
    WriteLe32(&b[18], static_cast<uint32_t>(width));
    WriteLe32(&b[22], static_cast<uint32_t>(height));
    WriteLe16(&b[26], 1);
    WriteLe16(&b[28], bpp);
    WriteLe32(&b[30], compression);
    return b;
}

// The message of the FormatError that decoding throws, and the largest
// allocation made while decoding.
std::string DecodeFailure(const std::vector<uint8_t>& bytes, size_t* largest = nullptr)
{
    largestAllocation = 0;
    try {
        DecodeBmp(bytes);
    } catch (const FormatError& e) {
        if (largest)
            *largest = largestAllocation;
        return e.what();
    }
    return "decoded";
}

std::vector<uint8_t> DefaultRoomFile()
{
    return WriteRoomFile(std::vector<uint8_t>(kRoomHeaderSize, 0), RoomTexts{"Room", "", ""}, DefaultRoomPictures());
}

// The kind and slot of the RoomFileError that reading throws.
struct Refusal {
    RoomFileError::Kind kind;
    int slot;
    std::string what;
};
Refusal ReadFailure(std::span<const uint8_t> file)
{
    try {
        ReadRoomFile(file);
    } catch (const RoomFileError& e) {
        return {e.kind(), e.slot(), e.what()};
    }
    ADD_FAILURE() << "the room file was read";
    return {RoomFileError::Kind::BadTemplate, -2, ""};
}

// Offset of slot s's BMP in a room file written by WriteRoomFile.
size_t RecordOffset(const std::vector<uint8_t>& file, int slot)
{
    size_t p = kRoomHeaderSize + 4;
    for (int s = 0; s < slot; ++s)
        p += ReadLe32(&file[p + 2]) + 4;
    return p;
}

}  // namespace

TEST(HostileBmp, ForgedSizesInTinyFilesAreRefusedBeforeAllocating)
{
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* says;
    };
    const Case cases[] = {
        {"16384x16384 8-bit", ForgedBmp(16384, 16384, 8), "is too large"},
        {"16385x1 8-bit", ForgedBmp(16385, 1, 8), "is too large"},
        {"1x16385 8-bit", ForgedBmp(1, 16385, 8), "is too large"},
        {"8192x8192 8-bit", ForgedBmp(8192, 8192, 8), "pixel data is truncated"},
        {"8192x8192 24-bit", ForgedBmp(8192, 8192, 24), "pixel data is truncated"},
        {"16384x4096 1-bit", ForgedBmp(16384, 4096, 1), "pixel data is truncated"},
        {"8192x8192 top-down 4-bit", ForgedBmp(8192, -8192, 4), "pixel data is truncated"},
        {"8192x8192 RLE8", ForgedBmp(8192, 8192, 8, 1), "too large for the compressed data present"},
        {"8192x8192 RLE4", ForgedBmp(8192, 8192, 4, 2), "too large for the compressed data present"},
        {"height -2^31", ForgedBmp(10, INT32_MIN, 8), "height is out of range"},
        {"negative width", ForgedBmp(-10, 10, 8), "is not positive"},
    };
    for (const Case& c : cases) {
        size_t largest = 0;
        const std::string what = DecodeFailure(c.bytes, &largest);
        EXPECT_NE(what.find(c.says), std::string::npos) << c.name << ": " << what;
        EXPECT_LT(largest, kSmall) << c.name;
    }
}

TEST(HostileBmp, FieldsPointingOutsideTheFileAreRefused)
{
    std::vector<uint8_t> b = ForgedBmp(4, 4, 8);
    WriteLe32(&b[10], 0xFFFFFFF0);
    EXPECT_NE(DecodeFailure(b).find("lies outside the file"), std::string::npos);
    WriteLe32(&b[10], 20);
    EXPECT_NE(DecodeFailure(b).find("lies inside the header"), std::string::npos);

    b = ForgedBmp(4, 4, 8);
    WriteLe32(&b[46], 257);  // colours used
    EXPECT_NE(DecodeFailure(b).find("257 entries"), std::string::npos);
    WriteLe32(&b[14], 0xFFFFFFFF);  // information header size
    EXPECT_NE(DecodeFailure(b).find("header size"), std::string::npos);
    b = ForgedBmp(4, 4, 1);
    WriteLe32(&b[14], 1000);  // runs past the end of the file
    EXPECT_NE(DecodeFailure(b).find("ends inside the information header"), std::string::npos);

    // Every cut of a valid file is refused with a message, never read past.
    const std::vector<uint8_t> whole = forms::Encode(forms::Pattern(9, 5, 8), forms::Form::Standard);
    // (The last row may lack its padding: three bytes here.)
    for (size_t n = 0; n + 3 < whole.size(); ++n)
        EXPECT_THROW(DecodeBmp(std::span(whole.data(), n)), FormatError) << n;
}

TEST(HostileBmp, BrokenRunLengthStreamsAreRefused)
{
    auto rle = [](std::vector<uint8_t> stream) {
        std::vector<uint8_t> b = ForgedBmp(8, 2, 8, 1, 0);
        b.insert(b.end(), stream.begin(), stream.end());
        WriteLe32(&b[2], static_cast<uint32_t>(b.size()));
        return b;
    };
    EXPECT_NE(DecodeFailure(rle({0, 9, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0})).find("runs past the picture's width"),
              std::string::npos);
    // An encoded run past the width is refused like an absolute one, never written past it.
    EXPECT_NE(DecodeFailure(rle({200, 3, 0, 1})).find("runs past the picture's width"), std::string::npos);
    EXPECT_NE(DecodeFailure(rle({0, 2, 9, 0})).find("runs past the picture's width"), std::string::npos);
    EXPECT_NE(DecodeFailure(rle({0, 5, 1, 2})).find("truncated"), std::string::npos);  // absolute run cut short
    EXPECT_NE(DecodeFailure(rle({0, 2, 1})).find("truncated"), std::string::npos);     // delta cut short
    EXPECT_NE(DecodeFailure(rle({8, 1, 0, 0})).find("truncated"), std::string::npos);  // no end of picture
    // A delta below the last row, or an early end, leaves the rest index 0.
    const Bitmap skipped = DecodeBmp(rle({2, 7, 0, 2, 0, 9, 3, 5}));
    EXPECT_EQ(skipped.index(0, 1), 7);
    EXPECT_EQ(skipped.index(2, 0), 0);
    EXPECT_EQ(DecodeBmp(rle({0, 1})).pixels, std::vector<uint8_t>(16, 0));
}

TEST(HostileBmp, EveryFormTheSeedsUseDecodesToTheSamePicture)
{
    for (uint16_t bpp : {1, 4, 8, 24})
        for (forms::Form form : {forms::Form::Standard, forms::Form::CoreHeader, forms::Form::V5Header,
                                 forms::Form::TopDown, forms::Form::Rle}) {
            if (form == forms::Form::Rle && bpp != 4 && bpp != 8)
                continue;
            const Bitmap b = forms::Pattern(301, 5, bpp);
            const Bitmap decoded = DecodeBmp(forms::Encode(b, form));
            EXPECT_TRUE(decoded.samePicture(b)) << bpp << " bits, form " << int(form);
        }
}

TEST(HostileRoomFile, SizeLimits)
{
    std::vector<uint8_t> file = DefaultRoomFile();
    file.resize(kRoomMaxFileSize, 0);  // bytes after the last record are ignored
    EXPECT_NO_THROW(ReadRoomFile(file));

    file.push_back(0);
    largestAllocation = 0;
    const Refusal big = ReadFailure(file);
    EXPECT_EQ(big.kind, RoomFileError::Kind::TooLarge);
    EXPECT_NE(big.what.find("16777217 bytes long"), std::string::npos) << big.what;
    EXPECT_LT(largestAllocation.load(), kSmall);

    file.resize(kRoomMinFileSize - 1);
    EXPECT_EQ(ReadFailure(file).kind, RoomFileError::Kind::TooShort);
}

TEST(HostileRoomFile, RecordsThatDoNotFitAreRefusedAtTheirSlot)
{
    const std::vector<uint8_t> good = DefaultRoomFile();
    struct Case {
        int slot;
        uint32_t sizeField;
        const char* says;
    };
    for (const Case c : {Case{0, 0xFFFFFFFF, "runs past the end"}, Case{7, 25, "is too small"},
                         Case{39, 0, "is too small"}, Case{12, 0x80000000, "runs past the end"}}) {
        std::vector<uint8_t> file = good;
        WriteLe32(&file[RecordOffset(file, c.slot) + 2], c.sizeField);
        const Refusal r = ReadFailure(file);
        EXPECT_EQ(r.kind, RoomFileError::Kind::BadRecord);
        EXPECT_EQ(r.slot, c.slot);
        EXPECT_NE(r.what.find(c.says), std::string::npos) << r.what;
    }

    // A room cut inside its last record, padded back to the least length:
    // the records run into the padding and are refused.
    std::vector<uint8_t> cut(good.begin(), good.begin() + long(RecordOffset(good, 39)) + 10);
    cut.resize(kRoomMinFileSize, 0);
    const Refusal r = ReadFailure(cut);
    EXPECT_EQ(r.kind, RoomFileError::Kind::BadRecord);
    EXPECT_GE(r.slot, 0);

    // A record whose BMP is broken names its slot.
    std::vector<uint8_t> file = good;
    file[RecordOffset(file, 30)] = 'X';
    EXPECT_EQ(ReadFailure(file).slot, 30);
}

TEST(HostileRoomFile, RunLengthRecordsCannotMakeTheRoomExhaustMemory)
{
    // The first `big` records claim 8192x8192 pixels (64 MiB unpacked) and
    // end their run-length data at once; the padding behind makes the size
    // plausible for the data present. Thirty of them fit in a 16 MiB file
    // and used to take 2 GiB; the room's pictures now have a budget.
    auto room = [](size_t big) {
        std::vector<uint8_t> file(kRoomHeaderSize, 0);
        for (size_t s = 0; s < PartSlotTable::kSlotCount; ++s) {
            std::vector<uint8_t> bmp = s < big ? ForgedBmp(8192, 8192, 8, 1, 524288) : ForgedBmp(1, 1, 8, 1, 2);
            bmp[54 + 1024 + 1] = 1;  // end of picture
            file.insert(file.end(), bmp.begin() + 2, bmp.begin() + 6);
            file.insert(file.end(), bmp.begin(), bmp.end());
        }
        return file;
    };
    // Two such pictures fill the budget exactly, so the small ones after
    // them overrun it; the third big one overruns it at once.
    static_assert(kRoomMaxPictureBytes == size_t{128} << 20);
    EXPECT_NO_THROW(ReadRoomFile(room(1)));
    const Refusal r = ReadFailure(room(3));
    EXPECT_EQ(r.kind, RoomFileError::Kind::BadRecord);
    EXPECT_EQ(r.slot, 2);
    EXPECT_NE(r.what.find("MiB"), std::string::npos) << r.what;
}

TEST(HostilePartCheck, ShortAndForgedHeadersReadNothingOutsideTheFile)
{
    const std::array<uint8_t, 1024> palette = RoomPaletteBytes();
    // An empty file reads as all zero: the size test refuses it.
    EXPECT_EQ(PartBitmapCheck(ReadCheckFields({}), 8, palette), (CheckResult{CheckOutcome::Refused, CheckKind::WrongSize}));

    std::vector<uint8_t> bed = EncodeBmp(DefaultRoomPictures()[8], ColoursUsedField::EntriesWritten);
    WriteLe32(&bed[14], 0xFFFFFFFF);  // a colour table far past the end
    BmpCheckFields f = ReadCheckFields(bed);
    EXPECT_FALSE(f.colourTableComplete);
    EXPECT_EQ(PartBitmapCheck(f, 8, palette), (CheckResult{CheckOutcome::PaletteDiffers, CheckKind::PaletteDiffers}));

    // A file that ends inside the colour table never matches the palette.
    bed = EncodeBmp(DefaultRoomPictures()[8], ColoursUsedField::EntriesWritten);
    f = ReadCheckFields(std::span(bed.data(), 54 + 1023));
    EXPECT_FALSE(f.colourTableComplete);
    EXPECT_EQ(PartBitmapCheck(f, 8, palette).outcome, CheckOutcome::PaletteDiffers);
    EXPECT_EQ(PartBitmapCheck(ReadCheckFields(std::span(bed.data(), 54 + 1024)), 8, palette).outcome,
              CheckOutcome::Accepted);
}
