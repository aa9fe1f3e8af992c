// Where the program finds its data files and puts its scratch files. Every
// file name the program forms is made by one function here.
#pragma once

#include "common/data_files.h"

#include <QString>

#include <cstdint>

namespace velmora {

// The folder of an executable: its path cut at the last separator, the
// separator itself removed ("/a/b/x" gives "/a/b"). A path without a
// separator gives an empty folder.
QString ProgramFolderOf(const QString& executablePath);

// "TEMP" when set and not empty, otherwise the system's temporary folder.
// Read anew on every call.
QString TempFolder();

QString MenuItemsPath(const QString& programFolder, const QString& languageCode);
QString LabelsPath(const QString& programFolder, const QString& languageCode);
QString MessagesPath(const QString& programFolder, const QString& languageCode);
QString LanguageListPath(const QString& programFolder);
// The test for a language's help folder (a file of that name counts too).
QString HelpLanguagePath(const QString& programFolder, const QString& languageCode);
QString HelpIndexPath(const QString& programFolder);
QString HelpIndexPath(const QString& programFolder, const QString& languageCode);

// One picture handed to the image editor or converted through a file.
QString TempBitmapPath(const QString& tempFolder, int64_t secondsSinceEpoch);
// The same, for the attempt-th try when the plain name is taken (0: the plain
// name, then "velm<seconds>-<attempt>.bmp").
QString TempBitmapPath(const QString& tempFolder, int64_t secondsSinceEpoch, int attempt);

}  // namespace velmora
