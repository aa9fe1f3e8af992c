// DecodeBmp on any bytes: either a FormatError or a well-formed picture that
// survives encoding and decoding unchanged.
#include "fuzz/fuzz_check.h"
#include "core/image/bmp.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Bitmap b;
    try {
        b = DecodeBmp(std::span(data, size));
    } catch (const FormatError&) {
        return 0;
    }
    FUZZ_CHECK(b.width > 0 && b.height > 0);
    FUZZ_CHECK(b.width <= kMaxBmpSide && b.height <= kMaxBmpSide);
    FUZZ_CHECK(b.pixels.size() == size_t(b.width) * size_t(b.height) * size_t(b.bytesPerPixel()));
    if (b.isIndexed()) {
        FUZZ_CHECK(b.colours.size() == size_t{1} << b.bitsPerPixel);
        for (uint8_t v : b.pixels)
            FUZZ_CHECK(v < b.colours.size());
    } else {
        FUZZ_CHECK(b.bitsPerPixel == 24 && b.colours.empty());
    }

    for (ColoursUsedField field : {ColoursUsedField::Zero, ColoursUsedField::EntriesWritten}) {
        const std::vector<uint8_t> encoded = EncodeBmp(b, field);
        FUZZ_CHECK(ReadLe32(encoded.data() + 2) == encoded.size());
        const Bitmap again = DecodeBmp(encoded);
        FUZZ_CHECK(again.samePicture(b));
        FUZZ_CHECK(again.source.compression == 0 && !again.source.topDown && again.source.infoHeaderSize == 40);
    }
    return 0;
}
