// Line splitting of the plain-text files the program reads (language files,
// the language list).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velmora {

// Splits at CR LF, a lone CR and a lone LF. A NUL byte ends the text. Nothing
// is trimmed; a blank line is a line of its own; a last line without a line
// end counts, and a line end at the very end adds no empty line.
std::vector<std::string> SplitTextLines(std::span<const uint8_t> bytes);

}  // namespace velmora
