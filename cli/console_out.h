// Text for the user on standard output or standard error.
#pragma once

#include <cstdio>
#include <string>

namespace velmora::pac {

// Writes `localBytes` (text in the locale's encoding, as toLocal8Bit gives)
// to `stream`. A Windows console shows another code page than the locale's
// (the OEM one, 437 or 850 where the locale's is 1252), so there the text is
// handed over as UTF-16; files and pipes get the bytes as they are.
void PrintLocal(std::FILE* stream, const std::string& localBytes);

}  // namespace velmora::pac
