#include "ui/services/failure_messages.h"

#include "ui/services/error_texts.h"
#include "ui/services/language_texts.h"

#include "common/message_lines.h"

#include <QDir>
#include <QStringList>

namespace velmora {

namespace {

using Box = FailureMessage::Box;
using List = LanguageTexts::List;

// Why a picture was not read.
QString PictureProblem(const Failure& failure, const LanguageTexts& texts)
{
    auto line = [&](int index, const char* english) { return texts.lineOr(List::Messages, index, english); };
    QStringList numbers;
    for (const qint64 number : failure.numbers)
        numbers << QString::number(number);
    switch (failure.kind) {
    case FailureKind::TooLarge:
        return FillLine(line(message::kPictureFileTooLarge,
                             "the file is %1 bytes long, more than the %2 bytes a picture may have"),
                        numbers);
    case FailureKind::CannotOpen:
    case FailureKind::CannotRead:
        return FillLine(line(message::kPictureFileUnreadable, "cannot read the file: %1"), {failure.reason});
    case FailureKind::TooManyPixels:
        return FillLine(line(message::kPictureSizeTooLarge, "the picture size %1x%2 is too large"), numbers);
    case FailureKind::Unreadable:
        return FillLine(line(message::kPictureReaderFailed, "the picture cannot be read: %1"),
                        {failure.reason.isEmpty() ? line(message::kNotAPicture, "not a picture in any format known here")
                                                  : failure.reason});
    default:
        return failure.reason;
    }
}

}  // namespace

Failure Malformed(const FormatError& error, const QString& path, const LanguageTexts& texts)
{
    return Failure{FailureKind::Damaged, FormatErrorText(error, texts), path};
}

QString AboutFile(const QString& message, const QString& path, const QString& reason)
{
    QString text = message + QLatin1Char('\n') + QDir::toNativeSeparators(path);
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}

FailureMessage MessageFor(Attempt attempt, const Failure& failure, const LanguageTexts& texts)
{
    const FailureKind kind = failure.kind;
    const bool notRead = kind == FailureKind::CannotOpen || kind == FailureKind::CannotRead;
    auto warning = [](QString text) { return FailureMessage{Box::Warning, std::move(text)}; };
    auto error = [](QString text) { return FailureMessage{Box::Error, std::move(text)}; };
    auto newer = [&](int index, const char* english) { return texts.lineOr(List::Messages, index, english); };
    // What a reader of the core said about the file, after its name.
    const QString aboutContent = failure.subject + QStringLiteral(": ") + failure.reason;
    const QString cannotOpen = texts.message(message::kCannotOpen);

    switch (attempt) {
    case Attempt::OpenRoom:
        if (notRead)
            return warning(AboutFile(cannotOpen, failure.subject, failure.reason));
        if (kind == FailureKind::TooShort)
            return warning(AboutFile(texts.message(message::kRoomTooShort), failure.subject));
        if (kind == FailureKind::TooLarge)
            return warning(texts.message(message::kOutOfMemory));
        return warning(aboutContent);
    case Attempt::SaveRoom:
        switch (kind) {
        case FailureKind::Unencodable:
            return warning(TextNotEncodableText(texts, failure.item, failure.subject.toLatin1()));
        case FailureKind::TooLarge:
            return warning(texts.message(message::kOutOfMemory));
        case FailureKind::CannotWrite:
        case FailureKind::Damaged:
            return warning(cannotOpen + QLatin1Char('\n') + failure.reason);
        default:
            // The header template: the file, without the reason.
            return warning(cannotOpen + QLatin1Char(' ') + failure.subject);
        }
    case Attempt::LoadPart:
        if (kind == FailureKind::TooLarge)
            return warning(FillLine(newer(message::kPartFileTooLarge, "%1: the file is too large to be a part picture."),
                                    {failure.subject}));
        if (notRead)
            return warning(cannotOpen);
        return warning(aboutContent);
    case Attempt::SavePart:
    case Attempt::ExportPicture:
        if (kind == FailureKind::CannotWrite)
            return error(FillLine(newer(message::kCannotWriteFile, "Cannot write %1: %2"), {failure.subject, failure.reason}));
        return error(failure.reason);
    case Attempt::EditPart:
        switch (kind) {
        case FailureKind::CannotWrite:
            return error(FillLine(newer(message::kCannotCreateFile, "Cannot create file \"%1\". %2"),
                                  {QDir::toNativeSeparators(failure.subject), failure.reason}));
        case FailureKind::NotStarted:
            return warning(cannotOpen + QLatin1Char('\n') + failure.subject + QLatin1Char('\n') + failure.reason);
        case FailureKind::TooLarge:
            // Far beyond any part's size: refused as any picture of the wrong size.
            return warning(texts.message(message::kWrongSize));
        case FailureKind::CannotOpen:
        case FailureKind::CannotRead:
            return warning(texts.message(message::kTempBitmapUnreadable));
        default:
            return warning(aboutContent);
        }
    case Attempt::ImportPicture:
        return warning(newer(message::kPictureUnreadable, "The picture cannot be read:") + QLatin1Char('\n') +
                       failure.subject + QLatin1Char('\n') + PictureProblem(failure, texts));
    case Attempt::PastePicture:
        return warning(newer(message::kPictureUnreadable, "The picture cannot be read:") + QLatin1Char('\n') +
                       PictureProblem(failure, texts));
    case Attempt::ExportPreview:
        if (kind == FailureKind::CannotWrite)
            return error(FillLine(newer(message::kCannotCreateFile, "Cannot create file \"%1\". %2"),
                                  {QDir::toNativeSeparators(failure.subject), failure.reason}));
        return error(failure.reason);
    case Attempt::UseSettings:
    case Attempt::ReadLanguageList:
        return error(failure.reason);
    case Attempt::WriteRecovery:
        return FailureMessage{Box::Window,
                              newer(message::kRecoveryNotWritten, "Unsaved work cannot be written to the recovery file:") +
                                  QLatin1Char('\n') + failure.reason};
    case Attempt::ReadRecovery:
        return warning(AboutFile(
            newer(message::kRecoveryDamaged, "A recovery file is damaged and cannot be restored. It was set aside:"),
            failure.subject, failure.reason));
    }
    return error(failure.reason);
}

}  // namespace velmora
