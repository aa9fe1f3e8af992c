#include "document/document_text.h"

namespace velmora {

QString ShownText(const DocumentText& text, const RoomTextCodec& codec)
{
    return text.typed ? *text.typed : codec.decode(text.bytes);
}

DocumentText EditedText(const DocumentText& text, const QString& shown, const RoomTextCodec& codec)
{
    if (shown == codec.decode(text.bytes))
        return {text.bytes, std::nullopt};
    return {text.bytes, shown};
}

Result<std::string> BytesToSave(const DocumentText& text, const RoomTextCodec& codec)
{
    if (!text.typed)
        return text.bytes;
    if (!codec.canEncode(*text.typed))
        return Failure{FailureKind::Unencodable,
                       QStringLiteral("the text holds characters that the text encoding %1 cannot hold")
                           .arg(codec.encoding().isEmpty() ? QStringLiteral("of the system")
                                                           : QString::fromLatin1(codec.encoding())),
                       {}, -1};
    return codec.encode(*text.typed);
}

}  // namespace velmora
