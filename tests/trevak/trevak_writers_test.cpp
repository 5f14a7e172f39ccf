// Extraction with writer threads against extraction in turn: for every
// archive and fault below, what is said (in its order), what is asked, the
// result and the files left on disk must be the same for any number of
// writers.
#include <chrono>
#include <memory>
#include <thread>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "arcextract.h"
#include "arcformat.h"
#include "trevak_test_support.h"

namespace {

// Everything the user is shown, in one sequence.
class LoggingUi : public ScriptedUi {
public:
    void Message(const std::string& text) override { log.push_back("say " + text); }
    Answer AskYesNoCancel(const std::string& text) override
    {
        log.push_back("ask " + text);
        return ScriptedUi::AskYesNoCancel(text);
    }
    bool AskRename(const std::string& from, std::string* to) override
    {
        log.push_back("rename " + from);
        return ScriptedUi::AskRename(from, to);
    }
    void Progress(const std::string& name) override { log.push_back("file " + name); }

    std::vector<std::string> log;
};

bool EndsWith(const std::string& path, const std::string& name)
{
    return !name.empty() && path.size() >= name.size() &&
           path.compare(path.size() - name.size(), name.size(), name) == 0;
}

// A stream whose writes fail, as on a full disk, and only after a while,
// so that the extraction has gone on to later members by then.
class FailingStream : public ForwardingStream {
public:
    explicit FailingStream(std::unique_ptr<ArcStream> base, bool failClose)
        : ForwardingStream(std::move(base)), failClose_(failClose)
    {
    }
    bool Write(const void* b, size_t n) override
    {
        if (failClose_)
            return s_->Write(b, n);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        return false;
    }
    bool Close() override
    {
        if (!failClose_)
            return s_->Close();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        s_->Close();
        return false;
    }

private:
    bool failClose_;
};

// The system's file system with faults at named files; it keeps no state,
// so the writers may call it at once.
class FaultFs : public ForwardingFs {
public:
    std::string failCreate, failWrite, failClose, failMakeDir;

    std::unique_ptr<ArcStream> Create(const std::string& p) override
    {
        if (EndsWith(p, "/" + failCreate))
            return nullptr;
        std::unique_ptr<ArcStream> s = base_.Create(p);
        if (s && (EndsWith(p, "/" + failWrite) || EndsWith(p, "/" + failClose)))
            return std::unique_ptr<ArcStream>(new FailingStream(std::move(s), EndsWith(p, "/" + failClose)));
        return s;
    }
    bool MakeDir(const std::string& p) override { return !EndsWith(p, "/" + failMakeDir) && base_.MakeDir(p); }
};

struct Outcome {
    bool completed = false;
    std::vector<std::string> log;
    std::vector<std::string> files;   // name, then contents, write permission and time of each file
};

struct Case {
    const char* what;
    std::vector<TestMember> members;
    ExtractOptions options;
    std::vector<ArcUi::Answer> answers;
    std::vector<std::string> renames;
    std::vector<TestMember> existing;   // in the target beforehand
    FaultFs faults;
    size_t cut = 0;                     // bytes taken off the archive's end
    int corruptMember = -1;             // this member's header made unreadable
    int badSumMember = -1;              // this member's header no longer sums
    const char* expectSaid = nullptr;   // a line the run in turn must say
};

std::string Archive(const Case& c)
{
    std::string a = BuildTar(c.members, kArcUstar);
    size_t at = 0;
    for (int i = 0; i < static_cast<int>(c.members.size()); i++) {
        if (i == c.corruptMember)
            a.replace(at + 100, 8, "zzzzzzzz");   // the mode is no longer octal
        if (i == c.badSumMember)
            a[at + 150] = a[at + 150] == '1' ? '2' : '1';
        at += 512 + (c.members[i].data.size() + 511) / 512 * 512;
    }
    return a.substr(0, a.size() - c.cut);
}

Outcome ExtractWith(const Case& c, unsigned writers)
{
    ScratchDir dir;
    for (const TestMember& m : c.existing)
        dir.Write(m.name, m.data);
    LoggingUi ui;
    ui.answers.assign(c.answers.begin(), c.answers.end());
    ui.renames.assign(c.renames.begin(), c.renames.end());
    ExtractOptions o = c.options;
    o.writers = writers;
    FaultFs fs = c.faults;
    std::string archive = Archive(c);
    ArcMemStream in(archive.data(), archive.size());
    Outcome out;
    out.completed = ExtractArchive(in, kArcUstar, dir.path(), o, fs, ui);
    out.log = ui.log;
    for (const std::string& name : dir.Tree()) {
        out.files.push_back(name);
        if (name.back() == '/')
            continue;
        ArcStatus st;
        EXPECT_TRUE(SystemFs().Stat(dir.At(name), &st));
        out.files.push_back(dir.Read(name));
        out.files.push_back(st.mode & 0200u ? "writable" : "read only");
        if (c.options.restoreTimes)
            out.files.push_back(std::to_string(st.mtime));
        if (!(st.mode & 0200u))
            SystemFs().Remove(dir.At(name));   // a read-only file would outlive the scratch directory
    }
    return out;
}

// Many small files in a few directories, with a large one, links, an
// empty and a read-only file among them.
std::vector<TestMember> Tree()
{
    std::vector<TestMember> t;
    t.push_back({"d0/", "", '5'});
    for (int i = 0; i < 60; i++) {
        std::string dir = "d" + std::to_string(i / 20);
        if (i % 20 == 0 && i > 0)
            t.push_back({dir + "/", "", '5'});
        t.push_back({dir + "/f" + std::to_string(i),
                     std::string(static_cast<size_t>(i * 37 % 3000), static_cast<char>('a' + i % 26))});
        if (i == 10)
            t.push_back({"d0/big", std::string((1 << 20) + 5, 'B')});
        if (i == 25) {
            t.push_back({"d1/hard", "", '1'});
            t.push_back({"d1/soft", "", '2'});
            t.push_back({"d1/empty", ""});
            t.push_back({"d1/ro", "read only", '0', 0444});
            t.push_back({"d1/sub/deep/g", "made with its parents"});
        }
    }
    return t;
}

std::vector<Case> Cases()
{
    std::vector<Case> cases;
    Case plain;
    plain.what = "a tree";
    plain.members = Tree();
    cases.push_back(plain);

    Case times = plain;
    times.what = "times restored";
    times.options.restoreTimes = true;
    for (size_t i = 0; i < times.members.size(); i++)
        times.members[i].mtime = 1000000000 + static_cast<long long>(i) * 3600;
    cases.push_back(times);

    Case write = plain;
    write.what = "a write fails in the middle";
    write.faults.failWrite = "f30";
    write.expectSaid = "say d1/f30: write error - extraction stopped";
    cases.push_back(write);

    Case before = plain;
    before.what = "a write fails just before a directory";
    before.faults.failWrite = "f39";
    before.expectSaid = "say d1/f39: write error - extraction stopped";
    cases.push_back(before);

    Case close = plain;
    close.what = "a close fails in the middle";
    close.faults.failClose = "f41";
    close.expectSaid = "say d2/f41: write error - extraction stopped";
    cases.push_back(close);

    Case create = plain;
    create.what = "a create fails in the middle";
    create.faults.failCreate = "f12";
    create.expectSaid = "say d0/f12: create file fails";
    cases.push_back(create);

    Case dir = plain;
    dir.what = "a directory cannot be made";
    dir.faults.failMakeDir = "d2";
    dir.expectSaid = "say d2: cant create directory";
    cases.push_back(dir);

    Case again = plain;
    again.what = "names met twice, a file in a directory's place";
    again.members.insert(again.members.begin() + 5, {"d0/f1", "the second d0/f1"});
    again.members.insert(again.members.begin() + 6, {"D0/F2", "another case"});
    again.members.insert(again.members.begin() + 7, {"d0/x", "a file"});
    again.members.insert(again.members.begin() + 8, {"d0/x/y", "under a file"});
    again.members.insert(again.members.begin() + 9, {"d0/f3./", "", '5'});
    again.members.insert(again.members.begin() + 10, {"d0/F4~1", "a short name"});
    again.expectSaid = "say d0/x: cant create directory";
    cases.push_back(again);

    Case keep = again;
    keep.what = "names met twice, old files kept";
    keep.options.noOverwrite = true;
    keep.existing = {{"d0/f6", "old f6"}, {"d1/f22", "old f22"}};
    cases.push_back(keep);

    Case older = keep;
    older.what = "old files kept when newer";
    older.options.noOverwrite = false;
    older.options.ignoreOlder = true;
    cases.push_back(older);

    Case sum = plain;
    sum.what = "checksum questions, then Cancel";
    sum.badSumMember = 4;
    sum.answers = {ArcUi::kNo};
    Case sum2 = sum;
    sum2.badSumMember = 35;
    sum2.answers = {ArcUi::kCancel};
    sum2.expectSaid =
        "ask Header checksum error for file d1/f27!!!  This could indicate a media fault.  Select "
        "YES to extract the file anyway, NO to skip this file, or CANCEL to abandon.";
    cases.push_back(sum);
    cases.push_back(sum2);

    Case rename = plain;
    rename.what = "every file renamed, two to one name, then Cancel";
    rename.members.resize(20);
    rename.options.rename = true;
    rename.renames = {".", "d0/same", "d0/same", "", ".", "../out", ".", ".", "\x18"};
    rename.expectSaid = "say ../out: unsafe name - not extracted";
    cases.push_back(rename);

    Case cut = plain;
    cut.what = "the archive ends inside a file";
    cut.cut = 1024 + 2000;
    cut.expectSaid = "say I/O error reading tar file";
    cases.push_back(cut);

    Case corrupt = plain;
    corrupt.what = "a header that cannot be read";
    corrupt.corruptMember = 50;
    corrupt.expectSaid = "say Corrupt archive - sorry";
    cases.push_back(corrupt);

    Case selected = plain;
    selected.what = "selected members";
    selected.options.selectedOnly = true;
    selected.options.selected = {0, 2, 3, 5, 8, 13, 21, 34, 35, 36, 37, 38, 39, 55};
    cases.push_back(selected);
    return cases;
}

TEST(Writers, ExtractionSaysAndLeavesWhatARunInTurnDoes)
{
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.what);
        Outcome turn = ExtractWith(c, 1);
        if (c.expectSaid) {
            bool said = false;
            for (const std::string& line : turn.log)
                said = said || line == c.expectSaid;
            EXPECT_TRUE(said) << c.expectSaid;
        }
        EXPECT_FALSE(turn.files.empty());
        for (unsigned writers : {2u, 8u, 0u}) {
            SCOPED_TRACE(writers);
            for (int round = 0; round < 3; round++) {
                Outcome o = ExtractWith(c, writers);
                EXPECT_EQ(o.completed, turn.completed);
                EXPECT_EQ(o.log, turn.log);
                EXPECT_EQ(o.files, turn.files);
            }
        }
    }
}

// A failure that stops the run leaves nothing of the members after it,
// however far the writers had gone.
TEST(Writers, AStoppedRunLeavesNoLaterFile)
{
    Case c;
    c.what = "";
    for (int i = 0; i < 200; i++)
        c.members.push_back({"f" + std::to_string(i), "x"});
    c.faults.failWrite = "f3";
    for (unsigned writers : {1u, 8u}) {
        Outcome o = ExtractWith(c, writers);
        EXPECT_FALSE(o.completed);
        EXPECT_EQ(o.files,
                  (std::vector<std::string>{"f0", "x", "writable", "f1", "x", "writable", "f2", "x", "writable"}));
        EXPECT_EQ(o.log,
                  (std::vector<std::string>{
                      "file f0", "file f1", "file f2", "file f3", "say f3: write error - extraction stopped"}));
    }
}

// Directories are made while files before them are still being made; a
// failure among those takes back every directory made after it, nested or
// not, as well as the files.
TEST(Writers, AStoppedRunLeavesNoLaterDirectory)
{
    Case c;
    c.what = "";
    c.members.push_back({"top/", "", '5'});
    for (int i = 0; i < 40; i++) {
        c.members.push_back({"top/f" + std::to_string(i), "x"});
        if (i % 4 == 3) {
            std::string d = "top/d" + std::to_string(i);
            c.members.push_back({d + "/", "", '5'});
            c.members.push_back({d + "/deeper/", "", '5'});
            c.members.push_back({d + "/deeper/g", "y"});
            c.members.push_back({"implied" + std::to_string(i) + "/by/h", "z"});
        }
    }
    c.faults.failWrite = "f5";
    for (unsigned writers : {1u, 8u}) {
        Outcome o = ExtractWith(c, writers);
        EXPECT_FALSE(o.completed);
        EXPECT_EQ(o.files,
                  (std::vector<std::string>{"implied3/", "implied3/by/",   "implied3/by/h",   "z", "writable", "top/",
                                            "top/d3/",   "top/d3/deeper/", "top/d3/deeper/g", "y", "writable", "top/f0",
                                            "x",         "writable",       "top/f1",          "x", "writable", "top/f2",
                                            "x",         "writable",       "top/f3",          "x", "writable", "top/f4",
                                            "x",         "writable"}))
            << writers;
    }
}

// A file met again in a directory the run made is found there: kept when
// old files are kept or when it is newer, and a directory in its place is
// not written over (nor said to be when existing files are left alone),
// however many writers there are.
TEST(Writers, ANameMetAgainInANewDirectoryFindsWhatTheRunMade)
{
    struct Expect {
        bool noOverwrite, ignoreOlder;
        const char* a;
    } expects[] = {{false, false, "second"}, {true, false, "first"}, {false, true, "first"}};
    for (const Expect& e : expects) {
        Case c;
        c.what = "";
        c.members = {{"n/", "", '5'},
                     {"n/a", "first", '0', 0644, 2000000000},
                     {"n/b/", "", '5'},
                     {"n/b", "a file where a directory is"},
                     {"n/a", "second", '0', 0644, 1000000000}};
        c.options.noOverwrite = e.noOverwrite;
        c.options.ignoreOlder = e.ignoreOlder;
        for (unsigned writers : {1u, 8u}) {
            Outcome o = ExtractWith(c, writers);
            EXPECT_TRUE(o.completed);
            EXPECT_EQ(o.files, (std::vector<std::string>{"n/", "n/a", e.a, "writable", "n/b/"})) << writers;
            bool said = false;
            for (const std::string& line : o.log)
                said = said || line == "say n/b: create file fails";
            EXPECT_EQ(said, !e.noOverwrite && !e.ignoreOlder) << writers;
        }
    }
}

}   // namespace
