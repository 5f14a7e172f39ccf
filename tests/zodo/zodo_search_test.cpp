// The pager's search without windows: the expression it compiles, the text
// a line is matched as, the walk from beyond the top line, and the block
// scan that must find exactly what the line-by-line walk finds.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lineindex.h"
#include "regex.h"
#include "render.h"
#include "search.h"
#include "zodo_test_files.h"

using zodo::LineIndex;
using zodo::LineRecord;
using zodo::LoadStatus;
using zodo::RenderOptions;
using zodo::SearchOptions;
using zodo::SearchOutcome;
using zodo::SearchWalk;

namespace {

SearchOptions Options(const std::string& expression, bool anchorStart = false, bool anchorEnd = false,
                      bool ignoreCase = false, bool rendered = false)
{
    SearchOptions o;
    o.expression = expression;
    o.anchorStart = anchorStart;
    o.anchorEnd = anchorEnd;
    o.ignoreCase = ignoreCase;
    o.renderedText = rendered;
    return o;
}

RenderOptions Render(bool lineNumbers = false, bool hexadecimal = false, int tab = 8)
{
    RenderOptions r;
    r.lineNumbers = lineNumbers;
    r.hexadecimal = hexadecimal;
    r.tabLength = tab;
    return r;
}

// A file's bytes loaded into a line index, as the document holds them.
class Loaded {
public:
    explicit Loaded(const std::string& bytes)
    {
        std::string path = dir_.file("search.txt");
        zodo_test::WriteBytes(path, bytes);
        if (index_.Load(path.c_str()) != LoadStatus::Loaded)
            throw std::runtime_error("cannot load the test file");
    }
    const LineIndex& index() const { return index_; }
    LineRecord* Line(long n) const { return index_.Line(n); }

    // What the view does: start beyond the top line, search, and give the
    // number of the line found (0 for none, -1 for an invalid pattern, -2
    // when there is no line beyond the top one).
    long Search(long top, bool forward, const SearchOptions& o, const RenderOptions& r,
                SearchWalk walk = SearchWalk::Scan) const
    {
        LineRecord* first = zodo::SearchStartLine(Line(top), forward);
        if (!first)
            return -2;
        LineRecord* found = nullptr;
        SearchOutcome outcome = zodo::SearchLines(index_, first, forward, o, r, &found, walk);
        if (outcome == SearchOutcome::InvalidPattern)
            return -1;
        return outcome == SearchOutcome::Found ? found->lineNumber : 0;
    }

private:
    zodo_test::ScratchDir dir_;
    LineIndex index_;
};

// ---------------------------------------------------------------- the expression

struct ExpressionCase {
    const char* name;
    SearchOptions options;
    std::string expected;
};
std::ostream& operator<<(std::ostream& os, const ExpressionCase& c)
{
    return os << c.name;
}

class Expression : public ::testing::TestWithParam<ExpressionCase> {};

TEST_P(Expression, IsBuiltFromTheOptions)
{
    EXPECT_EQ(zodo::SearchExpressionText(GetParam().options), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Search, Expression,
                         ::testing::Values(ExpressionCase{"as_typed", Options("In[A-Z]t"), "In[A-Z]t"},
                                           ExpressionCase{"anchored_at_start", Options("int", true), "^int"},
                                           ExpressionCase{"anchored_at_end", Options("int", false, true), "int$"},
                                           ExpressionCase{"anchored_both", Options("a.c", true, true), "^a.c$"},
                                           // Lower-casing does not spare escapes, classes or intervals.
                                           ExpressionCase{"ignore_case_everywhere",
                                                          Options("AB\\W[A-Z]\\{2\\}\\N", true, true, true),
                                                          "^ab\\w[a-z]\\{2\\}\\n$"},
                                           // Only the letters A to Z change: a byte above 127 stays.
                                           ExpressionCase{
                                               "ignore_case_high_byte", Options("\xC0X", false, false, true), "\xC0x"},
                                           ExpressionCase{"empty", Options(""), ""}),
                         [](const ::testing::TestParamInfo<ExpressionCase>& i) { return std::string(i.param.name); });

struct CompileCase {
    const char* name;
    SearchOptions options;
    bool valid;
};
std::ostream& operator<<(std::ostream& os, const CompileCase& c)
{
    return os << c.name;
}

class Compile : public ::testing::TestWithParam<CompileCase> {};

TEST_P(Compile, AcceptsOrRefuses)
{
    char code[REGEX_CODE_SIZE];
    // Earlier code in the buffer must not make an empty expression valid.
    ASSERT_TRUE(zodo::CompileSearch(Options("earlier"), code, sizeof code));
    EXPECT_EQ(zodo::CompileSearch(GetParam().options, code, sizeof code), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Search, Compile,
                         ::testing::Values(CompileCase{"plain", Options("a[bc]*d"), true},
                                           CompileCase{"unclosed_class", Options("[abc"), false},
                                           CompileCase{"empty", Options(""), false},
                                           // "^" alone matches every line.
                                           CompileCase{"only_the_anchor", Options("", true), true},
                                           // Five classes do not fit in the code buffer.
                                           CompileCase{"code_too_long", Options("[a][b][c][d][e]"), false},
                                           CompileCase{"bad_interval", Options("a\\{3"), false}),
                         [](const ::testing::TestParamInfo<CompileCase>& i) { return std::string(i.param.name); });

// ---------------------------------------------------------------- the text of a line

struct PrepareCase {
    const char* name;
    std::string text;
    bool ignoreCase;
    std::string expected;
};
std::ostream& operator<<(std::ostream& os, const PrepareCase& c)
{
    return os << c.name;
}

class Prepare : public ::testing::TestWithParam<PrepareCase> {};

TEST_P(Prepare, LowersAndDropsTheLineEnd)
{
    std::string text = GetParam().text;
    zodo::PrepareSearchText(text, GetParam().ignoreCase);
    EXPECT_EQ(text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Search, Prepare,
                         ::testing::Values(PrepareCase{"crlf", "abc\r\n", false, "abc"},
                                           PrepareCase{"several_ends", "abc\r\r\n\n", false, "abc"},
                                           PrepareCase{"only_ends", "\r\n", false, ""},
                                           PrepareCase{"inner_cr_stays", "a\rb\r", false, "a\rb"},
                                           PrepareCase{"case_kept", "AbC\n", false, "AbC"},
                                           PrepareCase{"lowered", "AbC\xC0\r\n", true, "abc\xC0"}),
                         [](const ::testing::TestParamInfo<PrepareCase>& i) { return std::string(i.param.name); });

// ---------------------------------------------------------------- one search

struct SearchCase {
    const char* name;
    std::string bytes;
    long top;
    bool forward;
    SearchOptions options;
    RenderOptions render;
    long expected;   // line number; 0 none, -1 invalid, -2 nothing beyond the top
};
std::ostream& operator<<(std::ostream& os, const SearchCase& c)
{
    return os << c.name;
}

class OneSearch : public ::testing::TestWithParam<SearchCase> {};

TEST_P(OneSearch, FindsTheLine)
{
    const SearchCase& c = GetParam();
    Loaded file(c.bytes);
    EXPECT_EQ(file.Search(c.top, c.forward, c.options, c.render), c.expected) << "block scan";
    EXPECT_EQ(file.Search(c.top, c.forward, c.options, c.render, SearchWalk::Plain), c.expected) << "line by line";
}

const std::string kCode = "int a;\r\nreturn int\r\n  int b;\r\nint\r\n";
const std::string kCases = "x\nabc\nAbc\nABC\naBd\n";

INSTANTIATE_TEST_SUITE_P(
    Search, OneSearch,
    ::testing::Values(
        // The top line holds a match but is never tested.
        SearchCase{"beyond_the_top", kCode, 1, true, Options("int"), Render(), 2},
        SearchCase{"backward_beyond_the_top", kCode, 4, false, Options("int"), Render(), 3},
        // Trailing CR LF goes before matching, so "$" sits right after the text.
        SearchCase{"anchor_end_before_crlf", kCode, 1, true, Options("int", false, true), Render(), 2},
        SearchCase{"anchor_start_original", kCode, 1, true, Options("int", true), Render(), 4},
        // The caret stands before the line number in the display text.
        SearchCase{
            "anchor_start_rendered_numbers", kCode, 1, true, Options("int", true, false, false, true), Render(true), 0},
        SearchCase{
            "anchor_start_rendered_plain", kCode, 1, true, Options("int", true, false, false, true), Render(), 4},
        SearchCase{"ignore_case", kCases, 1, true, Options("ABC", false, false, true), Render(), 2},
        SearchCase{"case_kept", kCases, 1, true, Options("ABC"), Render(), 4},
        SearchCase{"ignore_case_class", kCases, 1, true, Options("A[B]D", false, false, true), Render(), 5},
        // Line numbers are part of the display text only.
        SearchCase{
            "line_number_rendered", kCases, 1, true, Options("4  ABC", false, false, false, true), Render(true), 4},
        SearchCase{"line_number_original", kCases, 1, true, Options("4  ABC"), Render(true), 0},
        // In hexadecimal the digits and the offset prefix are matched.
        SearchCase{"hex_digits",
                   "AB\r\nBA\r\nAB\r\n",
                   1,
                   true,
                   Options("4142", false, false, false, true),
                   Render(false, true),
                   3},
        SearchCase{"hex_offset_prefix",
                   "AB\r\nBA\r\nAB\r\n",
                   1,
                   true,
                   Options("(Offset = 4, Size = 4)", true, false, false, true),
                   Render(false, true),
                   2},
        SearchCase{"hex_not_in_original", "AB\r\nBA\r\nAB\r\n", 1, true, Options("4142"), Render(false, true), 0},
        // A NUL is a blank in the display text and ends the original text.
        SearchCase{"nul_rendered",
                   std::string("x\na\0b\n", 6),
                   1,
                   true,
                   Options("a b", false, false, false, true),
                   Render(),
                   2},
        SearchCase{"nul_original", std::string("x\na\0b\n", 6), 1, true, Options("b"), Render(), 0},
        // Tabs are blanks, a backspace takes back the character before it.
        SearchCase{"tab_rendered", "x\na\tb\n", 1, true, Options("a       b", false, false, false, true), Render(), 2},
        SearchCase{
            "backspace_rendered", "x\nad\bbc\n", 1, true, Options("abc", false, false, false, true), Render(), 2},
        SearchCase{"backspace_original", "x\nad\bbc\n", 1, true, Options("abc"), Render(), 0},
        SearchCase{"not_found", kCode, 1, true, Options("while"), Render(), 0},
        SearchCase{"invalid", kCode, 1, true, Options("[abc"), Render(), -1},
        SearchCase{"from_the_last_line", kCode, 4, true, Options("int"), Render(), -2},
        SearchCase{"from_the_first_line_back", kCode, 1, false, Options("int"), Render(), -2},
        // A line longer than 512 bytes is two lines; a match across the cut is none.
        SearchCase{"cut_line", "x\n" + std::string(511, 'a') + "zq" + "\n", 1, true, Options("zq"), Render(), 0},
        SearchCase{"cut_line_tail", "x\n" + std::string(512, 'a') + "zq" + "\n", 1, true, Options("zq"), Render(), 3}),
    [](const ::testing::TestParamInfo<SearchCase>& i) { return std::string(i.param.name); });

// Repeating a search from the line found steps through every match once,
// in either direction.
TEST(SearchRepeat, StepsThroughTheMatchesOneByOne)
{
    std::string text;
    std::vector<long> matching;
    for (long n = 1; n <= 40; ++n) {
        bool hit = n % 7 == 3 || n == 40;
        text += hit ? "a needle here\r\n" : "hay\r\n";
        if (hit)
            matching.push_back(n);
    }
    Loaded file(text);
    for (bool forward : {true, false}) {
        for (SearchWalk walk : {SearchWalk::Scan, SearchWalk::Plain}) {
            std::vector<long> seen;
            long top = forward ? 1 : 40;
            for (long found; (found = file.Search(top, forward, Options("needle"), Render(), walk)) > 0; top = found)
                seen.push_back(found);
            std::vector<long> expected = matching;
            if (!forward) {
                // Line 40 matches, but the backward run starts there.
                expected.pop_back();
                std::reverse(expected.begin(), expected.end());
            }
            EXPECT_EQ(seen, expected) << (forward ? "forward" : "backward");
        }
    }
}

// ---------------------------------------------------------------- the block scan

struct LiteralCase {
    const char* name;
    const char* expression;
    std::string expected;
};
std::ostream& operator<<(std::ostream& os, const LiteralCase& c)
{
    return os << c.name;
}

class Literal : public ::testing::TestWithParam<LiteralCase> {};

TEST_P(Literal, IsTheLongestRunEveryMatchHolds)
{
    char code[REGEX_CODE_SIZE] = {};
    ASSERT_NE(RegexCompile(GetParam().expression, code, code + sizeof code, 0), nullptr);
    EXPECT_EQ(zodo::RequiredLiteral(code, sizeof code), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Search, Literal,
    ::testing::Values(LiteralCase{"whole", "abc", "abc"}, LiteralCase{"star_splits", "ab*cde", "cde"},
                      LiteralCase{"groups_take_no_text", "a\\(bc\\)d", "abcd"}, LiteralCase{"any_splits", "ab.c", "ab"},
                      LiteralCase{"class_splits", "[xy]ab[xy]", "ab"},
                      LiteralCase{"interval_splits", "x\\{2\\}yz", "yz"},
                      LiteralCase{"backreference_splits", "\\(a\\)\\1bc", "bc"}, LiteralCase{"anchors", "^ab$", "ab"},
                      LiteralCase{"nothing_sure", "a*[bc]", ""}),
    [](const ::testing::TestParamInfo<LiteralCase>& i) { return std::string(i.param.name); });

// Text with what rendering changes: tabs, NULs, bare carriage returns,
// upper case, digits, blanks and lines cut at 512 bytes.
std::string MixedText(bool backspaces)
{
    const char alphabet[] = "abcdeyzABC \t\r79q";
    std::string text;
    unsigned state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1103515245u + 12345u;
        unsigned r = (state >> 16) % 100;
        if (r < 9)
            text += '\n';
        else if (r == 9)
            text += '\0';
        else if (r == 10 && backspaces)
            text += '\b';
        else if (r == 12 && backspaces)
            text += "aq\bc";   // "ac" in the display text only
        else if (r == 11 && i % 5 == 0)
            text += std::string(600, 'k');   // a long stretch: cut lines
        else
            text += alphabet[(state >> 8) % (sizeof alphabet - 1)];
    }
    return text;
}

struct WalkCase {
    const char* name;
    SearchOptions options;
    RenderOptions render;
    bool backspaces;
};
std::ostream& operator<<(std::ostream& os, const WalkCase& c)
{
    return os << c.name;
}

class ScanAgreesWithPlain : public ::testing::TestWithParam<WalkCase> {};

TEST_P(ScanAgreesWithPlain, FromEveryLineBothWays)
{
    const WalkCase& c = GetParam();
    Loaded file(MixedText(c.backspaces));
    const long last = file.index().LastLine()->lineNumber;
    long found = 0;
    for (long top = 1; top <= last; ++top) {
        for (bool forward : {true, false}) {
            long plain = file.Search(top, forward, c.options, c.render, SearchWalk::Plain);
            long scan = file.Search(top, forward, c.options, c.render, SearchWalk::Scan);
            ASSERT_EQ(scan, plain) << "top line " << top << (forward ? " forward" : " backward");
            if (plain > 0)
                ++found;
        }
    }
    // The expressions are chosen to occur: an agreement on "none" everywhere
    // would prove nothing.
    EXPECT_GT(found, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Search, ScanAgreesWithPlain,
    ::testing::Values(
        WalkCase{"literal", Options("ab"), Render(), false},
        WalkCase{"long_literal", Options("kkkkkkkkkkkkkkkkkkkka"), Render(), false},
        WalkCase{"long_literal_ignore_case", Options("Kkkkkkkkkkkkb", false, false, true), Render(), false},
        WalkCase{"literal_ignore_case", Options("Ab", false, false, true), Render(), false},
        WalkCase{"literal_at_end", Options("c", false, true), Render(), false},
        WalkCase{"anchored", Options("bc", true), Render(), false},
        WalkCase{"closure_and_class", Options("a[bc]*q"), Render(), false},
        WalkCase{"group_and_backreference", Options("\\(y\\)z\\1"), Render(), false},
        WalkCase{"with_cr", Options("a\rb"), Render(), false},
        WalkCase{"rendered", Options("ab", false, false, false, true), Render(), false},
        WalkCase{"rendered_blank", Options("a b", false, false, false, true), Render(), false},
        WalkCase{"rendered_numbers_digit", Options("7  a", false, false, false, true), Render(true), false},
        WalkCase{"rendered_numbers_letters", Options("ca", false, false, true, true), Render(true), false},
        WalkCase{"rendered_tab_3", Options("z  ", false, false, false, true), Render(false, false, 3), false},
        WalkCase{"rendered_hex", Options("6162", false, false, false, true), Render(false, true), false},
        WalkCase{"rendered_backspaces", Options("ac", false, false, false, true), Render(), true},
        WalkCase{"original_backspaces", Options("ac"), Render(), true}),
    [](const ::testing::TestParamInfo<WalkCase>& i) { return std::string(i.param.name); });

}   // namespace
