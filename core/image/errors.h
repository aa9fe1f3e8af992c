// Failures below the user interface are exceptions with a text for the user.
#pragma once

#include <stdexcept>
#include <string>

namespace velmora {

// Input that is not in a form we take: a malformed or unsupported BMP, a room
// file whose records do not fit, a text too long for a room file.
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace velmora
