#include "document/document_text.h"

#include "core/room/room_file.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

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

namespace {

bool BreaksLine(QChar c)
{
    // The last two mark frames, which a text document also takes as breaks.
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator ||
           c == QChar(0xfdd0) || c == QChar(0xfdd1);
}

// The field's text of `held`, and where in `held` each of its characters
// (and its end) comes from.
std::pair<QString, std::vector<qsizetype>> FieldTextAndOrigins(const QString& held)
{
    QString shown;
    std::vector<qsizetype> origins;
    shown.reserve(held.size());
    origins.reserve(size_t(held.size()) + 1);
    for (qsizetype i = 0; i < held.size(); ++i) {
        origins.push_back(i);
        if (held[i] == QLatin1Char('\r') && i + 1 < held.size() && held[i + 1] == QLatin1Char('\n'))
            ++i;
        shown.append(BreaksLine(held[i]) ? QChar(QLatin1Char('\n')) : held[i]);
    }
    origins.push_back(held.size());
    return {shown, origins};
}

Failure Unencodable(const RoomTextCodec& codec)
{
    return Failure{FailureKind::Unencodable,
                   QStringLiteral("the text holds characters that the text encoding %1 cannot hold")
                       .arg(codec.encoding().isEmpty() ? QStringLiteral("of the system")
                                                       : QString::fromLatin1(codec.encoding())),
                   {}, -1};
}

// How many bytes at the start of `bytes` (at its end, `fromEnd`) show as
// `shown`, taking a CR LF whole: npos when none do.
size_t BytesShowing(const std::string& bytes, const QString& shown, const RoomTextCodec& codec, bool fromEnd)
{
    for (size_t n = 0; n <= bytes.size(); ++n) {
        const std::string_view part =
            fromEnd ? std::string_view(bytes).substr(bytes.size() - n) : std::string_view(bytes).substr(0, n);
        if (codec.decode(part) != shown)
            continue;
        const bool splitsLineEnd = fromEnd ? n < bytes.size() && part.starts_with('\n') && bytes[bytes.size() - n - 1] == '\r'
                                           : n < bytes.size() && part.ends_with('\r') && bytes[n] == '\n';
        return splitsLineEnd ? n + 1 : n;
    }
    return std::string::npos;
}

}  // namespace

QString AsFieldText(const QString& text)
{
    return FieldTextAndOrigins(text).first;
}

QString ApplyFieldEdit(const QString& held, const QString& now)
{
    const auto [shown, origins] = FieldTextAndOrigins(held);
    const qsizetype most = std::min(shown.size(), now.size());
    qsizetype prefix = 0;
    while (prefix < most && shown[prefix] == now[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < most - prefix && shown[shown.size() - 1 - suffix] == now[now.size() - 1 - suffix])
        ++suffix;
    const qsizetype from = origins[size_t(prefix)];
    const qsizetype to = origins[size_t(shown.size() - suffix)];
    return held.left(from) + now.mid(prefix, now.size() - prefix - suffix) + held.mid(to);
}

Result<std::string> BytesToSave(const DocumentText& text, const RoomTextCodec& codec)
{
    if (!text.typed)
        return text.bytes;
    const QString& typed = *text.typed;
    const QString opened = codec.decode(text.bytes);
    const qsizetype most = std::min(opened.size(), typed.size());
    qsizetype prefix = 0;
    while (prefix < most && opened[prefix] == typed[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < most - prefix && opened[opened.size() - 1 - suffix] == typed[typed.size() - 1 - suffix])
        ++suffix;
    const QString middle = typed.mid(prefix, typed.size() - prefix - suffix);
    if (!codec.canEncode(middle))
        return Unencodable(codec);
    // What the user did not change keeps the room's own bytes: a lone CR, a
    // byte the encoding cannot show. Where they cannot be told apart from the
    // change (a character cut in two by it), the text is written as typed.
    const std::string& bytes = text.bytes;
    const size_t head = BytesShowing(bytes, opened.left(prefix), codec, false);
    const size_t tail = BytesShowing(bytes, opened.right(suffix), codec, true);
    if (head != std::string::npos && tail != std::string::npos && head + tail <= bytes.size()) {
        std::string spliced = bytes.substr(0, head) + codec.encode(middle) + bytes.substr(bytes.size() - tail);
        if (spliced.size() <= kRoomTextMax && codec.decode(spliced) == typed)
            return spliced;
    }
    if (!codec.canEncode(typed))
        return Unencodable(codec);
    return codec.encode(typed);
}

}  // namespace velmora
