// Creating and appending: member order, names, data blocks, the end of
// the archive, and what stays on disk when a write stops.
#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include "arcextract.h"
#include "arcformat.h"
#include "arcreader.h"
#include "arcwrite.h"
#include "trevak_test_support.h"

namespace {

using Names = std::vector<std::string>;

// The system's file system with faults on request: a directory that cannot
// be listed, a disk that takes archive files only up to a size, and a close
// that fails.
class FaultFs : public ForwardingFs {
public:
    std::string unlistable;
    std::string unreadable;
    long long maxFileSize = -1;   // archive files written grow no larger; -1: no limit
    long long throwAt = -1;       // a write past this offset finds no memory; -1: never
    bool failClose = false;

    std::unique_ptr<ArcStream> OpenRead(const std::string& p) override
    {
        if (!unreadable.empty() && p == unreadable)
            return nullptr;
        return base_.OpenRead(p);
    }
    std::unique_ptr<ArcStream> Create(const std::string& p) override { return Wrap(base_.Create(p)); }
    std::unique_ptr<ArcStream> OpenUpdate(const std::string& p) override { return Wrap(base_.OpenUpdate(p)); }
    bool ListDir(const std::string& p, std::vector<ArcDirEntry>* out) override
    {
        if (!unlistable.empty() && p == unlistable)
            return false;
        return base_.ListDir(p, out);
    }
    std::unique_ptr<ArcStream> CreateBeside(const std::string& target, std::string* temp) override
    {
        return Wrap(base_.CreateBeside(target, temp));
    }

private:
    class Stream : public ForwardingStream {
    public:
        Stream(std::unique_ptr<ArcStream> s, FaultFs& fs) : ForwardingStream(std::move(s)), fs_(fs) {}
        bool Write(const void* b, size_t n) override
        {
            if (fs_.maxFileSize >= 0 && s_->Tell() + static_cast<long long>(n) > fs_.maxFileSize)
                return false;
            if (fs_.throwAt >= 0 && s_->Tell() + static_cast<long long>(n) > fs_.throwAt)
                throw std::bad_alloc();
            return s_->Write(b, n);
        }
        bool Close() override { return s_->Close() && !fs_.failClose; }

    private:
        FaultFs& fs_;
    };
    std::unique_ptr<ArcStream> Wrap(std::unique_ptr<ArcStream> s)
    {
        if (!s)
            return s;
        return std::unique_ptr<ArcStream>(new Stream(std::move(s), *this));
    }
};

Names ListFile(const std::string& path, int type)
{
    return MemberNames(ReadWholeFile(path), type);
}

bool Write(const std::string& archive, const std::string& source, const std::string& pattern, int type, bool append,
           ArcFs& fs, ScriptedUi& ui, bool descend = true)
{
    WriteOptions o;
    o.source = source;
    o.pattern = pattern;
    o.type = type;
    o.append = append;
    o.descend = descend;
    return WriteArchive(archive, o, fs, ui);
}

TEST(Pattern, WildcardWords)
{
    std::vector<ArcDirEntry> entries = {{"b.c"}, {"A.H"}, {"a.c"}, {"sub.c", true}, {"B.h"}, {"x.txt"}};
    EXPECT_EQ(ExpandPattern("*.c  *.h", entries), (Names{"a.c", "b.c", "A.H", "B.h"}));
    EXPECT_EQ(ExpandPattern("x.txt *.txt", entries), (Names{"x.txt", "x.txt"}));
    EXPECT_TRUE(ExpandPattern("  ", entries).empty());

    // A closing ".*" takes a name without a dot, but not a dotted name the
    // word's start alone would take.
    std::vector<ArcDirEntry> dotted = {{"makefile"}, {"a.c"}, {"a.b"}, {"abc"}};
    EXPECT_EQ(ExpandPattern("*.*", dotted), (Names{"a.b", "a.c", "abc", "makefile"}));
    EXPECT_EQ(ExpandPattern("abc.* *c.* a.b.*", dotted), (Names{"abc", "abc"}));
}

TEST(Create, MembersInDirectoryOrderWithDescending)
{
    for (int type : {kArcUstar, kArcTar, kArcCpio}) {
        ScratchDir dir;
        dir.Write("src/b.txt", "bee");
        dir.Write("src/A.TXT", "ay");
        dir.Write("src/sub/c.txt", std::string(513, 'c'));
        dir.Write("src/sub/empty", "");
        dir.MakeDir("src/nothing/deeper");
        dir.Write("src/nothing/deeper/d.bin", std::string(512, 'd'));
        ScriptedUi ui;
        ASSERT_TRUE(Write(dir.At("out.a"), dir.At("src"), "*.*", type, false, SystemFs(), ui));
        EXPECT_TRUE(ui.messages.empty());
        std::string slash = type == kArcCpio ? "" : "/";
        EXPECT_EQ(ListFile(dir.At("out.a"), type),
                  (Names{"a.txt",
                         "b.txt",
                         "nothing" + slash,
                         "nothing/deeper" + slash,
                         "nothing/deeper/d.bin",
                         "sub" + slash,
                         "sub/c.txt",
                         "sub/empty"}));
        EXPECT_EQ(ui.progress.size(), 5u);

        // Every byte comes back.
        std::string bytes = ReadWholeFile(dir.At("out.a"));
        dir.MakeDir("back");
        ArcMemStream in(bytes.data(), bytes.size());
        ScriptedUi ui2;
        ASSERT_TRUE(ExtractArchive(in, type, dir.At("back"), ExtractOptions(), SystemFs(), ui2));
        EXPECT_TRUE(ui2.messages.empty());
        EXPECT_EQ(dir.Read("back/a.txt"), "ay");
        EXPECT_EQ(dir.Read("back/sub/c.txt"), std::string(513, 'c'));
        EXPECT_EQ(dir.Read("back/nothing/deeper/d.bin"), std::string(512, 'd'));

        // The archive's size: tar blocks or cpio bytes exactly.
        size_t expected;
        if (type == kArcCpio) {
            expected = 0;
            for (auto& [name, size] : std::vector<std::pair<std::string, size_t>>{{"a.txt", 2},
                                                                                  {"b.txt", 3},
                                                                                  {"nothing", 0},
                                                                                  {"nothing/deeper", 0},
                                                                                  {"nothing/deeper/d.bin", 512},
                                                                                  {"sub", 0},
                                                                                  {"sub/c.txt", 513},
                                                                                  {"sub/empty", 0}})
                expected += 76 + name.size() + 1 + size;
            expected += CpioTrailer().size();
        } else {
            // 8 headers; data blocks 1 + 1 + 1 + 2 + 0; two end blocks.
            expected = (8 + 5 + 2) * 512;
        }
        EXPECT_EQ(bytes.size(), expected) << "type " << type;
    }
}

TEST(Append, AReadOnlyArchiveIsRefusedAndKeptAsItWas)
{
    // Refused for every user, the system's administrator too.
    ScratchDir dir;
    dir.Write("src/a.txt", "ay");
    ScriptedUi ui;
    ASSERT_TRUE(Write(dir.At("arc"), dir.At("src"), "*", kArcUstar, false, SystemFs(), ui));
    std::string before = ReadWholeFile(dir.At("arc"));
    ASSERT_TRUE(SystemFs().MakeReadOnly(dir.At("arc")));
    dir.Write("src/b.txt", "bee");
    EXPECT_FALSE(Write(dir.At("arc"), dir.At("src"), "*", kArcUstar, true, SystemFs(), ui));
    EXPECT_EQ(ui.messages, Names{"cant open " + dir.At("arc")});
    EXPECT_EQ(ReadWholeFile(dir.At("arc")), before);
}

#ifndef _WIN32
TEST(Create, ALinkToADirectoryIsNeitherArchivedNorEntered)
{
    ScratchDir dir;
    dir.Write("src/a.txt", "ay");
    dir.Write("elsewhere/inner.txt", "in");
    ASSERT_EQ(symlink(dir.At("elsewhere").c_str(), dir.At("src/door").c_str()), 0);
    ScriptedUi ui;
    ASSERT_TRUE(Write(dir.At("out.tar"), dir.At("src"), "*", kArcUstar, false, SystemFs(), ui));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ListFile(dir.At("out.tar"), kArcUstar), Names{"a.txt"});
}
#endif

TEST(Create, WithoutDescendingAndWithAPatternThatMatchesNothing)
{
    ScratchDir dir;
    dir.Write("src/a.c", "a");
    dir.Write("src/sub/b.c", "b");
    dir.Write("src/sub/deep/c.h", "c");
    ScriptedUi ui;
    ASSERT_TRUE(Write(dir.At("x.tar"), dir.At("src"), "*.c", kArcUstar, false, SystemFs(), ui, false));
    EXPECT_EQ(ListFile(dir.At("x.tar"), kArcUstar), Names{"a.c"});
    ASSERT_TRUE(Write(dir.At("x.tar"), dir.At("src"), "*.h", kArcUstar, false, SystemFs(), ui));
    EXPECT_EQ(ListFile(dir.At("x.tar"), kArcUstar), (Names{"sub/", "sub/deep/", "sub/deep/c.h"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Create, TheArchiveNeverArchivesItself)
{
    for (bool append : {false, true}) {
        ScratchDir dir;
        dir.Write("a.txt", "a");
        dir.Write("self.tar", BuildTar({{"old", "o"}}, kArcUstar));
        ScriptedUi ui;
        ASSERT_TRUE(Write(dir.At("self.tar"), dir.path(), "*", kArcUstar, append, SystemFs(), ui));
        EXPECT_EQ(ListFile(dir.At("self.tar"), kArcUstar), append ? (Names{"old", "a.txt"}) : Names{"a.txt"});
        EXPECT_EQ(dir.Tree(), (Names{"a.txt", "self.tar"})) << "no temporary file stays";
    }
}

TEST(Create, AnUnreadableDirectoryIsReportedAndSkipped)
{
    ScratchDir dir;
    dir.Write("src/a.txt", "a");
    dir.Write("src/locked/x.txt", "x");
    dir.Write("src/open/y.txt", "y");
    FaultFs fs;
    fs.unlistable = dir.At("src/locked");
    ScriptedUi ui;
    ASSERT_TRUE(Write(dir.At("x.tar"), dir.At("src"), "*", kArcUstar, false, fs, ui));
    EXPECT_EQ(ListFile(dir.At("x.tar"), kArcUstar), (Names{"a.txt", "open/", "open/y.txt"}));
    EXPECT_EQ(ui.messages, Names{"cant access directory locked - skipped"});
}

TEST(Create, AFailedRunLeavesTheOldArchiveAsItWas)
{
    std::string old = BuildTar({{"old", "o"}}, kArcUstar);
    struct Case {
        const char* what;
        int type;
        long long budget;
        bool failClose;
        std::string longName;
        const char* message;
    } cases[] = {
        {"header write", kArcUstar, 100, false, "", "Error writing tar header - archive abandoned"},
        {"cpio header write", kArcCpio, 10, false, "", "Error writing cpio header - archive abandoned"},
        {"data write", kArcUstar, 600, false, "", "Error writing archive - archive abandoned"},
        {"close", kArcUstar, -1, true, "", "Error writing archive - archive abandoned"},
        {"old tar long name", kArcTar, -1, false, std::string(101, 'n'), "tar: filename > 100 characters."},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        dir.Write("src/a.txt", std::string(700, 'a'));
        if (!c.longName.empty())
            dir.Write("src/" + c.longName, "n");
        dir.Write("arc", old);
        FaultFs fs;
        fs.maxFileSize = c.budget;
        fs.failClose = c.failClose;
        ScriptedUi ui;
        EXPECT_FALSE(Write(dir.At("arc"), dir.At("src"), "*", c.type, false, fs, ui)) << c.what;
        EXPECT_EQ(ui.messages, Names{c.message}) << c.what;
        EXPECT_TRUE(dir.Read("arc") == old) << c.what;
        EXPECT_FALSE(dir.Exists("arc.trevak~0")) << c.what;
    }
}

TEST(Append, WritesWhereTheEndWasAndKeepsTheFormat)
{
    struct Case {
        int type;
        std::string archive;
        size_t endAt;
    } cases[] = {
        {kArcUstar, BuildTar({{"one", "1"}, {"two", "22"}}, kArcUstar), 4 * 512},
        {kArcTar, BuildTar({{"one", "1"}, {"two", "22"}}, kArcTar), 4 * 512},
        {kArcCpio, BuildCpio({{"one", "1", 0, 0100644}, {"two", "22", 0, 0100644}}), 2 * 76 + 4 + 1 + 4 + 2},
        // Another writer's padding after the end marker is written over.
        {kArcUstar, BuildTar({{"one", "1"}, {"two", "22"}}, kArcUstar) + std::string(8192, '\0'), 4 * 512},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        dir.Write("arc", c.archive);
        dir.Write("src/new.txt", "new");
        ScriptedUi ui;
        ASSERT_TRUE(Write(dir.At("arc"), dir.At("src"), "*", c.type, true, SystemFs(), ui));
        EXPECT_EQ(ListFile(dir.At("arc"), c.type), (Names{"one", "two", "new.txt"}));
        std::string bytes = dir.Read("arc");
        EXPECT_TRUE(bytes.substr(0, c.endAt) == c.archive.substr(0, c.endAt));
        if (c.type == kArcCpio) {
            EXPECT_EQ(bytes.substr(c.endAt, 6), "070707");
            EXPECT_EQ(bytes.substr(bytes.size() - 11), std::string("TRAILER!!!\0", 11));
        } else {
            // The new header and its block where the end was, then two zero blocks.
            EXPECT_EQ(bytes.substr(c.endAt, 7), std::string("new.txt"));
            EXPECT_EQ(bytes.substr(c.endAt + 512, 3), "new");
            EXPECT_TRUE(bytes.substr(c.endAt + 515, 509 + 1024) == std::string(509 + 1024, '\0'));
            EXPECT_EQ(bytes.size(), std::max(c.endAt + 2048, c.archive.size()));
        }
    }
}

TEST(Append, AStoppedAppendKeepsTheArchiveReadable)
{
    for (int type : {kArcUstar, kArcCpio}) {
        std::string old = type == kArcCpio ? BuildCpio({{"one", "1", 0, 0100644}}) : BuildTar({{"one", "1"}}, type);
        ScratchDir dir;
        dir.Write("arc", old);
        dir.Write("src/a.txt", std::string(3000, 'a'));
        FaultFs fs;
        fs.maxFileSize = 1500;   // the header and part of the data, then the disk is full
        ScriptedUi ui;
        EXPECT_FALSE(Write(dir.At("arc"), dir.At("src"), "*", type, true, fs, ui));
        EXPECT_EQ(ListFile(dir.At("arc"), type), Names{"one"});
        EXPECT_TRUE(dir.Read("arc") == old) << "type " << type;
    }
}

TEST(Write, MemoryThatRunsOutStopsTheRunAndLeavesTheArchiveAsItWas)
{
    for (bool append : {false, true}) {
        std::string old = BuildTar({{"one", "1"}}, kArcUstar);
        ScratchDir dir;
        dir.Write("arc", old);
        dir.Write("src/a.txt", std::string(700, 'a'));
        dir.Write("src/b.txt", std::string(70000, 'b'));
        FaultFs fs;
        fs.throwAt = 4000;   // inside b.txt's data, wherever the run began
        ScriptedUi ui;
        EXPECT_FALSE(Write(dir.At("arc"), dir.At("src"), "*", kArcUstar, append, fs, ui)) << append;
        EXPECT_EQ(ui.messages, Names{"Out of memory"}) << append;
        EXPECT_TRUE(dir.Read("arc") == old) << append;
        EXPECT_EQ(dir.Tree(), (Names{"arc", "src/", "src/a.txt", "src/b.txt"})) << append;
    }
}

// Whatever follows the end marker (here far more than is kept in memory)
// is put back byte for byte when an append stops, and written over only as
// far as the new members reach when it does not; no copy of it stays.
TEST(Append, ALongTailAfterTheEndIsKeptOnDiskAndPutBack)
{
    std::string archive = BuildTar({{"one", "1"}}, kArcUstar);
    size_t end = 512 * 2;
    std::string tail;
    unsigned x = 12345;
    for (size_t i = 0; i < 300000; i++) {
        x = x * 1103515245u + 12345u;
        tail.push_back(static_cast<char>('A' + (x >> 16) % 26));
    }
    archive += tail;
    for (bool stop : {true, false}) {
        ScratchDir dir;
        dir.Write("arc", archive);
        dir.Write("src/a.txt", "a");
        dir.Write("src/b.txt", "b");
        FaultFs fs;
        if (stop)
            fs.unreadable = dir.At("src/b.txt");
        ScriptedUi ui;
        EXPECT_EQ(Write(dir.At("arc"), dir.At("src"), "*", kArcUstar, true, fs, ui), !stop);
        std::string bytes = dir.Read("arc");
        if (stop) {
            EXPECT_EQ(ui.messages, Names{"cant open file b.txt\r\nAbandoning archive"});
            EXPECT_TRUE(bytes == archive);
        } else {
            EXPECT_EQ(ui.messages, Names{});
            EXPECT_EQ(ListFile(dir.At("arc"), kArcUstar), (Names{"one", "a.txt", "b.txt"}));
            size_t written = end + 4 * 512 + 1024;
            ASSERT_EQ(bytes.size(), archive.size());
            EXPECT_TRUE(bytes.substr(written) == archive.substr(written));
        }
        EXPECT_EQ(dir.Tree(), (Names{"arc", "src/", "src/a.txt", "src/b.txt"})) << stop;
    }
}

TEST(Append, RefusesADamagedArchive)
{
    std::string good = BuildTar({{"one", "1"}, {"two", std::string(3000, '2')}}, kArcUstar, true);
    std::string corrupt = good;
    memcpy(&corrupt[1024 + 124], "x", 1);   // two's size
    for (const std::string& archive : {good.substr(0, 2000), corrupt}) {
        ScratchDir dir;
        dir.Write("arc", archive);
        dir.Write("src/a.txt", "a");
        ScriptedUi ui;
        EXPECT_FALSE(Write(dir.At("arc"), dir.At("src"), "*", kArcUstar, true, SystemFs(), ui));
        EXPECT_EQ(ui.messages, Names{"Corrupt archive - sorry"});
        EXPECT_TRUE(dir.Read("arc") == archive);
    }
}

TEST(OpenArchive, RefusesShortAndUnknownFiles)
{
    ScratchDir dir;
    std::string ustar = BuildTar({{"a", "1"}}, kArcUstar);
    std::string unknown(512, 'z');
    struct Case {
        const char* name;
        std::string bytes;
        int type;
        const char* message;
    } cases[] = {
        {"exact.tar", ustar.substr(0, 512), kArcUstar, nullptr},
        {"short.tar", ustar.substr(0, 511), kArcUnknown, "Cant read archive - sorry"},
        {"small.cpio", BuildCpio({{"a", std::string(10, 'x'), 0, 0100644}}), kArcUnknown, "Cant read archive - sorry"},
        {"unknown", unknown, kArcUnknown, "Unknown archive type - sorry"},
    };
    for (const Case& c : cases) {
        dir.Write(c.name, c.bytes);
        ScriptedUi ui;
        EXPECT_EQ(OpenArchiveType(dir.At(c.name), SystemFs(), ui), c.type) << c.name;
        EXPECT_EQ(ui.messages, c.message ? Names{c.message} : Names{}) << c.name;
    }
    ScriptedUi ui;
    EXPECT_EQ(OpenArchiveType(dir.At("missing"), SystemFs(), ui), kArcUnknown);
    EXPECT_EQ(ui.messages, Names{"cant open " + dir.At("missing")});
}

}   // namespace
