#include "ui/services/failure_messages.h"

#include "ui/services/error_texts.h"
#include "ui/services/language_lines.h"

#include <QDir>
#include <QStringList>

namespace velmora {

namespace {

using Box = FailureMessage::Box;

// Why a picture was not read.
QString PictureProblem(const Failure& failure, const LanguageTexts& texts)
{
    QStringList numbers;
    for (const qint64 number : failure.numbers)
        numbers << QString::number(number);
    switch (failure.kind) {
    case FailureKind::TooLarge:
        return FillLine(TextOf(texts, Text::PictureFileTooLarge), numbers);
    case FailureKind::CannotOpen:
    case FailureKind::CannotRead:
        return FillLine(TextOf(texts, Text::PictureFileUnreadable), {failure.reason});
    case FailureKind::TooManyPixels:
        return FillLine(TextOf(texts, Text::PictureSizeTooLarge), numbers);
    case FailureKind::Unreadable:
        return FillLine(TextOf(texts, Text::PictureReaderFailed),
                        {failure.reason.isEmpty() ? TextOf(texts, Text::NotAPicture) : failure.reason});
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
    // What a reader of the core said about the file, after its name.
    const QString aboutContent = failure.subject + QStringLiteral(": ") + failure.reason;
    const QString cannotOpen = TextOf(texts, Text::CannotOpen);
    // A file of our own making (the temporary BMP, the exported preview) that could not be made.
    auto cannotCreate = [&] {
        return error(FillLine(TextOf(texts, Text::CannotCreateFile),
                              {QDir::toNativeSeparators(failure.subject), failure.reason}));
    };

    switch (attempt) {
    case Attempt::OpenRoom:
        if (notRead)
            return warning(AboutFile(cannotOpen, failure.subject, failure.reason));
        if (kind == FailureKind::TooShort)
            return warning(AboutFile(TextOf(texts, Text::RoomTooShort), failure.subject));
        if (kind == FailureKind::TooLarge)
            return warning(TextOf(texts, Text::OutOfMemory));
        return warning(aboutContent);
    case Attempt::SaveRoom:
        switch (kind) {
        case FailureKind::Unencodable:
            return warning(TextNotEncodableText(texts, failure.item, failure.subject.toLatin1()));
        case FailureKind::TooLarge:
            return warning(TextOf(texts, Text::OutOfMemory));
        case FailureKind::CannotWrite:
        case FailureKind::Damaged:
            return warning(cannotOpen + QLatin1Char('\n') + failure.reason);
        default:
            // The header template: the file, without the reason.
            return warning(cannotOpen + QLatin1Char(' ') + failure.subject);
        }
    case Attempt::LoadPart:
        if (kind == FailureKind::TooLarge)
            return warning(FillLine(TextOf(texts, Text::PartFileTooLarge),
                                    {failure.subject}));
        if (notRead)
            return warning(cannotOpen);
        return warning(aboutContent);
    case Attempt::SavePart:
    case Attempt::ExportPicture:
        if (kind == FailureKind::CannotWrite)
            return error(FillLine(TextOf(texts, Text::CannotWriteFile), {failure.subject, failure.reason}));
        return error(failure.reason);
    case Attempt::EditPart:
        switch (kind) {
        case FailureKind::CannotWrite:
            return cannotCreate();
        case FailureKind::NotStarted:
            return warning(cannotOpen + QLatin1Char('\n') + failure.subject + QLatin1Char('\n') + failure.reason);
        case FailureKind::TooLarge:
            // Far beyond any part's size: refused as any picture of the wrong size.
            return warning(TextOf(texts, Text::WrongSize));
        case FailureKind::CannotOpen:
        case FailureKind::CannotRead:
            return warning(TextOf(texts, Text::TempBitmapUnreadable));
        default:
            return warning(aboutContent);
        }
    case Attempt::ImportPicture:
        return warning(TextOf(texts, Text::PictureUnreadable) + QLatin1Char('\n') +
                       failure.subject + QLatin1Char('\n') + PictureProblem(failure, texts));
    case Attempt::PastePicture:
        return warning(TextOf(texts, Text::PictureUnreadable) + QLatin1Char('\n') +
                       PictureProblem(failure, texts));
    case Attempt::ExportPreview:
        if (kind == FailureKind::CannotWrite)
            return cannotCreate();
        return error(failure.reason);
    case Attempt::UseSettings:
    case Attempt::ReadLanguageList:
        return error(failure.reason);
    case Attempt::WriteRecovery:
        return FailureMessage{Box::Window,
                              TextOf(texts, Text::RecoveryNotWritten) +
                                  QLatin1Char('\n') + failure.reason};
    case Attempt::ReadRecovery:
        return warning(AboutFile(TextOf(texts, Text::RecoveryDamaged), failure.subject, failure.reason));
    case Attempt::ExportLayers:
        return error(FillLine(TextOf(texts, Text::CannotWriteFile), {failure.subject, failure.reason}));
    case Attempt::ImportLayers:
        return warning(AboutFile(TextOf(texts, Text::LayeredUnreadable), failure.subject,
                                 kind == FailureKind::Damaged ? failure.reason : PictureProblem(failure, texts)));
    }
    return error(failure.reason);
}

}  // namespace velmora
