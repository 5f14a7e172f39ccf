#include <io.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "filelist.h"
#include "unit_support.h"

namespace {
const char kCantOpen[] = "Cant open specified input file";

std::vector<std::string> Listed()
{
    return std::vector<std::string>(g_fileNames, g_fileNames + g_fileCount);
}

std::string Lowered(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

class FileListTest : public ::testing::Test {
protected:
    FileListTest() : m_inside(m_dir.path()) {}

    void Make(const std::string& name) { WriteFileBytes(m_dir.file(name), "x"); }
    void MakeDir(const std::string& name) { ASSERT_TRUE(CreateDirectoryA(m_dir.file(name).c_str(), nullptr)); }

    TempDir m_dir;
    CurrentDirectory m_inside;
    MessageRecorder m_messages;
};

TEST_F(FileListTest, WordsKeepTheirOrderAndEachWordIsSorted)
{
    for (const char* name : {"z.txt", "m.txt", "b.txt", "a.txt", "_u.txt", "k.dat", "c.dat"})
        Make(name);
    struct Case {
        const char* spec;
        std::vector<std::string> names;
    } cases[] = {
        {"b.txt a.txt", {"b.txt", "a.txt"}},
        {"*.txt", {"_u.txt", "a.txt", "b.txt", "m.txt", "z.txt"}},
        {"*.dat *.txt", {"c.dat", "k.dat", "_u.txt", "a.txt", "b.txt", "m.txt", "z.txt"}},
        {"z.txt *.dat a.txt", {"z.txt", "c.dat", "k.dat", "a.txt"}},
        {"a.txt a.txt", {"a.txt", "a.txt"}},
        {"  b.txt   a.txt  ", {"b.txt", "a.txt"}},
        {"b.txt \t a.txt", {"b.txt", "a.txt"}},
        {"nothing.here b.txt", {"b.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.spec);
        m_messages.clear();
        EXPECT_EQ(1, ExpandFileList(c.spec));
        EXPECT_EQ(c.names, Listed());
        EXPECT_TRUE(m_messages.messages().empty());
    }
}

TEST_F(FileListTest, NamesAreLowerCasedAndSortedWithoutRegardToCase)
{
    for (const char* name : {"MiXeD.TXT", "b.txt", "A.TXT", "Zeta.Txt"})
        Make(name);
    EXPECT_EQ(1, ExpandFileList("*.txt"));
    EXPECT_EQ((std::vector<std::string>{"a.txt", "b.txt", "mixed.txt", "zeta.txt"}), Listed());
    EXPECT_EQ(1, ExpandFileList("MIXED.txt"));
    EXPECT_EQ(std::vector<std::string>{"mixed.txt"}, Listed());
}

TEST_F(FileListTest, DirectoriesAreLeftOut)
{
    Make("one.txt");
    Make("two");
    MakeDir("sub");
    MakeDir("dir.txt");
    EXPECT_EQ(1, ExpandFileList("*.*"));
    EXPECT_EQ((std::vector<std::string>{"one.txt", "two"}), Listed());
    EXPECT_EQ(1, ExpandFileList("*.txt"));
    EXPECT_EQ(std::vector<std::string>{"one.txt"}, Listed());
}

TEST_F(FileListTest, NoMatchEmptiesTheListWithAMessage)
{
    Make("a.txt");
    MakeDir("only");
    const char* specs[] = {"", "   ", "*.none", "only", "a.txt\tb.txt"};
    for (const char* spec : specs) {
        SCOPED_TRACE(spec);
        ASSERT_EQ(1, ExpandFileList("a.txt"));   // a list to be replaced
        m_messages.clear();
        EXPECT_EQ(0, ExpandFileList(spec));
        EXPECT_EQ(0, g_fileCount);
        EXPECT_EQ(std::vector<std::string>{kCantOpen}, m_messages.messages());
    }
}

TEST_F(FileListTest, AtMost1024NamesFromTheStartOfTheDirectorySearch)
{
    for (int i = 0; i < 1500; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "F%04d.dat", (i * 7919) % 1500);
        Make(name);
    }
    // The names that make the list are the first 1024 the platform's
    // directory search returns, whatever its order.
    std::vector<std::string> expected;
    struct _finddata_t entry;
    intptr_t search = _findfirst("*", &entry);
    ASSERT_NE(-1, search);
    do {
        if (!(entry.attrib & _A_SUBDIR) && expected.size() < 1024)
            expected.push_back(Lowered(entry.name));
    } while (_findnext(search, &entry) == 0);
    _findclose(search);
    std::sort(expected.begin(), expected.end());

    EXPECT_EQ(1, ExpandFileList("* f0001.dat"));
    EXPECT_EQ(1024, g_fileCount);
    EXPECT_EQ(expected, Listed());
    EXPECT_TRUE(m_messages.messages().empty());
}

TEST_F(FileListTest, WordsLongerThan259CharactersNameNothing)
{
    Make("a.txt");
    Make("ab.txt");
    std::string dots;
    for (int i = 0; i < 127; ++i)
        dots += ".\\";
    std::string longest = dots + "a.txt";    // 259 characters
    std::string tooLong = dots + "ab.txt";   // 260 characters
    ASSERT_EQ(259u, longest.size());
    ASSERT_EQ(260u, tooLong.size());

    EXPECT_EQ(1, ExpandFileList(longest.c_str()));
    EXPECT_EQ(std::vector<std::string>{"a.txt"}, Listed());

    EXPECT_EQ(0, ExpandFileList(tooLong.c_str()));
    EXPECT_EQ(std::vector<std::string>{kCantOpen}, m_messages.messages());

    std::string mixed = tooLong + std::string(3000, 'x') + " ab.txt";
    EXPECT_EQ(1, ExpandFileList(mixed.c_str()));
    EXPECT_EQ(std::vector<std::string>{"ab.txt"}, Listed());
}

TEST(CompareFileNames, IgnoresCase)
{
    char a[] = "Alpha.TXT";
    char b[] = "alpha.txt";
    char c[] = "beta";
    char* pa = a;
    char* pb = b;
    char* pc = c;
    EXPECT_EQ(0, CompareFileNames(&pa, &pb));
    EXPECT_LT(CompareFileNames(&pa, &pc), 0);
    EXPECT_GT(CompareFileNames(&pc, &pb), 0);
}
}   // namespace
