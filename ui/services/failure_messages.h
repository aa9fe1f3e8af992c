// Every failure at a boundary, turned into the message the user reads: the
// one place that knows which message line each failure of each command is
// told with, and in which box.
#pragma once

#include "common/result.h"

#include <QString>

namespace velmora {

class FormatError;
class LanguageTexts;

// What the user asked for when the boundary failed.
enum class Attempt {
    OpenRoom,        // Open, a recent room, a drop, the command line, a reload
    SaveRoom,        // Save, Save As
    LoadPart,        // Load from bitmapfile, a BMP dropped on a box
    SavePart,        // Save to bitmapfile
    EditPart,        // Edit in the image editor
    ImportPicture,   // Import picture, a picture dropped on a box
    PastePicture,    // Paste picture
    ExportPicture,   // Export picture, Copy picture
    ExportPreview,   // the check dialog's Save As
    UseSettings,     // a setting read or written
    ReadLanguageList,  // the list of languages the language dialog offers
    WriteRecovery,   // the recovery file written after a change
    ReadRecovery,    // a recovery file left by an editor that stopped
    ExportLayers,    // Export layered picture
    ImportLayers,    // Import layered picture
};

struct FailureMessage {
    // The warning box, the error box (the application title as caption), or
    // told in the window itself, where it does not stop the user.
    enum class Box { Warning, Error, Window };
    Box box;
    QString text;
};

// The message for `failure` during `attempt`, in the chosen language. A
// message line the language file lacks is an error (ListIndexError) for
// the lines every file has, and English for the later ones.
FailureMessage MessageFor(Attempt attempt, const Failure& failure, const LanguageTexts& texts);

// A file the core found malformed: Damaged, its fault in the chosen language.
Failure Malformed(const FormatError& error, const QString& path, const LanguageTexts& texts);

// A message line with the file it is about on the line after it, and the
// reason, when there is one, on the next.
QString AboutFile(const QString& message, const QString& path, const QString& reason = {});

}  // namespace velmora
