// GoogleTest expectations on decoding BMP bytes.
#pragma once

#include "core/image/bmp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora::testing {

// Decoding fails with a FormatError whose text contains `part`.
inline void ExpectFormatError(const std::vector<uint8_t>& bytes, const std::string& part)
{
    try {
        DecodeBmp(bytes);
        ADD_FAILURE() << "decoded; expected an error containing \"" << part << "\"";
    } catch (const FormatError& e) {
        EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
    }
}

}  // namespace velmora::testing
