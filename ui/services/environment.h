// Where the main window finds its program folder, temporary folder and
// settings. The defaults are the running program's; tests give their own.
#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace velmora {

struct Environment {
    QString programFolder;  // empty: the folder of the running executable
    QString tempFolder;     // empty: TempFolder(), read anew on each use
    QString settingsFile;   // empty: the user's own settings
    // Opens a document with the system's viewer, false when none took it;
    // empty: QDesktopServices.
    std::function<bool(const QUrl&)> openUrl;
    // Where recovery files are kept; empty: the user's data folder
    // (QStandardPaths::AppDataLocation).
    QString recoveryFolder;
};

}  // namespace velmora
