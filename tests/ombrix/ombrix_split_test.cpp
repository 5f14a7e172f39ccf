#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "ombrix_test_support.h"
#include "samefile.h"
#include "split.h"

namespace {
class SplitTest : public UtilityTest {
protected:
    // Holds a file open with no sharing, so that nothing else can open it.
    HANDLE Lock(const std::string& name) const
    {
        HANDLE lock = CreateFileA(
            m_dir.file(name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(INVALID_HANDLE_VALUE, lock);
        return lock;
    }

    // Runs a split of name and returns the parts it left, sorted by name.
    std::vector<std::string> Split(const std::string& name, const char* extension, int units, long perFile)
    {
        SplitRun(name.c_str(), extension, {kSplit, units, perFile});
        return Files("*.x*");
    }
};

TEST_F(SplitTest, NextPartNameCountsInBaseTwentySix)
{
    struct Case {
        const char* from;
        const char* to;
    } cases[] = {
        {"f.xaa", "f.xab"},
        {"f.xaz", "f.xba"},
        {"f.xzz", "f.yaa"},
        {"f.azz", "f.baa"},
        {"f.x9z", "f.x:a"},   // other characters step through the codes up to 'z'
        {"f.x{a", "f.x{b"},
        {"f.x{z", "f.yaa"},
        {"f.XAA", "f.XAB"},
    };
    for (const Case& c : cases) {
        char name[32];
        std::strcpy(name, c.from);
        EXPECT_FALSE(NextPartName(name)) << c.from;
        EXPECT_STREQ(c.to, name) << c.from;
    }
    EXPECT_TRUE(Messages().empty());

    char name[32] = "base.xaa";
    int names = 1;
    while (!NextPartName(name))
        ++names;
    EXPECT_EQ(2028, names);
    EXPECT_EQ(std::vector<std::string>{"Too many output files.\r\nUse larger units."}, Messages());
}

TEST_F(SplitTest, LinesGoIntoPartsUnchangedAndUnsplitJoinsThemBack)
{
    // Lines with CR LF and LF ends and NUL bytes inside.
    std::string text;
    for (int i = 1; i <= 2500; ++i)
        text +=
            "line " + std::to_string(i) + (i % 7 == 0 ? std::string("\0nul\0", 5) : "") + (i % 3 == 0 ? "\n" : "\r\n");
    Make("data.txt", text);
    EXPECT_EQ((std::vector<std::string>{"data.xaa", "data.xab", "data.xac"}),
              Split("data.txt", "xaa", kSplitLines, 1000));
    std::string joined = Read("data.xaa") + Read("data.xab") + Read("data.xac");
    EXPECT_TRUE(joined == text);
    size_t first = 0;
    for (int i = 0; i < 1000; ++i)
        first = text.find('\n', first) + 1;
    EXPECT_EQ(first, Read("data.xaa").size());

    ASSERT_TRUE(DeleteFileA(m_dir.file("data.txt").c_str()));
    SplitRun("data.txt", "xaa", {kUnsplit, kSplitBytes, 3});   // units do not matter
    EXPECT_TRUE(Read("data.txt") == text);
    EXPECT_TRUE(Exists("data.xaa") && Exists("data.xab") && Exists("data.xac"));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(SplitTest, PartSizesByUnit)
{
    std::string block(1024, 'k');
    struct Case {
        const char* label;
        std::string bytes;
        int units;
        long perFile;
        std::vector<size_t> sizes;   // of .xaa, .xab, ...
    } cases[] = {
        {"an input that ends on a boundary leaves an empty last part",
         NumberedLines(1, 2000, "\n"),
         kSplitLines,
         1000,
         {NumberedLines(1, 1000, "\n").size(), NumberedLines(1001, 2000, "\n").size(), 0}},
        {"a count of 0 never fills a part", NumberedLines(1, 30), kSplitLines, 0, {NumberedLines(1, 30).size()}},
        {"nor does a negative count", NumberedLines(1, 30), kSplitBytes, -5, {NumberedLines(1, 30).size()}},
        {"an empty input gives one empty part", "", kSplitLines, 10, {0}},
        {"a line of more than 1023 bytes counts as several",
         std::string(1500, 'L') + "\nb\n",
         kSplitLines,
         1,
         {1023, 478, 2, 0}},
        {"an unterminated last line is a line", "a\nb", kSplitLines, 2, {3, 0}},
        {"bytes", "0123456789", kSplitBytes, 4, {4, 4, 2}},
        // The short last block is a unit too, which fills its part.
        {"kilobytes", std::string(2500, 'k'), kSplitKilobytes, 1, {1024, 1024, 452, 0}},
        {"a short last block fills its unit", std::string(1124, 'k'), kSplitKilobytes, 2, {1124, 0}},
        {"megabytes", std::string(1536 * 1024, 'm'), kSplitMegabytes, 1, {1024 * 1024, 512 * 1024}},
        // 4194305 x 1024 blocks wraps to 1024 in 32 bits.
        {"megabytes counted in 64 bits", std::string(1536 * 1024, 'm'), kSplitMegabytes, 4194305, {1536 * 1024}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        for (const std::string& old : Files("*.x*"))
            DeleteFileA(m_dir.file(old).c_str());
        Make("in.dat", c.bytes);
        std::vector<std::string> parts = Split("in.dat", "xaa", c.units, c.perFile);
        std::vector<std::string> names;
        std::string joined;
        char name[16] = "in.xaa";
        for (size_t i = 0; i < c.sizes.size(); ++i) {
            names.push_back(name);
            std::string part = Read(name);
            EXPECT_EQ(c.sizes[i], part.size()) << name;
            joined += part;
            NextPartName(name);
        }
        EXPECT_EQ(names, parts);
        EXPECT_TRUE(joined == c.bytes);
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(SplitTest, PartNamesComeFromTheFilenameAndTheExtension)
{
    CreateDirectoryA(m_dir.file("my.dir").c_str(), nullptr);
    Make("my.dir\\data", "a\nb\n");
    SplitRun(m_dir.file("my.dir\\data").c_str(), "xaa", {kSplit, kSplitLines, 1});
    // The base is cut at the last '.', even one in a directory name.
    EXPECT_EQ((std::vector<std::string>{"my.xaa", "my.xab", "my.xac"}), Files("my.x*"));

    Make("two.dots.txt", "a\nb\n");
    SplitRun("two.dots.txt", "XAA", {kSplit, kSplitLines, 1});
    EXPECT_EQ((std::vector<std::string>{"two.dots.xaa", "two.dots.xab", "two.dots.xac"}), Files("two.dots.x*"));
    EXPECT_EQ("a\n", Read("two.dots.xaa"));

    Make("noext", "x\n");
    SplitRun("noext", "p1z", {kSplit, kSplitLines, 1});
    EXPECT_EQ((std::vector<std::string>{"noext.p1z", "noext.p2a"}), Files("noext.p*"));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(SplitTest, RunningOutOfNamesStopsWithTheMessage)
{
    Make("in.txt", "1\n2\n3\n4\n");
    SplitRun("in.txt", "zzy", {kSplit, kSplitLines, 1});
    EXPECT_EQ(std::vector<std::string>{"Too many output files.\r\nUse larger units."}, Messages());
    EXPECT_EQ((std::vector<std::string>{"in.txt", "in.zzy", "in.zzz"}), Files("in.*"));
    EXPECT_EQ("1\n", Read("in.zzy"));
    EXPECT_EQ("2\n", Read("in.zzz"));

    // Unsplit stops at the last name too.
    m_messages.clear();
    SplitRun("joined.txt", "zzy", {kUnsplit, kSplitLines, 1});
    Make("joined.zzy", "a");
    Make("joined.zzz", "b");
    SplitRun("joined.txt", "zzy", {kUnsplit, kSplitLines, 1});
    EXPECT_EQ((std::vector<std::string>{"No files to unsplit", "Too many output files.\r\nUse larger units."}),
              Messages());
    EXPECT_EQ("ab", Read("joined.txt"));
}

TEST_F(SplitTest, UnsplitStopsAtTheFirstMissingPart)
{
    Make("r.xaa", "one");
    Make("r.xab", "two");
    Make("r.xad", "four");
    SplitRun("r.out", "xaa", {kUnsplit, kSplitLines, 1});
    EXPECT_EQ("onetwo", Read("r.out"));
    SplitRun("r.txt", "xab", {kUnsplit, kSplitLines, 1});
    EXPECT_EQ("two", Read("r.txt"));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(SplitTest, FailuresAreReported)
{
    SplitRun("missing.txt", "xaa", {kSplit, kSplitLines, 10});
    EXPECT_EQ(std::vector<std::string>{"cant open input file"}, Messages());

    m_messages.clear();
    SplitRun("missing.txt", "xaa", {kUnsplit, kSplitLines, 10});
    EXPECT_EQ(std::vector<std::string>{"No files to unsplit"}, Messages());
    EXPECT_FALSE(Exists("missing.txt"));

    // A part that cannot be written: the parts before it stay.
    m_messages.clear();
    Make("in.txt", "1\n2\n3\n");
    Make("in.xab", "locked");
    HANDLE lock = Lock("in.xab");
    SplitRun("in.txt", "xaa", {kSplit, kSplitLines, 1});
    CloseHandle(lock);
    EXPECT_EQ(std::vector<std::string>{"cant create output file"}, Messages());
    EXPECT_EQ("1\n", Read("in.xaa"));
    EXPECT_EQ("locked", Read("in.xab"));

    // An output that cannot be written.
    m_messages.clear();
    Make("out.txt", "keep");
    Make("out.xaa", "part");
    lock = Lock("out.txt");
    SplitRun("out.txt", "xaa", {kUnsplit, kSplitLines, 1});
    CloseHandle(lock);
    EXPECT_EQ(std::vector<std::string>{"cant create output file"}, Messages());
    EXPECT_EQ("keep", Read("out.txt"));
}

TEST_F(SplitTest, NoOutputReplacesTheFileBeingRead)
{
    const std::string text = "1\n2\n3\n";
    struct Case {
        const char* label;
        std::vector<const char*> files;   // made with text before the run
        const char* filename;
        const char* extension;
        int type;
        const char* untouched;
    } cases[] = {
        {"split of big.xaa into .xaa", {"big.xaa"}, "big.xaa", "xaa", kSplit, "big.xaa"},
        {"split of big.xab reaching .xab", {"big.xab"}, "big.xab", "xaa", kSplit, "big.xab"},
        {"the same name in other case", {"big.xaa"}, "BIG.XAA", "xaa", kSplit, "big.xaa"},
        {"unsplit into its first part", {"report.xaa"}, "report.xaa", "xaa", kUnsplit, "report.xaa"},
        {"unsplit into a later part", {"report.xaa", "report.xab"}, "report.xab", "xaa", kUnsplit, "report.xab"},
        {"unsplit into the first missing name",
         {"report.xaa", "report.xab"},
         "report.xac",
         "xaa",
         kUnsplit,
         "report.xab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        for (const std::string& old : Files())
            DeleteFileA(m_dir.file(old).c_str());
        for (const char* name : c.files)
            Make(name, text);
        m_messages.clear();
        SplitRun(c.filename, c.extension, {c.type, kSplitLines, 1});
        EXPECT_EQ(std::vector<std::string>{kOutputIsInputMessage}, Messages());
        EXPECT_EQ(text, Read(c.untouched));
        for (const char* name : c.files)
            EXPECT_EQ(text, Read(name)) << name;
    }
    EXPECT_FALSE(Exists("report.xac"));

    // Through the short name of a long one.
    for (const std::string& old : Files())
        DeleteFileA(m_dir.file(old).c_str());
    Make("longer name.xaa", text);
    char shortName[MAX_PATH];
    DWORD n = GetShortPathNameA(m_dir.file("longer name.xaa").c_str(), shortName, sizeof shortName);
    ASSERT_TRUE(n > 0 && n < sizeof shortName);
    ASSERT_NE(m_dir.file("longer name.xaa"), std::string(shortName));
    m_messages.clear();
    SplitRun(shortName, "xaa", {kSplit, kSplitLines, 1});
    EXPECT_EQ(std::vector<std::string>{kOutputIsInputMessage}, Messages());
    EXPECT_EQ(text, Read("longer name.xaa"));
}

TEST_F(SplitTest, SameFileComparesFullPaths)
{
    Make("a.txt", "a");
    CreateDirectoryA(m_dir.file("sub").c_str(), nullptr);
    EXPECT_TRUE(SameFile("a.txt", m_dir.file("A.TXT").c_str()));
    EXPECT_TRUE(SameFile("sub\\..\\a.txt", "a.txt"));
    EXPECT_TRUE(SameFile("new.txt", ".\\NEW.txt"));   // neither exists yet
    EXPECT_FALSE(SameFile("a.txt", "sub\\a.txt"));
    EXPECT_FALSE(SameFile("a.txt", "a.txt.bak"));
}
}   // namespace
