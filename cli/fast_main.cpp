// velmora-pac's entry: renders without starting Qt, hands everything else to
// velmora-pac-qt beside it.
//
// Loading Qt Core and its libraries takes longer than reading, composing and
// encoding a room together, and `render` needs none of it: no text conversion
// and no data files. So a plain render request is served here, with the core
// alone. Anything else, and any render this front does not take exactly as
// written (an option it does not know, a repeated option, a file it cannot
// read or write, a room the core refuses), goes to the full tool, which parses
// with Qt and gives every message, so both ways answer alike.
//
// Needs Qt (runs in velmora-pac-qt): default and pack (header template and
// palette from the program folder), info, extract and pack (--encoding),
// check (palette), lint, --help, --version, and render whenever it is not
// plain.
#include "core/render/compose.h"
#include "core/render/picture_export.h"
#include "core/room/room_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

// execv alone: starting the full tool in this process's place has no form
// in standard C++, and Qt is what this front exists to avoid. Windows builds
// velmora-pac as the full tool, without this front.
#include <unistd.h>

namespace fs = std::filesystem;
using namespace velmora;

namespace {

constexpr const char* kFullTool = "velmora-pac-qt";

bool EndsWithNoCase(std::string_view s, std::string_view suffix)
{
    if (s.size() < suffix.size())
        return false;
    for (size_t i = 0; i < suffix.size(); ++i) {
        char c = s[s.size() - suffix.size() + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i])
            return false;
    }
    return true;
}

struct RenderRequest {
    std::string room;
    std::string out;
    PreviewState state;
    bool jpeg = true;
};

// The request when argv is a plain render, as the full tool would take it.
std::optional<RenderRequest> ParsePlainRender(int argc, char** argv)
{
    if (argc < 4 || std::strcmp(argv[1], "render") != 0)
        return std::nullopt;
    std::vector<std::string_view> positional;
    std::vector<std::string_view> seen;
    std::optional<std::string_view> door, tbox, bed, format;
    RenderRequest r;
    for (int i = 2; i < argc; ++i) {
        std::string_view a = argv[i];
        if (a.empty() || a[0] != '-') {
            positional.push_back(a);
            continue;
        }
        std::string_view name = a, value;
        bool inlineValue = false;
        if (const size_t eq = a.find('='); eq != std::string_view::npos) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
            inlineValue = true;
        }
        for (std::string_view s : seen)
            if (s == name)
                return std::nullopt;
        seen.push_back(name);
        if ((name == "--night" || name == "--letters") && !inlineValue) {
            (name == "--night" ? r.state.night : r.state.lettersAndBubble) = true;
            continue;
        }
        std::optional<std::string_view>* slot = name == "--door" ? &door : name == "--tbox" ? &tbox
                                 : name == "--bed" ? &bed : name == "--format" ? &format : nullptr;
        if (!slot)
            return std::nullopt;
        if (!inlineValue) {
            if (i + 1 >= argc)
                return std::nullopt;
            value = argv[++i];
        }
        *slot = value;
    }
    if (positional.size() != 2)
        return std::nullopt;
    r.room = positional[0];
    r.out = positional[1];

    if (door) {
        if (*door == "closed")
            r.state.door = DoorState::Closed;
        else if (*door == "half")
            r.state.door = DoorState::HalfOpen;
        else if (*door == "open")
            r.state.door = DoorState::Open;
        else
            return std::nullopt;
    }
    if (tbox && *tbox != "closed" && *tbox != "open")
        return std::nullopt;
    r.state.treasureBoxOpen = tbox == "open";
    if (bed && *bed != "default" && *bed != "sleeping")
        return std::nullopt;
    r.state.bedSleeping = bed == "sleeping";
    if (format) {
        if (*format != "jpg" && *format != "jpeg" && *format != "bmp")
            return std::nullopt;
        r.jpeg = *format != "bmp";
    } else if (EndsWithNoCase(r.out, ".jpg") || EndsWithNoCase(r.out, ".jpeg")) {
        r.jpeg = true;
    } else if (EndsWithNoCase(r.out, ".bmp")) {
        r.jpeg = false;
    } else {
        return std::nullopt;
    }
    return r;
}

std::optional<std::vector<uint8_t>> ReadSmallFile(const fs::path& path, size_t maxBytes)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    const uintmax_t size = fs::file_size(path, ec);
    if (ec || size > maxBytes)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        return std::nullopt;
    return bytes;
}

// Writes the whole file or nothing: a new file beside it, renamed over it
// once every byte is written and flushed. Only a new file or a plain one is
// replaced; the full tool deals with the rest and says why a write fails.
bool WriteWholeFile(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    std::error_code ec;
    const fs::file_status old = fs::symlink_status(path, ec);
    const bool exists = fs::exists(old);
    if (exists && !fs::is_regular_file(old))
        return false;
    std::random_device random;
    for (int attempt = 0; attempt < 8; ++attempt) {
        fs::path temp = path;
        temp += ".velmora-" + std::to_string(random());
        // "x": never opens a file that is already there.
        std::FILE* file = std::fopen(temp.string().c_str(), "wbx");
        if (!file)
            continue;
        bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        ok = std::fflush(file) == 0 && ok;
        ok = std::fclose(file) == 0 && ok;
        if (ok && exists) {
            fs::permissions(temp, old.permissions(), ec);
            ok = !ec;
        }
        if (ok) {
            fs::rename(temp, path, ec);
            ok = !ec;
        }
        if (!ok)
            fs::remove(temp, ec);
        return ok;
    }
    return false;
}

bool RenderPlain(const RenderRequest& r)
{
    const std::optional<std::vector<uint8_t>> file = ReadSmallFile(fs::path(r.room), kRoomMaxFileSize);
    if (!file)
        return false;
    try {
        const Room room = ReadRoomFile(*file);
        Bitmap preview;
        ComposeRoom(room.pictures, r.state, preview);
        return WriteWholeFile(fs::path(r.out), r.jpeg ? EncodePreviewJpeg(preview) : EncodePreviewBmp(preview));
    } catch (const std::exception&) {
        return false;  // the full tool says what is wrong
    }
}

// This program's folder: argv[0] as given, else found on the PATH, with
// links resolved, as a launcher or a link on the PATH may start it.
std::optional<fs::path> ProgramFolder(const char* argv0)
{
    std::error_code ec;
    fs::path self = argv0;
    if (!self.has_parent_path()) {
        const char* path = std::getenv("PATH");
        std::string_view dirs = path ? path : "";
        bool found = false;
        while (!found) {
            const size_t colon = dirs.find(':');
            const fs::path dir(std::string(dirs.substr(0, colon)));
            const fs::path candidate = (dir.empty() ? fs::path(".") : dir) / self;
            if (fs::is_regular_file(candidate, ec)) {
                self = candidate;
                found = true;
            }
            if (colon == std::string_view::npos)
                break;
            dirs.remove_prefix(colon + 1);
        }
        if (!found)
            return std::nullopt;
    }
    const fs::path resolved = fs::canonical(self, ec);
    if (ec)
        return std::nullopt;
    return resolved.parent_path();
}

}  // namespace

int main(int argc, char** argv)
{
    if (const std::optional<RenderRequest> request = ParsePlainRender(argc, argv))
        if (RenderPlain(*request))
            return 0;

    const std::optional<fs::path> folder = ProgramFolder(argc > 0 ? argv[0] : "velmora-pac");
    if (!folder) {
        std::fprintf(stderr, "velmora-pac: cannot find the program folder to start %s from\n", kFullTool);
        return 1;
    }
    const std::string full = (*folder / kFullTool).string();
    // The full tool gets our argv[0], so that it names itself as we do.
    ::execv(full.c_str(), argv);
    std::fprintf(stderr, "velmora-pac: cannot start %s: %s\n", full.c_str(), std::strerror(errno));
    return 1;
}
