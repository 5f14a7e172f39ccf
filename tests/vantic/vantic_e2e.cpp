// End-to-end tests of vantic: the real program, started with a real command
// line, driven through its edit dialog, and judged by the files it leaves.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "auto.h"
#include "vantic/resource.h"

using namespace tamrel_auto;

namespace {

const char kDialogCaption[] = "Vantic for Windows";

// Polls until the file holds `expected` and returns what it last held.
std::string WaitFileBytes(const std::string& path, const std::string& expected, DWORD timeoutMs = 10000)
{
    std::string bytes;
    PollUntil(
        [&] {
            if (!TryReadFileBytes(path, &bytes))
                bytes = "<unreadable>";
            return bytes == expected;
        },
        timeoutMs);
    return bytes;
}

// One vantic process and the ways to reach its windows.
struct Vantic {
    Process process;

    Vantic(const std::string& directory, const std::string& tail)
        : process(Process::Launch(ProgramPath("vantic.exe"), tail, directory))
    {
    }

    Window WaitEditor() const
    {
        return process.WaitWindow(
            [](const Window& w) {
                return w.ClassName() == "#32770" && w.Caption() == kDialogCaption && !IsMessageBox(w);
            },
            "edit dialog");
    }

    // Fills the dialog and presses OK.
    void Run(const Window& dialog, const std::string& inputs, const std::string& output, const std::string& script,
             bool development = false) const
    {
        dialog.Child(IDC_INPUT_FILES).SetText(inputs);
        dialog.Child(IDC_OUTPUT_FILE).SetText(output);
        dialog.Child(IDC_SCRIPT).SetText(script);
        dialog.Child(IDC_DEVELOPMENT_MODE).SetChecked(development);
        dialog.Child(IDOK).Click();
    }

    // Answers a message box that must say `text`.
    void ExpectMessage(const std::string& text) const { EXPECT_EQ(AnswerMessageBox(process), text); }

    void ExpectExit()
    {
        EXPECT_TRUE(process.WaitExit()) << process.DescribeWindows();
        EXPECT_TRUE(process.Windows().empty());
    }
};

}   // namespace

TEST(VanticStart, CommandLinePresetsTheInputFile)
{
    struct Case {
        const char* tail;
        const char* preset;
    } cases[] = {
        {"c:\\work\\notes.txt", "notes.txt"},
        {"C:\\Work\\NOTES.TXT", "notes.txt"},
        {"notes.txt", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("tail \"") + c.tail + "\"");
        TempDir temp;
        std::string d = temp.MakeDir("Start Dir");
        Vantic v(d, c.tail);
        Window dialog = v.WaitEditor();
        EXPECT_EQ(dialog.Child(IDC_INPUT_FILES).Text(), c.preset);
        EXPECT_EQ(dialog.Child(IDC_CURRENT_DIR).Text(), Lower(d));
        EXPECT_EQ(dialog.Child(IDC_OUTPUT_FILE).Text(), "");
        EXPECT_EQ(dialog.Child(IDC_SCRIPT).Text(), "");
        EXPECT_FALSE(dialog.Child(IDC_SUPPRESS_OUTPUT).Checked());
        EXPECT_FALSE(dialog.Child(IDC_DEVELOPMENT_MODE).Checked());
        dialog.Child(IDCANCEL).Click();
        v.ExpectExit();
    }
}

TEST(VanticRun, InPlaceReplacesEveryFileAndEnds)
{
    TempDir temp;
    temp.Write("a.txt", "foo\r\nboo\r\n");
    temp.Write("B.TXT", "moo\r\n");
    temp.Write("c.txt", "not named\r\n");
    Vantic v(temp.path(), "");
    v.Run(v.WaitEditor(), "a.txt b.txt", "", "s/o/0/g");
    v.ExpectExit();
    EXPECT_EQ(ReadFileBytes(temp.Path("a.txt")), "f00\r\nb00\r\n");
    EXPECT_EQ(ReadFileBytes(temp.Path("b.txt")), "m00\r\n");
    EXPECT_EQ(ReadFileBytes(temp.Path("c.txt")), "not named\r\n");
    EXPECT_EQ(FilesMatching(temp.Path("tm*")), std::vector<std::string>());
}

TEST(VanticRun, OutputFileGetsEveryResultAppendedInOrder)
{
    TempDir temp;
    temp.Write("one.txt", "1a\r\n1b\r\n");
    temp.Write("two.txt", "2a\r\n");
    temp.Write("out.txt", "already here\r\n");
    Vantic v(temp.path(), "");
    v.Run(v.WaitEditor(), "two.txt one.txt", "out.txt", "s/a/A/\r\n$a\\\r\n--\r\n");
    v.ExpectExit();
    EXPECT_EQ(ReadFileBytes(temp.Path("out.txt")), "already here\r\n2A\r\n--\r\n1A\r\n1b\r\n--\r\n");
    EXPECT_EQ(ReadFileBytes(temp.Path("one.txt")), "1a\r\n1b\r\n");
}

TEST(VanticRun, ScriptErrorLeavesTheDialogOpenAndTheFileUntouched)
{
    TempDir temp;
    temp.Write("a.txt", "xyz\r\n");
    Vantic v(temp.path(), "");
    Window dialog = v.WaitEditor();
    v.Run(dialog, "a.txt", "", "s/x");
    v.ExpectMessage("Error in substitute command");
    ASSERT_TRUE(dialog.Visible());
    EXPECT_EQ(dialog.Child(IDC_SCRIPT).Text(), "s/x");
    EXPECT_EQ(dialog.Child(IDC_INPUT_FILES).Text(), "a.txt");
    EXPECT_EQ(ReadFileBytes(temp.Path("a.txt")), "xyz\r\n");

    // The fields as they stand run again once the script is mended.
    dialog.Child(IDC_SCRIPT).SetText("s/x/X/");
    dialog.Child(IDOK).Click();
    v.ExpectExit();
    EXPECT_EQ(ReadFileBytes(temp.Path("a.txt")), "Xyz\r\n");
}

// A real full disk: Wine shows the Unix root as drive Z:, and /dev/full
// fails every write with "no space left", as a full disk does. Where there
// is no such device the test cannot be made.
TEST(VanticRun, AFullDiskFailsTheRunWithAMessage)
{
    const char* device = "z:\\dev\\full";
    // The device has no attributes to ask for; it only opens.
    FILE* probe = std::fopen(device, "ab");
    if (!probe)
        GTEST_SKIP() << "no device that is always full";
    std::fclose(probe);
    TempDir temp;
    temp.Write("a.txt", "xyz\r\n");
    Vantic v(temp.path(), "");
    Window dialog = v.WaitEditor();
    v.Run(dialog, "a.txt", device, "s/x/X/");
    v.ExpectMessage(std::string("Cant write output file ") + device);
    // The run failed, so the dialog stays for another try.
    ASSERT_TRUE(dialog.Visible());
    EXPECT_EQ(ReadFileBytes(temp.Path("a.txt")), "xyz\r\n");
    dialog.Child(IDCANCEL).Click();
    v.ExpectExit();
}

TEST(VanticRun, MissingInputOrScriptIsRefused)
{
    TempDir temp;
    temp.Write("a.txt", "a\r\n");
    Vantic v(temp.path(), "");
    Window dialog = v.WaitEditor();
    v.Run(dialog, "", "", "p");
    v.ExpectMessage("No input file specified");
    v.Run(dialog, "a.txt", "", "");
    v.ExpectMessage("At least one edit command must be specified");
    v.Run(dialog, "none.txt", "", "p");
    v.ExpectMessage("Cant open specified input file");
    ASSERT_TRUE(dialog.Visible());
    dialog.Child(IDCANCEL).Click();
    v.ExpectExit();
    EXPECT_EQ(ReadFileBytes(temp.Path("a.txt")), "a\r\n");
}

TEST(VanticRun, DevelopmentModeKeepsTheDialogOpenAfterAGoodRun)
{
    TempDir temp;
    temp.Write("a.txt", "abc\r\n");
    Vantic v(temp.path(), "");
    Window dialog = v.WaitEditor();
    v.Run(dialog, "a.txt", "", "s/a/b/", true);
    EXPECT_EQ(WaitFileBytes(temp.Path("a.txt"), "bbc\r\n"), "bbc\r\n");
    ASSERT_TRUE(dialog.Visible());
    EXPECT_TRUE(dialog.Child(IDC_DEVELOPMENT_MODE).Checked());

    // The changed script runs on the file as the first run left it.
    dialog.Child(IDC_SCRIPT).SetText("s/b/c/g");
    dialog.Child(IDOK).Click();
    EXPECT_EQ(WaitFileBytes(temp.Path("a.txt"), "ccc\r\n"), "ccc\r\n");
    ASSERT_TRUE(dialog.Visible());

    // Without development mode a good run ends the program.
    v.Run(dialog, "a.txt", "", "y/c/d/");
    v.ExpectExit();
    EXPECT_EQ(ReadFileBytes(temp.Path("a.txt")), "ddd\r\n");
}

TEST(VanticScriptFiles, PasteFromAndCopyToRoundTripTheScriptByteForByte)
{
    TempDir temp;
    std::string scripts = temp.MakeDir("Scripts");
    const std::string script = "# swap\r\n1!G\r\nh\r\n$!d\r\n";
    temp.Write("Scripts\\rev.sed", script);
    temp.Write("a.txt", "1\r\n2\r\n3\r\n");
    Vantic v(temp.path(), "");
    Window dialog = v.WaitEditor();
    dialog.Child(IDC_INPUT_FILES).SetText("a.txt");

    dialog.Child(IDC_PASTE_FROM).Click();
    ChooseFile(v.process.WaitDialog("Open"), scripts + "\\rev.sed");
    Window scriptField = dialog.Child(IDC_SCRIPT);
    EXPECT_EQ(WaitText(scriptField, script), script);
    // The other fields survive the paste.
    EXPECT_EQ(dialog.Child(IDC_INPUT_FILES).Text(), "a.txt");

    dialog.Child(IDC_COPY_TO).Click();
    ChooseFile(v.process.WaitDialog("Save As"), scripts + "\\copy.sed");
    EXPECT_EQ(WaitFileBytes(scripts + "\\copy.sed", script), script);

    // The file dialogs have not moved the run away from the dialog's
    // directory: the relative input name still finds a.txt.
    EXPECT_EQ(dialog.Child(IDC_CURRENT_DIR).Text(), Lower(temp.path()));
    dialog.Child(IDOK).Click();
    v.ExpectExit();
    EXPECT_EQ(ReadFileBytes(temp.Path("a.txt")), "3\r\n2\r\n1\r\n");
}

TEST(VanticDirList, DoubleClicksAddFilesAndWalkDirectories)
{
    TempDir temp;
    std::string sub = temp.MakeDir("Sub");
    temp.Write("a.txt", "a\r\n");
    temp.Write("b.txt", "b\r\n");
    temp.Write("Sub\\c.txt", "c\r\n");
    Vantic v(temp.path(), "");
    Window dialog = v.WaitEditor();
    Window list = dialog.Child(IDC_DIR_LIST);
    Window inputs = dialog.Child(IDC_INPUT_FILES);

    list.DoubleClick("a.txt");
    list.DoubleClick("b.txt");
    EXPECT_EQ(WaitText(inputs, "a.txt b.txt"), "a.txt b.txt");

    list.DoubleClick("[Sub]");
    EXPECT_EQ(WaitText(inputs, ""), "");
    EXPECT_EQ(WaitText(dialog.Child(IDC_CURRENT_DIR), Lower(sub)), Lower(sub));
    list.DoubleClick("c.txt");
    EXPECT_EQ(WaitText(inputs, "c.txt"), "c.txt");

    // The run works in the directory the list walked to.
    dialog.Child(IDC_SCRIPT).SetText("s/c/C/");
    dialog.Child(IDOK).Click();
    v.ExpectExit();
    EXPECT_EQ(ReadFileBytes(sub + "\\c.txt"), "C\r\n");
    EXPECT_EQ(ReadFileBytes(temp.Path("a.txt")), "a\r\n");
}
