#include "ui/services/paths.h"

#include <QDir>

namespace velmora {

namespace {

QString Join(const QString& folder, const QString& name)
{
    return folder + QLatin1Char('/') + name;
}

}  // namespace

QString ProgramFolderOf(const QString& executablePath)
{
    // Backslashes count too where the system separates with them (Windows).
    const QString path = QDir::fromNativeSeparators(executablePath);
    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
    return cut < 0 ? QString() : path.left(cut);
}

QString TempFolder()
{
    const QString temp = qEnvironmentVariable("TEMP");
    return temp.isEmpty() ? QDir::tempPath() : QDir::fromNativeSeparators(temp);
}

QString MenuItemsPath(const QString& programFolder, const QString& languageCode)
{
    return Join(programFolder, QStringLiteral("ltexts/menuitems.") + languageCode);
}

QString LabelsPath(const QString& programFolder, const QString& languageCode)
{
    return Join(programFolder, QStringLiteral("ltexts/labels.") + languageCode);
}

QString MessagesPath(const QString& programFolder, const QString& languageCode)
{
    return Join(programFolder, QStringLiteral("ltexts/messages.") + languageCode);
}

QString LanguageListPath(const QString& programFolder)
{
    return Join(programFolder, QStringLiteral("Velmllist.cfg"));
}

QString HelpLanguagePath(const QString& programFolder, const QString& languageCode)
{
    return Join(programFolder, QStringLiteral("Help/") + languageCode);
}

QString HelpIndexPath(const QString& programFolder)
{
    return Join(programFolder, QStringLiteral("Help/vlindex.htm"));
}

QString HelpIndexPath(const QString& programFolder, const QString& languageCode)
{
    return Join(programFolder, QStringLiteral("Help/") + languageCode + QStringLiteral("/vlindex.htm"));
}

QString TempBitmapPath(const QString& tempFolder, int64_t secondsSinceEpoch)
{
    return Join(tempFolder, QStringLiteral("velm%1.bmp").arg(secondsSinceEpoch));
}

QString TempBitmapPath(const QString& tempFolder, int64_t secondsSinceEpoch, int attempt)
{
    if (attempt == 0)
        return TempBitmapPath(tempFolder, secondsSinceEpoch);
    return Join(tempFolder, QStringLiteral("velm%1-%2.bmp").arg(secondsSinceEpoch).arg(attempt));
}

}  // namespace velmora
