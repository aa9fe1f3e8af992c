// DecodeRecoveryFile on any bytes: it refuses with a RecoveryFileError (never
// reading past the end, never taking memory a length merely claims), or it
// gives contents within a room's limits that write and read back the same.
#include "fuzz/fuzz_check.h"
#include "common/recovery_file.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RecoveryContents contents;
    try {
        contents = DecodeRecoveryFile(std::span(data, size));
    } catch (const RecoveryFileError&) {
        return 0;
    }
    for (const RecoveryText& text : contents.texts)
        FUZZ_CHECK(text.originalBytes.size() <= kRoomTextMax);

    const QByteArray written = EncodeRecoveryFile(contents);
    // Run-length pictures unpack to more than a room file may hold.
    if (written.size() > qsizetype(kRoomMaxFileSize))
        return 0;
    const RecoveryContents again =
        DecodeRecoveryFile(std::span(reinterpret_cast<const uint8_t*>(written.constData()), size_t(written.size())));
    FUZZ_CHECK(again.roomPath == contents.roomPath);
    FUZZ_CHECK(again.texts == contents.texts);
    for (size_t s = 0; s < contents.pictures.size(); ++s)
        FUZZ_CHECK(again.pictures[s].samePicture(contents.pictures[s]));
    return 0;
}
