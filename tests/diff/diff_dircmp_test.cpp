#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cmdline.h"
#include "diff_test_support.h"
#include "dircmp.h"

namespace {
std::string Text(const CString& text)
{
    return std::string(text, static_cast<size_t>(text.GetLength()));
}

class ByteCompareTest : public ::testing::Test {
protected:
    // Compares two files holding the given bytes; the names in the result
    // are the paths given.
    std::string Compare(const std::string& first, const std::string& second)
    {
        WriteFileBytes(m_dir.file("one.bin"), first);
        WriteFileBytes(m_dir.file("two.bin"), second);
        CString result("kept\r\n");
        EXPECT_TRUE(CompareFilesInto(result, One().c_str(), Two().c_str()));
        std::string text = Text(result);
        EXPECT_EQ(text.compare(0, 6, "kept\r\n"), 0) << "appends to what the result holds";
        return text.substr(6);
    }
    std::string One() const { return m_dir.file("one.bin"); }
    std::string Two() const { return m_dir.file("two.bin"); }

    ScratchDir m_dir;
    MessageRecorder m_messages;
};

TEST_F(ByteCompareTest, CmpLines)
{
    struct CmpCase {
        const char* what;
        std::string first;
        std::string second;
        std::string verdict;   // after "Files: <one> and <two>"
    };
    const std::vector<CmpCase> cases = {
        {"equal", "abc\r\ndef\r\n", "abc\r\ndef\r\n", " are the same\r\n"},
        {"both empty", "", "", " are the same\r\n"},
        {"fifth byte, second line", "ab\ncdef", "ab\ncXef", " differ: char 5, line 2\r\n"},
        {"first byte", "a", "b", " differ: char 1, line 1\r\n"},
        {"byte after a line feed", "a\n\nb", "a\n\nc", " differ: char 4, line 3\r\n"},
        {"first is a prefix", "abc", "abcd", " differ: EOF in " + m_dir.file("one.bin") + "\r\n"},
        {"second is a prefix", "abc\n", "abc", " differ: EOF in " + m_dir.file("two.bin") + "\r\n"},
        {"first empty", "", "x", " differ: EOF in " + m_dir.file("one.bin") + "\r\n"},
        {"bytes above 127 and NULs",
         std::string("\xff\0\x80", 3),
         std::string("\xff\0\x81", 3),
         " differ: char 3, line 1\r\n"},
    };
    for (const CmpCase& c : cases)
        EXPECT_EQ(Compare(c.first, c.second), "Files: " + One() + " and " + Two() + c.verdict) << c.what;
    EXPECT_TRUE(m_messages.messages().empty());
}

TEST_F(ByteCompareTest, DifferenceFarIntoLargeFiles)
{
    // Several read blocks long, so position and line carry across blocks.
    std::string bytes;
    for (int n = 0; bytes.size() < 300000; ++n)
        bytes += "line " + std::to_string(n) + "\n";
    for (size_t at : {size_t(65535), size_t(65536), size_t(131072 + 7), bytes.size() - 1}) {
        std::string changed = bytes;
        changed[at] = '#';
        size_t line = 1;
        for (size_t k = 0; k < at; ++k)
            line += bytes[k] == '\n';
        EXPECT_EQ(Compare(bytes, changed),
                  "Files: " + One() + " and " + Two() + " differ: char " + std::to_string(at + 1) + ", line " +
                      std::to_string(line) + "\r\n")
            << at;
    }
    EXPECT_EQ(Compare(bytes, bytes + "x"), "Files: " + One() + " and " + Two() + " differ: EOF in " + One() + "\r\n");
    EXPECT_EQ(Compare(bytes.substr(0, 131072), bytes.substr(0, 131072)),
              "Files: " + One() + " and " + Two() + " are the same\r\n");
}

TEST_F(ByteCompareTest, FilesThatCannotBeOpened)
{
    WriteFileBytes(One(), "x");
    std::string missing = m_dir.file("missing.bin");
    struct OpenCase {
        std::string first;
        std::string second;
        std::string message;
    };
    const OpenCase cases[] = {
        {missing, One(), "cant open " + missing},
        {One(), missing, "cant open " + missing},
        {One(), m_dir.path(), "cant open " + m_dir.path()},
    };
    for (const OpenCase& c : cases) {
        CString result;
        size_t before = m_messages.messages().size();
        EXPECT_FALSE(CompareFilesInto(result, c.first.c_str(), c.second.c_str()));
        EXPECT_TRUE(result.IsEmpty());
        ASSERT_EQ(m_messages.messages().size(), before + 1);
        EXPECT_EQ(m_messages.messages().back(), c.message);
    }
    EXPECT_NE(DeleteFileA(One().c_str()), 0) << "the first file was closed again";
}

class DirectoryCompareTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_first = m_dir.file("First");
        m_second = m_dir.file("Second");
        MakeDirectory(m_first);
        MakeDirectory(m_second);
    }
    std::string Compare(const std::string& dir0, const std::string& dir1, bool expectTrue = true)
    {
        CString result;
        EXPECT_EQ(CompareDirectoriesInto(result, dir0.c_str(), dir1.c_str()), expectTrue);
        return Text(result);
    }
    std::string Same(const std::string& name) const
    {
        return "Files: " + Lowered(m_first + "\\" + name) + " and " + Lowered(m_second + "\\" + name) +
               " are the same\r\n";
    }

    ScratchDir m_dir;
    MessageRecorder m_messages;
    std::string m_first;
    std::string m_second;
};

TEST_F(DirectoryCompareTest, NamesMatchWithoutRegardToCase)
{
    WriteFileBytes(m_first + "\\Readme.txt", "hello\r\n");
    WriteFileBytes(m_second + "\\README.TXT", "hello\r\n");
    EXPECT_EQ(Compare(m_first, m_second), Same("readme.txt"));
    EXPECT_EQ(CurrentDirectoryName(), m_second) << "the comparison ends in the second directory";
}

TEST_F(DirectoryCompareTest, OnlyInLinesAndCmpLinesInSortedOrder)
{
    WriteFileBytes(m_first + "\\x.txt", "x");
    WriteFileBytes(m_first + "\\y.txt", "why\n");
    WriteFileBytes(m_second + "\\y.txt", "who\n");
    WriteFileBytes(m_second + "\\z.txt", "z");
    MakeDirectory(m_first + "\\sub");
    MakeDirectory(m_second + "\\a_dir");
    EXPECT_EQ(Compare(m_first, m_second),
              "Only in " + m_first + ": x.txt\r\n" + "Files: " + Lowered(m_first + "\\y.txt") + " and " +
                  Lowered(m_second + "\\y.txt") + " differ: char 3, line 1\r\n" + "Only in " + m_second +
                  ": z.txt\r\n");

    // Runs of names on either side, and a table left over at the end.
    for (const char* name : {"a1", "a2", "m", "q1", "q2"})
        WriteFileBytes(m_first + "\\" + name, "");
    for (const char* name : {"b", "m", "r"})
        WriteFileBytes(m_second + "\\" + name, "");
    EXPECT_EQ(Compare(m_first, m_second),
              "Only in " + m_first + ": a1\r\nOnly in " + m_first + ": a2\r\nOnly in " + m_second + ": b\r\n" +
                  Same("m") + "Only in " + m_first + ": q1\r\nOnly in " + m_first + ": q2\r\nOnly in " + m_second +
                  ": r\r\n" + "Only in " + m_first + ": x.txt\r\n" + "Files: " + Lowered(m_first + "\\y.txt") +
                  " and " + Lowered(m_second + "\\y.txt") + " differ: char 3, line 1\r\n" + "Only in " + m_second +
                  ": z.txt\r\n");
}

TEST_F(DirectoryCompareTest, EmptyDirectoriesGiveNoLines)
{
    EXPECT_EQ(Compare(m_first, m_second), "");
    WriteFileBytes(m_second + "\\only.txt", "");
    EXPECT_EQ(Compare(m_first, m_second), "Only in " + m_second + ": only.txt\r\n");
    EXPECT_EQ(Compare(m_second, m_first), "Only in " + m_second + ": only.txt\r\n");
    EXPECT_TRUE(m_messages.messages().empty());
}

TEST_F(DirectoryCompareTest, MoreThan1024FilesAreComparedWhole)
{
    char name[32];
    for (int n = 0; n < 1100; ++n) {
        std::snprintf(name, sizeof name, "\\f%04d.txt", n);
        WriteFileBytes(m_first + name, "");
        if (n != 1099)
            WriteFileBytes(m_second + name, "");
    }
    WriteFileBytes(m_second + "\\g.txt", "");
    std::string result = Compare(m_first, m_second);
    size_t lines = 0;
    for (char c : result)
        lines += c == '\n';
    EXPECT_EQ(lines, 1101u);
    EXPECT_NE(result.find(Same("f1098.txt")), std::string::npos);
    std::string ending = "Only in " + m_first + ": f1099.txt\r\nOnly in " + m_second + ": g.txt\r\n";
    ASSERT_GE(result.size(), ending.size());
    EXPECT_EQ(result.substr(result.size() - ending.size()), ending);
}

TEST_F(DirectoryCompareTest, RelativeNamesResolveFromTheStartingDirectory)
{
    WriteFileBytes(m_first + "\\same.txt", "s");
    WriteFileBytes(m_second + "\\same.txt", "s");
    m_dir.enter();
    EXPECT_EQ(Compare("First", "Second"), Same("same.txt"));
    EXPECT_TRUE(m_messages.messages().empty());
}

TEST_F(DirectoryCompareTest, LongNamesArePrintedWhole)
{
    std::string longName(150, 'n');
    longName += ".txt";
    WriteFileBytes(m_first + "\\" + longName, "1");
    WriteFileBytes(m_second + "\\" + longName, "1");
    std::string result = Compare(m_first, m_second);
    EXPECT_EQ(result, Same(longName));
    EXPECT_GT(result.size(), 300u);
}

TEST_F(DirectoryCompareTest, DirectoryThatCannotBeEntered)
{
    std::string missing = m_dir.file("missing");
    WriteFileBytes(m_first + "\\a.txt", "");
    EXPECT_EQ(Compare(missing, m_second, false), "");
    EXPECT_EQ(Compare(m_first, missing, false), "");
    ASSERT_EQ(m_messages.messages().size(), 2u);
    EXPECT_EQ(m_messages.messages()[0], "cant access " + missing);
    EXPECT_EQ(m_messages.messages()[1], "cant access " + missing);
}

TEST_F(DirectoryCompareTest, FileThatCannotBeOpenedIsReportedAndTheMergeGoesOn)
{
    WriteFileBytes(m_first + "\\a.txt", "a");
    WriteFileBytes(m_second + "\\a.txt", "a");
    WriteFileBytes(m_first + "\\b.txt", "b");
    WriteFileBytes(m_second + "\\b.txt", "b");
    WriteFileBytes(m_first + "\\c.txt", "c");
    WriteFileBytes(m_second + "\\c.txt", "c");
    // Held open without sharing, so the comparison cannot open it.
    HANDLE locked = CreateFileA((m_second + "\\b.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    std::string result = Compare(m_first, m_second);
    CloseHandle(locked);
    EXPECT_EQ(result, Same("a.txt") + Same("c.txt"));
    ASSERT_EQ(m_messages.messages().size(), 1u);
    EXPECT_EQ(m_messages.messages()[0], "cant open " + Lowered(m_second + "\\b.txt"));
}

TEST(DiffCommandLine, PresetsTheDialog)
{
    struct PresetCase {
        const char* cmdLine;
        int type;
        const char* file1;
        const char* keptLine;
    };
    const PresetCase cases[] = {
        {"", kCompareBinary, "", ""},
        {"-u C:\\A\\B.TXT", kCompareText, "c:\\a\\b.txt", "C:\\A\\B.TXT"},
        {"-c C:\\A\\B.TXT", kCompareBinary, "c:\\a\\b.txt", "C:\\A\\B.TXT"},
        {"-c", kCompareBinary, "", ""},
        {"-u", kCompareText, "", ""},
        {"-u ", kCompareText, "", ""},
        {"-x", kCompareBinary, "", ""},
        {"-", kCompareBinary, "", ""},
        {"-U c:\\x", kCompareBinary, "c:\\x", "c:\\x"},
        {"-u   c:\\two words\\F ", kCompareText, "c:\\two words\\f ", "c:\\two words\\F "},
        {"-uC:\\X", kCompareText, "c:\\x", "C:\\X"},
        {"C:\\Dir\\F.TXT", kCompareBinary, "c:\\dir\\f.txt", "C:\\Dir\\F.TXT"},
    };
    for (const PresetCase& c : cases) {
        CString cmdLine(c.cmdLine);
        DiffPreset preset = PresetFromCommandLine(cmdLine);
        EXPECT_EQ(preset.type, c.type) << "'" << c.cmdLine << "'";
        EXPECT_STREQ(preset.file1, c.file1) << "'" << c.cmdLine << "'";
        EXPECT_STREQ(cmdLine, c.keptLine) << "'" << c.cmdLine << "'";
    }
}
}
