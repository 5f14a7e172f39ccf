// End-to-end tests of trevak: the real program under Wine, started with an
// archive on its command line or none, driven through its menus and dialogs
// and read back from its member list, its message boxes, the clipboard and
// the files it writes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arcformat.h"
#include "arcreader.h"
#include "auto.h"
#include "trevak/resource.h"
#include "trevak_test_support.h"

using namespace tamrel_auto;

namespace {

const char kFrameEnd[] = " - Trevak for Windows";
const char kNoArchive[] = "[No Archive] - Trevak for Windows";

std::vector<TestMember> ThreeMembers()
{
    return {{"Docs/", "", '5', 0755}, {"Docs/A.txt", "alpha\r\n"}, {"b.bin", std::string(700, 'b')}};
}

std::string Archive(int type, const std::vector<TestMember>& members)
{
    if (type != kArcCpio)
        return BuildTar(members, type);
    std::vector<TestMember> cpio = members;
    for (TestMember& m : cpio) {
        m.mode |= m.typeflag == '5' ? 040000u : 0100000u;
        if (m.typeflag == '5' && m.name.back() == '/')
            m.name.pop_back();
    }
    // Padded as cpio pads, so that it is not refused for being short.
    std::string bytes = BuildCpio(cpio);
    return bytes + std::string((512 - bytes.size() % 512) % 512, '\0');
}

// The member lines the program must show: the engine's line of each header.
std::vector<std::string> ExpectedLines(const std::string& bytes, int type, bool verbose)
{
    ArcMemStream in(bytes.data(), bytes.size());
    ScriptedUi ui;
    std::vector<std::string> lines;
    ListArchive(
        in,
        type,
        [&](const ArcMember& m) {
            lines.push_back(FormatMemberLine(m.name, m.st, verbose));
            return true;
        },
        ui);
    return lines;
}

struct Trevak {
    Process process;

    Trevak(const std::string& directory, const std::string& tail)
        : process(Process::Launch(ProgramPath("trevak.exe"), tail, directory))
    {
    }
    Window Frame(const std::string& captionEnd = kFrameEnd) const { return process.WaitFrame(captionEnd); }
    static Window Members(const Window& frame)
    {
        for (const Window& w : frame.Descendants()) {
            if (w.Id() == IDC_MEMBERS && w.ClassName() == "ListBox")
                return w;
        }
        throw AutoError("no member list in " + frame.Describe());
    }
    std::string Message() const { return AnswerMessageBox(process); }
    // Waits until the frame's caption is exactly `caption`.
    void WaitCaption(const Window& frame, const std::string& caption) const
    {
        WaitUntil([&] { return frame.Caption() == caption; }, "caption " + caption);
    }
};

TEST(TrevakE2e, OpensEachTypeAndTogglesVerbose)
{
    struct Case {
        int type;
        const char* file;
    } cases[] = {{kArcUstar, "x.tar"}, {kArcTar, "old.tar"}, {kArcCpio, "c.cpio"}};
    for (const Case& c : cases) {
        TempDir temp;
        std::string bytes = Archive(c.type, ThreeMembers());
        temp.Write(c.file, bytes);
        Trevak t(temp.path(), temp.Path(c.file));
        Window frame = t.Frame(std::string(c.file) + kFrameEnd);
        Window list = Trevak::Members(frame);
        EXPECT_EQ(list.Items(), ExpectedLines(bytes, c.type, true)) << c.file;
        frame.MenuCommand(ID_VERBOSE);
        WaitUntil([&] { return list.Items() == ExpectedLines(bytes, c.type, false); }, "short listing");
        EXPECT_EQ(list.Items()[1], "docs/a.txt");
        frame.MenuCommand(ID_VERBOSE);
        WaitUntil([&] { return list.Items() == ExpectedLines(bytes, c.type, true); }, "long listing again");
    }
}

TEST(TrevakE2e, RefusesWhatIsNoArchive)
{
    TempDir temp;
    std::string ustar = Archive(kArcUstar, ThreeMembers());
    std::string corrupt = ustar;
    corrupt.replace(512 + 124, 2, "-1");   // the second header's size
    FixTarChecksum(reinterpret_cast<unsigned char*>(&corrupt[512]));
    temp.Write("short.tar", ustar.substr(0, 511));
    temp.Write("exact.tar", ustar.substr(0, 512));
    temp.Write("unknown.dat", std::string(512, 'u'));
    temp.Write("corrupt.tar", corrupt);
    struct Case {
        const char* file;
        std::string message;
        std::string caption;
        size_t lines;
    } cases[] = {
        {"short.tar", "Cant read archive - sorry", kNoArchive, 0},
        {"unknown.dat", "Unknown archive type - sorry", kNoArchive, 0},
        {"missing.tar", "cant open " + temp.Path("missing.tar"), kNoArchive, 0},
        {"corrupt.tar", "Corrupt archive - sorry", std::string("corrupt.tar") + kFrameEnd, 1},
        {"exact.tar", "", std::string("exact.tar") + kFrameEnd, 1},
    };
    for (const Case& c : cases) {
        Trevak t(temp.path(), temp.Path(c.file));
        if (!c.message.empty()) {
            EXPECT_EQ(t.Message(), c.message) << c.file;
        }
        Window frame = t.Frame("Trevak for Windows");
        t.WaitCaption(frame, c.caption);
        EXPECT_EQ(Trevak::Members(frame).Items().size(), c.lines) << c.file;
    }
}

// Fills the Read Archive dialog and presses OK.
void Read(const Trevak& t, const Window& frame, const std::string& target, bool selectedOnly, bool noOverwrite)
{
    frame.MenuCommand(ID_READ_ARCHIVE);
    Window dlg = t.process.WaitDialog("Read Archive");
    EXPECT_EQ(dlg.Child(IDC_SELECTED_FILES).Checked(), selectedOnly) << "the preset follows the selection";
    dlg.Child(IDC_DIRECTORY).SetText(target);
    dlg.Child(selectedOnly ? IDC_SELECTED_FILES : IDC_ALL_FILES).SelectRadio();
    dlg.Child(IDC_NO_OVERWRITE).SetChecked(noOverwrite);
    dlg.Child(IDOK).Click();
    dlg.WaitGone();
}

TEST(TrevakE2e, ReadsAllOrSelectedMembersWithOptions)
{
    TempDir temp;
    temp.Write("x.tar", Archive(kArcUstar, ThreeMembers()));
    Trevak t(temp.path(), temp.Path("x.tar"));
    Window frame = t.Frame(std::string("x.tar") + kFrameEnd);
    Window list = Trevak::Members(frame);

    std::string all = temp.MakeDir("all");
    Read(t, frame, all, false, false);
    // A file can be in place a moment before the program lets go of it, so
    // each is read until its bytes are there.
    auto holds = [](const std::string& path, const std::string& bytes) {
        std::string got;
        return TryReadFileBytes(path, &got) && got == bytes;
    };
    WaitUntil([&] { return holds(all + "\\Docs\\A.txt", "alpha\r\n"); }, "a.txt extracted whole");
    WaitUntil([&] { return holds(all + "\\b.bin", std::string(700, 'b')); }, "b.bin extracted whole");

    // Lines 1 and 2 selected; b.bin exists already and is kept.
    std::string some = temp.MakeDir("some");
    WriteFileBytes(some + "\\b.bin", "keep me");
    list.SetItemSelected(1, true);
    list.SetItemSelected(2, true);
    Read(t, frame, some, true, true);
    WaitUntil([&] { return FileExists(some + "\\Docs\\A.txt"); }, "a.txt extracted");
    EXPECT_EQ(ReadFileBytes(some + "\\b.bin"), "keep me");

    // Deselect All empties the selection; Select All takes every line.
    frame.MenuCommand(ID_DESELECT_ALL);
    WaitUntil([&] { return list.SelectedIndices().empty(); }, "no selection");
    frame.MenuCommand(ID_SELECT_ALL);
    WaitUntil([&] { return list.SelectedIndices() == std::vector<int>{0, 1, 2}; }, "every line selected");
}

TEST(TrevakE2e, AHostileArchiveWritesNothingOutsideTheTarget)
{
    TempDir temp;
    temp.Write("evil.tar", Archive(kArcUstar, {{"../evil.txt", "x"}, {"ok.txt", "fine"}}));
    std::string target = temp.MakeDir("target");
    Trevak t(temp.path(), temp.Path("evil.tar"));
    Window frame = t.Frame(std::string("evil.tar") + kFrameEnd);
    Read(t, frame, target, false, false);
    EXPECT_EQ(t.Message(), "../evil.txt: unsafe name - not extracted");
    WaitUntil([&] { return FileExists(target + "\\ok.txt"); }, "ok.txt extracted");
    EXPECT_FALSE(FileExists(temp.Path("evil.txt")));
}

TEST(TrevakE2e, CreateDirAndInteractiveRename)
{
    TempDir temp;
    temp.Write("x.tar", Archive(kArcUstar, {{"a.txt", "alpha"}, {"b.txt", "beta"}}));
    Trevak t(temp.path(), temp.Path("x.tar"));
    Window frame = t.Frame(std::string("x.tar") + kFrameEnd);
    frame.MenuCommand(ID_READ_ARCHIVE);
    Window dlg = t.process.WaitDialog("Read Archive");
    dlg.Child(IDC_DIRECTORY).SetText(temp.path());

    // Create Dir makes the directory below the target and takes it as the target.
    dlg.Child(IDC_CREATE_DIR).Click();
    Window mk = t.process.WaitDialog("Make Directory");
    mk.Child(IDC_NEW_DIR).SetText("made");
    mk.Child(IDOK).Click();
    mk.WaitGone();
    WaitUntil([&] { return Lower(dlg.Child(IDC_DIRECTORY).Text()) == Lower(temp.Path("made")); }, "the new target");
    EXPECT_TRUE(DirectoryExists(temp.Path("made")));
    // A name that exists already is refused and the target stays.
    dlg.Child(IDC_DIRECTORY).SetText(temp.path());
    dlg.Child(IDC_CREATE_DIR).Click();
    mk = t.process.WaitDialog("Make Directory");
    mk.Child(IDC_NEW_DIR).SetText("made");
    mk.Child(IDOK).Click();
    EXPECT_EQ(t.Message(), "Cant create directory - sorry");
    EXPECT_EQ(Lower(dlg.Child(IDC_DIRECTORY).Text()), Lower(temp.path()));

    // Each file's name is asked for: a new name, then an empty one (skipped).
    dlg.Child(IDC_DIRECTORY).SetText(temp.Path("made"));
    dlg.Child(IDC_RENAME).SetChecked(true);
    dlg.Child(IDOK).Click();
    dlg.WaitGone();
    Window rename = t.process.WaitDialog("Rename");
    EXPECT_EQ(rename.Child(IDC_RENAME_FROM).Text(), "a.txt");
    rename.Child(IDC_RENAME_TO).SetText("Renamed.txt");
    rename.Child(IDOK).Click();
    rename.WaitGone();
    rename = t.process.WaitDialog("Rename");
    EXPECT_EQ(rename.Child(IDC_RENAME_FROM).Text(), "b.txt");
    rename.Child(IDC_RENAME_TO).SetText("");
    rename.Child(IDOK).Click();
    rename.WaitGone();
    WaitUntil([&] { return FileExists(temp.Path("made\\Renamed.txt")); }, "the renamed file");
    EXPECT_EQ(ReadFileBytes(temp.Path("made\\Renamed.txt")), "alpha");
    EXPECT_FALSE(FileExists(temp.Path("made\\b.txt")));
    EXPECT_FALSE(FileExists(temp.Path("made\\a.txt")));
}

TEST(TrevakE2e, DetailsOfAnArchiveGoneFromDiskShowZeros)
{
    TempDir temp;
    temp.Write("x.tar", Archive(kArcUstar, ThreeMembers()));
    Trevak t(temp.path(), temp.Path("x.tar"));
    Window frame = t.Frame(std::string("x.tar") + kFrameEnd);
    ASSERT_TRUE(DeleteFileA(temp.Path("x.tar").c_str()));
    frame.MenuCommand(ID_DETAILS);
    Window info = t.process.WaitDialog("Archive Information...");
    EXPECT_EQ(info.Child(IDC_INFO_SIZE).Text(), "0");
    EXPECT_EQ(info.Child(IDC_INFO_UPDATED).Text(), "");
    EXPECT_EQ(info.Child(IDC_INFO_MEMBERS).Text(), "3");
    EXPECT_EQ(info.Child(IDC_INFO_FORMAT).Text(), "ustar");
    info.Child(IDOK).Click();
    info.WaitGone();
}

// A size past what a signed 32-bit number holds: an archive followed by zeros to three
// billion bytes (sparse where the file system allows).
TEST(TrevakE2e, DetailsShowTheSizeOfAnArchivePastTwoGigabytesInFull)
{
    TempDir temp;
    temp.Write("big.tar", Archive(kArcUstar, ThreeMembers()));
    HANDLE h = CreateFileA(temp.Path("big.tar").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = 3000000000LL;
    EXPECT_TRUE(SetFilePointerEx(h, size, nullptr, FILE_BEGIN) && SetEndOfFile(h));
    CloseHandle(h);
    Trevak t(temp.path(), temp.Path("big.tar"));
    Window frame = t.Frame(std::string("big.tar") + kFrameEnd);
    WaitUntil([&] { return Trevak::Members(frame).Items().size() == 3; }, "the members listed");
    frame.MenuCommand(ID_DETAILS);
    Window info = t.process.WaitDialog("Archive Information...");
    EXPECT_EQ(info.Child(IDC_INFO_SIZE).Text(), "3000000000");
    info.Child(IDOK).Click();
    info.WaitGone();
}

// Fills the Write Archive dialog and presses OK.
void Write(const Trevak& t, const Window& frame, const std::string& source, const std::string& files, int formatId,
           bool append)
{
    frame.MenuCommand(ID_WRITE_ARCHIVE);
    Window dlg = t.process.WaitDialog("Write Archive");
    EXPECT_EQ(dlg.Child(IDC_FILES).Text(), "*.*");
    EXPECT_TRUE(dlg.Child(IDC_DESCEND).Checked());
    EXPECT_TRUE(dlg.Child(IDC_CREATE).Checked());
    dlg.Child(IDC_DIRECTORY).SetText(source);
    dlg.Child(IDC_FILES).SetText(files);
    dlg.Child(formatId).SelectRadio();
    dlg.Child(append ? IDC_APPEND : IDC_CREATE).SelectRadio();
    dlg.Child(IDOK).Click();
    dlg.WaitGone();
}

TEST(TrevakE2e, NewWriteAppendDetailsAndCopy)
{
    TempDir temp;
    std::string src = temp.MakeDir("Src");
    temp.Write("Src\\one.txt", "one");
    temp.Write("Src\\skip.bin", "not matched");
    temp.MakeDir("Src\\Sub");
    temp.Write("Src\\Sub\\two.txt", "two");
    temp.Write("Src\\Sub\\three.bin", "three");

    Trevak t(temp.path(), "");
    Window frame = t.Frame();
    t.WaitCaption(frame, kNoArchive);
    frame.MenuCommand(ID_FILE_NEW);
    ChooseFile(t.process.WaitWindow([](const Window& w) { return w.ClassName() == "#32770"; }, "save dialog"),
               temp.Path("new.cpio"));
    t.WaitCaption(frame, std::string("new.cpio") + kFrameEnd);
    EXPECT_EQ(ReadFileBytes(temp.Path("new.cpio")), "");

    Write(t, frame, src, "*.txt", IDC_CPIO, false);
    Window list = Trevak::Members(frame);
    WaitUntil([&] { return list.Items().size() == 3; }, "three members");
    frame.MenuCommand(ID_VERBOSE);
    WaitUntil(
        [&] {
            return list.Items() == std::vector<std::string>{"one.txt", "sub", "sub/two.txt"};
        },
        "the created members");

    // Append keeps the cpio format whatever the dialog's format says.
    Write(t, frame, src, "*.bin", IDC_TAR, true);
    std::vector<std::string> after = {"one.txt", "sub", "sub/two.txt", "skip.bin", "sub", "sub/three.bin"};
    WaitUntil([&] { return list.Items() == after; }, "the appended members");
    std::string bytes = ReadFileBytes(temp.Path("new.cpio"));
    EXPECT_EQ(bytes.substr(0, 6), "070707");
    EXPECT_EQ(bytes.substr(bytes.size() - 11), std::string("TRAILER!!!\0", 11));

    frame.MenuCommand(ID_DETAILS);
    Window info = t.process.WaitDialog("Archive Information...");
    EXPECT_EQ(info.Child(IDC_INFO_FORMAT).Text(), "cpio");
    EXPECT_EQ(info.Child(IDC_INFO_MEMBERS).Text(), "6");
    EXPECT_EQ(info.Child(IDC_INFO_SIZE).Text(), std::to_string(bytes.size()));
    EXPECT_EQ(Lower(info.Child(IDC_INFO_NAME).Text()), Lower(temp.Path("new.cpio")));
    EXPECT_FALSE(info.Child(IDC_INFO_UPDATED).Text().empty());
    info.Child(IDOK).Click();
    info.WaitGone();

    EmptyClipboardNow();
    // Sent, not posted: the copy is over when the call returns, so reading
    // the clipboard cannot race the program's own opening of it.
    SendMessageA(frame.hwnd(), WM_COMMAND, MAKEWPARAM(ID_COPY_ALL, 0), 0);
    std::string expected;
    for (const std::string& line : after)
        expected += line + "\r\n";
    EXPECT_EQ(ClipboardText(), expected);

    // Close leaves no archive; the archive commands are then refused.
    frame.MenuCommand(ID_CLOSE_ARCHIVE);
    t.WaitCaption(frame, kNoArchive);
    EXPECT_TRUE(list.Items().empty());
}

}   // namespace
