#include "ui/services/error_texts.h"

#include "ui/services/language_texts.h"

#include "common/message_lines.h"
#include "core/room/room_file.h"

namespace velmora {

namespace {

QString ArgText(const FaultArg& arg, const LanguageTexts& texts)
{
    const std::string english = FaultArgText(arg);
    int line = -1;
    if (arg.kind == FaultArg::Kind::Channel && arg.value >= 0 && arg.value < 4)
        line = message::kFirstChannelName + static_cast<int>(arg.value);
    else if (arg.kind == FaultArg::Kind::RoomText && arg.value >= 0 && arg.value < 3)
        line = message::kFirstRoomTextName + static_cast<int>(arg.value);
    if (line < 0)
        return QString::fromStdString(english);
    return texts.lineOr(LanguageTexts::List::Messages, line, english.c_str());
}

}  // namespace

QString FillLine(const QString& line, const QStringList& args)
{
    // The core's rule, so the editor and velmora-pac fill lines alike.
    std::vector<std::string> texts;
    texts.reserve(size_t(args.size()));
    for (const QString& arg : args)
        texts.push_back(arg.toStdString());
    return QString::fromStdString(FillTemplate(line.toStdString(), texts));
}

QString TextNotEncodableText(const LanguageTexts& texts, int field, const QByteArray& encoding)
{
    using List = LanguageTexts::List;
    const QString line = texts.lineOr(List::Messages, message::kTextNotEncodable,
                                      "The %1 holds characters that the text encoding %2 cannot hold. Change the "
                                      "text or the text encoding, then save again.");
    const QString name = texts.lineOr(List::Messages, message::kFirstRoomTextName + field,
                                      kRoomTextNames[static_cast<size_t>(field)]);
    const QString encodingName = encoding.isEmpty()
                                     ? texts.lineOr(List::Messages, message::kSystemTextEncoding, "of the system")
                                     : QString::fromLatin1(encoding);
    return FillLine(line, {name, encodingName});
}

QString FormatErrorText(const FormatError& error, const LanguageTexts& texts)
{
    using List = LanguageTexts::List;
    const FormatFault fault = error.fault();
    if (fault == FormatFault::Other)
        return QString::fromUtf8(error.what());
    QStringList args;
    for (const FaultArg& arg : error.args())
        args << ArgText(arg, texts);
    QString text = FillLine(
        texts.lineOr(List::Messages, message::kFirstFormatFault + static_cast<int>(fault) - 1, FaultTemplate(fault)),
        args);
    if (IsBmpFault(fault))
        text = FillLine(texts.lineOr(List::Messages, message::kNotUsableBmp, kNotUsableBmpTemplate), {text});
    if (const auto* room = dynamic_cast<const RoomFileError*>(&error); room && PartSlotTable::IsValidSlot(room->slot())) {
        const std::string_view box = PartSlotTable::BoxName(room->slot());
        text = FillLine(texts.lineOr(List::Messages, message::kFaultInSlot, kSlotFaultTemplate),
                        {QString::number(room->slot()), QString::fromLatin1(box.data(), qsizetype(box.size())), text});
    }
    return text;
}

}  // namespace velmora
