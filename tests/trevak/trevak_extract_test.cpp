// Listing and extraction: member walks over built archives, the options,
// and the guarantee that nothing lands outside the target directory.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "arcextract.h"
#include "arcformat.h"
#include "arcreader.h"
#include "trevak_test_support.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

struct Listing {
    bool ok;
    std::vector<std::string> names;
    std::vector<std::string> messages;
};

Listing List(const std::string& archive, int type, size_t room = 1000)
{
    ArcMemStream in(archive.data(), archive.size());
    ScriptedUi ui;
    Listing l;
    l.ok = ListArchive(
        in,
        type,
        [&](const ArcMember& m) {
            if (l.names.size() >= room)
                return false;
            l.names.push_back(m.name);
            return true;
        },
        ui);
    l.messages = ui.messages;
    return l;
}

bool Extract(const std::string& archive, int type, const std::string& target, const ExtractOptions& options,
             ScriptedUi& ui)
{
    ArcMemStream in(archive.data(), archive.size());
    return ExtractArchive(in, type, target, options, SystemFs(), ui);
}

using Names = std::vector<std::string>;

TEST(Listing, StepsOverEveryMembersDataByOneRule)
{
    std::vector<TestMember> members = {
        {"pax", std::string(700, 'p'), 'x'},   // another writer's extended header: skipped by its size
        {"a.txt", "hello"},
        {"link", "", '2'},
        {"dir/", "", '5'},
        {"././@LongLink", std::string(300, 'L'), 'L'},
        {"dir/b.bin", std::string(1025, 'b')},
    };
    for (int type : {kArcUstar, kArcTar}) {
        Listing l = List(BuildTar(members, type), type);
        EXPECT_TRUE(l.ok);
        EXPECT_EQ(l.names, (Names{"pax", "a.txt", "link", "dir/", "././@LongLink", "dir/b.bin"}));
        EXPECT_TRUE(l.messages.empty());
    }
    // A link's size field is not followed by data: the next header comes at once.
    std::string archive = BuildTar({{"l", "", '1'}, {"after", "x"}}, kArcUstar);
    archive[124 + 10] = '7';   // the link now claims 7 bytes
    FixTarChecksum(reinterpret_cast<unsigned char*>(&archive[0]));
    EXPECT_EQ(List(archive, kArcUstar).names, (Names{"l", "after"}));
}

TEST(Listing, EndsQuietlyAtTheEndOrStopsAtACorruptHeader)
{
    std::string two = BuildTar({{"a", "1"}, {"b", "2"}}, kArcUstar);
    std::string noEnd = BuildTar({{"a", "1"}, {"b", "2"}}, kArcUstar, true);
    std::string corrupt = two;
    memcpy(&corrupt[1024 + 124], "-0000000001", 11);   // b's size
    std::string cutData = BuildTar({{"a", std::string(2000, 'a')}}, kArcUstar, true).substr(0, 1024);
    std::string afterEnd = two + BuildTar({{"hidden", "h"}}, kArcUstar);
    struct Case {
        std::string archive;
        int type;
        Names names;
        bool ok;
    } cases[] = {
        {two, kArcUstar, {"a", "b"}, true},
        {noEnd, kArcUstar, {"a", "b"}, true},
        {noEnd.substr(0, noEnd.size() - 100), kArcUstar, {"a", "b"}, true},
        {cutData, kArcUstar, {"a"}, true},
        {afterEnd, kArcUstar, {"a", "b"}, true},
        {corrupt, kArcUstar, {"a"}, false},
        {BuildCpio({{"a", "1", 0, 0100644}, {"b", "22", 0, 0100644}}), kArcCpio, {"a", "b"}, true},
        {BuildCpio({{"a", "1", 0, 0100644}}, true), kArcCpio, {"a"}, true},
        // A member named TRAILER!!! ends the listing wherever it stands.
        {BuildCpio({{"a", "", 0, 0100644}, {"TRAILER!!!", "", 0, 0}, {"c", "", 0, 0100644}}), kArcCpio, {"a"}, true},
    };
    for (const Case& c : cases) {
        Listing l = List(c.archive, c.type);
        EXPECT_EQ(l.names, c.names);
        EXPECT_EQ(l.ok, c.ok);
        EXPECT_EQ(l.messages, c.ok ? Names{} : Names{"Corrupt archive - sorry"});
    }
}

TEST(Listing, RefusesHostileCpioHeaders)
{
    std::string good = BuildCpio({{"a", "1", 0, 0100644}});
    struct Case {
        size_t at;
        std::string text;
    } cases[] = {
        {59, "000000"},        // name size 0
        {59, "777777"},        // name size far past any buffer
        {59, "000100"},        // name runs into the data and past the NUL
        {65, "77777777777"},   // size past a long
        {18, "1 0644"},
    };
    for (const Case& c : cases) {
        std::string bad = good;
        bad.replace(c.at, c.text.size(), c.text);
        Listing l = List(bad, kArcCpio);
        EXPECT_FALSE(l.ok) << c.at << " " << c.text;
        EXPECT_TRUE(l.names.empty());
        EXPECT_EQ(l.messages, Names{"Corrupt archive - sorry"});
    }
    // A name cut short by the end of the file.
    Listing l = List(good.substr(0, 77), kArcCpio);
    EXPECT_EQ(l.messages, Names{"Corrupt archive - sorry"});
}

TEST(Listing, StopsWhenTheListIsFull)
{
    std::vector<TestMember> members = {{"a", ""}, {"b", ""}, {"c", ""}};
    Listing tar = List(BuildTar(members, kArcUstar), kArcUstar, 2);
    EXPECT_EQ(tar.names, (Names{"a", "b"}));
    EXPECT_EQ(tar.messages, Names{"Listbox full - try unchecking verbose"});
    for (TestMember& m : members)
        m.mode = 0100644;
    Listing cpio = List(BuildCpio(members), kArcCpio, 1);
    EXPECT_EQ(cpio.messages, Names{"Listbox full - try unchecking Verbose"});
}

TEST(Extract, WritesNothingOutsideTheTarget)
{
    ScratchDir dir;
    dir.MakeDir("target");
    std::string target = dir.At("target");
    std::vector<TestMember> hostile = {
        {"../escape.txt", "x"},
        {"/abs.txt", "x"},
        {"sub/../../up.txt", "x"},
        {"c:drive.txt", "x"},
        {"..\\back.txt", "x"},
        {"nul.txt", "x"},
        {"../outdir/", "", '5'},
        {"ok/../../x/", "", '5'},
        {"good/file.txt", "kept"},
    };
    for (int type : {kArcUstar, kArcCpio}) {
        std::vector<TestMember> members = hostile;
        if (type == kArcCpio) {
            for (TestMember& m : members)
                m.mode = m.typeflag == '5' ? 040755 : 0100644;
        }
        std::string archive = type == kArcCpio ? BuildCpio(members) : BuildTar(members, type);
        ScriptedUi ui;
        EXPECT_TRUE(Extract(archive, type, target, ExtractOptions(), ui));
        EXPECT_EQ(dir.Tree(), (Names{"target/", "target/good/", "target/good/file.txt"}));
        EXPECT_EQ(dir.Read("target/good/file.txt"), "kept");
        EXPECT_EQ(ui.messages.size(), hostile.size() - 1) << "one message per refused member";
        for (const std::string& m : ui.messages)
            EXPECT_NE(m.find(": unsafe name - not extracted"), std::string::npos) << m;
    }
}

#ifndef _WIN32
TEST(Extract, NeverWritesThroughALinkInTheTarget)
{
    ScratchDir dir;
    dir.MakeDir("target");
    dir.MakeDir("outside");
    ASSERT_EQ(symlink(dir.At("outside").c_str(), dir.At("target/door").c_str()), 0);
    ASSERT_EQ(symlink(dir.At("outside/f").c_str(), dir.At("target/f").c_str()), 0);
    ScriptedUi ui;
    Extract(BuildTar({{"door/x.txt", "x"}, {"f", "y"}, {"door/", "", '5'}}, kArcUstar),
            kArcUstar,
            dir.At("target"),
            ExtractOptions(),
            ui);
    EXPECT_FALSE(dir.Exists("outside/x.txt"));
    EXPECT_FALSE(dir.Exists("outside/f"));
    EXPECT_EQ(ui.messages,
              (Names{"door: cant create directory", "f: create file fails", "door: cant create directory"}));
}
#endif

TEST(Extract, SelectedMembersOnly)
{
    std::string archive = BuildTar({{"m0", "0"}, {"m1", "1"}, {"m2", "2"}}, kArcUstar);
    struct Case {
        std::vector<int> selected;
        Names tree;
    } cases[] = {
        {{1}, {"m1"}},
        {{0, 2}, {"m0", "m2"}},
        {{2}, {"m2"}},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        ExtractOptions o;
        o.selectedOnly = true;
        o.selected = c.selected;
        ScriptedUi ui;
        EXPECT_TRUE(Extract(archive, kArcUstar, dir.path(), o, ui));
        EXPECT_EQ(dir.Tree(), c.tree);
        for (const std::string& name : c.tree)
            EXPECT_EQ(dir.Read(name), name.substr(1));
    }
    ScratchDir dir;
    ExtractOptions o;
    o.selectedOnly = true;
    ScriptedUi ui;
    EXPECT_FALSE(Extract(archive, kArcUstar, dir.path(), o, ui));
    EXPECT_EQ(ui.messages, Names{"No files selected"});
    EXPECT_TRUE(dir.Tree().empty());
}

TEST(Extract, DirectoriesAndParentsAreMade)
{
    ScratchDir dir;
    ScriptedUi ui;
    std::string archive = BuildTar({{"src/", "", '5'}, {"docs/a/b.txt", "b"}, {"./", "", '5'}}, kArcUstar);
    EXPECT_TRUE(Extract(archive, kArcUstar, dir.path(), ExtractOptions(), ui));
    EXPECT_EQ(dir.Tree(), (Names{"docs/", "docs/a/", "docs/a/b.txt", "src/"}));
    EXPECT_TRUE(ui.messages.empty());
    // Old tar: a '/' ends a directory's name; in ustar only the flag makes one.
    ScratchDir old;
    std::string oldTar = BuildTar({{"src/", ""}}, kArcTar);
    EXPECT_TRUE(Extract(oldTar, kArcTar, old.path(), ExtractOptions(), ui));
    EXPECT_EQ(old.Tree(), Names{"src/"});
    ScratchDir ustar;
    ScriptedUi ui2;
    EXPECT_TRUE(Extract(oldTar, kArcUstar, ustar.path(), ExtractOptions(), ui2));
    EXPECT_EQ(ui2.messages, Names{"src/: create file fails"});
}

TEST(Extract, AMemberWhosePathIsBlockedIsSkippedAndTheRestExtracted)
{
    ScratchDir dir;
    dir.Write("docs", "a file where a directory should be");
    ScriptedUi ui;
    EXPECT_TRUE(Extract(
        BuildTar({{"docs/a.txt", "a"}, {"b.txt", "b"}}, kArcUstar), kArcUstar, dir.path(), ExtractOptions(), ui));
    EXPECT_EQ(dir.Tree(), (Names{"b.txt", "docs"}));
    EXPECT_EQ(ui.messages, Names{"docs: cant create directory"});
}

TEST(Extract, CpioTypesAreComparedWhole)
{
    ScratchDir dir;
    ScriptedUi ui;
    std::string archive = BuildCpio({{"link", "target-of-link", 0, 0120777},
                                     {"sock", "", 0, 0140755},
                                     {"fifo", "", 0, 0010644},
                                     {"d", "", 0, 040755},
                                     {"d/f", "data", 0, 0100644}});
    EXPECT_TRUE(Extract(archive, kArcCpio, dir.path(), ExtractOptions(), ui));
    EXPECT_EQ(dir.Tree(), (Names{"d/", "d/f"}));
    EXPECT_EQ(dir.Read("d/f"), "data");
}

TEST(Extract, Options)
{
    const long long kOld = 1000000000, kNew = 1200000000;
    ArcFs& fs = SystemFs();
    struct Case {
        const char* what;
        bool noOverwrite, ignoreOlder;
        long long memberTime, fileTime;
        bool replaced;
    } cases[] = {
        {"plain", false, false, kOld, kNew, true},
        {"no overwrite", true, false, kNew, kOld, false},
        {"older member", false, true, kOld, kNew, false},
        {"equal time", false, true, kNew, kNew, true},
        {"newer member", false, true, kNew, kOld, true},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        dir.Write("f.txt", "old contents");
        ASSERT_TRUE(fs.SetTimes(dir.At("f.txt"), c.fileTime));
        TestMember m{"f.txt", "new"};
        m.mtime = c.memberTime;
        ExtractOptions o;
        o.noOverwrite = c.noOverwrite;
        o.ignoreOlder = c.ignoreOlder;
        ScriptedUi ui;
        EXPECT_TRUE(Extract(BuildTar({m}, kArcUstar), kArcUstar, dir.path(), o, ui));
        EXPECT_EQ(dir.Read("f.txt"), c.replaced ? "new" : "old contents") << c.what;
        EXPECT_EQ(dir.Tree(), Names{"f.txt"}) << c.what << ": no temporary file stays";
    }
    // Restored times and a read-only member.
    ScratchDir dir;
    TestMember m{"ro.txt", "r"};
    m.mode = 0444;
    m.mtime = kOld;
    ExtractOptions o;
    o.restoreTimes = true;
    ScriptedUi ui;
    EXPECT_TRUE(Extract(BuildTar({m, {"rw.txt", "w"}}, kArcUstar), kArcUstar, dir.path(), o, ui));
    ArcStatus st;
    ASSERT_TRUE(fs.Stat(dir.At("ro.txt"), &st));
    EXPECT_EQ(st.mtime, kOld);
    EXPECT_EQ(st.mode & 0222u, 0u);
    ASSERT_TRUE(fs.Stat(dir.At("rw.txt"), &st));
    EXPECT_NE(st.mode & 0200u, 0u);
}

TEST(Extract, TheSelectionsRoomIsRefusedWhenItsBlockWouldNotFit)
{
    struct Case {
        size_t count;
        bool ok;
    } cases[] = {
        {0, true},
        {3, true},
        {SIZE_MAX / sizeof(int) + 1, false},   // count * sizeof(int) wraps
        {SIZE_MAX, false},
        {SIZE_MAX / sizeof(int), false},   // fits the arithmetic, never the address space
    };
    for (const Case& c : cases) {
        std::vector<int> selected = {7};
        EXPECT_EQ(AllocateSelection(c.count, &selected), c.ok) << c.count;
        EXPECT_EQ(selected.size(), c.ok ? c.count : 0) << c.count;
    }
}

// The data of a member is bounded by the member, whatever the request: a
// count past what a signed 64-bit number holds is no exception.
TEST(Listing, AMembersDataStopsAtItsSizeForAnyRequest)
{
    std::string archive = BuildTar({{"a", "xyz"}, {"b", std::string(600, 'b')}}, kArcUstar);
    for (size_t request : {size_t(2), size_t(3), size_t(4096), SIZE_MAX / 2 + 1, SIZE_MAX}) {
        ArcMemStream in(archive.data(), archive.size());
        ArcReader reader(in, kArcUstar);
        ArcMember m;
        ASSERT_EQ(reader.Next(&m), ArcReader::kMember);
        char buf[16] = {};
        size_t want = request < 3 ? request : 3;
        EXPECT_EQ(reader.ReadData(buf, request), static_cast<long long>(want)) << request;
        EXPECT_EQ(std::string(buf, want), std::string("xyz", want)) << request;
        ASSERT_EQ(reader.Next(&m), ArcReader::kMember) << request;
        EXPECT_EQ(m.name, "b") << request;
    }
}

// A stream its caller never closed (an exception on the way) still puts
// its buffered bytes in the file.
TEST(Streams, AStreamDestroyedUnclosedKeepsWhatWasWritten)
{
    ScratchDir dir;
    std::string temp;
    for (int beside : {0, 1}) {
        dir.Write("t.bin", "old");
        std::string path = dir.At("t.bin");
        {
            std::unique_ptr<ArcStream> out = beside ? SystemFs().CreateBeside(path, &temp) : SystemFs().Create(path);
            ASSERT_TRUE(out);
            ASSERT_TRUE(out->Write(std::string(1000, 'x').data(), 1000));
            ASSERT_TRUE(out->Write("end", 3));
        }
        std::string written = beside ? ReadWholeFile(temp) : dir.Read("t.bin");
        EXPECT_TRUE(written == std::string(1000, 'x') + "end") << beside;
        if (beside) {
            EXPECT_TRUE(SystemFs().Replace(temp, path));
            EXPECT_EQ(dir.Tree(), Names{"t.bin"});
        }
    }
}

TEST(Extract, InteractiveRename)
{
    std::string archive = BuildTar({{"a.txt", "a"}, {"b.txt", "b"}, {"c.txt", "c"}}, kArcUstar);
    struct Case {
        std::vector<std::string> answers;
        Names tree;
        bool completed;
    } cases[] = {
        {{".", "", "new.txt"}, {"a.txt", "new.txt"}, true},
        {{".", "\x18"}, {"a.txt"}, false},
        {{"../up.txt", "sub/b2.txt", "."}, {"c.txt", "sub/", "sub/b2.txt"}, true},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        ScriptedUi ui;
        ui.renames.assign(c.answers.begin(), c.answers.end());
        ExtractOptions o;
        o.rename = true;
        EXPECT_EQ(Extract(archive, kArcUstar, dir.path(), o, ui), c.completed);
        EXPECT_EQ(dir.Tree(), c.tree);
    }
}

TEST(Extract, ChecksumErrorAsksFirst)
{
    std::string archive = BuildTar({{"a.txt", "a"}, {"b.txt", "b"}}, kArcUstar);
    archive[0] = 'A';   // a.txt's header no longer sums
    struct Case {
        ArcUi::Answer answer;
        Names tree;
        bool completed;
    } cases[] = {
        {ArcUi::kYes, {"A.txt", "b.txt"}, true},
        {ArcUi::kNo, {"b.txt"}, true},
        {ArcUi::kCancel, {}, false},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        ScriptedUi ui;
        ui.answers.push_back(c.answer);
        EXPECT_EQ(Extract(archive, kArcUstar, dir.path(), ExtractOptions(), ui), c.completed);
        EXPECT_EQ(dir.Tree(), c.tree);
        ASSERT_EQ(ui.questions.size(), 1u);
        EXPECT_EQ(ui.questions[0],
                  "Header checksum error for file A.txt!!!  This could indicate a media fault.  "
                  "Select YES to extract the file anyway, NO to skip this file, or CANCEL to "
                  "abandon.");
    }
}

TEST(Extract, DataCutShortLeavesNoPartialFile)
{
    std::string tar = BuildTar({{"a.txt", "a"}, {"big", std::string(5000, 'b')}}, kArcUstar);
    std::string cpio = BuildCpio({{"a.txt", "a", 0, 0100644}, {"big", std::string(5000, 'b'), 0, 0100644}});
    struct Case {
        std::string archive;
        int type;
        bool bigExists;   // an old file is replaced only by a whole one; a new one is not left half written
        const char* message;
    } cases[] = {
        {tar.substr(0, 1024 + 512 + 3000), kArcUstar, true, "I/O error reading tar file"},
        {tar.substr(0, 1024 + 512 + 3000), kArcUstar, false, "I/O error reading tar file"},
        {cpio.substr(0, cpio.size() - 100), kArcCpio, true, "I/O error reading cpio file"},
        {cpio.substr(0, cpio.size() - 100), kArcCpio, false, "I/O error reading cpio file"},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        if (c.bigExists)
            dir.Write("big", "the old big");
        ScriptedUi ui;
        EXPECT_FALSE(Extract(c.archive, c.type, dir.path(), ExtractOptions(), ui));
        EXPECT_EQ(ui.messages, Names{c.message});
        EXPECT_EQ(dir.Tree(), c.bigExists ? (Names{"a.txt", "big"}) : Names{"a.txt"});
        if (c.bigExists) {
            EXPECT_EQ(dir.Read("big"), "the old big");
        }
    }
}

}   // namespace
