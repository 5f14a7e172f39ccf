
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "diff_test_support.h"
#include "fileout.h"
#include "linediff.h"

namespace {
// Lines joined with CR LF after each.
std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

class LineDiffTest : public ::testing::Test {
protected:
    void SetUp() override { m_dir.enter(); }

    std::string Diff(const std::string& first, const std::string& second)
    {
        WriteFileBytes(m_dir.file("first.txt"), first);
        WriteFileBytes(m_dir.file("second.txt"), second);
        CString result = DiffFiles(m_dir.file("first.txt").c_str(), m_dir.file("second.txt").c_str(), m_options);
        return std::string(result, static_cast<size_t>(result.GetLength()));
    }

    ScratchDir m_dir;
    DiffOptions m_options;
    MessageRecorder m_messages;
};

struct DiffCase {
    const char* what;
    std::string first;
    std::string second;
    std::string expected;
};

TEST_F(LineDiffTest, HunksOfTheClassicCases)
{
    const std::vector<DiffCase> cases = {
        {"identical files", Lines({"one", "two"}), Lines({"one", "two"}), "diff: files are the same\r\n"},
        {"both files empty", "", "", "diff: files are the same\r\n"},
        {"second file empty", Lines({"a", "b", "c"}), "", "1,$d0\r\n< a\r\n< b\r\n< c\r\n\r\n"},
        {"first file empty", "", Lines({"a", "b"}), "0a1,$\r\n> a\r\n> b\r\n\r\n"},
        {"one line changed",
         Lines({"1", "2", "x", "4", "5"}),
         Lines({"1", "2", "y", "4", "5"}),
         "3c3\r\n< x\r\n---\r\n> y\r\n\r\n"},
        {"one line inserted",
         Lines({"one", "two", "three", "four", "five"}),
         Lines({"one", "two", "new", "three", "four", "five"}),
         "2a3\r\n> new\r\n\r\n"},
        {"look-ahead meets the end of the first file",
         Lines({"one", "two", "three", "four"}),
         Lines({"one", "two", "new", "three", "four", "five"}),
         "3,$c3,$\r\n< three\r\n< four\r\n---\r\n> new\r\n> three\r\n> four\r\n> five\r\n\r\n"},
        {"last line differs", Lines({"a", "b", "c"}), Lines({"a", "b", "C"}), "3,$c3,$\r\n< c\r\n---\r\n> C\r\n\r\n"},
        {"one line deleted", Lines({"1", "2", "3", "4", "5"}), Lines({"1", "2", "4", "5"}), "3d2\r\n< 3\r\n\r\n"},
        {"two lines changed into three",
         Lines({"1", "2", "a", "b", "5", "6", "7", "8"}),
         Lines({"1", "2", "x", "y", "z", "5", "6", "7", "8"}),
         "3,4c3,5\r\n< a\r\n< b\r\n---\r\n> x\r\n> y\r\n> z\r\n\r\n"},
        {"two hunks",
         Lines({"1", "x", "3", "4", "5", "6", "7", "8", "9"}),
         Lines({"1", "3", "4", "5", "new", "6", "7", "8", "9"}),
         "2d1\r\n< x\r\n5a5\r\n> new\r\n\r\n"},
        {"first file is a prefix", Lines({"a", "b"}), Lines({"a", "b", "c", "d"}), "2a3,$\r\n> c\r\n> d\r\n\r\n"},
        {"second file is a prefix", Lines({"a", "b", "c"}), Lines({"a"}), "2,$d1\r\n< b\r\n< c\r\n\r\n"},
        {"last line without its line end gets one", "a\r\nb", "a\r\nc\r\n", "2,$c2,$\r\n< b\r\n---\r\n> c\r\n\r\n"},
        {"line ends kept as stored", "a\nb\nc\nd\n", "a\nX\nc\nd\n", "2c2\r\n< b\n---\r\n> X\n\r\n"},
    };
    for (const DiffCase& c : cases)
        EXPECT_EQ(Diff(c.first, c.second), c.expected) << c.what;
    EXPECT_TRUE(m_messages.messages().empty());
}

TEST_F(LineDiffTest, WhiteSpaceAndCaseOptions)
{
    struct OptionCase {
        int ignoreWhiteSpace;
        int ignoreCase;
        const char* first;
        const char* second;
        bool same;
    };
    const OptionCase cases[] = {
        {1, 0, "one  two\r\n", "one two\r\n", true},
        {1, 0, "one\t two\r\n", "one two\r\n", true},
        {1, 0, "one two  \r\n", "one two\r\n", true},
        {1, 0, "one two\r\n", "onetwo\r\n", false},
        {1, 0, " one\r\n", "one\r\n", false},
        {0, 0, "one  two\r\n", "one two\r\n", false},
        {0, 1, "Hello World\r\n", "hELLO wORLD\r\n", true},
        {0, 1, "Hello World\r\n", "Hello  World\r\n", false},
        {0, 0, "Hello\r\n", "hello\r\n", false},
        {1, 1, "A  B\r\n", "a b\r\n", true},
    };
    for (const OptionCase& c : cases) {
        m_options.ignoreWhiteSpace = c.ignoreWhiteSpace != 0;
        m_options.ignoreCase = c.ignoreCase != 0;
        std::string first = std::string("same\r\n") + c.first + "end\r\nstop\r\n";
        std::string second = std::string("same\r\n") + c.second + "end\r\nstop\r\n";
        std::string expected = c.same ? std::string("diff: files are the same\r\n")
                                      : "2c2\r\n< " + std::string(c.first) + "---\r\n> " + c.second + "\r\n";
        EXPECT_EQ(Diff(first, second), expected)
            << "'" << c.first << "' / '" << c.second << "' white " << c.ignoreWhiteSpace << " case " << c.ignoreCase;
        EXPECT_EQ(CompareDiffLines(c.first, c.second, m_options) == 0, c.same) << c.first;
    }
}

TEST_F(LineDiffTest, LongLinesAreCutInto254CharacterPieces)
{
    std::string head(254, 'x');
    std::string tail(46, 't');
    // The change lies in the second piece: that piece is line 2 of both.
    std::string changedTail = tail;
    changedTail[20] = 'Q';
    EXPECT_EQ(Diff(head + tail + "\r\nend\r\nstop\r\n", head + changedTail + "\r\nend\r\nstop\r\n"),
              "2c2\r\n< " + tail + "\r\n---\r\n> " + changedTail + "\r\n\r\n");

    // The change lies in the first piece, which carries no line end of its
    // own: it is printed with one.
    std::string changedHead = head;
    changedHead[100] = 'Q';
    EXPECT_EQ(Diff(head + tail + "\r\nend\r\n", changedHead + tail + "\r\nend\r\n"),
              "1c1\r\n< " + head + "\r\n---\r\n> " + changedHead + "\r\n\r\n");
}

TEST_F(LineDiffTest, LookAheadReachesExactly499Lines)
{
    std::vector<std::string> common;
    for (int n = 0; n < 600; ++n)
        common.push_back("common " + std::to_string(n));
    for (int inserted : {498, 499}) {
        std::vector<std::string> second;
        std::string expected = "0a1," + std::to_string(inserted) + "\r\n";
        for (int n = 0; n < inserted; ++n) {
            second.push_back("inserted " + std::to_string(n));
            expected += "> inserted " + std::to_string(n) + "\r\n";
        }
        expected += "\r\n";
        second.insert(second.end(), common.begin(), common.end());
        std::string output = Diff(Lines(common), Lines(second));
        if (inserted == 498)
            EXPECT_EQ(output, expected);
        else
            EXPECT_EQ(output, "\r\ndiff: cant resync (files too different)\r\n");
    }
}

TEST_F(LineDiffTest, CantResyncStopsAfterEarlierHunks)
{
    std::vector<std::string> first = {"1", "x", "3", "4"};
    std::vector<std::string> second = {"1", "y", "3", "4"};
    for (int n = 0; n < 520; ++n) {
        first.push_back("left " + std::to_string(n));
        second.push_back("right " + std::to_string(n));
    }
    EXPECT_EQ(Diff(Lines(first), Lines(second)),
              "2c2\r\n< x\r\n---\r\n> y\r\n\r\ndiff: cant resync (files too different)\r\n");
}

TEST_F(LineDiffTest, LongRemaindersArePrintedWhole)
{
    // More than 16385 lines to the end of the file.
    std::vector<std::string> tail;
    std::string expected = "2,$d1\r\n";
    for (int n = 0; n < 17000; ++n) {
        tail.push_back("l" + std::to_string(n));
        expected += "< l" + std::to_string(n) + "\r\n";
    }
    expected += "\r\n";
    std::vector<std::string> first = {"keep"};
    first.insert(first.end(), tail.begin(), tail.end());
    std::string output = Diff(Lines(first), Lines({"keep"}));
    // Far past the cap: the text is the notice, the spill file the output.
    const std::string label = "**** Results written to file: ";
    size_t at = output.find(label);
    ASSERT_NE(at, std::string::npos) << output.substr(0, 200);
    size_t end = output.find("\r\n", at);
    std::string name = output.substr(at + label.size(), end - at - label.size());
    EXPECT_EQ(ReadFileBytes(m_dir.file(name)), expected);
}

TEST_F(LineDiffTest, OutputPastTheCapSpillsIntoTheCurrentDirectory)
{
    // An append hunk of the whole second file: "0a1,$", a "> " line for each
    // line, the closing line end. The last line's length makes the output
    // exactly the cap; one character more spills.
    std::vector<std::string> second(1637, "0123456789abcdef");
    second.push_back("");
    auto expectedOutput = [&second]() {
        std::string text = "0a1,$\r\n";
        for (const std::string& line : second)
            text += "> " + line + "\r\n";
        return text + "\r\n";
    };
    second.back() = std::string(static_cast<size_t>(COutputText::kCap) - expectedOutput().size(), 'r');
    ASSERT_EQ(expectedOutput().size(), static_cast<size_t>(COutputText::kCap));

    EXPECT_EQ(Diff("", Lines(second)), expectedOutput());

    second.back() += "+";
    std::string spilled = Diff("", Lines(second));
    const std::string label = "**** Results written to file: ";
    size_t at = spilled.find(label);
    ASSERT_NE(at, std::string::npos) << spilled.substr(0, 100);
    std::string name = spilled.substr(at + label.size(), spilled.find("\r\n", at) - at - label.size());
    EXPECT_EQ(name.size(), 8u);
    EXPECT_EQ(name.compare(0, 2, "tm"), 0) << name;
    EXPECT_EQ(spilled,
              "****\r\n**** Too much output (>32kb)\r\n**** Results written to file: " + name +
                  "\r\n**** Use Zodo to display this file\r\n****\r\n");
    EXPECT_EQ(ReadFileBytes(m_dir.file(name)), expectedOutput());
    EXPECT_TRUE(m_messages.messages().empty());
}

TEST_F(LineDiffTest, SpillThatCannotBeMadeKeepsTheOutputFromTheOverflowOn)
{
    // Take every name the spill file could be given here.
    std::vector<std::string> taken;
    for (unsigned attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        char name[] = "tmXXXXXX";
        TempNameCandidate(name, attempt);
        WriteFileBytes(m_dir.file(name), "taken");
        taken.push_back(name);
    }

    // An append hunk is written as the header, one piece per line and the
    // closing line end; the text restarts with the piece that overflowed.
    std::vector<std::string> second;
    std::vector<std::string> pieces = {"0a1,$\r\n"};
    for (int n = 0; n < 2000; ++n) {
        second.push_back("line " + std::to_string(10000 + n) + " of many");
        pieces.push_back("> " + second.back() + "\r\n");
    }
    pieces.push_back("\r\n");
    std::string expected;
    int overflows = 0;
    for (const std::string& piece : pieces) {
        if (expected.size() + piece.size() > static_cast<size_t>(COutputText::kCap)) {
            expected.clear();
            ++overflows;
        }
        expected += piece;
    }
    ASSERT_EQ(overflows, 1);

    EXPECT_EQ(Diff("", Lines(second)), expected);
    ASSERT_EQ(m_messages.messages().size(), 1u);
    EXPECT_EQ(m_messages.messages()[0], "Too much output - results truncated");
    for (const std::string& name : taken)
        EXPECT_EQ(ReadFileBytes(m_dir.file(name)), "taken") << name;
}

TEST_F(LineDiffTest, FilesThatCannotBeOpened)
{
    WriteFileBytes(m_dir.file("there.txt"), "a\r\n");
    std::string missing = m_dir.file("missing.txt");
    std::string there = m_dir.file("there.txt");
    struct OpenCase {
        std::string first;
        std::string second;
        std::string message;
    };
    const OpenCase cases[] = {
        {missing, there, "cant open \"" + missing + "\""},
        {there, missing, "cant open \"" + missing + "\""},
        {m_dir.path(), there, "cant open \"" + m_dir.path() + "\""},
    };
    for (const OpenCase& c : cases) {
        size_t before = m_messages.messages().size();
        CString result = DiffFiles(c.first.c_str(), c.second.c_str());
        EXPECT_TRUE(result.IsEmpty()) << c.message;
        ASSERT_EQ(m_messages.messages().size(), before + 1);
        EXPECT_EQ(m_messages.messages().back(), c.message);
    }
    // A failed run leaves nothing open: the files can be replaced at once.
    EXPECT_EQ(std::remove(there.c_str()), 0);
}
}
