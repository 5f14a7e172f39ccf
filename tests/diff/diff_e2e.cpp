// End-to-end tests of diff: the real program under the window system,
// driven through its "File Compare" dialog, menus and output view.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "auto.h"
#include "../../diff/resource.h"

using namespace tamrel_auto;

namespace {
const char kAppTitle[] = "DIFF for Windows";

struct DiffRun {
    Process process;
    Window dialog;

    DiffRun(const std::string& tail, const std::string& directory)
    {
        process = Process::Launch(ProgramPath("diff.exe"), tail, directory);
        dialog = process.WaitDialog("File Compare");
    }

    // Fills the dialog and presses OK.
    void Compare(const std::string& file1, const std::string& file2, bool text, bool ignoreCase = false,
                 bool ignoreWhiteSpace = false) const
    {
        dialog.Child(IDC_FILE1).SetText(file1);
        dialog.Child(IDC_FILE2).SetText(file2);
        dialog.Child(IDC_IGNORE_CASE).SetChecked(ignoreCase);
        dialog.Child(IDC_IGNORE_WHITE_SPACE).SetChecked(ignoreWhiteSpace);
        dialog.Child(text ? IDC_TYPE_TEXT : IDC_TYPE_BINARY).SelectRadio();
        dialog.Child(IDOK).Click();
    }

    // The main window once it shows, and its output view.
    Window Frame() const { return process.WaitFrame(kAppTitle); }
    Window View() const { return Frame().ChildByClass("Edit"); }
};

TEST(DiffE2E, CommandLinePresetsTheDialog)
{
    TempDir temp;
    struct PresetCase {
        std::string tail;
        bool text;
        std::string file1;
    };
    const PresetCase cases[] = {
        {"-u C:\\A\\B.TXT", true, "c:\\a\\b.txt"},
        {"-c", false, ""},
        {"-c C:\\Dir\\X.Bin", false, "c:\\dir\\x.bin"},
        {"-x", false, ""},
        {"C:\\Bare\\Path.TXT", false, "c:\\bare\\path.txt"},
        {"", false, ""},
    };
    for (const PresetCase& c : cases) {
        SCOPED_TRACE(c.tail);
        DiffRun run(c.tail, temp.path());
        EXPECT_EQ(run.dialog.Child(IDC_TYPE_TEXT).Checked(), c.text);
        EXPECT_EQ(run.dialog.Child(IDC_TYPE_BINARY).Checked(), !c.text);
        EXPECT_EQ(run.dialog.Child(IDC_FILE1).Text(), c.file1);
        EXPECT_EQ(run.dialog.Child(IDC_FILE2).Text(), "");
        EXPECT_FALSE(run.dialog.Child(IDC_IGNORE_CASE).Checked());
        EXPECT_FALSE(run.dialog.Child(IDC_IGNORE_WHITE_SPACE).Checked());
        // Cancel in the first dialog ends the program without a window.
        run.dialog.Child(IDCANCEL).Click();
        ASSERT_TRUE(run.process.WaitExit());
        EXPECT_TRUE(run.process.Windows(false).empty());
    }
}

TEST(DiffE2E, TextComparisonShowsTheHunksUnderTheTitleDiff)
{
    TempDir temp;
    temp.Write("old.txt", "one\r\ntwo\r\nthree\r\nfour\r\nfive\r\n");
    temp.Write("new.txt", "one\r\ntwo\r\nnew\r\nthree\r\nfour\r\nfive\r\n");
    DiffRun run("-u " + temp.Path("old.txt"), temp.path());
    run.Compare(temp.Path("old.txt"), temp.Path("new.txt"), true);
    Window frame = run.Frame();
    EXPECT_EQ(frame.Caption(), std::string("diff - ") + kAppTitle);
    EXPECT_EQ(frame.ChildByClass("Edit").Text(), "2a3\r\n> new\r\n\r\n");

    // File New offers the text comparison again with File1 empty; Cancel
    // keeps the results on screen.
    frame.MenuCommand(ID_FILE_NEW);
    Window again = run.process.WaitDialog("File Compare");
    EXPECT_TRUE(again.Child(IDC_TYPE_TEXT).Checked());
    EXPECT_EQ(again.Child(IDC_FILE1).Text(), "");
    again.Child(IDCANCEL).Click();
    again.WaitGone();
    EXPECT_TRUE(run.process.Running());
    EXPECT_EQ(run.View().Text(), "2a3\r\n> new\r\n\r\n");
    run.Frame().PostClose();
    EXPECT_TRUE(run.process.WaitExit());
}

TEST(DiffE2E, OptionsReachTheTextComparison)
{
    TempDir temp;
    temp.Write("a.txt", "Hello  World\r\nend\r\n");
    temp.Write("b.txt", "hello world\r\nend\r\n");
    struct OptionCase {
        bool ignoreCase;
        bool ignoreWhiteSpace;
        std::string shown;
    };
    const OptionCase cases[] = {
        {true, true, "diff: files are the same\r\n"},
        {true, false, "1,$c1,$\r\n< Hello  World\r\n< end\r\n---\r\n> hello world\r\n> end\r\n\r\n"},
        {false, true, "1,$c1,$\r\n< Hello  World\r\n< end\r\n---\r\n> hello world\r\n> end\r\n\r\n"},
    };
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(c.shown);
        DiffRun run("-u", temp.path());
        run.Compare(temp.Path("a.txt"), temp.Path("b.txt"), true, c.ignoreCase, c.ignoreWhiteSpace);
        EXPECT_EQ(run.View().Text(), c.shown);
        run.Frame().PostClose();
        EXPECT_TRUE(run.process.WaitExit());
    }
}

TEST(DiffE2E, BinaryComparisonShowsTheCmpLineUnderTheTitleCmp)
{
    TempDir temp;
    temp.Write("one.bin", "ab\ncdef");
    temp.Write("two.bin", "ab\ncXef");
    DiffRun run("-c", temp.path());
    EXPECT_TRUE(run.dialog.Child(IDC_TYPE_BINARY).Checked());
    EXPECT_EQ(run.dialog.Child(IDC_FILE1).Text(), "");
    run.Compare(temp.Path("one.bin"), temp.Path("two.bin"), false);
    Window frame = run.Frame();
    EXPECT_EQ(frame.Caption(), std::string("cmp - ") + kAppTitle);
    EXPECT_EQ(frame.ChildByClass("Edit").Text(),
              "Files: " + temp.Path("one.bin") + " and " + temp.Path("two.bin") + " differ: char 5, line 2\r\n");

    // File New keeps the binary type.
    frame.AcceleratorCommand(ID_FILE_NEW);
    Window again = run.process.WaitDialog("File Compare");
    EXPECT_TRUE(again.Child(IDC_TYPE_BINARY).Checked());
    temp.Write("three.bin", "ab\ncdef");
    run.dialog = again;
    run.Compare(temp.Path("one.bin"), temp.Path("three.bin"), false);
    WaitUntil([&] { return run.View().Text().find("are the same") != std::string::npos; }, "the second result");
    EXPECT_EQ(run.View().Text(),
              "Files: " + temp.Path("one.bin") + " and " + temp.Path("three.bin") + " are the same\r\n");
    run.Frame().PostClose();
    EXPECT_TRUE(run.process.WaitExit());
}

TEST(DiffE2E, IdenticalFilesKeepAWindow)
{
    TempDir temp;
    temp.Write("a.txt", "same\r\nlines\r\n");
    temp.Write("b.txt", "same\r\nlines\r\n");
    DiffRun run("-u", temp.path());
    run.Compare(temp.Path("a.txt"), temp.Path("b.txt"), true);
    EXPECT_EQ(run.View().Text(), "diff: files are the same\r\n");
    EXPECT_TRUE(run.process.Running());

    run.Frame().MenuCommand(ID_APP_ABOUT);
    Window about = run.process.WaitDialog("About DIFF");
    bool versionShown = false;
    for (const Window& child : about.Children())
        versionShown = versionShown || child.Text() == "DIFF Application Version 1.5";
    EXPECT_TRUE(versionShown);
    about.Child(IDOK).Click();
    about.WaitGone();
    run.Frame().PostClose();
    EXPECT_TRUE(run.process.WaitExit());
}

TEST(DiffE2E, BothNamesMustBeGiven)
{
    TempDir temp;
    temp.Write("a.txt", "a\r\n");
    DiffRun run("-u " + temp.Path("a.txt"), temp.path());
    run.dialog.Child(IDOK).Click();
    Window box = run.process.WaitMessageBox();
    EXPECT_EQ(MessageText(box), "File1 and File2 must be specified");
    box.Child(IDOK).Click();
    box.WaitGone();
    EXPECT_TRUE(run.dialog.Visible());

    // With both names the same dialog goes on to the comparison.
    run.Compare(temp.Path("a.txt"), temp.Path("a.txt"), true);
    EXPECT_EQ(run.View().Text(), "diff: files are the same\r\n");
    run.Frame().PostClose();
    EXPECT_TRUE(run.process.WaitExit());
}

TEST(DiffE2E, FailuresAtStartEndTheProgram)
{
    TempDir temp;
    temp.Write("a.txt", "a\r\n");
    std::string missing = temp.Path("missing.txt");
    struct FailureCase {
        bool text;
        std::string message;
    };
    const FailureCase cases[] = {
        {true, "cant open \"" + missing + "\""},
        {false, "cant access " + missing},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.message);
        DiffRun run("", temp.path());
        run.Compare(temp.Path("a.txt"), missing, c.text);
        Window box = run.process.WaitMessageBox();
        EXPECT_EQ(MessageText(box), c.message);
        box.Child(IDOK).Click();
        ASSERT_TRUE(run.process.WaitExit());
        EXPECT_TRUE(run.process.Windows(false).empty());
    }
}

TEST(DiffE2E, DirectoryComparison)
{
    TempDir temp;
    std::string first = temp.MakeDir("First");
    std::string second = temp.MakeDir("Second");
    temp.Write("First\\Readme.txt", "same\r\n");
    temp.Write("Second\\README.TXT", "same\r\n");
    temp.Write("First\\x.txt", "x");
    temp.Write("Second\\z.txt", "z");
    DiffRun run("-c", temp.path());
    run.Compare(first, second, false);
    EXPECT_EQ(run.View().Text(),
              "Files: " + Lower(first) + "\\readme.txt and " + Lower(second) + "\\readme.txt are the same\r\nOnly in " +
                  first + ": x.txt\r\nOnly in " + second + ": z.txt\r\n");
    run.Frame().PostClose();
    EXPECT_TRUE(run.process.WaitExit());
}

TEST(DiffE2E, SpilledResultsOpenInTheViewerAndSaveAsWritesTheText)
{
    TempDir temp;
    std::string loadPath = temp.MakeDir("LoadPath");
    CopyFileTo(ProgramPath("recorder.exe"), loadPath + "\\zodo.exe");
    ProfileOverride setting(WindowsIniPath("winfile.ini"), "Tamrel", "LoadPath", loadPath);
    std::string work = temp.MakeDir("Work");
    std::string lines;
    for (int n = 0; n < 3000; ++n)
        lines += "line number " + std::to_string(n) + "\r\n";
    temp.Write("Work\\empty.txt", "");
    temp.Write("Work\\long.txt", lines);

    DiffRun run("-u", work);
    run.Compare(temp.Path("Work\\empty.txt"), temp.Path("Work\\long.txt"), true);
    Window view = run.View();
    std::string shown = view.Text();
    const std::string label = "**** Results written to file: ";
    size_t at = shown.find(label);
    ASSERT_NE(at, std::string::npos) << shown;
    size_t nameStart = at + label.size();
    std::string name = shown.substr(nameStart, shown.find("\r\n", nameStart) - nameStart);
    EXPECT_EQ(shown,
              "****\r\n**** Too much output (>32kb)\r\n" + label + name +
                  "\r\n**** Use Zodo to display this file\r\n****\r\n");
    // The spill file is made in the program's current directory.
    std::string expected = "0a1,$\r\n";
    for (int n = 0; n < 3000; ++n)
        expected += "> line number " + std::to_string(n) + "\r\n";
    EXPECT_EQ(ReadFileBytes(work + "\\" + name), expected + "\r\n");

    // View hands the selected name to the pager, which starts where diff is.
    view.SetSelection(static_cast<int>(nameStart), static_cast<int>(nameStart + name.size()));
    run.Frame().MenuCommand(ID_VIEW_FILE);
    std::vector<RecorderEntry> log = WaitRecorderEntries(RecorderLogPath(loadPath));
    EXPECT_EQ(log[0].tail, name);
    EXPECT_EQ(log[0].directory, work);

    // Save As writes the text of the window (the notice) byte for byte.
    std::string saved = temp.Path("Saved.out");
    run.Frame().MenuCommand(ID_FILE_SAVE_AS);
    Window saveDialog = run.process.WaitDialog("Save As");
    ChooseFile(saveDialog, saved);
    saveDialog.WaitGone();
    WaitUntil([&] { return FileExists(saved) && ReadFileBytes(saved) == shown; }, "the saved results");
    run.Frame().PostClose();
    EXPECT_TRUE(run.process.WaitExit());
}
}
