// Matcher tests: where matches start and end, group bounds, the stop-at
// position, and the helper functions.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "regex.h"
#include "regex_test_util.h"

using namespace regex_test;

namespace {

struct MatchCase {
    std::string expression;
    std::string line;
    bool matched;
    int start;   // offsets of the match in the line
    int end;
};

std::ostream& operator<<(std::ostream& os, const MatchCase& c)
{
    return os << "'" << Show(c.expression) << "' on \"" << Show(c.line) << "\"";
}

// Compiles into an 80-byte buffer and matches, reporting offsets in the line.
class Matcher {
public:
    explicit Matcher(const std::string& expression)
    {
        m_ok = RegexCompile(expression.c_str(), m_buffer.begin(), m_buffer.end(), 0) != nullptr;
    }
    bool ok() const { return m_ok; }
    const char* code() const { return m_buffer.code(); }

private:
    CodeBuffer m_buffer;
    bool m_ok;
};

std::vector<MatchCase> MatchCases()
{
    const std::string as300(300, 'a');
    return {
        // Closures take the empty text where nothing else fits.
        {"a*", "bbb", true, 0, 0},
        {"x*", "", true, 0, 0},
        {"$", "abc", true, 3, 3},
        {"x*$", "abc", true, 3, 3},
        {"[0-9]*$", "abc123", true, 3, 6},
        // Anchors.
        {"^abc", "xabc", false, 0, 0},
        {"^abc", "abcd", true, 0, 3},
        {"^", "abc", true, 0, 0},
        {"^$", "", true, 0, 0},
        {"^$", "a", false, 0, 0},
        {"a$", "aba", true, 2, 3},
        {"a$", "ab", false, 0, 0},
        // Leftmost match, found by the first-character scan or by trying
        // every position.
        {"ab", "xxab", true, 2, 4},
        {"ab", "aab", true, 1, 3},
        {"b", "", false, 0, 0},
        {"a.c", "xabcx", true, 1, 4},
        {"a.", "xa", false, 0, 0},
        {"A", "a", false, 0, 0},
        {"[a-z]*[0-9]", "ABCdef9", true, 3, 7},
        // Greedy closures back off one character at a time.
        {"a*ab", "aaab", true, 0, 4},
        {".*", "abc", true, 0, 3},
        {"a[bc]*d", "xabcbd", true, 1, 6},
        {"a*b", std::string(511, 'a') + "b", true, 0, 512},
        {".*x", std::string(511, 'a'), false, 0, 0},
        // Classes test the text by its low seven bits; characters exactly.
        {"[a]", "\xe1", true, 0, 1},
        {"[^x]", "\x80", false, 0, 0},
        {"[^a]", "a", false, 0, 0},
        {"[^a]", "ab", true, 1, 2},
        {"\xe1", "a", false, 0, 0},
        {"\xe1", "a\xe1", true, 1, 2},
        {R"(a\nb)", "a\nb", true, 0, 3},
        // Intervals.
        {R"(x\{2,3\})", "xxxx", true, 0, 3},
        {R"(x\{2\})", "x", false, 0, 0},
        {R"(x\{2\})", "axxx", true, 1, 3},
        {R"(x\{0,1\}y)", "y", true, 0, 1},
        {R"(x\{0,1\}y)", "xxy", true, 1, 3},
        {R"(a\{0\}b)", "ab", true, 1, 2},
        {R"(a*\{2\})", "aaa", true, 0, 2},
        {R"(.\{2,\})", "abcd", true, 0, 4},
        {R"(.\{2,\}d)", "abcd", true, 0, 4},
        {R"([0-9]\{3\})", "ab1234", true, 2, 5},
        {R"(a\{2,\})", as300, true, 0, 300},
        {R"(a\{2,254\})", as300, true, 0, 254},
        // Groups and back-references.
        {R"(\(ab\)*)", "ab*", true, 0, 3},
        {R"(\(ab\)*)", "abab", false, 0, 0},
        {R"(\(a*\)b\1)", "aabaa", true, 0, 5},
        {R"(\(x*\)\1*)", "y", true, 0, 0},
        {R"(\(\)\1*b)", "ab", true, 1, 2},
        {R"(\(a\)\(b\)\2\1)", "xabba", true, 1, 5},
        {R"(\(ab\)\1)", "abac", false, 0, 0},
        {R"(\(ab\)\1*c)", "abababc", true, 0, 7},
        {R"(\(ab\)\1*)", "ababa", true, 0, 4},
        {R"(\(a\)\1*a)", "aaa", true, 0, 3},
        {R"(\(a\)\1*a)", "a", false, 0, 0},
        {R"(\(a\)\1*)", "ba\xe1", true, 1, 2},
    };
}

class Match : public ::testing::TestWithParam<MatchCase> {};

TEST_P(Match, FindsFirstMatch)
{
    const MatchCase& c = GetParam();
    Matcher matcher(c.expression);
    ASSERT_TRUE(matcher.ok());
    Line line(c.line);
    g_regexMatchStart = g_regexMatchEnd = nullptr;
    ASSERT_EQ(RegexStep(line.get(), matcher.code()), c.matched ? 1 : 0);
    if (c.matched) {
        EXPECT_EQ(line.Offset(g_regexMatchStart), c.start);
        EXPECT_EQ(line.Offset(g_regexMatchEnd), c.end);
    }
}

// A matcher with a state of its own finds the same match and leaves the
// program-wide state as it was, which is what lets threads match at once.
TEST_P(Match, OwnStateFindsTheSameMatchAndLeavesTheProgramsAlone)
{
    const MatchCase& c = GetParam();
    Matcher matcher(c.expression);
    ASSERT_TRUE(matcher.ok());
    bool anchored = g_regexAnchored;
    Line line(c.line);
    const char sentinel[] = "";
    g_regexMatchStart = g_regexMatchEnd = sentinel;
    RegexMatchState state;
    ASSERT_EQ(RegexStepIn(state, line.get(), matcher.code(), anchored), c.matched ? 1 : 0);
    if (c.matched) {
        EXPECT_EQ(line.Offset(state.matchStart), c.start);
        EXPECT_EQ(line.Offset(state.matchEnd), c.end);
        EXPECT_EQ(RegexAdvanceIn(state, state.matchStart, matcher.code()), 1);
        EXPECT_EQ(line.Offset(state.matchEnd), c.end);
    }
    EXPECT_EQ(g_regexMatchStart, sentinel);
    EXPECT_EQ(g_regexMatchEnd, sentinel);
    g_regexMatchStart = g_regexMatchEnd = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Table, Match, ::testing::ValuesIn(MatchCases()));

struct GroupCase {
    std::string expression;
    std::string line;
    std::vector<std::pair<int, int>> groups;   // start and end offset of group 0, 1, ...
};

std::ostream& operator<<(std::ostream& os, const GroupCase& c)
{
    return os << "'" << Show(c.expression) << "' on \"" << Show(c.line) << "\"";
}

class Groups : public ::testing::TestWithParam<GroupCase> {};

TEST_P(Groups, RecordsBoundsOfTheSuccessfulPath)
{
    const GroupCase& c = GetParam();
    Matcher matcher(c.expression);
    ASSERT_TRUE(matcher.ok());
    Line line(c.line);
    ASSERT_EQ(RegexStep(line.get(), matcher.code()), 1);
    for (size_t n = 0; n < c.groups.size(); ++n) {
        SCOPED_TRACE("group " + std::to_string(n));
        EXPECT_EQ(line.Offset(g_regexGroupStart[n]), c.groups[n].first);
        EXPECT_EQ(line.Offset(g_regexGroupEnd[n]), c.groups[n].second);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Groups,
    ::testing::Values(GroupCase{R"(\(a*\)b\1)", "aabaa", {{0, 2}}}, GroupCase{R"(\(x*\)\1*)", "y", {{0, 0}}},
                      GroupCase{R"(\(a*\)a)", "aaa", {{0, 2}}},
                      GroupCase{R"(\(ab\)\(c*\)d)", "xabccd", {{1, 3}, {3, 5}}},
                      GroupCase{R"(\(a\)\(b\)\2\1)", "xabba", {{1, 2}, {2, 3}}},
                      GroupCase{R"(\([a-z]*\)\([0-9]*\)$)", "ab1 cd23", {{4, 6}, {6, 8}}},
                      GroupCase{R"(\(.\)\(.\)\(.\)\(.\)\(.\)\(.\)\(.\)\(.\)\(.\)\9)",
                                "123456789987",
                                {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 8}, {8, 9}}}));

struct StopCase {
    std::string expression;
    std::string line;
    int stopAt;   // offset in the line
    bool matched;
    int start;
    int end;
};

std::ostream& operator<<(std::ostream& os, const StopCase& c)
{
    return os << "'" << Show(c.expression) << "' on \"" << Show(c.line) << "\" stopping at " << c.stopAt;
}

class StopAt : public ::testing::TestWithParam<StopCase> {
protected:
    void TearDown() override { g_regexStopAt = nullptr; }
};

TEST_P(StopAt, ClosuresDoNotBackOffToIt)
{
    const StopCase& c = GetParam();
    Matcher matcher(c.expression);
    ASSERT_TRUE(matcher.ok());
    Line line(c.line);
    g_regexStopAt = line.get() + c.stopAt;
    ASSERT_EQ(RegexStep(line.get(), matcher.code()), c.matched ? 1 : 0);
    if (c.matched) {
        EXPECT_EQ(line.Offset(g_regexMatchStart), c.start);
        EXPECT_EQ(line.Offset(g_regexMatchEnd), c.end);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, StopAt,
    ::testing::Values(StopCase{"a*b", "b", 0, false, 0, 0}, StopCase{"a*b", "bb", 0, true, 1, 2},
                      StopCase{"a*b", "aab", 0, true, 0, 3}, StopCase{"a*b", "aab", 2, false, 0, 0},
                      StopCase{R"(x\{0,2\}b)", "b", 0, false, 0, 0}, StopCase{R"(x\{0,2\}b)", "bb", 0, true, 1, 2},
                      StopCase{R"(x\{1,2\}b)", "xb", 0, true, 0, 2}, StopCase{"ab.*ab", "abab", 2, false, 0, 0},
                      // A repeated group is not held by the stop position.
                      StopCase{R"(\(ab\)\1*ab)", "abab", 2, true, 0, 4}, StopCase{"ab", "ab", 0, true, 0, 2}));

TEST(Advance, MatchesOnlyAtTheGivenPosition)
{
    Matcher matcher("ab*c");
    ASSERT_TRUE(matcher.ok());
    Line line("xabbc");
    g_regexMatchEnd = nullptr;
    EXPECT_EQ(RegexAdvance(line.get(), matcher.code()), 0);
    ASSERT_EQ(RegexAdvance(line.get() + 1, matcher.code()), 1);
    EXPECT_EQ(line.Offset(g_regexMatchEnd), 5);
    EXPECT_EQ(RegexAdvance(line.get() + 2, matcher.code()), 0);
}

TEST(GetRange, ReadsMinimumAndExtraCount)
{
    struct Case {
        unsigned char minimum, maximum;
        int low, size;
    } cases[] = {
        {3, 3, 3, 0},
        {3, 5, 3, 2},
        {3, 255, 3, 20000},
        {0, 254, 0, 254},
        {200, 255, 200, 20000},
        {100, 200, 100, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.minimum) + "," + std::to_string(c.maximum));
        const char bounds[2] = {static_cast<char>(c.minimum), static_cast<char>(c.maximum)};
        RegexGetRange(bounds);
        EXPECT_EQ(g_regexRangeLow, c.low);
        EXPECT_EQ(g_regexRangeSize, c.size);
    }
}

TEST(CompareBytes, ComparesExactlyTheGivenLength)
{
    struct Case {
        const char* a;
        const char* b;
        int length;
        int equal;
    } cases[] = {
        {"abc", "abc", 3, 1},
        {"abc", "abd", 3, 0},
        {"abc", "abd", 2, 1},
        {"x", "y", 0, 1},
        {"abc", "ABC", 3, 0},
        {"\xe1\xe2", "\xe1\xe2", 2, 1},
        {"\xe1", "a", 1, 0},
        {"ab", "a", 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Show(c.a) + " / " + Show(c.b));
        EXPECT_EQ(RegexCompareBytes(c.a, c.b, c.length), c.equal);
    }
}

}   // namespace
