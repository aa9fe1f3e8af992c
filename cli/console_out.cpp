#include "console_out.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif

namespace velmora::pac {

#ifdef _WIN32

namespace {

// The console behind `stream`, or nullptr when it goes to a file or pipe.
HANDLE ConsoleOf(std::FILE* stream)
{
    const intptr_t raw = _get_osfhandle(_fileno(stream));
    if (raw == -1)
        return nullptr;
    const auto handle = reinterpret_cast<HANDLE>(raw);
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) ? handle : nullptr;
}

}  // namespace

void PrintLocal(std::FILE* stream, const std::string& localBytes)
{
    HANDLE console = ConsoleOf(stream);
    const int length = static_cast<int>(localBytes.size());
    const int wide = console && length > 0 ? MultiByteToWideChar(CP_ACP, 0, localBytes.data(), length, nullptr, 0) : 0;
    if (wide <= 0) {
        std::fwrite(localBytes.data(), 1, localBytes.size(), stream);
        return;
    }
    std::wstring text(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, localBytes.data(), length, text.data(), wide);
    std::fflush(stream);  // what went before through the C library comes first
    DWORD done = 0;
    WriteConsoleW(console, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
}

#else

void PrintLocal(std::FILE* stream, const std::string& localBytes)
{
    std::fwrite(localBytes.data(), 1, localBytes.size(), stream);
}

#endif

}  // namespace velmora::pac
