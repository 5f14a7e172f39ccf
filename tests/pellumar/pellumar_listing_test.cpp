// The listing's lines, their order and the way back from a line to its entry.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "listing.h"
#include "scratch.h"

namespace {

DirEntry Entry(const std::string& name, uint64_t size = 0, int64_t time = 0, bool directory = false)
{
    DirEntry entry;
    entry.name = name;
    entry.size = size;
    entry.writeTime = time;
    entry.directory = directory;
    return entry;
}

TEST(ModeString, AttributesMakeTheirLetters)
{
    struct Case {
        bool directory, readOnly, archive, hidden, system;
        const char* mode;
    } cases[] = {
        {false, false, true, false, false, "-rwa--"},
        {false, true, false, false, false, "-r----"},
        {true, false, false, false, false, "drw---"},
        {false, false, true, true, false, "-rwh--"},   // hidden wins over archive
        {false, false, false, true, true, "-rws--"},   // system wins over hidden
        {false, false, false, false, false, "-rw---"},
        {true, true, false, false, false, "dr----"},
    };
    for (const Case& c : cases) {
        DirEntry entry;
        entry.directory = c.directory;
        entry.readOnly = c.readOnly;
        entry.archive = c.archive;
        entry.hidden = c.hidden;
        entry.system = c.system;
        EXPECT_EQ(ModeString(entry), c.mode);
    }
}

TEST(LongLine, FieldsAndTheirFormat)
{
    struct tm when = {};
    when.tm_mday = 5;
    when.tm_mon = 2;
    when.tm_year = 96;
    when.tm_hour = 14;
    when.tm_min = 7;
    DirEntry entry = Entry("ReadMe.TXT", 1234);
    entry.archive = true;
    EXPECT_EQ(LongLine(entry, &when), "-rwa--       1234    05/03/1996 14:07    readme.txt");
    EXPECT_EQ(LongLine(entry, nullptr), "-rwa--       1234    NULL       NULL     readme.txt");
}

TEST(LongLine, LargeSizesShowUnsigned)
{
    struct tm when = {};
    when.tm_mday = 1;
    when.tm_year = 100;
    struct Case {
        uint64_t size;
        const char* shown;
    } cases[] = {
        {3221225472ULL, "3221225472"},       // 3 GB: past a signed 32-bit size
        {4294967296ULL + 5, "4294967301"},   // past 32 bits altogether
        {0, "        0"},
    };
    for (const Case& c : cases) {
        std::string line = LongLine(Entry("big.bin", c.size), &when);
        EXPECT_NE(line.find(std::string("  ") + c.shown + "    "), std::string::npos) << line;
        std::string mode, name;
        ASSERT_TRUE(SplitListLine(line, mode, name));
        EXPECT_EQ(name, "big.bin");
    }
}

TEST(LongLine, NameLowersOnlyLetters)
{
    EXPECT_EQ(LowerName("A-Z_\xC4\xD6.TxT"), "a-z_\xC4\xD6.txt");
    EXPECT_EQ(ShortLine(Entry("Sub Dir", 0, 0, true)), "sub dir/");
    EXPECT_EQ(ShortLine(Entry("FILE.C")), "file.c");
}

TEST(SplitListLine, ParsesBackWhatTheListShows)
{
    struct tm when = {};
    when.tm_mday = 9;
    when.tm_year = 120;
    for (const char* name : {"a", "name with  inner blanks.txt", "..", "x-y.z"}) {
        for (const struct tm* local : {static_cast<const struct tm*>(&when), static_cast<const struct tm*>(nullptr)}) {
            DirEntry entry = Entry(name, 42);
            std::string mode, parsed;
            ASSERT_TRUE(SplitListLine(LongLine(entry, local), mode, parsed));
            EXPECT_EQ(mode, "-rw---");
            EXPECT_EQ(parsed, name);
        }
    }
    std::string mode, name;
    EXPECT_FALSE(SplitListLine("Total 3", mode, name));
    EXPECT_FALSE(SplitListLine("", mode, name));
}

TEST(SelectedFilePath, OnlyPlainFilesJoinedToTheDirectory)
{
    struct tm when = {};
    std::string file = LongLine(Entry("readme.txt"), &when);
    std::string dir = LongLine(Entry("sub", 0, 0, true), &when);
    struct Case {
        const char* cwd;
        std::string line;
        bool found;
        const char* path;
    } cases[] = {
        {"c:\\", file, true, "c:\\readme.txt"},
        {"c:\\work", file, true, "c:\\work\\readme.txt"},
        {"c:\\work", dir, false, ""},
        {"c:\\work", "Total 2", false, ""},
    };
    for (const Case& c : cases) {
        std::string path = "untouched";
        EXPECT_EQ(SelectedFilePath(c.cwd, c.line, path), c.found) << c.line;
        EXPECT_EQ(path, c.found ? c.path : "untouched");
    }
}

TEST(SelectedLongLine, ShortEntriesSitOneBelowInTheLongList)
{
    EXPECT_EQ(SelectedLongLine(true, 3, -1), 3);
    EXPECT_EQ(SelectedLongLine(true, -1, 2), -1);
    EXPECT_EQ(SelectedLongLine(false, 0, 0), 1);
    EXPECT_EQ(SelectedLongLine(false, 5, 2), 3);
    EXPECT_EQ(SelectedLongLine(false, 0, -1), -1);
}

std::vector<std::string> Names(const Listing& listing)
{
    std::vector<std::string> names;
    for (size_t i = 1; i < listing.longLines.size(); ++i) {
        std::string mode, name;
        EXPECT_TRUE(SplitListLine(listing.longLines[i], mode, name));
        names.push_back(name);
    }
    return names;
}

TEST(BuildListing, SortOrders)
{
    std::vector<DirEntry> entries = {
        Entry("b.txt", 10, 300),
        Entry("A.txt", 10, 100),
        Entry("huge", 3221225472ULL, 50),
        Entry("sub", 0, 400, true),
        Entry("c.txt", 700, 300),
        Entry("-dash", 1, 200),
        Entry(".", 0, 10, true),
        Entry("..", 0, 20, true),
    };
    struct Case {
        int key;
        std::vector<std::string> names;
    } cases[] = {
        {kSortByName, {"-dash", ".", "..", "a.txt", "b.txt", "c.txt", "huge", "sub"}},
        // Larger first as unsigned 64-bit; equal sizes and directories by name.
        {kSortBySize, {"huge", "c.txt", "a.txt", "b.txt", "-dash", ".", "..", "sub"}},
        // Later first; equal times by name.
        {kSortByTime, {"sub", "b.txt", "c.txt", "-dash", "a.txt", "huge", "..", "."}},
    };
    for (const Case& c : cases) {
        Listing listing = BuildListing(entries, kShowAll, c.key);
        EXPECT_EQ(listing.longLines[0], "Total 8");
        EXPECT_EQ(Names(listing), c.names) << "key " << c.key;
        ASSERT_EQ(listing.shortLines.size(), 8u);
        for (size_t i = 0; i < listing.shortLines.size(); ++i) {
            bool directory = listing.longLines[i + 1][0] == 'd';
            EXPECT_EQ(listing.shortLines[i], directory ? c.names[i] + "/" : c.names[i]);
        }
    }
}

TEST(BuildListing, ShowFiltersAndTheLimit)
{
    std::vector<DirEntry> entries = {Entry("a"), Entry("d", 0, 0, true), Entry("b"), Entry("..", 0, 0, true)};
    EXPECT_EQ(Names(BuildListing(entries, kShowDirectories, kSortByName)), (std::vector<std::string>{"..", "d"}));
    EXPECT_EQ(Names(BuildListing(entries, kShowFiles, kSortByName)), (std::vector<std::string>{"a", "b"}));

    std::vector<DirEntry> many;
    for (int i = 0; i < 1100; ++i)
        many.push_back(Entry("f" + std::to_string(i)));
    many.push_back(Entry("zdir", 0, 0, true));
    Listing listing = BuildListing(many, kShowAll, kSortByName);
    EXPECT_EQ(listing.longLines[0], "Total 1024");
    EXPECT_EQ(listing.shortLines.size(), 1024u);
    // The limit counts what is shown: the directory found after 1100 files
    // is the only one shown with directories only.
    EXPECT_EQ(BuildListing(many, kShowDirectories, kSortByName).longLines[0], "Total 1");
}

TEST(BuildListing, ShortColumnFollowsTheLongestName)
{
    EXPECT_EQ(BuildListing({Entry("a.c"), Entry("b.h")}, kShowAll, kSortByName).longestShort, 12u);
    EXPECT_EQ(BuildListing({Entry("a.c"), Entry("twenty-characters.xy")}, kShowAll, kSortByName).longestShort, 20u);
}

TEST(BuildListing, ListsAScratchDirectory)
{
    ScratchDir scratch;
    WriteBytes(scratch / "One.TXT", "12345");
    WriteBytes(scratch / "two.c", "");
    MakeDir(scratch / "Sub");
    CurrentDirectoryGuard inside(scratch.path());

    Listing all = BuildListing("*.*", kShowAll, kSortByName);
    EXPECT_EQ(Names(all), (std::vector<std::string>{".", "..", "one.txt", "sub", "two.c"}));
    EXPECT_EQ(all.longLines[0], "Total 5");
    EXPECT_EQ(all.shortLines, (std::vector<std::string>{"./", "../", "one.txt", "sub/", "two.c"}));
    const std::string& one = all.longLines[3];
    EXPECT_EQ(one.substr(0, 3), "-rw");
    EXPECT_EQ(one.substr(6, 15), "          5    ");

    EXPECT_EQ(Names(BuildListing("*.txt", kShowAll, kSortByName)), (std::vector<std::string>{"one.txt"}));
    EXPECT_EQ(BuildListing("*.none", kShowAll, kSortByName).longLines, (std::vector<std::string>{"Total 0"}));
    EXPECT_EQ(BuildListing("*.*", kShowDirectories, kSortByName).longLines[0], "Total 3");
}

}
