#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fileout.h"
#include "outtext.h"
#include "unit_support.h"

namespace {
const char kTruncated[] = "Too much output - results truncated";

std::string Notice(const std::string& name)
{
    return "****\r\n**** Too much output (>32kb)\r\n**** Results written to file: " + name +
           "\r\n**** Use Zodo to display this file\r\n****\r\n";
}

// The spill file's name as the notice gives it, "" when there is no notice.
std::string NoticeName(const char* text)
{
    const char* label = "**** Results written to file: ";
    const char* at = std::strstr(text, label);
    if (!at)
        return "";
    at += std::strlen(label);
    const char* end = std::strstr(at, "\r\n");
    return end ? std::string(at, end) : std::string();
}

void SetOutputDir(const std::string& directory)
{
    ASSERT_LT(directory.size(), sizeof g_outputDir);
    std::strcpy(g_outputDir, directory.c_str());
}

// Builds a directory below base whose path is exactly length characters.
std::string MakeDirectoryOfLength(const std::string& base, size_t length)
{
    std::string path = base;
    while (path.size() < length) {
        size_t room = length - path.size() - 1;   // one for the backslash
        size_t part = room > 100 ? 100 : room;
        if (room > 100 && room - 100 < 2)
            part = 90;   // leave room for one more component of at least one character
        path += "\\" + std::string(part, 'd');
        if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return "";
    }
    return path;
}

class OutTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetOutput();
        SetOutputDir(m_dir.path());
    }
    void TearDown() override
    {
        CloseOutputSpill();
        ResetOutput();
        g_outputDir[0] = 0;
    }

    // Fills the text to exactly count characters without spilling.
    void FillTo(int count, char ch)
    {
        AppendOutput(std::string(static_cast<size_t>(count), ch).c_str());
        ASSERT_FALSE(g_output.Spilling());
        ASSERT_EQ(count, g_outputText.GetLength());
    }

    TempDir m_dir;
    MessageRecorder m_messages;
};

// Where each program makes its spill file: ombrix in its utility's
// directory, quarn in the Directory field's directory when descending and
// else in the current one, diff always in the current one.
struct SpillPlace {
    const char* program;
    bool inCurrentDirectory;
};

class SpillTest : public ::testing::TestWithParam<SpillPlace> {
protected:
    void SetUp() override
    {
        out().Reset();
        Place(m_dir.path());
    }
    void TearDown() override
    {
        out().Reset();
        g_outputDir[0] = 0;
    }

    // ombrix's own output text, or one of the others' kind.
    COutputText& out() { return std::string(GetParam().program) == "ombrix" ? g_output : m_own; }

    // Sends the spill file to directory, as the program would.
    void Place(const std::string& directory)
    {
        if (GetParam().inCurrentDirectory) {
            out().SetSpillDirectory(nullptr);
            m_inside.reset(new CurrentDirectory(directory));
        } else if (&out() == &g_output) {
            SetOutputDir(directory);
        } else {
            out().SetSpillDirectory(directory.c_str());
        }
    }

    std::string Text() { return std::string(out().m_text); }

    // The spill file as the notice names it, made absolute.
    std::string SpillPath()
    {
        std::string name = NoticeName(Text().c_str());
        return GetParam().inCurrentDirectory ? m_dir.file(name) : name;
    }

    TempDir m_dir;
    COutputText m_own;
    std::unique_ptr<CurrentDirectory> m_inside;
    MessageRecorder m_messages;
};

INSTANTIATE_TEST_SUITE_P(Programs, SpillTest,
                         ::testing::Values(SpillPlace{"ombrix", false}, SpillPlace{"quarn_descending", false},
                                           SpillPlace{"quarn", true}, SpillPlace{"diff", true}),
                         [](const ::testing::TestParamInfo<SpillPlace>& info) { return info.param.program; });

TEST_P(SpillTest, TextOfExactlyTheCapStaysInMemory)
{
    out().Append(std::string(32000, 'a').c_str());
    out().Append(std::string(766, 'b').c_str());
    out().Append("c");
    EXPECT_FALSE(out().Spilling());
    EXPECT_EQ(std::string(32000, 'a') + std::string(766, 'b') + "c", Text());
    EXPECT_TRUE(FilesIn(m_dir.path()).empty());
    EXPECT_TRUE(m_messages.messages().empty());
}

TEST_P(SpillTest, OneCharacterPastTheCapSpillsEverything)
{
    std::string before = std::string(32765, 'x') + "\r\n";
    out().Append(before.c_str());
    out().Append("Z");
    ASSERT_TRUE(out().Spilling());
    std::string name = NoticeName(Text().c_str());
    EXPECT_EQ(Notice(name), Text());
    // Bare in the current directory, else joined to the directory.
    std::string prefix = GetParam().inCurrentDirectory ? "tm" : m_dir.path() + kPathSeparator + "tm";
    EXPECT_EQ(prefix, name.substr(0, prefix.size()));
    EXPECT_EQ(prefix.size() + 6, name.size());

    // Later chunks of the run go to the file; the window keeps the notice.
    out().Append("more\r\n");
    EXPECT_EQ(Notice(name), Text());
    out().CloseSpill();
    EXPECT_FALSE(out().Spilling());

    std::string written;
    ASSERT_TRUE(ReadFileBytes(SpillPath(), written)) << name;
    EXPECT_EQ(before + "Zmore\r\n", written);
    EXPECT_TRUE(m_messages.messages().empty());
}

TEST_P(SpillTest, AFileWithTheFirstNameTriedStaysAsItWas)
{
    char first[] = "tmXXXXXX";
    TempNameCandidate(first, 0);
    WriteFileBytes(m_dir.file(first), "planted");
    out().Append(std::string(40000, 's').c_str());
    ASSERT_TRUE(out().Spilling());
    out().Append("tail");
    EXPECT_TRUE(out().CloseSpill());
    std::string name = NoticeName(Text().c_str());
    EXPECT_EQ(std::string::npos, name.find(first)) << name;
    EXPECT_EQ(std::string(40000, 's') + "tail", ReadFileBytes(SpillPath()));
    EXPECT_EQ("planted", ReadFileBytes(m_dir.file(first)));
    EXPECT_EQ(2u, FilesIn(m_dir.path()).size());
    EXPECT_TRUE(m_messages.messages().empty());
}

TEST_P(SpillTest, SingleChunkOverTheCapSpillsFromEmptyText)
{
    std::string chunk;
    while (chunk.size() <= 40000)
        chunk += "line of results\r\n";
    out().Append(chunk.c_str());
    ASSERT_TRUE(out().Spilling());
    std::string name = NoticeName(Text().c_str());
    EXPECT_EQ(Notice(name), Text());
    // What follows the oversized chunk joins it in the file.
    out().Append("more");
    out().CloseSpill();
    std::string written;
    ASSERT_TRUE(ReadFileBytes(SpillPath(), written));
    EXPECT_EQ(chunk + "more", written);
}

TEST_P(SpillTest, AFailedWriteSaysTheResultsAreIncomplete)
{
    // The notice goes up before anything reaches the file; the close finds
    // the failure and the notice changes.
    ArmWriteFault(WriteFault::kWrite, 1000);
    out().Append(std::string(40000, 'w').c_str());
    out().Append("after");
    EXPECT_FALSE(out().CloseSpill());
    ArmWriteFault(WriteFault::kNone);
    std::string path = m_dir.file(FilesIn(m_dir.path(), "tm*").at(0));
    ASSERT_EQ(1u, m_messages.messages().size());
    EXPECT_EQ("Cant write output file " + (GetParam().inCurrentDirectory ? path.substr(path.size() - 8) : path) +
                  " - results incomplete",
              m_messages.messages()[0]);
    EXPECT_EQ(std::string::npos, Text().find("Results written"));
    EXPECT_NE(std::string::npos, Text().find("**** Results incomplete"));
    EXPECT_EQ(1000u, ReadFileBytes(path).size());
    // The next run starts afresh.
    out().Reset();
    out().Append("next");
    EXPECT_EQ("next", Text());
}

TEST_F(OutTextTest, SpillNameJoinsDirectoryAndTemplateWithOneBackslash)
{
    struct Case {
        const char* label;
        std::string outputDir;
        std::string expectedDir;
    } cases[] = {
        {"no trailing backslash", m_dir.path(), m_dir.path() + "\\"},
        {"trailing backslash", m_dir.path() + "\\", m_dir.path() + "\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ResetOutput();
        SetOutputDir(c.outputDir);
        AppendOutput(std::string(32768, 'q').c_str());
        ASSERT_TRUE(g_output.Spilling());
        CloseOutputSpill();
        std::string name = NoticeName(g_outputText);
        ASSERT_EQ(c.expectedDir.size() + 8, name.size()) << name;
        EXPECT_EQ(c.expectedDir + "tm", name.substr(0, c.expectedDir.size() + 2));
        EXPECT_EQ(std::string::npos, name.find("XXXXXX"));
        EXPECT_TRUE(FileExists(name)) << name;
        // The directory itself is left as it was given.
        EXPECT_EQ(c.outputDir, std::string(g_outputDir));
    }
    // Two spills in one directory get two names.
    EXPECT_EQ(2u, FilesIn(m_dir.path()).size());
}

TEST_F(OutTextTest, EmptyDirectorySpillsToTheRootOfTheCurrentDrive)
{
    CurrentDirectory inside(m_dir.path());
    g_outputDir[0] = 0;
    AppendOutput(std::string(32768, 'r').c_str());
    ASSERT_TRUE(g_output.Spilling());
    CloseOutputSpill();
    std::string name = NoticeName(g_outputText);
    ASSERT_EQ(9u, name.size()) << name;
    EXPECT_EQ("\\tm", name.substr(0, 3));
    char root[MAX_PATH];
    ASSERT_NE(0u, GetFullPathNameA(name.c_str(), sizeof root, root, nullptr));
    EXPECT_EQ(m_dir.path().substr(0, 3) + name.substr(1), std::string(root));
    std::string written;
    EXPECT_TRUE(ReadFileBytes(root, written));
    EXPECT_EQ(32768u, written.size());
    DeleteFileA(root);
}

TEST_F(OutTextTest, DirectoryWhereNoFileCanBeMadeTruncatesAndTriesAgain)
{
    SetOutputDir(m_dir.path() + "\\missing");
    FillTo(32700, 'a');
    std::string overflow(100, 'b');
    AppendOutput(overflow.c_str());
    ASSERT_EQ(1u, m_messages.messages().size());
    EXPECT_EQ(kTruncated, m_messages.messages()[0]);
    EXPECT_FALSE(g_output.Spilling());
    EXPECT_EQ(overflow, std::string(g_outputText));

    // Below the cap again the text grows as usual; the next overflow of the
    // same run tries again and fails again.
    AppendOutput(std::string(32767 - 100, 'c').c_str());
    EXPECT_EQ(1u, m_messages.messages().size());
    EXPECT_EQ(32767, g_outputText.GetLength());
    AppendOutput("d");
    ASSERT_EQ(2u, m_messages.messages().size());
    EXPECT_EQ(kTruncated, m_messages.messages()[1]);
    EXPECT_EQ("d", std::string(g_outputText));
    EXPECT_TRUE(FilesIn(m_dir.path()).empty());
}

TEST_F(OutTextTest, TextAlreadyPastTheCapAfterAFailedSpillNeverGrows)
{
    SetOutputDir(m_dir.path() + "\\missing");
    std::string big(40000, 'e');
    AppendOutput(big.c_str());
    ASSERT_EQ(1u, m_messages.messages().size());
    ASSERT_EQ(big, std::string(g_outputText));

    // The text holds more than the cap: even one character must spill.
    AppendOutput("f");
    EXPECT_EQ(2u, m_messages.messages().size());
    EXPECT_EQ("f", std::string(g_outputText));

    // Once a directory works again, the oversized text goes to the file.
    AppendOutput(big.c_str());
    SetOutputDir(m_dir.path());
    AppendOutput("g");
    ASSERT_TRUE(g_output.Spilling());
    CloseOutputSpill();
    std::string written;
    ASSERT_TRUE(ReadFileBytes(NoticeName(g_outputText), written));
    EXPECT_EQ(big + "g", written);
}

TEST_F(OutTextTest, SpillNameLongerThan259CharactersIsAFailure)
{
    // 250 + "\" + "tmXXXXXX" is 259 characters and fits; one more does not.
    std::string fits = MakeDirectoryOfLength(m_dir.path(), 250);
    ASSERT_EQ(250u, fits.size());
    std::string tooLong = fits.substr(0, fits.size() - 1) + "ee";
    ASSERT_EQ(251u, tooLong.size());
    ASSERT_TRUE(CreateDirectoryA(tooLong.c_str(), nullptr));

    struct Case {
        const char* label;
        std::string dir;
        bool spills;
    } cases[] = {
        {"250 characters", fits, true},
        {"251 with its own backslash", fits + "\\", true},
        {"251 characters", tooLong, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ResetOutput();
        m_messages.clear();
        SetOutputDir(c.dir);
        AppendOutput(std::string(32768, 'h').c_str());
        EXPECT_EQ(c.spills, g_output.Spilling());
        CloseOutputSpill();
        if (c.spills) {
            EXPECT_TRUE(m_messages.messages().empty());
            EXPECT_EQ(259u, NoticeName(g_outputText).size());
        } else {
            ASSERT_EQ(1u, m_messages.messages().size());
            EXPECT_EQ(kTruncated, m_messages.messages()[0]);
            EXPECT_TRUE(FilesIn(tooLong).empty());
        }
    }
}

TEST_P(SpillTest, ResetClosesTheSpillFileAndEmptiesTheText)
{
    out().Append(std::string(32768, 'i').c_str());
    ASSERT_TRUE(out().Spilling());
    std::string path = SpillPath();
    out().Append("tail");
    out().Reset();
    EXPECT_FALSE(out().Spilling());
    EXPECT_TRUE(Text().empty());
    std::string written;
    ASSERT_TRUE(ReadFileBytes(path, written));
    EXPECT_EQ(std::string(32768, 'i') + "tail", written);
    // The next run starts afresh in memory.
    out().Append("new run");
    EXPECT_EQ("new run", Text());
}

TEST(LowercaseText, LowersOnlyUpperCaseLetters)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"", ""},
        {"ABC xyz 019", "abc xyz 019"},
        {"C:\\SRC\\Main.C\r\n", "c:\\src\\main.c\r\n"},
        {"@[`{ \t", "@[`{ \t"},
        {"\xC4\xD6\xDC\xE4", "\xC4\xD6\xDC\xE4"},   // no upper case beyond ASCII in the C locale
    };
    for (const Case& c : cases) {
        std::string text = c.in;
        std::vector<char> buffer(text.begin(), text.end());
        buffer.push_back(0);
        LowercaseText(buffer.data());
        EXPECT_STREQ(c.out, buffer.data()) << c.in;
    }
}
}   // namespace
