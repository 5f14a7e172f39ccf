// The search engine of quarn on fixture directories: presets, pattern lines,
// file order, output format, pattern errors, limits and the spill file.
#ifdef _WIN32
#include <windows.h>
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "search.h"
#include "sysio.h"
#include "unit_support.h"

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string CurrentDir()
{
    char buffer[4096];
    return _getcwd(buffer, sizeof buffer) ? buffer : "";
}

struct Options {
    std::string masks = "*.*";
    std::string patterns = "foo";
    bool lineNumbers = false;
    bool ignoreCase = false;
    bool descend = false;
    bool unmatched = false;
};

struct Outcome {
    int result = 0;
    std::string text;
    std::vector<std::string> messages;
    std::string cwdAfter;
};

// Runs one search in `directory` as the document does after its dialog:
// options copied in, patterns split, search from the lower-cased current
// directory (or from `startPath`, which the headers then show). The
// Directory field names `directory` too, or `spillDirectory` when given.
Outcome RunIn(CQuarnSearch& search, const std::string& directory, const Options& options,
              const std::string& startPath = "", const std::string& spillDirectory = "")
{
    CurrentDirectory here(directory);
    MessageRecorder recorder;
    search.m_directory = (spillDirectory.empty() ? directory : spillDirectory).c_str();
    search.m_fileMasks = options.masks.c_str();
    search.m_patternsText = options.patterns.c_str();
    search.m_lineNumbers = options.lineNumbers;
    search.m_ignoreCase = options.ignoreCase;
    search.m_descend = options.descend;
    search.m_unmatched = options.unmatched;
    search.ResetResults();
    search.SplitPatterns();
    CString start = startPath.empty() ? CQuarnSearch::CurrentDirectoryLower() : CString(startPath.c_str());
    Outcome outcome;
    outcome.result = search.RunSearch(start);
    outcome.text = static_cast<const char*>(search.m_resultText);
    outcome.messages = recorder.messages();
    outcome.cwdAfter = CurrentDir();
    return outcome;
}

Outcome Search(const std::string& directory, const Options& options, const std::string& startPath = "")
{
    CQuarnSearch search;
    return RunIn(search, directory, options, startPath);
}

std::string Header(const std::string& name)
{
    return "====> " + name + " <====\r\n\r\n";
}

// The file names of the headers, in order.
std::vector<std::string> Headers(const std::string& text)
{
    std::vector<std::string> names;
    size_t at = 0;
    while ((at = text.find("====> ", at)) != std::string::npos) {
        size_t end = text.find(" <====", at);
        names.push_back(text.substr(at + 6, end - at - 6));
        at = end;
    }
    return names;
}

// The search written the plain way, one line read of 511 characters at a
// time, for comparing the engine's fast paths against. A line matches when
// it holds one of the literals.
std::string ReferenceSearch(const std::string& name, const std::string& bytes, const std::vector<std::string>& literals,
                            bool lineNumbers, bool ignoreCase, bool unmatched)
{
    std::string out = Header(name);
    size_t pos = 0;
    long number = 1;
    bool selected = false;
    while (pos < bytes.size()) {
        size_t take = 0;
        while (pos + take < bytes.size() && take < 511) {
            ++take;
            if (bytes[pos + take - 1] == '\n')
                break;
        }
        std::string unit = bytes.substr(pos, take);
        pos += take;
        std::string line = unit.substr(0, unit.find('\0'));
        if (line.size() > 510) {
            out += "**** Line truncated - results unreliable\r\n";
            break;
        }
        std::string test = ignoreCase ? Lower(line) : line;
        while (!test.empty() && (test.back() == '\r' || test.back() == '\n'))
            test.pop_back();
        bool matched = false;
        for (const std::string& literal : literals)
            matched = matched || test.find(ignoreCase ? Lower(literal) : literal) != std::string::npos;
        if (matched != unmatched) {
            if (lineNumbers) {
                char prefix[32];
                std::snprintf(prefix, sizeof prefix, "%6ld:  ", number);
                out += prefix;
            }
            out += line;
            selected = true;
        }
        ++number;
    }
    if (selected)
        out += "\r\n";
    return out;
}

std::string Repeat(char c, size_t n)
{
    return std::string(n, c);
}

}   // namespace

TEST(QuarnPresetTest, MaskComesFromTheLastComponentsExtension)
{
    struct Case {
        const char* commandLine;
        const char* mask;
    } cases[] = {
        {"c:\\src\\main.c", "*.c"},
        {"README", "*.*"},
        {"x.TXT", "*.txt"},
        {"file.", "*."},
        {"", "*.*"},
        {"c:\\my.dir\\readme", "*.*"},
        {"c:\\my.dir\\Notes.Old.DOC", "*.doc"},
        {"a:readme", "*.*"},
    };
    for (const Case& each : cases)
        EXPECT_STREQ(each.mask, CQuarnSearch::MaskPreset(each.commandLine)) << each.commandLine;
}

TEST(QuarnPatternLinesTest, CutsLinesAndDropsCarriageReturns)
{
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\r\n", {"a"}},
        {"a\n\n", {"a", ""}},
        {"", {}},
        {"x\ry\nz", {"xy", "z"}},
    };
    for (const Case& each : cases) {
        CQuarnSearch search;
        search.m_patternsText = each.text;
        search.m_patternReadPos = 0;
        std::vector<std::string> lines;
        char buffer[CQuarnSearch::kPatternLineSize];
        char* end;
        while ((end = search.GetNextPatternLine(buffer)) != nullptr) {
            EXPECT_EQ(buffer + std::strlen(buffer), end);
            lines.push_back(buffer);
        }
        EXPECT_EQ(each.lines, lines) << '"' << each.text << '"';
    }
}

TEST(QuarnPatternLinesTest, LongLineNeverPassesTheBuffer)
{
    CQuarnSearch search;
    search.m_patternsText = (Repeat('p', 600) + "\nq").c_str();
    search.m_patternReadPos = 0;
    char buffer[CQuarnSearch::kPatternLineSize + 16];
    std::memset(buffer, '#', sizeof buffer);
    ASSERT_NE(nullptr, search.GetNextPatternLine(buffer));
    EXPECT_TRUE(search.m_lastLineTooLong);
    EXPECT_EQ(511u, std::strlen(buffer));
    for (size_t i = CQuarnSearch::kPatternLineSize; i < sizeof buffer; ++i)
        ASSERT_EQ('#', buffer[i]) << "written past the line buffer at " << i;
    ASSERT_NE(nullptr, search.GetNextPatternLine(buffer));
    EXPECT_FALSE(search.m_lastLineTooLong);
    EXPECT_STREQ("q", buffer);
}

TEST(QuarnPatternLinesTest, SplitLowerCasesWithIgnoreCaseAndReusesEntries)
{
    CQuarnSearch search;
    search.m_ignoreCase = 1;
    search.m_patternsText = "[A-Z]\\T\r\nFoo\r\n\r\n";
    search.SplitPatterns();
    ASSERT_EQ(3, search.m_patternCount);
    EXPECT_STREQ("[a-z]\\t", search.m_patterns[0]);
    EXPECT_STREQ("foo", search.m_patterns[1]);
    EXPECT_STREQ("", search.m_patterns[2]);

    search.m_ignoreCase = 0;
    search.m_patternsText = "Bar";
    search.SplitPatterns();
    EXPECT_EQ(1, search.m_patternCount);
    EXPECT_STREQ("Bar", search.m_patterns[0]);
    EXPECT_EQ(3, search.m_patterns.GetSize());
}

class QuarnSearchTest : public ::testing::Test {
protected:
    TempDir dir;
    void Write(const std::string& name, const std::string& bytes) { WriteFileBytes(dir.file(name), bytes); }
    void MakeDir(const std::string& name) { ASSERT_EQ(0, _mkdir(dir.file(name).c_str())); }
};

TEST_F(QuarnSearchTest, MasksInTheirOrderEachSortedAndRepeated)
{
    for (const char* name : {"b.c", "a.c", "z.h", "m.h", "Read.Me"})
        Write(name, "foo\r\n");
    MakeDir("dir.c");
    struct Case {
        const char* masks;
        std::vector<std::string> headers;
    } cases[] = {
        {"*.c *.h", {"a.c", "b.c", "m.h", "z.h"}},
        {"*.c *.*", {"a.c", "b.c", "a.c", "b.c", "m.h", "read.me", "z.h"}},
        {"  *.h \t*.c  ", {"m.h", "z.h", "a.c", "b.c"}},
        {"z.h a.c", {"z.h", "a.c"}},
    };
    for (const Case& each : cases) {
        Options options;
        options.masks = each.masks;
        Outcome outcome = Search(dir.path(), options);
        EXPECT_EQ(1, outcome.result) << each.masks;
        EXPECT_EQ(each.headers, Headers(outcome.text)) << each.masks;
        EXPECT_TRUE(outcome.messages.empty()) << each.masks;
    }
}

// The search lists each directory once and matches the usual masks itself;
// the files it finds must be the ones the platform's own listing of each
// mask gives (on Windows that includes matches on 8.3 aliases).
TEST_F(QuarnSearchTest, OneListingFindsWhatEachMasksListingFinds)
{
    for (const char* name : {"a.txt",
                             "B.TXT",
                             "c.txtx",
                             "long file name.txt",
                             "archive.tar.gz",
                             "noext",
                             ".txt",
                             "x.tx",
                             "verylongname.text",
                             "two.txt.bak",
                             "q.c"})
        Write(name, "foo\r\n");
    MakeDir("dir.txt");
    MakeDir("sub");
    for (const char* mask :
         {"*.txt", "*.TXT", "*.*", "*", "*.gz", "*.tx", "*.text", "*.bak", "a*", "?.txt", "*.c", "*.none"}) {
        std::vector<std::string> expected;
        {
            CurrentDirectory here(dir.path());
            _finddata_t found;
            intptr_t search = _findfirst(mask, &found);
            if (search != -1) {
                do {
                    if (!(found.attrib & _A_SUBDIR))
                        expected.push_back(Lower(found.name));
                } while (_findnext(search, &found) == 0);
                _findclose(search);
            }
        }
        std::sort(expected.begin(), expected.end());
        Options options;
        options.masks = mask;
        Outcome outcome = Search(dir.path(), options);
        EXPECT_EQ(expected, Headers(outcome.text)) << mask;
        EXPECT_EQ(expected.empty() ? 0 : 1, outcome.result) << mask;
    }
}

TEST_F(QuarnSearchTest, SelectedLinesWithNumbersUnmatchedAndIgnoreCase)
{
    Write("a.c", "int x;\r\nfoo();\r\nFOO bar\r\nlast foo");
    Write("b.c", "foo\r\nfoo again\r\n");
    Write("empty.c", "");
    struct Case {
        const char* name;
        Options options;
        std::string text;
    } cases[] = {
        {"plain", {"a.c", "foo"}, Header("a.c") + "foo();\r\nlast foo\r\n"},
        {"numbers", {"a.c", "foo", true}, Header("a.c") + "     2:  foo();\r\n     4:  last foo\r\n"},
        {"ignore case",
         {"a.c", "Foo", true, true},
         Header("a.c") + "     2:  foo();\r\n     3:  FOO bar\r\n     4:  last foo\r\n"},
        {"unmatched",
         {"a.c", "foo", true, false, false, true},
         Header("a.c") + "     1:  int x;\r\n     3:  FOO bar\r\n\r\n"},
        {"every line matches", {"b.c", "foo", false, false, false, true}, Header("b.c")},
        {"empty file", {"empty.c", "foo"}, Header("empty.c")},
        {"two patterns", {"a.c", "x;\r\nbar"}, Header("a.c") + "int x;\r\nFOO bar\r\n\r\n"},
    };
    for (const Case& each : cases) {
        Outcome outcome = Search(dir.path(), each.options);
        EXPECT_EQ(1, outcome.result) << each.name;
        EXPECT_EQ(each.text, outcome.text) << each.name;
        EXPECT_TRUE(outcome.messages.empty()) << each.name;
    }
}

TEST_F(QuarnSearchTest, IgnoreCaseTurnsUpperEscapesIntoLowerOnes)
{
    Write("t.txt", "AT\r\na\tb\r\nxt\r\n");
    Options sensitive{"t.txt", "[A-Z]\\T", true};
    EXPECT_EQ(Header("t.txt") + "     1:  AT\r\n\r\n", Search(dir.path(), sensitive).text);
    Options ignoring{"t.txt", "[A-Z]\\T", true, true};
    EXPECT_EQ(Header("t.txt") + "     2:  a\tb\r\n\r\n", Search(dir.path(), ignoring).text);
}

TEST_F(QuarnSearchTest, EmptyPatternRepeatsThePreviousWithItsAnchoring)
{
    Write("a.txt", "abc\r\nxb\r\nbz\r\nca\r\n");
    struct Case {
        const char* patterns;
        std::string text;
        int result;
        std::vector<std::string> messages;
    } cases[] = {
        // The anchoring belongs to each pattern, not to the last one compiled.
        {"^b\nc", Header("a.txt") + "abc\r\nbz\r\nca\r\n\r\n", 1, {}},
        {"^c\n\nzzz", Header("a.txt") + "ca\r\n\r\n", 1, {}},
        {"z$\n", Header("a.txt") + "bz\r\n\r\n", 1, {}},
        {"\nfoo", Header("a.txt"), 0, {"Error in pattern"}},
    };
    for (const Case& each : cases) {
        Options options{"a.txt", each.patterns};
        Outcome outcome = Search(dir.path(), options);
        EXPECT_EQ(each.result, outcome.result) << each.patterns;
        EXPECT_EQ(each.text, outcome.text) << each.patterns;
        EXPECT_EQ(each.messages, outcome.messages) << each.patterns;
    }
}

TEST_F(QuarnSearchTest, PatternErrorOnlyWhenALineReachesThePattern)
{
    Write("all.txt", "foo 1\r\nfoo 2\r\n");
    Write("some.txt", "foo 1\r\nbar\r\nfoo 3\r\n");
    Write("empty.txt", "");
    struct Case {
        const char* masks;
        const char* patterns;
        int result;
        std::string text;
        std::vector<std::string> messages;
    } cases[] = {
        {"all.txt", "foo\n\\(a\\)\\2", 1, Header("all.txt") + "foo 1\r\nfoo 2\r\n\r\n", {}},
        {"some.txt", "foo\n\\(a\\)\\2", 0, Header("some.txt") + "foo 1\r\n", {"Error in pattern"}},
        {"empty.txt", "\\(a\\)\\2", 1, Header("empty.txt"), {}},
        {"empty.txt all.txt", "[abc", 0, Header("empty.txt") + Header("all.txt"), {"Error in pattern"}},
    };
    for (const Case& each : cases) {
        Options options{each.masks, each.patterns};
        Outcome outcome = Search(dir.path(), options);
        EXPECT_EQ(each.result, outcome.result) << each.masks << " / " << each.patterns;
        EXPECT_EQ(each.text, outcome.text) << each.masks << " / " << each.patterns;
        EXPECT_EQ(each.messages, outcome.messages) << each.masks << " / " << each.patterns;
    }
}

TEST_F(QuarnSearchTest, PatternLinesThatDoNotFitAreRefused)
{
    Write("a.txt", "xa\r\n");
    // "a" and stars compile to a few bytes however many stars there are, so
    // only the length of the line decides.
    Options fits{"a.txt", "a" + Repeat('*', 510)};
    Outcome outcome = Search(dir.path(), fits);
    EXPECT_EQ(1, outcome.result);
    EXPECT_EQ(Header("a.txt") + "xa\r\n\r\n", outcome.text);

    Options tooLong{"a.txt", "a" + Repeat('*', 511)};
    outcome = Search(dir.path(), tooLong);
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ(std::vector<std::string>{"Error in pattern"}, outcome.messages);
}

TEST_F(QuarnSearchTest, InvalidPatternFoundOnlyInASubdirectory)
{
    MakeDir("Sub");
    Write("Sub\\x.c", "anything\r\n");
    Write("Sub\\y.c", "more\r\n");
    Write("top.txt", "not searched\r\n");
    Options options{"*.c", "\\(a\\)\\2"};
    options.descend = true;
    std::string before = CurrentDir();
    Outcome outcome = Search(dir.path(), options);
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ(std::vector<std::string>{"Error in pattern"}, outcome.messages);
    EXPECT_EQ(std::vector<std::string>{Lower(dir.path()) + "\\sub\\x.c"}, Headers(outcome.text));
    EXPECT_EQ(Lower(dir.path()), Lower(outcome.cwdAfter));
    EXPECT_EQ(before, CurrentDir());
}

TEST_F(QuarnSearchTest, DescendingHeadersCarryTheLowerCasedPath)
{
    MakeDir("Sub");
    MakeDir("Sub\\Deep");
    Write("a.c", "foo\r\n");
    Write("Sub\\B.C", "foo\r\n");
    Write("Sub\\Deep\\c.c", "foo\r\n");
    Options options{"*.c", "foo"};
    options.descend = true;
    for (const std::string& start : {Lower(dir.path()), std::string("c:\\"), std::string("d:\\Top")}) {
        // Headers are made from the path handed in; a root path ends in a
        // backslash and takes no second one.
        std::string shown = start.back() == '\\' ? start : start + "\\";
        Outcome outcome = Search(dir.path(), options, start);
        EXPECT_EQ(1, outcome.result) << start;
        std::string lowered = Lower(shown);
        EXPECT_EQ(Header(shown + "a.c") + "foo\r\n\r\n" + Header(lowered + "sub\\b.c") + "foo\r\n\r\n" +
                      Header(lowered + "sub\\deep\\c.c") + "foo\r\n\r\n",
                  outcome.text)
            << start;
    }
}

TEST_F(QuarnSearchTest, NothingFoundFailsOnlyWhenNotDescending)
{
    Write("a.txt", "foo\r\n");
    MakeDir("empty");
    struct Case {
        const char* masks;
        bool descend;
        int result;
        std::vector<std::string> messages;
    } cases[] = {
        {"*.c", false, 0, {"cant find file"}},
        {"", false, 0, {"cant find file"}},
        {"*.c", true, 1, {}},
    };
    for (const Case& each : cases) {
        Options options{each.masks, "foo"};
        options.descend = each.descend;
        Outcome outcome = Search(dir.path() + "\\empty", options);
        EXPECT_EQ(each.result, outcome.result) << each.masks << each.descend;
        EXPECT_EQ("", outcome.text) << each.masks << each.descend;
        EXPECT_EQ(each.messages, outcome.messages) << each.masks << each.descend;
    }
}

TEST_F(QuarnSearchTest, MaskThatDoesNotFitMatchesNothing)
{
    Write("a.txt", "foo\r\n");
    Write("b.c", "foo\r\n");
    std::string longMask = Repeat('*', 258) + ".txt";   // 262 characters
    Options alone{longMask, "foo"};
    Outcome outcome = Search(dir.path(), alone);
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ(std::vector<std::string>{"cant find file"}, outcome.messages);

    Options mixed{longMask + " *.c", "foo"};
    outcome = Search(dir.path(), mixed);
    EXPECT_EQ(1, outcome.result);
    EXPECT_EQ(std::vector<std::string>{"b.c"}, Headers(outcome.text));
}

TEST_F(QuarnSearchTest, LongLineEndsTheFilesListing)
{
    struct Case {
        size_t length;   // characters before the line feed
        bool truncated;
    } cases[] = {{509, false}, {510, true}, {700, true}};
    for (const Case& each : cases) {
        std::string longLine = "foo" + Repeat('x', each.length - 3) + "\n";
        Write("a.txt", "foo 1\r\n" + longLine + "foo 3\r\n");
        Options options{"a.txt", "foo", true};
        Outcome outcome = Search(dir.path(), options);
        std::string expected = Header("a.txt") + "     1:  foo 1\r\n";
        if (each.truncated)
            expected += "**** Line truncated - results unreliable\r\n\r\n";
        else
            expected += "     2:  " + longLine + "     3:  foo 3\r\n\r\n";
        EXPECT_EQ(1, outcome.result) << each.length;
        EXPECT_EQ(expected, outcome.text) << each.length;
    }
}

TEST_F(QuarnSearchTest, LineWithANulEndsThereForMatchingAndOutput)
{
    Write("a.bin", std::string("foo\0bar\r\nbaz\0foo\r\nfoo end\r\n", 27));
    Options options{"a.bin", "foo", true};
    Outcome outcome = Search(dir.path(), options);
    EXPECT_EQ(Header("a.bin") + "     1:  foo     3:  foo end\r\n\r\n", outcome.text);
}

// Holds a file open with no sharing, which only Windows knows.
#ifdef _WIN32
TEST_F(QuarnSearchTest, FileThatCannotBeOpenedIsSkippedWithoutHeader)
{
    Write("a.txt", "foo\r\n");
    Write("b.txt", "foo\r\n");
    HANDLE locked = CreateFileA(dir.file("a.txt").c_str(),
                                GENERIC_READ | GENERIC_WRITE,
                                0,
                                nullptr,
                                OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    Options options{"*.txt", "foo"};
    Outcome outcome = Search(dir.path(), options);
    CloseHandle(locked);
    EXPECT_EQ(1, outcome.result);
    EXPECT_EQ(Header("b.txt") + "foo\r\n\r\n", outcome.text);
    EXPECT_TRUE(outcome.messages.empty());
}
#endif

TEST_F(QuarnSearchTest, AtMost1024EntriesInADirectory)
{
    for (int i = 0; i < 1030; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "f%04d.txt", i);
        Write(name, "");
    }
    Options options{"*.txt", "foo"};
    Outcome outcome = Search(dir.path(), options);
    EXPECT_EQ(1, outcome.result);
    std::vector<std::string> headers = Headers(outcome.text);
    ASSERT_EQ(1024u, headers.size());
    for (size_t i = 1; i < headers.size(); ++i)
        ASSERT_LT(headers[i - 1], headers[i]);
}

// The engine skips lines that cannot hold a pattern's literal text without
// asking the matcher; its results must be those of the plain line-by-line
// search, across read blocks, long lines, NULs and the last line.
TEST_F(QuarnSearchTest, FastPathsAgreeWithThePlainSearch)
{
    std::string bytes;
    unsigned seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    const char* words[] = {"alpha", "Needle", "needle", "beta", "gamma", "need", "le", "\t", "x\0y", "NEEDLE"};
    while (bytes.size() < (3u << 20)) {
        std::string line;
        size_t wordsInLine = next() % 30;
        for (size_t w = 0; w < wordsInLine; ++w) {
            const char* word = words[next() % 10];
            line.append(word, word[0] == 'x' ? 3 : std::strlen(word));
            line += ' ';
        }
        if (next() % 97 == 0) {
            // Long lines up to the limit of 510 characters with the line end.
            size_t run = 300 + next() % 300;
            if (line.size() + run + 2 > 510)
                run = 510 - 2 - line.size();
            line += Repeat('z', run);
        }
        if (next() % 499 == 0)   // past the limit, but a NUL ends it early
            line = "ab" + std::string(1, '\0') + Repeat('n', 700) + " needle";
        bytes += line;
        bytes += next() % 5 ? "\r\n" : "\n";
    }
    Write("big.txt", bytes);
    Write("tail.txt", bytes.substr(0, 5000) + "needle at the end without line feed");
    Write("long.txt", bytes.substr(0, 1500000) + "needle " + Repeat('q', 600) + "\r\nneedle\r\n");

    struct Flags {
        bool lineNumbers, ignoreCase, unmatched;
    } flagSets[] = {{true, false, false}, {false, true, false}, {true, true, true}, {true, false, true}};
    struct Patterns {
        const char* text;
        std::vector<std::string> literals;
    } patternSets[] = {
        {"needle", {"needle"}},
        {"[n]eedle", {"needle"}},
        {"[n][e][e][d]", {"need"}},
        {"gamma\nne\\(ed\\)le", {"gamma", "needle"}},
    };
    for (const Patterns& patterns : patternSets) {
        for (const Flags& flags : flagSets) {
            // Each file searched in turn, and on worker threads.
            for (unsigned threads : {1u, 0u}) {
                for (const char* name : {"big.txt", "tail.txt", "long.txt"}) {
                    std::string content;
                    ASSERT_TRUE(ReadFileBytes(dir.file(name), content));
                    CQuarnSearch search;
                    search.m_threads = threads;
                    Options options{name, patterns.text, flags.lineNumbers, flags.ignoreCase};
                    options.unmatched = flags.unmatched;
                    Outcome outcome = RunIn(search, dir.path(), options);
                    ASSERT_EQ(1, outcome.result);
                    // Past the cap the results go to a spill file; read them back.
                    std::string got = outcome.text;
                    size_t named = got.find("Results written to file: ");
                    if (named != std::string::npos) {
                        std::string spill = got.substr(named + 25, got.find("\r\n", named) - named - 25);
                        ASSERT_TRUE(ReadFileBytes(dir.file(spill), got));
                        std::remove(dir.file(spill).c_str());
                    }
                    std::string expected = ReferenceSearch(
                        name, content, patterns.literals, flags.lineNumbers, flags.ignoreCase, flags.unmatched);
                    std::string what = std::string(patterns.text) + " in " + name + " threads " +
                                       std::to_string(threads) + " numbers " + std::to_string(flags.lineNumbers) +
                                       " case " + std::to_string(flags.ignoreCase) + " unmatched " +
                                       std::to_string(flags.unmatched);
                    ASSERT_EQ(expected.size(), got.size()) << what;
                    ASSERT_TRUE(expected == got) << what;
                }
            }
        }
    }
}

// Files searched on worker threads must leave the results of the search
// that opens, reads and searches each in turn: the same text (and spill
// file), the same messages, and a search that stops at a pattern error
// stops at the same line. Files with much output, behind others still
// being searched, make their workers wait for the search to take them.
TEST_F(QuarnSearchTest, WorkersGiveTheResultsOfTheSearchInTurn)
{
    std::string big;
    for (int i = 0; big.size() < (5u << 19); ++i)
        big += (i % 37 ? "plain text here\r\n" : "the needle line " + std::to_string(i) + "\r\n");
    Write("big.txt", big);
    Write("big2.txt", big.substr(1000) + "Needle at the end");
    Write("small.txt", "needle\r\n");
    Write("empty.txt", "");
    const std::string sep(1, kDirSeparator);
    MakeDir("Sub1");
    for (int i = 0; i < 23; ++i)
        Write("Sub1" + sep + "f" + std::to_string(i) + ".txt", "needle " + std::to_string(i) + "\r\neh\r\n");
    // A line past the limit ends its file's results in the middle of the
    // directory.
    Write("Sub1" + sep + "f5.txt", "needle 5\r\n" + Repeat('x', 600) + "\r\nneedle after\r\n");
    MakeDir("Sub1" + sep + "Deeper");
    Write("Sub1" + sep + "Deeper" + sep + "odd.txt", "needle\r\nxyz only\r\nneedle\r\n");
    Write("Sub1" + sep + "Deeper" + sep + "last.txt", "needle last\r\n");
    MakeDir("Sub2");
    Write("Sub2" + sep + "y.txt", big);
    Write("Sub2" + sep + "z.txt", big.substr(0, 40000));
#ifdef _WIN32
    // A file that cannot be opened, among others, is left out, header and all.
    HANDLE locked = CreateFileA(dir.file("Sub1\\f7.txt").c_str(),
                                GENERIC_READ | GENERIC_WRITE,
                                0,
                                nullptr,
                                OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
#endif

    struct Case {
        const char* patterns;
        bool unmatched;
        bool ignoreCase;
        bool spillFails;   // the Directory field names no directory
    } cases[] = {
        {"needle", false, false, false},
        {"needle", true, false, false},
        {"n[e]\\(ed\\)l*e\n\\(th\\).*\\1", false, true, false},   // the matcher on every worker
        {"e\n\\(a\\)\\2", false, false, false},   // the second pattern fails on the first line without "e"
        {"needle", true, false, true},
        {"line", false, true, true},
    };
    for (const Case& each : cases) {
        std::vector<std::string> results;
        for (unsigned threads : {1u, 2u, 8u}) {
            CQuarnSearch search;
            search.m_threads = threads;
            Options options{"*.txt", each.patterns, true, each.ignoreCase};
            options.descend = true;
            options.unmatched = each.unmatched;
            Outcome outcome = RunIn(search, dir.path(), options, "", each.spillFails ? dir.file("missing") : "");
            // The spill file's name changes from run to run; its content counts.
            std::string text = outcome.text;
            std::string spilled;
            size_t named = text.find("Results written to file: ");
            if (named != std::string::npos) {
                size_t end = text.find("\r\n", named);
                std::string spill = text.substr(named + 25, end - named - 25);
                ASSERT_TRUE(ReadFileBytes(spill, spilled)) << spill;
                std::remove(spill.c_str());
                text.erase(named + 25, end - named - 25);
            }
            EXPECT_EQ(each.spillFails, named == std::string::npos) << each.patterns;
            std::string got = std::to_string(outcome.result) + "\n" + text + "\n" + outcome.cwdAfter + "\n" + spilled;
            for (const std::string& message : outcome.messages)
                got += "\n" + message;
            results.push_back(got);
        }
        // A spill that fails keeps only the last of the results.
        if (!each.spillFails) {
            EXPECT_NE(std::string::npos, results[0].find("f22.txt")) << each.patterns;
        }
#ifdef _WIN32
        EXPECT_EQ(std::string::npos, results[0].find("f7.txt")) << each.patterns;
#endif
        for (size_t i = 1; i < results.size(); ++i)
            EXPECT_TRUE(results[0] == results[i]) << each.patterns << " on workers, run " << i;
    }
#ifdef _WIN32
    CloseHandle(locked);
#endif
}

// A Directory field that names no full path puts the spill file under the
// directory the search is in when the results spill, and a spill file in
// the tree is found by the walk after it. Workers running ahead of the
// results must leave both as the search in turn has them.
TEST_F(QuarnSearchTest, SpillFileLiesWhereTheSearchInTurnMakesIt)
{
    const std::string sep(1, kDirSeparator);
    std::string many;
    for (int i = 0; i < 3000; ++i)
        many += "wombat " + std::to_string(i) + "\r\n";
    Write("a.txt", "wombat at the top\r\n");
    MakeDir("Sub1");
    Write("Sub1" + sep + "b.txt", "no match\r\n");
    MakeDir("Sub2");
    for (int i = 0; i < 12; ++i)
        Write("Sub2" + sep + "f" + std::to_string(i) + ".txt", i == 6 ? many : "wombat " + std::to_string(i) + "\r\n");
    MakeDir("Sub2" + sep + "Sub1");
    Write("Sub2" + sep + "Sub1" + sep + "c.txt", "wombat in the spill directory\r\n");
    struct Case {
        const char* directoryField;   // relative to the directory the spill is made in
        const char* spillUnder;       // where that is
    } cases[] = {{"Sub1", "Sub2"}, {".", "Sub2"}};
    for (const Case& each : cases) {
        std::vector<std::string> results;
        for (unsigned threads : {1u, 2u, 8u}) {
            CQuarnSearch search;
            search.m_threads = threads;
            Options options{"*.*", "wombat", true};
            options.descend = true;
            Outcome outcome = RunIn(search, dir.path(), options, "", each.directoryField);
            std::string got = std::to_string(outcome.result) + "\n" + outcome.text + "\n";
            size_t named = outcome.text.find("Results written to file: ");
            EXPECT_NE(std::string::npos, named) << each.directoryField << " threads " << threads;
            if (named != std::string::npos) {
                size_t end = outcome.text.find("\r\n", named);
                std::string spill = dir.file(each.spillUnder + sep + outcome.text.substr(named + 25, end - named - 25));
                std::string spilled;
                EXPECT_TRUE(ReadFileBytes(spill, spilled)) << spill;
                std::remove(spill.c_str());
                got += spilled;
            }
            for (const std::string& message : outcome.messages)
                got += "\n" + message;
            results.push_back(got);
        }
        for (size_t i = 1; i < results.size(); ++i)
            EXPECT_TRUE(results[0] == results[i]) << each.directoryField << " on workers, run " << i << "\n"
                                                  << results[0].substr(0, 2000) << "\n----\n"
                                                  << results[i].substr(0, 2000);
    }
}

TEST_F(QuarnSearchTest, SpillAtTheCapNamesTheFileInTheNotice)
{
    // Header (21) + lines + "\r\n" after the file: exactly the cap, then one more.
    for (size_t total : {size_t(32767), size_t(32768)}) {
        std::string body;
        size_t room = total - 21 - 2;
        while (room >= 100) {
            body += "foo" + Repeat('x', 95) + "\r\n";
            room -= 100;
        }
        body += "foo" + Repeat('y', room - 5) + "\r\n";
        Write("a.txt", body);
        std::string full = Header("a.txt") + body + "\r\n";
        ASSERT_EQ(total, full.size());

        for (bool descend : {false, true}) {
            Options options{"a.txt", "foo"};
            options.descend = descend;
            CQuarnSearch search;
            Outcome outcome = RunIn(search, dir.path(), options);
            EXPECT_EQ(1, outcome.result);
            EXPECT_TRUE(outcome.messages.empty());
            if (descend)
                full = Header(Lower(dir.path()) + "\\a.txt") + body + "\r\n";
            if (full.size() <= 32767) {
                EXPECT_EQ(full, outcome.text);
                continue;
            }
            const std::string head = "****\r\n**** Too much output (>32kb)\r\n**** Results written to file: ";
            const std::string tailText = "\r\n**** Use Zodo to display this file\r\n****\r\n";
            ASSERT_EQ(0u, outcome.text.find(head)) << outcome.text;
            ASSERT_GT(outcome.text.size(), head.size() + tailText.size());
            ASSERT_EQ(tailText, outcome.text.substr(outcome.text.size() - tailText.size()));
            std::string name = outcome.text.substr(head.size(), outcome.text.size() - head.size() - tailText.size());
            // Not descending the name is bare and the file lies in the searched
            // directory; descending it carries the Directory field.
            std::string expectedPrefix = descend ? dir.path() + kPathSeparator + "tm" : "tm";
            EXPECT_EQ(expectedPrefix, name.substr(0, expectedPrefix.size()));
            EXPECT_EQ(expectedPrefix.size() + 6, name.size());
            std::string spilled;
            ASSERT_TRUE(ReadFileBytes(descend ? name : dir.file(name), spilled));
            EXPECT_TRUE(full == spilled);
            std::remove((descend ? name : dir.file(name)).c_str());
        }
    }
}

TEST_F(QuarnSearchTest, SpillFileThatCannotBeMadeTruncatesAndTriesAgain)
{
    std::string body;
    for (int i = 0; i < 1000; ++i)
        body += "foo line " + Repeat('x', 60) + "\r\n";   // 71000: two overflows
    Write("a.txt", body);
    Options options{"a.txt", "foo"};
    options.descend = true;
    CQuarnSearch search;
    // The spill file goes to the Directory field, which here names nothing.
    search.m_directory = (dir.path() + "\\missing").c_str();
    CurrentDirectory here(dir.path());
    MessageRecorder recorder;
    search.m_fileMasks = options.masks.c_str();
    search.m_patternsText = "foo";
    search.m_descend = 1;
    search.ResetResults();
    search.SplitPatterns();
    EXPECT_EQ(1, search.RunSearch(CQuarnSearch::CurrentDirectoryLower()));
    EXPECT_EQ((std::vector<std::string>{"Too much output - results truncated", "Too much output - results truncated"}),
              recorder.messages());
    std::string full = Header(Lower(dir.path()) + "\\a.txt") + body + "\r\n";
    std::string text = static_cast<const char*>(search.m_resultText);
    ASSERT_LE(text.size(), 32767u);
    ASSERT_GT(text.size(), 0u);
    EXPECT_EQ(full.substr(full.size() - text.size()), text);
    EXPECT_EQ(0u, text.find("foo line "));
}
