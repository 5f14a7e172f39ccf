// Display text of one pager line: numbers, hexadecimal, tabs, backspaces,
// carriage returns, line feeds and NULs.
#include <gtest/gtest.h>

#include <string>

#include "render.h"

using zodo::RenderLine;
using zodo::RenderOptions;

namespace {

struct RenderCase {
    const char* name;
    std::string bytes;
    long lineNumber;
    long offset;
    bool numbers;
    bool hex;
    int tab;
    std::string expected;
};
std::ostream& operator<<(std::ostream& os, const RenderCase& c)
{
    return os << c.name;
}

class Render : public ::testing::TestWithParam<RenderCase> {};

TEST_P(Render, GivesTheDisplayText)
{
    const RenderCase& c = GetParam();
    RenderOptions options;
    options.lineNumbers = c.numbers;
    options.hexadecimal = c.hex;
    options.tabLength = c.tab;
    std::string out = "left over from the line before";
    RenderLine(c.bytes.data(), static_cast<int>(c.bytes.size()), c.lineNumber, c.offset, options, out);
    EXPECT_EQ(out, c.expected);
}

const std::string kPrefix7 = "     7  ";

INSTANTIATE_TEST_SUITE_P(
    Pager, Render,
    ::testing::Values(
        RenderCase{"tab_then_crlf", "A\tB\r\n", 1, 0, false, false, 8, "A       B"},
        RenderCase{"only_line_feed", "\n", 1, 0, false, false, 8, ""},
        RenderCase{"line_number", "text\n", 7, 0, true, false, 8, kPrefix7 + "text"},
        RenderCase{"wide_number", "x", 1234567, 0, true, false, 8, "1234567  x"},
        // The prefix fills one tab stop of 8, so a leading tab adds a full 8.
        RenderCase{"tab_after_prefix_8", "\tx", 7, 0, true, false, 8, kPrefix7 + "        x"},
        RenderCase{"tab_after_prefix_3", "\tx", 7, 0, true, false, 3, kPrefix7 + " x"},
        RenderCase{"tab_at_stop_is_full", "abc\tx", 1, 0, false, false, 3, "abc   x"},
        RenderCase{"hex_at_offset", "AB\r\n", 1, 32, false, true, 8, "(Offset = 20, Size = 4) 41420d0a"},
        RenderCase{"hex_high_byte_and_controls", "\x80\t\b", 1, 0, false, true, 8, "(Offset = 0, Size = 3) 800908"},
        RenderCase{"hex_with_number", "A", 3, 4096, true, true, 8, "     3  (Offset = 1000, Size = 1) 41"},
        RenderCase{"backspace_eats_prefix", "\b\bX", 7, 0, true, false, 8, "     7X"},
        RenderCase{"backspace_on_empty", "\b\bA\bB", 1, 0, false, false, 8, "B"},
        RenderCase{"bare_cr_kept", "a\rb", 1, 0, false, false, 8, "a\rb"},
        RenderCase{"cr_ending_cut_line", "ab\r", 1, 0, false, false, 8, "ab\r"},
        RenderCase{"nul_as_blank", std::string("a\0b\0", 4), 1, 0, false, false, 8, "a b "},
        // A tab length the profile cannot sensibly mean renders as 8.
        RenderCase{"tab_zero", "a\tb", 1, 0, false, false, 0, "a       b"},
        RenderCase{"tab_negative", "a\tb", 1, 0, false, false, -4, "a       b"},
        RenderCase{"tab_huge", "a\tb", 1, 0, false, false, 2000000000, "a       b"},
        RenderCase{"tab_one", "a\tb\t", 1, 0, false, false, 1, "a b "}));

TEST(RenderLongLine, HexOfAFullLineKeepsEveryByte)
{
    std::string bytes(512, '\xff');
    RenderOptions options;
    options.hexadecimal = true;
    std::string out;
    RenderLine(bytes.data(), 512, 1, 0x7ffffe00L, options, out);
    std::string prefix = "(Offset = 7ffffe00, Size = 200) ";
    ASSERT_EQ(out.size(), prefix.size() + 1024);
    EXPECT_EQ(out.substr(0, prefix.size()), prefix);
    EXPECT_EQ(out.find_first_not_of('f', prefix.size()), std::string::npos);
}

}   // namespace
