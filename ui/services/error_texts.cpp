#include "ui/services/error_texts.h"

#include "ui/services/language_lines.h"

#include "core/room/room_file.h"
#include "core/room/slot_table.h"

namespace velmora {

namespace {

QString ArgText(const FaultArg& arg, const LanguageTexts& texts)
{
    if (arg.kind == FaultArg::Kind::Channel && arg.value >= 0 && arg.value < 4)
        return TextOf(texts, Nth(Text::FirstChannelName, static_cast<int>(arg.value)));
    if (arg.kind == FaultArg::Kind::RoomText && arg.value >= 0 && arg.value < 3)
        return TextOf(texts, Nth(Text::FirstRoomTextName, static_cast<int>(arg.value)));
    return QString::fromStdString(FaultArgText(arg));
}

QString SizeText(int32_t width, int32_t height)
{
    return QStringLiteral("%1×%2").arg(width).arg(height);
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
    const QString name = TextOf(texts, Nth(Text::FirstRoomTextName, field));
    const QString encodingName =
        encoding.isEmpty() ? TextOf(texts, Text::SystemTextEncoding) : QString::fromLatin1(encoding);
    return FillLine(TextOf(texts, Text::TextNotEncodable), {name, encodingName});
}

QString FormatErrorText(const FormatError& error, const LanguageTexts& texts)
{
    const FormatFault fault = error.fault();
    if (fault == FormatFault::Other)
        return QString::fromUtf8(error.what());
    QStringList args;
    for (const FaultArg& arg : error.args())
        args << ArgText(arg, texts);
    QString text = FillLine(TextOf(texts, FaultLine(fault)), args);
    if (IsBmpFault(fault))
        text = FillLine(TextOf(texts, Text::NotUsableBmp), {text});
    if (const auto* room = dynamic_cast<const RoomFileError*>(&error); room && PartSlotTable::IsValidSlot(room->slot())) {
        const std::string_view box = PartSlotTable::BoxName(room->slot());
        text = FillLine(TextOf(texts, Text::FaultInSlot),
                        {QString::number(room->slot()), QString::fromLatin1(box.data(), qsizetype(box.size())), text});
    }
    return text;
}

QString WrongPictureSizeMessage(const LanguageTexts& texts, int32_t width, int32_t height, int slot)
{
    const PartSize size = PartSlotTable::RequiredSize(slot);
    return TextOf(texts, Text::WrongPictureSize).arg(SizeText(width, height), SizeText(size.width, size.height));
}

}  // namespace velmora
