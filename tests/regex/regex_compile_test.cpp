// Compiler tests: the byte code of expressions, the errors, the fit in the
// caller's buffer and the state a compile leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "regex.h"
#include "regex_test_util.h"

using namespace regex_test;

namespace {

struct CodeCase {
    std::string expression;
    char delimiter;
    Bytes code;
    bool anchored;
};

std::ostream& operator<<(std::ostream& os, const CodeCase& c)
{
    return os << "'" << Show(c.expression) << "'";
}

std::vector<CodeCase> CodeCases()
{
    return {
        // Worked examples of the byte code.
        {"ab*", 0, {4, 97, 5, 98, 22}, false},
        {"^x.", 0, {4, 120, 8, 22}, true},
        {"a$", 0, {4, 97, 20, 22}, false},
        {R"(\(x\)\1)", 0, {2, 0, 4, 120, 24, 0, 36, 0, 22}, false},
        {R"(x\{2,5\})", 0, {7, 120, 2, 5, 22}, false},
        {R"([a-c]\{2,\})", 0, {15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 14, 0, 0, 0, 2, 255, 22}, false},

        // Stars: repeated, without an item, after group brackets.
        {"a**", 0, {5, 97, 22}, false},
        {"*a", 0, {4, 42, 4, 97, 22}, false},
        {"^*a", 0, {4, 42, 4, 97, 22}, true},
        {R"(\(*\))", 0, {2, 0, 4, 42, 24, 0, 22}, false},
        {R"(\(a\)*)", 0, {2, 0, 4, 97, 24, 0, 4, 42, 22}, false},
        {".*", 0, {9, 22}, false},
        {"[x]*", 0, Cat({{13}, Bitmap("x"), {22}}), false},
        {R"(\(a\)\1*)", 0, {2, 0, 4, 97, 24, 0, 37, 0, 22}, false},

        // Anchors: "^" only first, "$" only last.
        {"x$y", 0, {4, 120, 4, 36, 4, 121, 22}, false},
        {"x$", 0, {4, 120, 20, 22}, false},
        {"$", 0, {20, 22}, false},
        {"$$", 0, {4, 36, 20, 22}, false},
        {"^", 0, {22}, true},
        {"a^", 0, {4, 97, 4, 94, 22}, false},

        // Intervals. The flag is ORed in, so a star before it is absorbed.
        {R"(a\{3\})", 0, {7, 97, 3, 3, 22}, false},
        {R"(a\{3,\})", 0, {7, 97, 3, 255, 22}, false},
        {R"(a\{3,5\})", 0, {7, 97, 3, 5, 22}, false},
        {R"(a\{0\})", 0, {7, 97, 0, 0, 22}, false},
        {R"(a\{254\})", 0, {7, 97, 254, 254, 22}, false},
        {R"(a\{007,010\})", 0, {7, 97, 7, 10, 22}, false},
        {R"(.\{1,2\})", 0, {11, 1, 2, 22}, false},
        {R"(a*\{2\})", 0, {7, 97, 2, 2, 22}, false},
        {R"(a\{2\}*)", 0, {7, 97, 2, 2, 22}, false},
        {R"(*\{2\})", 0, {7, 42, 2, 2, 22}, false},
        {R"(\{2\})", 0, {4, 123, 4, 50, 4, 125, 22}, false},
        {R"(^\{2\})", 0, {4, 123, 4, 50, 4, 125, 22}, true},

        // Groups and back-references.
        {R"(\(a\)\(b\)\2\1)", 0, {2, 0, 4, 97, 24, 0, 2, 1, 4, 98, 24, 1, 36, 1, 36, 0, 22}, false},
        {R"(\(a)", 0, {2, 0, 4, 97, 22}, false},
        {R"(\(\)\(\)\(\)\(\)\(\)\(\)\(\)\(\)\(\))",
         0,
         {2, 0, 24, 0,  2, 1, 24, 1,  2, 2, 24, 2,  2, 3, 24, 3,  2, 4, 24,
          4, 2, 5,  24, 5, 2, 6,  24, 6, 2, 7,  24, 7, 2, 8,  24, 8, 22},
         false},

        // Escapes.
        {R"(a\nb)", 0, {4, 97, 4, 10, 4, 98, 22}, false},
        {R"(\t)", 0, {4, 9, 22}, false},
        {R"(\.\*\[\$\^\}\\\0)", 0, {4, 46, 4, 42, 4, 91, 4, 36, 4, 94, 4, 125, 4, 92, 4, 48, 22}, false},
        {"\xe9", 0, {4, 233, 22}, false},

        // Where the expression ends.
        {"ab\ncd", 0, {4, 97, 4, 98, 22}, false},
        {"ab/cd", '/', {4, 97, 4, 98, 22}, false},
        {R"(a\/b/c)", '/', {4, 97, 4, 47, 4, 98, 22}, false},
        {"x$/", '/', {4, 120, 20, 22}, false},
        {"x$%", '/', {4, 120, 4, 36, 4, 37, 22}, false},
        {"[/]/", '/', Cat({{12}, Bitmap("/"), {22}}), false},
        {"a%b", '%', {4, 97, 22}, false},
        {"a/b", 0, {4, 97, 4, 47, 4, 98, 22}, false},
    };
}

class CompileCode : public ::testing::TestWithParam<CodeCase> {};

TEST_P(CompileCode, WritesExactByteCode)
{
    const CodeCase& c = GetParam();
    g_regexAnchored = !c.anchored;
    CodeBuffer buffer;
    bool ok = false;
    Bytes code = buffer.Compile(c.expression, c.delimiter, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(g_regexAnchored, c.anchored);
}

INSTANTIATE_TEST_SUITE_P(Table, CompileCode, ::testing::ValuesIn(CodeCases()));

struct ClassCase {
    std::string expression;
    std::string members;   // 7-bit characters
    bool negated;
};

std::ostream& operator<<(std::ostream& os, const ClassCase& c)
{
    return os << "'" << Show(c.expression) << "'";
}

std::vector<ClassCase> ClassCases()
{
    return {
        {"[abc]", "abc", false},
        {"[a-c]", "abc", false},
        {"[a-a]", "a", false},
        {"[c-a]", "ca", false},   // a backwards range holds only its ends
        {"[a-c-e]", "abcde", false},
        {"[0-9A-Fa-f]", "0123456789ABCDEFabcdef", false},
        {"[]a]", "]a", false},   // "]" first is a member
        {"[^]a]", "]a", true},
        {"[a-]", "a-", false},
        {"[-a]", "-a", false},
        {"[^a]", "a", true},
        {R"([a\]b])", "a]b", false},
        {R"([\n])", "\n", false},
        {R"([\t])", "t", false},   // only \n has a meaning in a class
        {R"([\\])", "\\", false},
        {"[$.*^]", "$.*^", false},
        {"[\t ]", "\t ", false},
        // Members above 127 count by their low seven bits; ranges run on
        // signed values, so one from "b" up to 0xe1 is only its two ends.
        {"[\xe1]", "a", false},
        {"[\xe0-\xe2]", "`ab", false},
        {"[b-\xe1]", "ba", false},
        {"[\x80]", "", false},   // folds onto the line end: never a member
        {"[^\x80]", "", true},
        {"[\xff-\x01]", "\x7f\x01", false},   // the range crosses 0, which stays clear
    };
}

class CompileClass : public ::testing::TestWithParam<ClassCase> {};

TEST_P(CompileClass, WritesBitmap)
{
    const ClassCase& c = GetParam();
    CodeBuffer buffer;
    bool ok = false;
    Bytes code = buffer.Compile(c.expression, 0, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(code, Cat({{12}, Bitmap(c.members, c.negated), {22}}));
}

INSTANTIATE_TEST_SUITE_P(Table, CompileClass, ::testing::ValuesIn(ClassCases()));

struct ErrorCase {
    std::string expression;
    char delimiter;
};

std::ostream& operator<<(std::ostream& os, const ErrorCase& c)
{
    return os << "'" << Show(c.expression) << "'";
}

std::vector<ErrorCase> ErrorCases()
{
    return {
        // Empty expression with nothing to repeat.
        {"", 0},
        {"\n", 0},
        {"/x", '/'},
        // Does not fit in 80 bytes.
        {"[a][b][c][d][e]", 0},
        {std::string(40, 'a'), 0},
        // Classes not closed, or with a NUL or newline inside.
        {"[abc", 0},
        {"[", 0},
        {"[^", 0},
        {"[]", 0},
        {"[^]", 0},
        {"[a-", 0},
        {R"([a\)", 0},
        {"[a\nb]", 0},
        {"[a-\n]", 0},
        {"[a\\\nb]", 0},
        {"[\n]", 0},
        // A backslash at the end or before a newline.
        {"a\\", 0},
        {"\\", 0},
        {"a\\\nb", 0},
        // Groups.
        {R"(\(\)\(\)\(\)\(\)\(\)\(\)\(\)\(\)\(\)\(\))", 0},
        {R"(\(\(\(\(\(\(\(\(\(\()", 0},
        {R"(\))", 0},
        {R"(a\))", 0},
        {R"(\(a\)\))", 0},
        {R"(\(a\(b\)\))", 0},
        {R"(\(a\)\2)", 0},
        {R"(\1\(a\))", 0},
        {R"(\(a\1\))", 0},
        {R"(\9)", 0},
        // Intervals that are not digits, "," and "\}" in that order.
        {R"(a\{x\})", 0},
        {R"(a\{,3\})", 0},
        {R"(a\{\})", 0},
        {R"(a\{3)", 0},
        {R"(a\{3\)", 0},
        {R"(a\{3\x)", 0},
        {R"(a\{3,5)", 0},
        {R"(a\{3,5\x)", 0},
        {R"(a\{3,)", 0},
        {R"(a\{3 \})", 0},
        {R"(a\{-1\})", 0},
        // Numbers above 254, two commas, a maximum below the minimum.
        {R"(a\{255\})", 0},
        {R"(a\{1,255\})", 0},
        {R"(a\{99999999999\})", 0},
        {R"(a\{1,2,3\})", 0},
        {R"(a\{1,,\})", 0},
        {R"(a\{5,3\})", 0},
        // Intervals on what cannot repeat by count.
        {R"(\(\{2\})", 0},
        {R"(\(a\)\{2\})", 0},
        {R"(\(a\)\1\{2\})", 0},
        {R"(\(a\)\1*\{2\})", 0},
        {R"(a\{2\}\{3\})", 0},
        {R"(a\{2\}*\{3\})", 0},
    };
}

class CompileError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(CompileError, Fails)
{
    const ErrorCase& c = GetParam();
    CodeBuffer buffer;
    EXPECT_EQ(RegexCompile(c.expression.c_str(), buffer.begin(), buffer.end(), c.delimiter), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Table, CompileError, ::testing::ValuesIn(ErrorCases()));

// The code buffer sits between guard bytes, so a write past either end shows
// in every build, not only the sanitizer one.
class GuardedBuffer {
public:
    static constexpr int kGuard = 32;
    static constexpr unsigned char kFill = 0xA5;

    explicit GuardedBuffer(int size) : m_size(size), m_area(size + 2 * kGuard, kFill)
    {
        for (int i = 0; i < size; ++i)
            m_area[kGuard + i] = 0;
    }
    char* begin() { return reinterpret_cast<char*>(m_area.data()) + kGuard; }
    char* end() { return begin() + m_size; }
    bool GuardsIntact() const
    {
        for (int i = 0; i < kGuard; ++i) {
            if (m_area[i] != kFill || m_area[kGuard + m_size + i] != kFill)
                return false;
        }
        return true;
    }

private:
    int m_size;
    std::vector<unsigned char> m_area;
};

class CompileFit : public ::testing::TestWithParam<std::string> {};

// An expression compiles into any buffer at least as long as its code, fails
// in every shorter one, and never writes outside the buffer either way.
TEST_P(CompileFit, FitsExactlyOrFailsWithinBuffer)
{
    const std::string& expression = GetParam();
    GuardedBuffer roomy(200);
    char* roomyEnd = RegexCompile(expression.c_str(), roomy.begin(), roomy.end(), 0);
    ASSERT_NE(roomyEnd, nullptr);
    const int length = static_cast<int>(roomyEnd - roomy.begin());
    const Bytes expected = ToBytes(roomy.begin(), roomyEnd);

    for (int size = 1; size <= length + 1; ++size) {
        SCOPED_TRACE("buffer of " + std::to_string(size) + " bytes");
        GuardedBuffer buffer(size);
        char* stop = RegexCompile(expression.c_str(), buffer.begin(), buffer.end(), 0);
        EXPECT_TRUE(buffer.GuardsIntact());
        if (size < length) {
            EXPECT_EQ(stop, nullptr);
        } else {
            ASSERT_EQ(stop, buffer.begin() + length);
            EXPECT_EQ(ToBytes(buffer.begin(), stop), expected);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CompileFit,
                         ::testing::Values("ab", "a$", ".", "[a]", "[a]\\{2,3\\}", "x\\{2,5\\}", "\\(a\\)\\1*", ".*$",
                                           "[a][b][c][d]abcde.",
                                           // 79 bytes of code, then a two-byte item at the last byte.
                                           std::string(39, 'a') + ".a",
                                           // A class ending at the 79th byte, then interval bytes.
                                           std::string(31, 'a') + "[x]\\{2\\}"));

TEST(CompileFit, LongestExpressionsFillTheCallersBuffer)
{
    CodeBuffer buffer;
    // Four classes and eleven more bytes of items use all 80 bytes with the end item.
    const std::string full = "[a][b][c][d]abcde.";
    EXPECT_EQ(RegexCompile(full.c_str(), buffer.begin(), buffer.end(), 0), buffer.end());
    const std::string over = std::string(39, 'a') + ".a";
    EXPECT_EQ(RegexCompile(over.c_str(), buffer.begin(), buffer.end(), 0), nullptr);
}

TEST(CompileEmpty, RepeatsTheCodeInTheBuffer)
{
    CodeBuffer buffer;
    char* end = RegexCompile(R"(\(a\)\(b)", buffer.begin(), buffer.end(), 0);
    ASSERT_NE(end, nullptr);
    const Bytes before = ToBytes(buffer.begin(), end);
    EXPECT_EQ(g_regexGroupCount, 2);
    EXPECT_EQ(g_regexClosedGroups, 1);

    for (const char* empty : {"", "\nabc"}) {
        SCOPED_TRACE(Show(empty));
        EXPECT_EQ(RegexCompile(empty, buffer.begin(), buffer.end(), 0), buffer.begin());
        EXPECT_EQ(ToBytes(buffer.begin(), end), before);
        EXPECT_EQ(g_regexGroupCount, 2);
        EXPECT_EQ(g_regexClosedGroups, 1);
    }
    EXPECT_EQ(RegexCompile("/x/", buffer.begin(), buffer.end(), '/'), buffer.begin());
}

TEST(CompileEmpty, KeepsTheAnchoringOfTheLastExpression)
{
    CodeBuffer first;
    CodeBuffer second;
    ASSERT_NE(RegexCompile("^a", first.begin(), first.end(), 0), nullptr);
    ASSERT_EQ(RegexCompile("", first.begin(), first.end(), 0), first.begin());
    EXPECT_TRUE(g_regexAnchored);

    // The flag belongs to whatever was compiled last, in any buffer.
    ASSERT_NE(RegexCompile("b", second.begin(), second.end(), 0), nullptr);
    ASSERT_EQ(RegexCompile("", first.begin(), first.end(), 0), first.begin());
    EXPECT_FALSE(g_regexAnchored);
    Line line("xa");
    ASSERT_EQ(RegexStep(line.get(), first.code()), 1);
    EXPECT_EQ(line.Offset(g_regexMatchStart), 1);
}

TEST(CompileEmpty, DoesNotRepeatAFailedCompile)
{
    CodeBuffer buffer;
    ASSERT_NE(RegexCompile("ab", buffer.begin(), buffer.end(), 0), nullptr);
    ASSERT_EQ(RegexCompile("xy[ab", buffer.begin(), buffer.end(), 0), nullptr);
    EXPECT_EQ(RegexCompile("", buffer.begin(), buffer.end(), 0), nullptr);
}

TEST(CompileState, ResetsForEveryNonEmptyExpression)
{
    CodeBuffer buffer;
    ASSERT_NE(RegexCompile(R"(^\(a\)\(b\)\(c)", buffer.begin(), buffer.end(), 0), nullptr);
    EXPECT_TRUE(g_regexAnchored);
    EXPECT_EQ(g_regexGroupCount, 3);
    EXPECT_EQ(g_regexClosedGroups, 2);

    ASSERT_NE(RegexCompile("x", buffer.begin(), buffer.end(), 0), nullptr);
    EXPECT_FALSE(g_regexAnchored);
    EXPECT_EQ(g_regexGroupCount, 0);
    EXPECT_EQ(g_regexClosedGroups, 0);
}

}   // namespace
