// The engines' seam to the file system, over real files: what each call
// answers for files, directories and names that are not there, and what a
// failure says.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "filesys.h"
#include "unit_support.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using filesys::Error;
using filesys::File;
using filesys::Mode;

void MakeReadOnly(const std::string& path, bool readOnly)
{
#ifdef _WIN32
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL));
#else
    ASSERT_EQ(0, chmod(path.c_str(), readOnly ? 0444 : 0644));
#endif
}

const char* NameOf(Error error)
{
    switch (error) {
    case Error::kNone:
        return "none";
    case Error::kMissing:
        return "missing";
    case Error::kExists:
        return "exists";
    case Error::kDenied:
        return "denied";
    case Error::kOther:
        return "other";
    }
    return "?";
}

class FileSysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteFileBytes(m_dir.file("five.txt"), "12345");
        WriteFileBytes(m_dir.file("ro.txt"), "ro");
        MakeReadOnly(m_dir.file("ro.txt"), true);
        MakeDirectory(m_dir.file("sub"));
    }
    void TearDown() override { MakeReadOnly(m_dir.file("ro.txt"), false); }

    std::string Path(const std::string& name) const { return m_dir.file(name); }

    TempDir m_dir;
};

TEST_F(FileSysTest, StatTellsWhatAPathNames)
{
    struct Case {
        const char* name;
        bool found;
        Error error;
        bool directory;
        bool readOnly;
        int64_t size;
    } cases[] = {
        {"five.txt", true, Error::kNone, false, false, 5},
        {"ro.txt", true, Error::kNone, false, true, 2},
        {"sub", true, Error::kNone, true, false, 0},
        {"missing.txt", false, Error::kMissing, false, false, 0},
        {"nodir/missing.txt", false, Error::kMissing, false, false, 0},
    };
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = Path(c.name);
        std::replace(path.begin(), path.end(), '/', kPathSeparator[0]);
        filesys::Status status;
        status.size = -1;
        ASSERT_EQ(c.found, filesys::Stat(path, &status));
        EXPECT_STREQ(NameOf(c.error), NameOf(filesys::LastError()));
        if (!c.found)
            continue;
        EXPECT_EQ(c.directory, status.directory);
        EXPECT_EQ(c.readOnly, status.readOnly);
        EXPECT_EQ(c.size, status.size);
        EXPECT_FALSE(status.link);
        // Made a moment ago, whatever the clock's resolution.
        EXPECT_LE(std::llabs(status.mtime - now), 120) << status.mtime << " against " << now;
    }
}

TEST_F(FileSysTest, SizesAndOffsetsPastFourGigabytes)
{
    const int64_t beyond = (int64_t(5) << 30) + 7;   // past 2^32 and 2^31
    const std::string path = Path("sparse.bin");
    File file;
    ASSERT_TRUE(file.Open(path, Mode::kCreate));
    ASSERT_TRUE(file.Seek(beyond));
    EXPECT_EQ(beyond, file.Tell());
    if (!file.Write("Z", 1)) {
        file.Close();
        GTEST_SKIP() << "the file system here holds no file this large";
    }
    EXPECT_EQ(beyond + 1, file.Tell());
    filesys::Status status;
    ASSERT_TRUE(file.GetStatus(&status));
    EXPECT_EQ(beyond + 1, status.size);
    ASSERT_TRUE(file.Close());

    ASSERT_TRUE(filesys::Stat(path, &status));
    EXPECT_EQ(beyond + 1, status.size);
    ASSERT_TRUE(file.Open(path, Mode::kRead));
    char got[2] = {'x', 'x'};
    ASSERT_TRUE(file.Seek(beyond - 1));
    ASSERT_EQ(2u, file.Read(got, sizeof got));
    EXPECT_EQ(0, got[0]);   // the gap reads as zeros
    EXPECT_EQ('Z', got[1]);
    EXPECT_EQ(0u, file.Read(got, 1));
    EXPECT_TRUE(file.Close());
    EXPECT_TRUE(filesys::Remove(path));
}

TEST_F(FileSysTest, ListingGivesEveryEntryButDotAndDotDot)
{
    MakeDirectory(Path("sub") + kPathSeparator + "inner");
    WriteFileBytes(Path("sub") + kPathSeparator + "b", "");
    WriteFileBytes(Path("sub") + kPathSeparator + "a.txt", "a");
    MakeDirectory(Path("empty"));

    std::vector<filesys::Entry> entries;
    ASSERT_TRUE(filesys::ListDir(Path("sub"), &entries));
    // The system's order is its own (unsorted under Wine).
    std::sort(entries.begin(), entries.end(), [](const filesys::Entry& x, const filesys::Entry& y) {
        return x.name < y.name;
    });
    ASSERT_EQ(3u, entries.size());
    const struct {
        const char* name;
        bool directory;
    } expected[] = {{"a.txt", false}, {"b", false}, {"inner", true}};
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(expected[i].name, entries[i].name);
        EXPECT_EQ(expected[i].directory, entries[i].directory) << entries[i].name;
        EXPECT_FALSE(entries[i].link) << entries[i].name;
    }
    // With a separator at the end too.
    ASSERT_TRUE(filesys::ListDir(Path("sub") + kPathSeparator, &entries));
    EXPECT_EQ(3u, entries.size());

    ASSERT_TRUE(filesys::ListDir(Path("empty"), &entries));
    EXPECT_TRUE(entries.empty());

    entries.assign(1, filesys::Entry());
    EXPECT_FALSE(filesys::ListDir(Path("missing"), &entries));
    EXPECT_STREQ("missing", NameOf(filesys::LastError()));
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(filesys::ListDir(Path("five.txt"), &entries));
    EXPECT_NE(Error::kNone, filesys::LastError());
}

TEST_F(FileSysTest, ReplaceTakesThePlaceOfWhatWasThereInOneStep)
{
    struct Case {
        const char* what;
        const char* from;   // made with "new" unless missing
        const char* to;
        bool done;
        Error error;
        const char* after;   // what to holds afterwards; null: nothing there
    } cases[] = {
        {"over an existing file", "new1", "five.txt", true, Error::kNone, "new"},
        {"to a new name", "new2", "fresh.txt", true, Error::kNone, "new"},
        {"from nothing", nullptr, "target.txt", false, Error::kMissing, "old"},
        {"into a missing directory", "new3", "nodir/x.txt", false, Error::kMissing, nullptr},
    };
    WriteFileBytes(Path("target.txt"), "old");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string from = Path(c.from ? c.from : "absent");
        std::string to = Path(c.to);
        std::replace(to.begin(), to.end(), '/', kPathSeparator[0]);
        if (c.from)
            WriteFileBytes(from, "new");
        EXPECT_EQ(c.done, filesys::Replace(from, to));
        EXPECT_STREQ(NameOf(c.error), NameOf(filesys::LastError()));
        std::string held;
        EXPECT_EQ(c.after != nullptr, ReadFileBytes(to, held));
        if (c.after) {
            EXPECT_EQ(c.after, held);
        }
        // The source is gone exactly when the move was made.
        EXPECT_EQ(!c.done && c.from != nullptr, FileExists(from));
    }
}

TEST_F(FileSysTest, RemoveTakesFilesOnly)
{
    EXPECT_TRUE(filesys::Remove(Path("five.txt")));
    EXPECT_EQ(Error::kNone, filesys::LastError());
    EXPECT_FALSE(FileExists(Path("five.txt")));

    struct Case {
        const char* name;
        Error error;
    } cases[] = {
        {"five.txt", Error::kMissing},   // gone already
        {"nodir/x", Error::kMissing},
        {"sub", Error::kDenied},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = Path(c.name);
        std::replace(path.begin(), path.end(), '/', kPathSeparator[0]);
        EXPECT_FALSE(filesys::Remove(path));
        EXPECT_STREQ(NameOf(c.error), NameOf(filesys::LastError()));
    }
    filesys::Status status;
    EXPECT_TRUE(filesys::Stat(Path("sub"), &status));
}

TEST_F(FileSysTest, OpenModes)
{
#ifdef _WIN32
    const std::string device = "nul";
#else
    const std::string device = "/dev/null";
#endif
    struct Case {
        const char* what;
        std::string path;
        Mode mode;
        bool opens;
        Error error;
        const char* contentAfter;   // of the path once closed; null: not checked
    } cases[] = {
        {"read an existing file", Path("five.txt"), Mode::kRead, true, Error::kNone, "12345"},
        {"update keeps the bytes", Path("five.txt"), Mode::kUpdate, true, Error::kNone, "12345"},
        {"create empties", Path("five.txt"), Mode::kCreate, true, Error::kNone, ""},
        {"create makes", Path("new.txt"), Mode::kCreate, true, Error::kNone, ""},
        {"read nothing", Path("missing.txt"), Mode::kRead, false, Error::kMissing, nullptr},
        {"update nothing", Path("missing.txt"), Mode::kUpdate, false, Error::kMissing, nullptr},
        {"create in a missing directory",
         Path("nodir") + kPathSeparator + "x",
         Mode::kCreate,
         false,
         Error::kMissing,
         nullptr},
        {"read a directory", Path("sub"), Mode::kRead, false, Error::kDenied, nullptr},
        {"update a directory", Path("sub"), Mode::kUpdate, false, Error::kDenied, nullptr},
        {"read a device", device, Mode::kRead, false, Error::kDenied, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        File file;
        EXPECT_EQ(c.opens, file.Open(c.path, c.mode));
        EXPECT_STREQ(NameOf(c.error), NameOf(filesys::LastError()));
        EXPECT_EQ(c.opens, file.IsOpen());
        if (c.opens) {
            EXPECT_EQ(0, file.Tell());
            EXPECT_TRUE(file.Close());
            EXPECT_FALSE(file.IsOpen());
        }
        if (c.contentAfter) {
            EXPECT_EQ(c.contentAfter, ReadFileBytes(c.path));
        }
    }
    EXPECT_FALSE(FileExists(Path("missing.txt")));
}

TEST_F(FileSysTest, ReadWriteSeekAndTruncateInPlace)
{
    File file;
    ASSERT_TRUE(file.Open(Path("five.txt"), Mode::kUpdate));
    ASSERT_TRUE(file.Seek(2));
    ASSERT_TRUE(file.Write("ab", 2));
    EXPECT_EQ(4, file.Tell());
    char rest[8] = {};
    EXPECT_EQ(1u, file.Read(rest, sizeof rest));   // short only at the end
    EXPECT_EQ('5', rest[0]);
    ASSERT_TRUE(file.Write(" more", 5));
    EXPECT_EQ(10, file.Tell());
    ASSERT_TRUE(file.Truncate(3));
    EXPECT_EQ(3, file.Tell());   // pulled back to the new end
    filesys::Status status;
    ASSERT_TRUE(file.GetStatus(&status));
    EXPECT_EQ(3, status.size);
    ASSERT_TRUE(file.Seek(1));
    ASSERT_TRUE(file.Truncate(2));
    EXPECT_EQ(1, file.Tell());   // stays where it was
    EXPECT_TRUE(file.Close());
    EXPECT_EQ("12", ReadFileBytes(Path("five.txt")));
    EXPECT_FALSE(file.Seek(-1));
}

TEST_F(FileSysTest, FailuresAreReportedAndCloseSaysAWriteWasLost)
{
    File file;
    ASSERT_TRUE(file.Open(Path("five.txt"), Mode::kRead));
    EXPECT_FALSE(file.Write("x", 1));   // opened for reading only
    EXPECT_NE(Error::kNone, filesys::LastError());
    EXPECT_FALSE(file.Seek(-1));
    EXPECT_FALSE(file.Close());   // the lost write is told again
    EXPECT_EQ("12345", ReadFileBytes(Path("five.txt")));

    // Closed: every call says so, and nothing is touched.
    char byte = 0;
    EXPECT_FALSE(file.Close());
    EXPECT_EQ(0u, file.Read(&byte, 1));
    EXPECT_FALSE(file.Write("x", 1));
    EXPECT_FALSE(file.Seek(0));
    EXPECT_EQ(-1, file.Tell());
    filesys::Status status;
    EXPECT_FALSE(file.GetStatus(&status));

    // A file moved to another object stays open there, once.
    ASSERT_TRUE(file.Open(Path("five.txt"), Mode::kRead));
    File moved(std::move(file));
    EXPECT_FALSE(file.IsOpen());
    char bytes[8];
    EXPECT_EQ(5u, moved.Read(bytes, sizeof bytes));
    EXPECT_TRUE(moved.Close());
}

// Refused on every system, also where the system itself would let the
// superuser write.
TEST_F(FileSysTest, ReadOnlyFilesRefuseWritingOpens)
{
    for (Mode mode : {Mode::kUpdate, Mode::kCreate}) {
        File file;
        EXPECT_FALSE(file.Open(Path("ro.txt"), mode));
        EXPECT_STREQ("denied", NameOf(filesys::LastError()));
    }
    EXPECT_EQ("ro", ReadFileBytes(Path("ro.txt")));
}

#ifndef _WIN32
TEST_F(FileSysTest, LinksAreReportedUnlessFollowed)
{
    ASSERT_EQ(0, symlink(Path("sub").c_str(), Path("link").c_str()));
    ASSERT_EQ(0, symlink(Path("missing").c_str(), Path("dangling").c_str()));
    filesys::Status status;
    ASSERT_TRUE(filesys::Stat(Path("link"), &status));
    EXPECT_TRUE(status.link);
    EXPECT_FALSE(status.directory);
    ASSERT_TRUE(filesys::Stat(Path("link"), &status, filesys::Links::kFollow));
    EXPECT_FALSE(status.link);
    EXPECT_TRUE(status.directory);
    EXPECT_TRUE(filesys::Stat(Path("dangling"), &status));
    EXPECT_TRUE(status.link);
    EXPECT_FALSE(filesys::Stat(Path("dangling"), &status, filesys::Links::kFollow));
    EXPECT_EQ(Error::kMissing, filesys::LastError());

    std::vector<filesys::Entry> entries;
    ASSERT_TRUE(filesys::ListDir(m_dir.path(), &entries));
    auto link = std::find_if(entries.begin(), entries.end(), [](const filesys::Entry& e) { return e.name == "link"; });
    ASSERT_NE(entries.end(), link);
    EXPECT_TRUE(link->link);
    EXPECT_FALSE(link->directory);
}
#endif

}   // namespace
