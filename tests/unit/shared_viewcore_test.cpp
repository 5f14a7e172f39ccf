// The core the pager and the hex viewer share: the search expression and
// its compile, the mark letters and their list in both programs' forms,
// and the arithmetic and header of printed pages.
#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <string>

#include "regex.h"
#include "viewcore.h"

namespace {

// ---------------------------------------------------------------- search

TEST(SearchExpression, IsBuiltFromTheFlags)
{
    struct Case {
        const char* pattern;
        bool anchorStart, anchorEnd, ignoreCase;
        const char* expression;
    } cases[] = {
        {"Ab", false, false, false, "Ab"},
        {"Ab", true, false, false, "^Ab"},
        {"Ab", false, true, false, "Ab$"},
        {"Ab", true, true, true, "^ab$"},
        {"AB\\W[A-Z]\\{2\\}", false, false, true, "ab\\w[a-z]\\{2\\}"},   // escapes and classes too
        {"\xC0X", false, false, true, "\xC0x"},
        {"", true, true, false, "^$"},
        {"", false, false, false, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SearchExpression(c.pattern, c.anchorStart, c.anchorEnd, c.ignoreCase), c.expression) << c.pattern;
}

TEST(SearchExpression, CompilesOnlyWhatItIsGiven)
{
    struct Case {
        const char* expression;
        bool valid;
    } cases[] = {
        {"a[bc]*d", true},
        {"^", true},
        {"$", true},
        {"[ab", false},
        {"a\\)", false},
        {"a\\{3", false},
        {"[a][b][c][d][e]", false},   // more code than the buffer holds
        {"", false},
    };
    for (const auto& c : cases) {
        char code[REGEX_CODE_SIZE];
        // Code of an earlier search in the buffer must not stand in for an
        // expression that gives none.
        ASSERT_TRUE(CompileSearchExpression("earlier", code, sizeof code));
        EXPECT_EQ(CompileSearchExpression(c.expression, code, sizeof code), c.valid) << c.expression;
    }
}

// ---------------------------------------------------------------- marks

TEST(Marks, OnlyALowerCaseFirstLetterNamesAMark)
{
    struct Case {
        const char* field;
        int index;
    } cases[] = {
        {"a", 0},
        {"z", 25},
        {"m", 12},
        {"b2", 1},
        {"A", -1},
        {"Z", -1},
        {"", -1},
        {"1", -1},
        {" a", -1},
        {"{", -1},
        {"`", -1},
        {"\xe1", -1},
        {nullptr, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MarkIndex(c.field), c.index) << (c.field ? c.field : "(null)");
}

TEST(Marks, TheListNamesSetMarksInLetterOrder)
{
    long long values[kMarkCount];
    for (long long& v : values)
        v = -1;
    EXPECT_EQ(MarksText(values, "Line ", 1), "");
    values[1] = 12;   // b, set first
    values[0] = 40;
    values[25] = 0;
    // The pager's line numbers and the hex viewer's byte offsets.
    EXPECT_EQ(MarksText(values, "Line ", 1), "a\tLine 40\r\nb\tLine 12\r\nz\tLine 0\r\n");
    EXPECT_EQ(MarksText(values, "", 7), "a\t0000040\r\nb\t0000012\r\nz\t0000000\r\n");
    values[1] = 11200000;       // wider than the zero fill
    values[2] = 5000000000LL;   // past 32 bits
    EXPECT_EQ(MarksText(values, "", 7), "a\t0000040\r\nb\t11200000\r\nc\t5000000000\r\nz\t0000000\r\n");
}

// ---------------------------------------------------------------- printing

TEST(PrintedPages, RowsBelowTheHeaderAndNeverNone)
{
    struct Case {
        int pageHeight, rowHeight, rows;
    } cases[] = {
        {3300, 50, 62},
        {100, 25, 1},
        {100, 26, 1},
        {100, 200, 1},
        {3300, 3300, 1},   // fonts too tall for the page
        {3300, 0, 1},
        {3300, -10, 1},
        {0, 50, 1},
        {INT_MAX, 1, INT_MAX - 4},
        {2000000000, 600000000, 1},   // four rows are more than an int holds
    };
    for (const auto& c : cases)
        EXPECT_EQ(RowsPerPage(c.pageHeight, c.rowHeight), c.rows) << c.pageHeight << "/" << c.rowHeight;
}

// Pages a job of `rows` rows prints: pages go on while their first row
// (from 0) is below the number of rows.
long long Pages(long long rows, int pageHeight, int rowHeight)
{
    int perPage = RowsPerPage(pageHeight, rowHeight);
    long long pages = 0;
    while (FirstRowOfPage(static_cast<int>(pages + 1), perPage) < rows && pages < 1000000)
        ++pages;
    return pages;
}

TEST(PrintedPages, EachPageStartsWhereTheLastEnded)
{
    EXPECT_EQ(FirstRowOfPage(1, 62), 0);
    EXPECT_EQ(FirstRowOfPage(2, 62), 62);
    EXPECT_EQ(FirstRowOfPage(0, 62), 0);   // no page before the first
    EXPECT_EQ(FirstRowOfPage(-3, 62), 0);
    EXPECT_EQ(FirstRowOfPage(3, INT_MAX), 2LL * INT_MAX);
    EXPECT_EQ(Pages(124, 3300, 50), 2);
    EXPECT_EQ(Pages(125, 3300, 50), 3);
    EXPECT_EQ(Pages(1, 3300, 50), 1);
    for (int rowHeight : {3300, 900, 0, -10})
        EXPECT_EQ(Pages(5, 3300, rowHeight), 5) << rowHeight;   // one row a page, and the job ends
}

TEST(PrintedPages, HeaderCarriesDatePathAndPage)
{
    std::tm when = {};
    when.tm_year = 1996 - 1900;
    when.tm_mon = 5;
    when.tm_mday = 4;
    when.tm_hour = 10;
    when.tm_min = 15;
    when.tm_isdst = -1;
    std::time_t t = std::mktime(&when);
    EXPECT_EQ(PrintHeader(t, "c:\\docs\\a.txt", 2), "Tue Jun 04 10:15:00 1996  c:\\docs\\a.txt  Page 2");
}

TEST(PrintedPages, CharactersFitUpToTheRightEdge)
{
    auto w = [](char c) { return c == 'W' ? 20 : 10; };
    struct Case {
        const char* text;
        int x, pageWidth, fit;
    } cases[] = {
        {"aaaaa", 0, 50, 5},
        {"aaaaaa", 0, 50, 5},
        {"aaaWa", 0, 50, 4},
        {"aaaaaa", 20, 50, 3},   // a margin shortens the line by its width
        {"", 0, 50, 0},
        {"W", 40, 50, 0},
        {"a", 0, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FittingChars(c.text, c.x, c.pageWidth, w), c.fit) << c.text << " at " << c.x;
}

}   // namespace
