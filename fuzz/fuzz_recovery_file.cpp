// ReadDocumentData on any bytes: it refuses with a reason (never reading past
// the end, never taking memory a length merely claims), or it gives data
// within a room's limits that writes and reads back the same.
#include "fuzz/fuzz_check.h"
#include "document/document_data.h"

using namespace velmora;

namespace {

std::span<const uint8_t> Bytes(const QByteArray& bytes)
{
    return {reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Result<DocumentData> read = ReadDocumentData(std::span(data, size));
    if (!read) {
        FUZZ_CHECK(!read.failure().reason.isEmpty());
        return 0;
    }
    for (const DocumentText& text : read->texts)
        FUZZ_CHECK(text.bytes.size() <= kRoomTextMax);

    const QByteArray written = WriteDocumentData(read.value());
    // Run-length pictures unpack to more than a room file may hold.
    if (written.size() > qsizetype(kRoomMaxFileSize))
        return 0;
    const Result<DocumentData> again = ReadDocumentData(Bytes(written));
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again->filePath == read->filePath);
    FUZZ_CHECK(again->textEncoding == read->textEncoding);
    FUZZ_CHECK(again->unsaved == read->unsaved);
    FUZZ_CHECK(again->texts == read->texts);
    for (size_t s = 0; s < read->pictures.size(); ++s)
        FUZZ_CHECK(again->pictures[s].samePicture(read->pictures[s]));
    return 0;
}
