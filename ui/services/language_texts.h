// The three lists of texts loaded from the language files: menu items,
// labels and messages. Lines are addressed by 0-based index; the meaning of
// every index is fixed by the program.
#pragma once

#include "common/message_lines.h"
#include "common/result.h"

#include <QString>

#include <array>

#include <stdexcept>
#include <string>
#include <vector>

namespace velmora {

// A language file that cannot be read, as applying the texts raises it.
class FileOpenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A line asked for beyond the end of a list.
class ListIndexError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The lines of a UTF-8 text file, split as the language files are split.
// CannotOpen, CannotRead or TooLarge, the reason naming the file.
Result<std::vector<QString>> ReadTextFileLines(const QString& path);

class LanguageTexts {
public:
    enum class List { MenuItems, Labels, Messages };

    // Replaces one list by the lines of a file; throws FileOpenError when it
    // cannot be read, the list keeping its previous lines.
    void load(List list, const QString& path);

    // Line `index` unchanged; throws ListIndexError naming the list and line.
    const QString& line(List list, int index) const;
    const QString& menuItem(int index) const { return line(List::MenuItems, index); }
    const QString& label(int index) const { return line(List::Labels, index); }
    const QString& message(int index) const { return line(List::Messages, index); }

    const std::vector<QString>& lines(List list) const;
    // A line newer than some language files: `english` (UTF-8) when the file
    // ends before it.
    QString lineOr(List list, int index, const char* english) const;

private:
    std::vector<QString> menuItems_;
    std::vector<QString> labels_;
    std::vector<QString> messages_;
};

// A menu caption as the name of a step in the room's history ("Undo Make
// mask"): without its access key and trailing dots.
QString StepName(const QString& menuCaption);

// Label lines with a fixed meaning; message lines are in message_lines.h.
namespace label {
constexpr int kFontFace = 0;
constexpr int kTitle = 1;
constexpr int kQuestionCaption = 32;
constexpr int kWarningCaption = 33;
// Lines newer than some language files, shown with their English text
// (the second name) when missing.
constexpr int kPicturesFileType = 37;
constexpr const char* kPicturesFileTypeText = "Pictures";
constexpr int kAllFilesFileType = 38;
constexpr const char* kAllFilesFileTypeText = "All files";
constexpr int kJpegFileType = 39;
constexpr const char* kJpegFileTypeText = "JPEG Image";
constexpr int kBitmapFileType = 40;
constexpr const char* kBitmapFileTypeText = "Bitmap Image";
constexpr int kAboutVersion = 41;
constexpr const char* kAboutVersionText = "Version.";
constexpr int kAboutCopyright = 42;
constexpr const char* kAboutCopyrightText = "Copyright \u00a9 2026 Velmora team";
constexpr int kSystemEncoding = 43;
constexpr const char* kSystemEncodingText = "System (%1)";
// A picture box's name for screen readers and its tool tip: the part's name
// with what the box shows.
constexpr int kBoxPicture = 44;
constexpr const char* kBoxPictureText = "%1, picture";
constexpr int kBoxMask = 45;
constexpr const char* kBoxMaskText = "%1, mask";
// The names of the twenty parts, in slot order.
constexpr int kFirstPartName = 46;
inline constexpr std::array<const char*, 20> kPartNameTexts = {
    "Window view (day)",  "Window view (night)",  "Window view (connecting)", "Door view (day)",
    "Room view",          "Door (closed)",        "Door (half open)",         "Door (open)",
    "Bed (default)",      "Bed (sleeping)",       "Treasure box (closed)",    "Treasure box (open)",
    "Table",              "Mailbox",              "Bubble",                   "Bath tub",
    "Letter (mailbox)",   "Letter (table)",       "Letter (door side)",       "Door view (night)",
};
}  // namespace label


}  // namespace velmora
