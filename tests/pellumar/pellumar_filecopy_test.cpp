// Copy and delete over a scratch tree: what arrives where, what is refused,
// and that no failure loses or truncates a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "filecopy.h"
#include "fileout.h"
#include "platform.h"
#include "scratch.h"

namespace {

// Arms the tool library's write fault for one copy: the writes fail after
// the first block, or the close does; disarmed when the object goes.
class ArmedFault {
public:
    ArmedFault(bool failWrite, bool failClose)
    {
        if (failWrite)
            ArmWriteFault(WriteFault::kWrite, 512);
        else if (failClose)
            ArmWriteFault(WriteFault::kClose, 0);
    }
    ~ArmedFault() { ArmWriteFault(WriteFault::kNone); }
};

// A character device every system has, spelled as a user types it.
#ifdef _WIN32
const char kDevice[] = "NUL";
const char kDeviceTarget[] = "nul";   // the copy lowers the target's name
#else
const char kDevice[] = "/dev/null";
const char kDeviceTarget[] = "/dev/null";
#endif

std::string Sep()
{
    return std::string(1, platform::Separator());
}

// The scratch tree every case starts from, the scratch directory current:
//   a.txt b.txt all.txt big.dat   (contents named after the file)
//   sub/ a.txt c.txt hidden.txt deeper/ inner.txt
//   dst/
struct Tree {
    ScratchDir scratch;
    std::string big = std::string(5000, 'q') + "end";
    Tree()
    {
        WriteBytes(scratch / "a.txt", "top a\n");
        WriteBytes(scratch / "b.txt", "top b\n");
        WriteBytes(scratch / "all.txt", "all\n");
        WriteBytes(scratch / "big.dat", big);
        MakeDir(scratch / "sub");
        WriteBytes(scratch / "sub/a.txt", "sub a\n");
        WriteBytes(scratch / "sub/c.txt", "sub c\n");
        WriteBytes(scratch / "sub/hidden.txt", "sub hidden\n");
        MakeDir(scratch / "sub/deeper");
        WriteBytes(scratch / "sub/deeper/inner.txt", "inner\n");
        MakeDir(scratch / "dst");
    }
    std::string Read(const std::string& relative) const
    {
        std::string bytes;
        return ReadBytes(scratch / relative, bytes) ? bytes : "<missing>";
    }
};

struct CopyCase {
    const char* what;
    std::string from, to;
    bool failWrite, failClose;
    std::vector<std::pair<std::string, std::string>> files;   // relative path, content after
    std::vector<std::string> topNames;                        // names in the scratch root after
    std::vector<std::string> dstNames;                        // names in dst after
    std::vector<std::string> messages;
};

TEST(CopyFiles, TableOverAScratchTree)
{
    const std::vector<std::string> top = {"a.txt", "all.txt", "b.txt", "big.dat", "dst", "sub"};
    const std::string big = Tree().big;
    std::vector<CopyCase> cases = {
        {"file to file",
         "a.txt",
         "new.txt",
         false,
         false,
         {{"new.txt", "top a\n"}, {"a.txt", "top a\n"}},
         {"a.txt", "all.txt", "b.txt", "big.dat", "dst", "new.txt", "sub"},
         {},
         {}},
        {"file to an existing file", "a.txt", "b.txt", false, false, {{"b.txt", "top a\n"}}, top, {}, {}},
        {"files to a directory",
         "*.txt",
         "dst",
         false,
         false,
         {{"dst/a.txt", "top a\n"}, {"dst/all.txt", "all\n"}},
         top,
         {"a.txt", "all.txt", "b.txt"},
         {}},
        {"a pattern onto one file",
         "a.txt b.txt",
         "dst" + Sep() + "one.txt",
         false,
         false,
         {{"dst/one.txt", "top b\n"}},
         top,
         {"one.txt"},
         {}},
        {"directory to directory",
         "sub",
         "dst",
         false,
         false,
         {{"dst/a.txt", "sub a\n"}, {"dst/c.txt", "sub c\n"}},
         top,
         {"a.txt", "c.txt", "hidden.txt"},
         {}},
        {"in place", "big.dat", "", false, false, {{"big.dat", big}}, top, {}, {}},
        {"a word with a directory part",
         "sub" + Sep() + "*.txt",
         "dst",
         false,
         false,
         {{"dst/a.txt", "sub a\n"}, {"a.txt", "top a\n"}},
         top,
         {"a.txt", "c.txt", "hidden.txt"},
         {}},
        {"onto itself through the directory",
         "a.txt",
         ".",
         false,
         false,
         {{"a.txt", "top a\n"}},
         top,
         {},
         {"cant copy a.txt onto itself"}},
        {"a directory onto itself",
         "sub",
         "sub",
         false,
         false,
         {{"sub/a.txt", "sub a\n"}, {"sub/c.txt", "sub c\n"}},
         top,
         {},
         {"cant copy sub/a.txt onto itself",
          "cant copy sub/c.txt onto itself",
          "cant copy sub/hidden.txt onto itself"}},
        {"a list holding its own target",
         "*.txt",
         "all.txt",
         false,
         false,
         {{"all.txt", "top b\n"}, {"a.txt", "top a\n"}, {"b.txt", "top b\n"}},
         top,
         {},
         {"cant copy all.txt onto itself"}},
        {"a write failure in place keeps the source",
         "big.dat",
         "",
         true,
         false,
         {{"big.dat", big}},
         top,
         {},
         {"cant write big.dat"}},
        {"a close failure in place keeps the source",
         "big.dat",
         "",
         false,
         true,
         {{"big.dat", big}},
         top,
         {},
         {"cant write big.dat"}},
        {"a write failure keeps the old target",
         "big.dat",
         "a.txt",
         true,
         false,
         {{"a.txt", "top a\n"}, {"big.dat", big}},
         top,
         {},
         {"cant write a.txt"}},
        {"a file to a device", "a.txt", kDevice, false, false, {{"a.txt", "top a\n"}}, top, {}, {}},
        {"a list to a device", "*.txt big.dat", kDevice, false, false, {{"big.dat", big}}, top, {}, {}},
        {"a write failure on a device is told",
         "big.dat",
         kDevice,
         true,
         false,
         {{"big.dat", big}},
         top,
         {},
         {std::string("cant write ") + kDeviceTarget}},
        {"a close failure on a device is told",
         "a.txt",
         kDevice,
         false,
         true,
         {{"a.txt", "top a\n"}},
         top,
         {},
         {std::string("cant write ") + kDeviceTarget}},
        {"a directory to no directory", "sub", "nothing", false, false, {}, top, {}, {"usage: copy dir1 dir2"}},
        {"nothing named", "", "dst", false, false, {}, top, {}, {"Cant open specified input file"}},
        {"a missing file", "none.txt", "dst", false, false, {}, top, {}, {"Cant open specified input file"}},
    };
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.what);
        Tree tree;
        CurrentDirectoryGuard inside(tree.scratch.path());
        RecordingUi ui;
        {
            ArmedFault fault(c.failWrite, c.failClose);
            CopyFiles(c.from, c.to, ui);
        }
        for (const auto& file : c.files)
            EXPECT_EQ(tree.Read(file.first), file.second) << file.first;
        // No temporary file is left behind, and nothing else appears.
        EXPECT_EQ(NamesIn(tree.scratch.path()), c.topNames);
        EXPECT_EQ(NamesIn(tree.scratch / "dst"), c.dstNames);
        EXPECT_EQ(NamesIn(tree.scratch / "sub"), (std::vector<std::string>{"a.txt", "c.txt", "deeper", "hidden.txt"}));
        // Messages name paths with the separator the user typed; compare
        // them with forward slashes.
        std::vector<std::string> messages = ui.messages;
        for (std::string& message : messages)
            for (char& ch : message)
                if (ch == '\\')
                    ch = '/';
        // A directory's files come in the order the system lists them.
        std::sort(messages.begin(), messages.end());
        EXPECT_EQ(messages, c.messages);
    }
}

TEST(CopyFiles, TargetsAreLowerCase)
{
    Tree tree;
    CurrentDirectoryGuard inside(tree.scratch.path());
    RecordingUi ui;
    CopyFiles("a.txt", "Copy Of A.TXT", ui);
    CopyFiles("b.txt", "dst", ui);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(tree.Read("copy of a.txt"), "top a\n");
    EXPECT_EQ(NamesIn(tree.scratch / "dst"), (std::vector<std::string>{"b.txt"}));
}

TEST(CopyFiles, AFileOnDiskIsReplacedByANewFileNotRewritten)
{
    // A second name of the old target keeps the old bytes only when the copy
    // was put in its place; a copy written into the target would show
    // through it, and a failure half way would have cut it.
    for (const char* to : {"b.txt", "dst"}) {
        SCOPED_TRACE(to);
        Tree tree;
        CurrentDirectoryGuard inside(tree.scratch.path());
        std::string target = std::string(to) == "dst" ? "dst/a.txt" : "b.txt";
        WriteBytes(tree.scratch / target, "old\n");
        std::error_code error;
        std::filesystem::create_hard_link(tree.scratch / target, tree.scratch / "old-name", error);
        ASSERT_FALSE(error) << error.message();
        RecordingUi ui;
        CopyFiles("a.txt", to, ui);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(tree.Read(target), "top a\n");
        EXPECT_EQ(tree.Read("old-name"), "old\n");
    }
}

TEST(ExpandNameList, WordsInOrderNamesSortedDirectoriesLeftOut)
{
    Tree tree;
    CurrentDirectoryGuard inside(tree.scratch.path());
    RecordingUi ui;
    std::vector<std::string> names;
    ASSERT_TRUE(ExpandNameList("b.txt  *.txt sub" + Sep() + "c.txt ", names, ui));
    EXPECT_EQ(names, (std::vector<std::string>{"b.txt", "a.txt", "all.txt", "b.txt", "sub" + Sep() + "c.txt"}));
    EXPECT_FALSE(ExpandNameList("sub dst", names, ui));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Cant open specified input file"}));
}

TEST(DeleteNamedFiles, ConfirmationYesNoCancel)
{
    struct Case {
        const char* what;
        std::vector<Answer> answers;
        bool relist;
        std::vector<std::string> left;
        size_t prompts;
    } cases[] = {
        {"yes to all", {kAnswerYes, kAnswerYes, kAnswerYes}, true, {"dst", "big.dat", "sub"}, 3},
        {"no skips one", {kAnswerNo, kAnswerYes, kAnswerNo}, true, {"a.txt", "b.txt", "big.dat", "dst", "sub"}, 3},
        {"cancel ends at once", {kAnswerYes, kAnswerCancel}, false, {"all.txt", "b.txt", "big.dat", "dst", "sub"}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Tree tree;
        CurrentDirectoryGuard inside(tree.scratch.path());
        RecordingUi ui;
        ui.answers = c.answers;
        EXPECT_EQ(DeleteNamedFiles("*.TXT", true, ui), c.relist);
        std::vector<std::string> left = c.left;
        std::sort(left.begin(), left.end());
        EXPECT_EQ(NamesIn(tree.scratch.path()), left);
        std::vector<std::string> prompts = {"delete file: a.txt", "delete file: all.txt", "delete file: b.txt"};
        prompts.resize(c.prompts);
        EXPECT_EQ(ui.prompts, prompts);
        EXPECT_EQ(NamesIn(tree.scratch / "sub").size(), 4u);
    }
}

TEST(DeleteNamedFiles, AWordWithADirectoryPartDeletesThereOnly)
{
    Tree tree;
    CurrentDirectoryGuard inside(tree.scratch.path());
    RecordingUi ui;
    EXPECT_TRUE(DeleteNamedFiles("sub" + Sep() + "a.txt sub" + Sep() + "c.*", false, ui));
    EXPECT_TRUE(ui.prompts.empty());
    EXPECT_EQ(tree.Read("a.txt"), "top a\n");
    EXPECT_EQ(NamesIn(tree.scratch / "sub"), (std::vector<std::string>{"deeper", "hidden.txt"}));
}

TEST(DeleteNamedFiles, NothingMatchesNoRelist)
{
    Tree tree;
    CurrentDirectoryGuard inside(tree.scratch.path());
    RecordingUi ui;
    EXPECT_FALSE(DeleteNamedFiles("*.none", false, ui));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Cant open specified input file"}));
}

}
