// Line splitting of language and list files on any bytes: no line holds a
// line end or a NUL, and the lines joined again give the text before the
// first NUL with every line end made one LF.
#include "fuzz/fuzz_check.h"
#include "core/text/text_lines.h"

#include <algorithm>
#include <string>

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<std::string> lines = SplitTextLines(std::span(data, size));
    for (const std::string& line : lines)
        FUZZ_CHECK(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);

    std::string normal;  // the text up to the first NUL, line ends as LF
    for (size_t i = 0; i < size && data[i] != 0; ++i) {
        if (data[i] == '\r') {
            normal += '\n';
            if (i + 1 < size && data[i + 1] == '\n')
                ++i;
        } else {
            normal += static_cast<char>(data[i]);
        }
    }
    const size_t ends = static_cast<size_t>(std::count(normal.begin(), normal.end(), '\n'));
    const size_t expectedLines = ends + (!normal.empty() && normal.back() != '\n' ? 1 : 0);
    FUZZ_CHECK(lines.size() == expectedLines);
    std::string joined;
    for (const std::string& line : lines)
        joined += line + '\n';
    if (!normal.empty() && normal.back() != '\n')
        normal += '\n';
    FUZZ_CHECK(joined == normal);
    return 0;
}
