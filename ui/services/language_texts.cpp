#include "ui/services/language_texts.h"

#include "core/text/text_lines.h"

#include <QFile>
#include <QRegularExpression>

namespace velmora {

namespace {

const char* ListName(LanguageTexts::List list)
{
    switch (list) {
    case LanguageTexts::List::MenuItems: return "menu items";
    case LanguageTexts::List::Labels: return "labels";
    case LanguageTexts::List::Messages: return "messages";
    }
    return "";
}

}  // namespace

Result<std::vector<QString>> ReadTextFileLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{FailureKind::CannotOpen,
                       QStringLiteral("Cannot open file \"%1\": %2").arg(path, file.errorString()), path};
    // Splitting takes some 30 bytes per blank line; a text file a thousand
    // times larger than any real list is refused rather than read.
    constexpr qint64 kMaxTextFileSize = qint64{1} << 20;
    if (file.size() > kMaxTextFileSize)
        return Failure{FailureKind::TooLarge,
                       QStringLiteral("Cannot read file \"%1\": it is %2 bytes long, more than a text list may be")
                           .arg(path)
                           .arg(file.size()),
                       path, -1, {file.size(), kMaxTextFileSize}};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Failure{FailureKind::CannotRead,
                       QStringLiteral("Cannot read file \"%1\": %2").arg(path, file.errorString()), path};
    const auto raw = SplitTextLines(
        std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())));
    std::vector<QString> lines;
    lines.reserve(raw.size());
    for (const std::string& line : raw)
        lines.push_back(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
    return lines;
}

void LanguageTexts::load(List list, const QString& path)
{
    Result<std::vector<QString>> read = ReadTextFileLines(path);
    if (!read)
        throw FileOpenError(read.failure().reason.toStdString());
    std::vector<QString> lines = std::move(read).value();
    switch (list) {
    case List::MenuItems: menuItems_ = std::move(lines); break;
    case List::Labels: labels_ = std::move(lines); break;
    case List::Messages: messages_ = std::move(lines); break;
    }
}

const std::vector<QString>& LanguageTexts::lines(List list) const
{
    switch (list) {
    case List::MenuItems: return menuItems_;
    case List::Labels: return labels_;
    case List::Messages: break;
    }
    return messages_;
}

const QString& LanguageTexts::line(List list, int index) const
{
    const auto& all = lines(list);
    if (index < 0 || static_cast<size_t>(index) >= all.size())
        throw ListIndexError("List index out of bounds: line " + std::to_string(index) + " of the " +
                             ListName(list) + " list, which has " + std::to_string(all.size()) + " lines.");
    return all[static_cast<size_t>(index)];
}

QString LanguageTexts::lineOr(List list, int index, const char* english) const
{
    const std::vector<QString>& all = lines(list);
    return index >= 0 && all.size() > size_t(index) ? all[size_t(index)] : QString::fromUtf8(english);
}

QString StepName(const QString& menuCaption)
{
    QString name = menuCaption;
    // "(&S)" after a Japanese caption, or a single "&" inside a Latin one.
    name.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    name.remove(QLatin1Char('&'));
    name = name.trimmed();
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QChar(0x2026)))
        name.chop(1);
    return name.trimmed();
}

}  // namespace velmora
