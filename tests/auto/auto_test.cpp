// Tests of the automation library against the fixture program and the
// recorder: each drives a real process under the window system.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "auto.h"
#include "fixture_ids.h"

using namespace tamrel_auto;

namespace {

// The fixture's frame and its log view, once the frame shows.
struct Fixture {
    Process process;
    Window frame;
    Window view;

    explicit Fixture(const std::string& directory, const std::string& tail = "")
    {
        process = Process::Launch(ProgramPath("fixture_app.exe"), tail, directory);
        frame = process.WaitFrame("Fixture Frame");
        view = frame.Child(IDC_FIX_VIEW);
    }

    // Waits until the log holds `line` (a whole line).
    void WaitLogLine(const std::string& line) const
    {
        std::string text;
        try {
            WaitUntil(
                [&] {
                    text = view.Text();
                    return ("\r\n" + text).find("\r\n" + line + "\r\n") != std::string::npos;
                },
                "log line \"" + line + "\"",
                10000);
        } catch (const AutoError& e) {
            throw AutoError(std::string(e.what()) + "; the log holds:\n" + text);
        }
    }

    Window OpenDialogFromMenu() const
    {
        frame.MenuCommand(IDM_FIX_DIALOG);
        return process.WaitDialog("Fixture Dialog");
    }
};

}   // namespace

TEST(AutoStart, PassesTheCommandLineAndDirectoryExactly)
{
    TempDir temp;
    std::string dir = temp.MakeDir("Start Dir");
    std::string exe = ProgramPath("fixture_app.exe");
    struct Case {
        std::string line, tail;
    } cases[] = {
        {"\"" + exe + "\" -x \"two words\"  end ", "-x \"two words\"  end "},
        {"\"" + exe + "\"", ""},
        {"\"" + exe + "\"   c:\\src\\main.c", "c:\\src\\main.c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Process p = Process::Start(c.line, dir);
        Window view = p.WaitFrame("Fixture Frame").Child(IDC_FIX_VIEW);
        EXPECT_EQ(view.Text(), "cmdline=[" + c.tail + "]\r\ncwd=[" + dir + "]\r\n");
    }
}

TEST(AutoStart, CancelledStartDialogEndsTheProcessWithoutWindows)
{
    TempDir temp;
    Process p = Process::Launch(ProgramPath("fixture_app.exe"), "-dialog-first", temp.path());
    Window dialog = p.WaitDialog("Fixture Dialog");
    EXPECT_FALSE(IsMessageBox(dialog));
    dialog.Child(IDCANCEL).Click();
    ASSERT_TRUE(p.WaitExit());
    // A wait on a program that has ended gives up at once and says so.
    try {
        p.WaitDialog("Fixture Dialog");
        FAIL() << "a dialog was found in an ended process";
    } catch (const AutoError& e) {
        EXPECT_NE(std::string(e.what()).find("(ended)"), std::string::npos) << e.what();
    }
}

TEST(AutoDialog, ControlsSetByTheTestReachTheProgram)
{
    TempDir temp;
    Fixture f(temp.path());
    Window dialog = f.OpenDialogFromMenu();
    f.WaitLogLine("dialog by menu");

    Window name = dialog.Child(IDC_FIX_NAME);
    EXPECT_EQ(name.Text(), "preset");
    name.SetText("Zed two");
    dialog.Child(IDC_FIX_NUMBER).SetText("42");

    Window check = dialog.Child(IDC_FIX_CHECK);
    EXPECT_FALSE(check.Checked());
    check.SetChecked(true);
    EXPECT_TRUE(check.Checked());

    // The preset radio must be cleared when another one of its group is chosen.
    EXPECT_TRUE(dialog.Child(IDC_FIX_RADIO1).Checked());
    dialog.Child(IDC_FIX_RADIO3).SelectRadio();
    EXPECT_FALSE(dialog.Child(IDC_FIX_RADIO1).Checked());

    Window list = dialog.Child(IDC_FIX_LIST);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"alpha", "beta", "gamma", "[..]"}));
    EXPECT_EQ(list.SelectedIndex(), -1);
    list.Select("beta");
    EXPECT_EQ(list.SelectedItem(), "beta");
    EXPECT_THROW(list.Select("delta"), AutoError);

    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    f.WaitLogLine("dialog ok: name=Zed two number=42 check=1 radio=3 list=beta");
}

TEST(AutoDialog, DoubleClickAndAcceleratorReachTheProgram)
{
    TempDir temp;
    Fixture f(temp.path());
    f.frame.AcceleratorCommand(IDM_FIX_DIALOG);
    Window dialog = f.process.WaitDialog("Fixture Dialog");
    f.WaitLogLine("dialog by accelerator");

    // The notification is sent, so its handler has run when the call returns.
    dialog.Child(IDC_FIX_LIST).DoubleClick("[..]");
    EXPECT_EQ(dialog.Child(IDC_FIX_NAME).Text(), "dblclk:[..]");
    dialog.Child(IDC_FIX_LIST).DoubleClick("gamma");
    EXPECT_EQ(dialog.Child(IDC_FIX_NAME).Text(), "dblclk:gamma");

    dialog.Child(IDCANCEL).Click();
    f.WaitLogLine("dialog cancelled");
}

TEST(AutoMessageBox, ShownFromAModalDialogWithoutBlockingTheTest)
{
    TempDir temp;
    Fixture f(temp.path());
    Window dialog = f.OpenDialogFromMenu();
    dialog.Child(IDC_FIX_NUMBER).SetText("abc");
    dialog.Child(IDOK).Click();

    Window box = f.process.WaitMessageBox();
    EXPECT_EQ(MessageText(box), "Please enter an integer.");
    box.Child(IDOK).Click();
    box.WaitGone();
    EXPECT_TRUE(dialog.Visible());

    dialog.Child(IDC_FIX_NUMBER).SetText("-7");
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    f.WaitLogLine("dialog ok: name=preset number=-7 check=0 radio=1 list=");
}

TEST(AutoMessageBox, TextIsReadAndTheChosenButtonAnswers)
{
    TempDir temp;
    Fixture f(temp.path());
    struct Case {
        int button;
        const char* logLine;
    } cases[] = {{IDCANCEL, "message answer 2"}, {IDOK, "message answer 1"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.logLine);
        f.frame.MenuCommand(IDM_FIX_MESSAGE);
        Window box = f.process.WaitMessageBox();
        EXPECT_EQ(MessageText(box), "Fixture message\r\nsecond line");
        box.Child(c.button).Click();
        f.WaitLogLine(c.logLine);
    }
}

TEST(AutoClipboard, ReadsTheTextTheProgramCopied)
{
    TempDir temp;
    Fixture f(temp.path(), "copy me");
    EmptyClipboardNow();
    EXPECT_EQ(ClipboardText(), "");
    f.frame.MenuCommand(IDM_FIX_COPY);
    std::string expected = f.view.Text();
    ASSERT_NE(expected.find("cmdline=[copy me]"), std::string::npos);
    WaitUntil([&] { return ClipboardText() == expected; }, "the log on the clipboard");

    f.frame.PostClose();
    EXPECT_TRUE(f.process.WaitExit());
}

TEST(AutoFileDialog, SavesUnderTheNameTypedInEitherLayout)
{
    for (const char* tail : {"", "-old-dialogs"}) {
        SCOPED_TRACE(tail);
        TempDir temp;
        Fixture f(temp.path(), tail);
        std::string target = temp.Path("Saved Log.txt");
        f.frame.MenuCommand(IDM_FIX_SAVE);
        Window dialog = f.process.WaitDialog("Save As");
        ChooseFile(dialog, target);
        dialog.WaitGone();
        f.WaitLogLine("saved " + target);
        EXPECT_EQ(ReadFileBytes(target), "cmdline=[" + std::string(tail) + "]\r\ncwd=[" + temp.path() + "]\r\n");
    }
}

TEST(AutoRecorder, LogsCommandLineTailAndDirectoryOfEachStart)
{
    TempDir temp;
    std::string bin = temp.MakeDir("LoadPath");
    std::string zodo = bin + "\\zodo.exe";
    CopyFileTo(ProgramPath("recorder.exe"), zodo);
    std::string work = temp.MakeDir("Work Dir");
    // Where the tail starts depends on the quoting of the program name and the
    // blanks after it; what follows is kept byte for byte.
    struct Case {
        std::string line, tail;
    } cases[] = {
        {"\"" + zodo + "\" f.txt", "f.txt"},
        {"\"" + zodo + "\"\"q\" x", "\"q\" x"},
        {zodo + "   two  words\r\n       3 ", "two  words\r\n       3 "},
    };
    for (const Case& c : cases) {
        Process p = Process::Start(c.line, work);
        ASSERT_TRUE(p.WaitExit()) << c.line;
        EXPECT_EQ(p.ExitCode(), 0u) << c.line;
    }
    std::vector<RecorderEntry> log = ReadRecorderLog(RecorderLogPath(bin));
    ASSERT_EQ(log.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(cases[i].line);
        EXPECT_EQ(log[i].commandLine, cases[i].line);
        EXPECT_EQ(log[i].tail, cases[i].tail);
        EXPECT_EQ(log[i].directory, work);
    }
}
