// The three lists of texts loaded from the language files: menu items,
// labels and messages. Lines are addressed by 0-based index; the meaning of
// every index is fixed by the program.
#pragma once

#include "common/message_lines.h"
#include "common/result.h"

#include <QString>

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
    // The line, or `english` (UTF-8) when the file ends before it; the
    // table of lines (language_lines.h) gives each line's English.
    QString lineOr(List list, int index, const char* english) const;

private:
    std::vector<QString> menuItems_;
    std::vector<QString> labels_;
    std::vector<QString> messages_;
};

// A menu caption as the name of a step in the room's history ("Undo Make
// mask"): without its access key and trailing dots.
QString StepName(const QString& menuCaption);

}  // namespace velmora
