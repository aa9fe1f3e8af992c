// Shared pieces of velmora-pac: error reporting, whole-file reading and
// writing, and the data files of the program folder.
#pragma once

#include "common/result.h"
#include "core/room/room_file.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <initializer_list>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace velmora::pac {

enum ExitCode { kSuccess = 0, kBadInput = 1, kWrongUsage = 2 };

// Ends a command: main() prints "velmora-pac: FILE: what" (or
// "velmora-pac: what" without a file) and exits with `code`.
class CliError : public std::runtime_error {
public:
    CliError(QString file, const std::string& what, int code)
        : std::runtime_error(what), file_(std::move(file)), code_(code)
    {
    }
    const QString& file() const { return file_; }
    int code() const { return code_; }

private:
    QString file_;
    int code_;
};

[[noreturn]] void Fail(const QString& file, const std::string& what);
// A boundary's failure, worded for the tool, naming the file it concerns.
[[noreturn]] void Fail(const Failure& failure);
[[noreturn]] void UsageError(const std::string& what);
void Warn(const QString& file, const std::string& what);

// The whole file, refusing one larger than `maxBytes` before reading it.
std::vector<uint8_t> ReadWholeFile(const QString& path, int64_t maxBytes);
// Writes all bytes or nothing: the old file stays as it was on failure.
void SaveWholeFile(const QString& path, std::span<const uint8_t> bytes);

// Writes the room with the header template, whole or not at all.
void SaveRoom(const QString& path, const Room& room);

// Largest single BMP file a command reads.
constexpr int64_t kMaxBmpFileBytes = int64_t{256} * 1024 * 1024;

// Reads and decodes a room file; any fault ends the command naming the file.
Room ReadRoom(const QString& path);

// Data files in the folder of the executable.
QString ProgramFolder();
QString StandardPalettePath();
std::vector<uint8_t> ReadHeaderTemplate();
// The first 1024 bytes of the palette file, or nullopt with `problem` set
// when the file cannot be opened or is too short.
std::optional<std::array<uint8_t, 1024>> ReadStandardPalette(std::string& problem);

// "08-BedImage.bmp" for slot 8.
QString SlotFileName(int slot);
// "82x73".
std::string SizeText(int32_t width, int32_t height);
// "slot 8 (BedImage) takes 82x73": what a picture of the wrong size is told.
std::string SlotTakes(int slot);
constexpr const char* kTextFileNames[3] = {"name.txt", "comment.txt", "copyright.txt"};

std::string Local(const QString& s);

// The value of --option among its named choices; any other value is wrong
// usage naming the value and the choices.
template <typename T>
T Choice(const QString& option, const QString& value, std::initializer_list<std::pair<const char*, T>> choices)
{
    std::string names;
    for (const auto& [name, result] : choices) {
        if (value == QLatin1String(name))
            return result;
        names += names.empty() ? name : std::string(", ") + name;
    }
    UsageError("--" + Local(option) + " takes " + names + ", not \"" + Local(value) + "\"");
}

// With --encoding, room texts are converted between the room's encoding and
// the locale's for the user; without it they pass as raw bytes. Texts the
// room's encoding cannot hold end the command naming `file`.
class TextConversion {
public:
    explicit TextConversion(const QString& encoding);
    std::string toUser(const std::string& roomBytes) const;
    std::string toRoom(const std::string& userBytes, const QString& file) const;

private:
    std::optional<QByteArray> encoding_;
};

}  // namespace velmora::pac
