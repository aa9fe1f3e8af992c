#include "core/text/text_lines.h"

#include <gtest/gtest.h>

#include <string_view>

using namespace velmora;

namespace {
std::vector<std::string> Split(std::string_view s)
{
    return SplitTextLines(std::span(reinterpret_cast<const uint8_t*>(s.data()), s.size()));
}
using Lines = std::vector<std::string>;
}  // namespace

TEST(SplitTextLines, AllLineEndsNumberLinesAlike)
{
    const Lines expected = {"a", "", " b ", "c"};
    EXPECT_EQ(Split("a\r\n\r\n b \r\nc\r\n"), expected);
    EXPECT_EQ(Split("a\n\n b \nc\n"), expected);
    EXPECT_EQ(Split("a\r\r b \rc\r"), expected);
    EXPECT_EQ(Split("a\n\r\n b \rc"), expected);  // mixed
}

TEST(SplitTextLines, EndsAndEmptyFiles)
{
    EXPECT_EQ(Split(""), Lines{});
    EXPECT_EQ(Split("\n"), Lines{""});
    EXPECT_EQ(Split("x"), Lines{"x"});
    EXPECT_EQ(Split("x\n\n"), (Lines{"x", ""}));
    EXPECT_EQ(Split(std::string_view("a\nb\0c\nd", 7)), (Lines{"a", "b"}));
    EXPECT_EQ(Split(std::string_view("\0a", 2)), Lines{});
}
