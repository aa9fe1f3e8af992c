// The editor's persistent settings ("LANG", "GEDIT" and the later ones).
// Each read or write is one short transaction: nothing stays open between
// operations.
#pragma once

#include "common/result.h"

#include <QString>

#include <optional>
#include <stdexcept>

namespace velmora {

// A settings failure that ends the start of the editor.
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Settings {
public:
    static constexpr const char* kLanguage = "LANG";
    static constexpr const char* kImageEditor = "GEDIT";
    // The encoding of room texts; missing or empty: the locale's.
    static constexpr const char* kTextEncoding = "TEXTENC";
    // The rooms last opened or saved, newest first, one path a line.
    static constexpr const char* kRecentRooms = "RECENT";
    // The import dialog's last choices: the fitting and the dithering by the
    // words velmora-pac import takes, the alpha threshold as a number.
    static constexpr const char* kImportFit = "IMPORTFIT";
    static constexpr const char* kImportDither = "IMPORTDITHER";
    static constexpr const char* kImportAlpha = "IMPORTALPHA";
    // What a double-click on a picture does: the external image editor
    // ("editor", also for a missing or unknown value) or the painter.
    static constexpr const char* kDoubleClick = "DBLCLICK";
    static constexpr const char* kDoubleClickEditor = "editor";
    static constexpr const char* kDoubleClickPainter = "painter";

    // An empty file means the user's own settings (organisation "Oskel",
    // application "Quorvix"); tests give a file of their own.
    explicit Settings(QString file = {});

    // nullopt when the value is missing; Damaged, naming the setting, for a
    // value that is not a text.
    Result<std::optional<QString>> read(const QString& name) const;
    // CannotWrite, naming the setting and the file, when the value could
    // not be stored.
    Result<void> write(const QString& name, const QString& value) const;

    // Where the values are kept, for messages.
    QString location() const;

private:
    QString file_;
};

}  // namespace velmora
