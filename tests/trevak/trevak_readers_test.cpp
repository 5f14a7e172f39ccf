// Writing an archive with the walk and the reads ahead of the writer against
// a walk in turn: for every tree and fault below, what is said (in its
// order), the result and the archive's bytes must be the same for any
// number of readers.
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "arcformat.h"
#include "arcreader.h"
#include "arcwrite.h"
#include "trevak_test_support.h"

namespace {

using Lines = std::vector<std::string>;

// Everything the user is shown, in one sequence.
class LoggingUi : public ScriptedUi {
public:
    void Message(const std::string& text) override { log.push_back("say " + text); }
    void Progress(const std::string& name) override { log.push_back("file " + name); }
    Lines log;
};

// The system's file system with faults at paths relative to a source: files
// that cannot be opened, directories that cannot be listed, names a
// listing shows that are gone by the time they are opened, and an archive
// that takes only so many bytes. It keeps no state, so the walker and the
// readers may call it at once.
class FaultFs : public ForwardingFs {
public:
    std::string source;
    std::set<std::string> unreadable, unlistable;
    std::set<std::string> vanished;   // "dir/name": listed in dir, never there
    long long maxFileSize = -1;       // archive files written grow no larger; -1: no limit

    std::unique_ptr<ArcStream> OpenRead(const std::string& p) override
    {
        if (unreadable.count(Rel(p)))
            return nullptr;
        return base_.OpenRead(p);
    }
    bool ListDir(const std::string& p, std::vector<ArcDirEntry>* out) override
    {
        if (unlistable.count(Rel(p)) || !base_.ListDir(p, out))
            return false;
        std::string rel = Rel(p);
        for (const std::string& v : vanished) {
            size_t cut = v.rfind('/');
            if ((cut == std::string::npos ? std::string() : v.substr(0, cut)) == rel)
                out->push_back({cut == std::string::npos ? v : v.substr(cut + 1)});
        }
        return true;
    }
    std::unique_ptr<ArcStream> CreateBeside(const std::string& target, std::string* temp) override
    {
        std::unique_ptr<ArcStream> s = base_.CreateBeside(target, temp);
        if (!s || maxFileSize < 0)
            return s;
        return std::unique_ptr<ArcStream>(new Limited(std::move(s), maxFileSize));
    }

private:
    class Limited : public ForwardingStream {
    public:
        Limited(std::unique_ptr<ArcStream> s, long long max) : ForwardingStream(std::move(s)), max_(max) {}
        bool Write(const void* b, size_t n) override
        {
            return s_->Tell() + static_cast<long long>(n) <= max_ && s_->Write(b, n);
        }

    private:
        long long max_;
    };

    // The path below the source ("" for the source itself).
    std::string Rel(const std::string& p) const
    {
        if (p == source)
            return "";
        return p.compare(0, source.size() + 1, source + "/") == 0 ? p.substr(source.size() + 1) : p;
    }
};

struct Case {
    const char* what;
    std::string pattern = "*.*";
    bool descend = true;
    int type = kArcUstar;
    FaultFs faults;
    const char* expectSaid = nullptr;   // a line the run in turn must say
    bool completes = true;
};

struct Outcome {
    bool completed = false;
    Lines log;
    std::string archive;
};

// Many small files in directories of a few files each, empty directories
// and directories with only subdirectories, files larger than what is read
// ahead whole, and empty files.
void MakeTree(const ScratchDir& dir)
{
    dir.MakeDir("src");
    for (int i = 0; i < 150; i++) {
        std::string d = "src/d" + std::to_string(i % 5) + "/s" + std::to_string(i % 7);
        dir.Write(d + "/f" + std::to_string(i) + (i % 3 ? ".txt" : ".c"),
                  std::string(static_cast<size_t>(i * 997 % 5000), static_cast<char>('a' + i % 26)));
    }
    dir.Write("src/top.txt", "at the top");
    dir.Write("src/d1/empty.txt", "");
    dir.Write("src/d2/big.bin", std::string((1 << 20) + 700, 'B'));
    dir.Write("src/d2/s3/bigger.bin", std::string((2 << 20) + 3, 'C'));
    dir.MakeDir("src/hollow");
    dir.MakeDir("src/d3/s0/deep/er/est");
    dir.MakeDir("src/zz/only/dirs");
}

Outcome WriteWith(const Case& c, const ScratchDir& dir, unsigned readers)
{
    std::string archive = dir.At("arc" + std::to_string(readers));
    dir.Write("arc" + std::to_string(readers), "old archive");
    FaultFs fs = c.faults;
    fs.source = dir.At("src");
    WriteOptions o;
    o.source = dir.At("src");
    o.pattern = c.pattern;
    o.descend = c.descend;
    o.type = c.type;
    o.readers = readers;
    LoggingUi ui;
    Outcome out;
    out.completed = WriteArchive(archive, o, fs, ui);
    out.log = ui.log;
    out.archive = ReadWholeFile(archive);
    return out;
}

std::vector<Case> Cases()
{
    std::vector<Case> cases;
    Case plain;
    plain.what = "a tree";
    cases.push_back(plain);

    Case cpio = plain;
    cpio.what = "a tree in cpio";
    cpio.type = kArcCpio;
    cases.push_back(cpio);

    Case words = plain;
    words.what = "two words, without descending";
    words.pattern = "*.c top.*";
    words.descend = false;
    cases.push_back(words);

    Case some = plain;
    some.what = "a pattern that takes some files of each directory";
    some.pattern = "f1*.txt *.bin";
    cases.push_back(some);

    Case unreadable = plain;
    unreadable.what = "a file that cannot be opened in the middle";
    unreadable.faults.unreadable = {"d2/s2/f107.txt"};
    unreadable.expectSaid = "say cant open file d2/s2/f107.txt\r\nAbandoning archive";
    unreadable.completes = false;
    cases.push_back(unreadable);

    Case unlistable = plain;
    unlistable.what = "directories that cannot be listed";
    unlistable.faults.unlistable = {"d1/s4", "d3", "hollow"};
    unlistable.expectSaid = "say cant access directory d3 - skipped";
    cases.push_back(unlistable);

    Case vanished = plain;
    vanished.what = "a file gone between its listing and its reading";
    vanished.faults.vanished = {"d4/s1/gone.txt"};
    vanished.expectSaid = "say cant open file d4/s1/gone.txt\r\nAbandoning archive";
    vanished.completes = false;
    cases.push_back(vanished);

    Case full = plain;
    full.what = "the archive's disk is full in the middle";
    full.faults.maxFileSize = 300000;
    full.expectSaid = "say Error writing archive - archive abandoned";
    full.completes = false;
    cases.push_back(full);
    return cases;
}

TEST(Readers, WritingSaysAndWritesWhatAWalkInTurnDoes)
{
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.what);
        ScratchDir dir;
        MakeTree(dir);
        Outcome turn = WriteWith(c, dir, 1);
        if (c.expectSaid) {
            bool said = false;
            for (const std::string& line : turn.log)
                said = said || line == c.expectSaid;
            EXPECT_TRUE(said) << c.expectSaid;
        }
        EXPECT_EQ(turn.completed, c.completes);
        if (!turn.completed) {
            EXPECT_EQ(turn.archive, "old archive");
        }
        for (unsigned readers : {2u, 8u, 0u}) {
            SCOPED_TRACE(readers);
            for (int round = 0; round < 3; round++) {
                Outcome o = WriteWith(c, dir, readers);
                EXPECT_EQ(o.completed, turn.completed);
                EXPECT_EQ(o.log, turn.log);
                EXPECT_TRUE(o.archive == turn.archive);
            }
        }
    }
}

// The walk's order across directory ends, seen whole: a directory's files,
// then its subdirectories in name order, each followed by its own walk.
TEST(Readers, TheWalkGoesOnAcrossDirectoriesInItsOrder)
{
    ScratchDir dir;
    dir.Write("src/b/2.txt", "2");
    dir.Write("src/b/1.txt", "1");
    dir.MakeDir("src/a");
    dir.Write("src/c/x/3.txt", "3");
    dir.MakeDir("src/c/x/y");
    dir.Write("src/c/4.txt", "4");
    dir.Write("src/0.txt", "0");
    for (unsigned readers : {1u, 2u, 8u}) {
        Case c;
        Outcome o = WriteWith(c, dir, readers);
        ASSERT_TRUE(o.completed) << readers;
        EXPECT_EQ(o.log, (Lines{"file 0.txt", "file b/1.txt", "file b/2.txt", "file c/4.txt", "file c/x/3.txt"}))
            << readers;
        EXPECT_EQ(MemberNames(o.archive, kArcUstar),
                  (Lines{"0.txt", "a/", "b/", "b/1.txt", "b/2.txt", "c/", "c/4.txt", "c/x/", "c/x/3.txt", "c/x/y/"}))
            << readers;
    }
}

}   // namespace

// Directories one after another with no file between them, which the
// writer takes as soon as the walk has them, while the readers have no
// file to open: the walk and the archive stay those of a walk in turn.
TEST(Readers, RunsOfEmptyDirectoriesBetweenFiles)
{
    ScratchDir dir;
    for (int i = 0; i < 300; i++) {
        char name[32];
        snprintf(name, sizeof name, "src/e%03d", i);
        if (i % 25 == 7)
            dir.Write(std::string(name) + "/f.txt", name);
        else
            dir.MakeDir(name);
    }
    Case c;
    Outcome turn = WriteWith(c, dir, 1);
    ASSERT_TRUE(turn.completed);
    EXPECT_EQ(turn.log.size(), 12u);
    for (unsigned readers : {2u, 8u}) {
        for (int round = 0; round < 5; round++) {
            Outcome o = WriteWith(c, dir, readers);
            EXPECT_EQ(o.completed, turn.completed) << readers;
            EXPECT_EQ(o.log, turn.log) << readers;
            EXPECT_TRUE(o.archive == turn.archive) << readers;
        }
    }
}
