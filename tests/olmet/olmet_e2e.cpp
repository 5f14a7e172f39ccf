// End-to-end tests of olmet: the real program started with a real command
// line and driven through its menu commands and dialogs. Where the view's
// top row matters, the tests read it the way a user can: the GoTo dialog
// opens preset with the top row's byte offset.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "auto.h"
#include "olmet/resource.h"

using namespace tamrel_auto;

namespace {

const char kFrameEnd[] = " - OLMET for Windows";
const unsigned kViewId = 0xE900;   // the frame's first pane

// n bytes that differ from row to row.
std::string Bytes(size_t n)
{
    std::string bytes(n, 0);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<char>('A' + (i / 16) % 26);
    return bytes;
}

struct Olmet {
    Process process;
    Window frame;

    Olmet(const TempDir& temp, const std::string& tail)
        : process(Process::Launch(ProgramPath("olmet.exe"), tail, temp.path()))
    {
    }

    // Starts olmet on `path` and waits for its window.
    static Olmet Showing(const TempDir& temp, const std::string& path)
    {
        Olmet o(temp, path);
        o.frame = o.process.WaitFrame(kFrameEnd);
        return o;
    }

    void Command(int id) const { frame.MenuCommand(id); }
    Window View() const { return frame.Child(kViewId); }

    // The byte offset of the top row, from the GoTo dialog's preset.
    std::string TopOffset() const
    {
        Command(ID_GOTO_OFFSET);
        Window dialog = process.WaitDialog("GoTo");
        std::string text = dialog.Child(IDC_OFFSET).Text();
        dialog.Child(IDCANCEL).Click();
        dialog.WaitGone();
        return text;
    }

    // GoTo with `text` typed; returns the dialog after OK.
    Window GoTo(const std::string& text) const
    {
        Command(ID_GOTO_OFFSET);
        Window dialog = process.WaitDialog("GoTo");
        dialog.Child(IDC_OFFSET).SetText(text);
        dialog.Child(IDOK).Click();
        return dialog;
    }

    // Set Mark or Skip to Mark with the letter typed.
    void Mark(int command, const std::string& caption, const std::string& letter) const
    {
        Command(command);
        Window dialog = process.WaitDialog(caption);
        dialog.Child(IDC_MARK_LETTER).SetText(letter);
        dialog.Child(IDOK).Click();
        dialog.WaitGone();
    }

    // The Show all Marks list; the dialog is closed with `button`.
    std::string ShowMarks(int button = IDOK) const
    {
        Command(ID_SHOW_MARKS);
        Window dialog = process.WaitDialog("Show all Marks");
        std::string text = dialog.Child(IDC_MARKS_TEXT).Text();
        dialog.Child(button).Click();
        dialog.WaitGone();
        return text;
    }

    // Opens `path` through File Open.
    void OpenThroughDialog(const std::string& path) const
    {
        Command(ID_FILE_OPEN);
        ChooseFile(process.WaitDialog("Open"), path);
    }

    void ExpectMessage(const std::string& text) const { EXPECT_EQ(AnswerMessageBox(process), text); }
};

// ---------------------------------------------------------------- start-up

TEST(OlmetStart, APathWithBlanksOpensWhole)
{
    TempDir temp("Olmet");
    std::string dir = temp.MakeDir("With Blanks");
    temp.Write("With Blanks\\My Data.bin", Bytes(40));
    Olmet o = Olmet::Showing(temp, dir + "\\My Data.bin");
    EXPECT_EQ(o.frame.Caption(), std::string("My Data.bin") + kFrameEnd);
    EXPECT_EQ(o.TopOffset(), "0");
}

TEST(OlmetStart, LoadFailuresEndTheProgramAfterTheirMessage)
{
    TempDir temp("Olmet");
    temp.Write("Empty.bin", "");
    temp.Write("Data File.bin", Bytes(20));
    struct Case {
        std::string tail;
        std::string message;
    } cases[] = {
        // Quotes are part of the path; the message shows them.
        {"\"" + temp.Path("Data File.bin") + "\"", "cant open \"" + temp.Path("Data File.bin") + "\""},
        {temp.Path("Missing.bin"), "cant open " + temp.Path("Missing.bin")},
        {temp.Path("Empty.bin"), "Zero length file!"},
    };
    for (const Case& c : cases) {
        Olmet o(temp, c.tail);
        Window box = o.process.WaitMessageBox();
        EXPECT_EQ(box.Caption(), "OLMET for  Windows") << c.tail;
        o.ExpectMessage(c.message);
        EXPECT_TRUE(o.process.WaitExit()) << c.tail << ": the program went on";
    }
}

TEST(OlmetStart, AnEmptyCommandLineAsksForTheFile)
{
    TempDir temp("Olmet");
    temp.Write("Chosen.bin", Bytes(20));
    {
        Olmet o(temp, "");
        Window open = o.process.WaitDialog("Open");
        EXPECT_EQ(FileDialogName(open), "*.*");
        open.Child(IDCANCEL).Click();
        EXPECT_TRUE(o.process.WaitExit()) << "Cancel left the program running";
    }
    {
        Olmet o(temp, "");
        ChooseFile(o.process.WaitDialog("Open"), temp.Path("Chosen.bin"));
        EXPECT_EQ(o.process.WaitFrame(kFrameEnd).Caption(), std::string("Chosen.bin") + kFrameEnd);
    }
}

TEST(OlmetStart, TheWindowTakesThePagersPositionOnce)
{
    TempDir temp("Olmet");
    temp.Write("a.bin", Bytes(40));
    temp.Write("b.bin", Bytes(20));
    std::string ini = WindowsIniPath("zodo.ini");
    ProfileOverride left(ini, "Position", "left", "70");
    ProfileOverride top(ini, "Position", "top", "90");
    ProfileOverride right(ini, "Position", "right", "570");
    ProfileOverride bottom(ini, "Position", "bottom", "490");
    Olmet o = Olmet::Showing(temp, temp.Path("a.bin"));
    RECT rect;
    ASSERT_TRUE(GetWindowRect(o.frame.hwnd(), &rect));
    EXPECT_EQ(rect.left, 70);
    EXPECT_EQ(rect.top, 90);
    EXPECT_EQ(rect.right, 570);
    EXPECT_EQ(rect.bottom, 490);

    // The user moves it; the next file leaves it there.
    ASSERT_TRUE(SetWindowPos(o.frame.hwnd(), nullptr, 200, 150, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE));
    WaitUntil([&] { return GetWindowRect(o.frame.hwnd(), &rect) && rect.left == 200; }, "the moved window");
    o.OpenThroughDialog(temp.Path("b.bin"));
    WaitUntil([&] { return o.frame.Caption() == std::string("b.bin") + kFrameEnd; }, "b.bin shown");
    ASSERT_TRUE(GetWindowRect(o.frame.hwnd(), &rect));
    EXPECT_EQ(rect.left, 200);
    EXPECT_EQ(rect.top, 150);
    EXPECT_EQ(rect.right, 600);
    EXPECT_EQ(rect.bottom, 450);
}

TEST(OlmetStart, AboutNamesTheProgramAndItsVersion)
{
    TempDir temp("Olmet");
    temp.Write("a.bin", Bytes(16));
    Olmet o = Olmet::Showing(temp, temp.Path("a.bin"));
    o.Command(ID_APP_ABOUT);
    Window about = o.process.WaitDialog("About OLMET");
    bool found = false;
    for (const Window& child : about.Children())
        found = found || child.Text() == "OLMET for Windows Version 1.5";
    EXPECT_TRUE(found);
    about.Child(IDOK).Click();
    about.WaitGone();
}

// A failed File Open leaves the file shown before whole: same window title,
// same top row, and GoTo still knows its size.
TEST(OlmetStart, AFailedOpenKeepsTheFileShown)
{
    TempDir temp("Olmet");
    temp.Write("Shown.bin", Bytes(100));
    temp.Write("Empty.bin", "");
    Olmet o = Olmet::Showing(temp, temp.Path("Shown.bin"));
    o.GoTo("48").WaitGone();
    for (const std::string& name : {std::string("Missing.bin"), std::string("Empty.bin")}) {
        o.OpenThroughDialog(temp.Path(name));
        AnswerMessageBox(o.process);
        EXPECT_EQ(o.frame.Caption(), std::string("Shown.bin") + kFrameEnd) << name;
        EXPECT_EQ(o.TopOffset(), "48") << name;
    }
    o.GoTo("96").WaitGone();
    EXPECT_EQ(o.TopOffset(), "96");
    o.GoTo("100");
    o.ExpectMessage("Offset greater than file size limit");
}

// ---------------------------------------------------------------- moving

TEST(OlmetView, GoToTakesOffsetsInsideTheFileAndTheBounds)
{
    TempDir temp("Olmet");
    temp.Write("a.bin", Bytes(100));
    Olmet o = Olmet::Showing(temp, temp.Path("a.bin"));
    struct Case {
        const char* typed;
        const char* message;   // null: the offset's row becomes the top row
        const char* top;
        bool dialogStays;
    } cases[] = {
        {"16", nullptr, "16", false},
        {"47", nullptr, "32", false},
        {"0", nullptr, "0", false},
        {"99", nullptr, "96", false},
        {"100", "Offset greater than file size limit", "96", false},
        {"9999999", "Offset greater than file size limit", "96", false},
        {"10000000", "Please enter an integer between 0 and 9999999.", "96", true},
        {"ten", "Please enter an integer.", "96", true},
    };
    for (const Case& c : cases) {
        Window dialog = o.GoTo(c.typed);
        if (c.message)
            o.ExpectMessage(c.message);
        if (c.dialogStays) {
            EXPECT_TRUE(dialog.Exists()) << c.typed;
            dialog.Child(IDCANCEL).Click();
        }
        dialog.WaitGone();
        EXPECT_EQ(o.TopOffset(), c.top) << c.typed;
    }
}

// Past 2 GB the offsets are shown whole: the preset near the end of the
// file, the marks; an offset beyond the field's bound is told the bound,
// whether it is the preset left as it was or typed. The file is sparse on
// disk; the viewer holds it whole, which a 32-bit process cannot.
TEST(OlmetView, OffsetsPastTwoGigabytesAreShownWhole)
{
    if (sizeof(void*) < 8)
        GTEST_SKIP() << "a 32-bit process cannot hold a file of this size";
    TempDir temp("Olmet");
    const std::string path = temp.Path("large.bin");
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = (1LL << 31) + 64;   // 2,147,483,712 bytes: the last row at 2,147,483,696
    DWORD written = 0;
    bool made = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    LARGE_INTEGER last;
    last.QuadPart = size.QuadPart - 1;
    made = made && SetFilePointerEx(file, last, nullptr, FILE_BEGIN) && WriteFile(file, "Z", 1, &written, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(made && written == 1);

    // Two gigabytes take some seconds to read on a busy machine.
    Olmet o(temp, path);
    o.frame = o.process.WaitFrame(kFrameEnd, 180000);
    o.Command(ID_END_OF_FILE);
    EXPECT_EQ(o.TopOffset(), "2147483696");
    o.Mark(ID_SET_MARK, "Set Mark", "q");
    EXPECT_EQ(o.ShowMarks(), "q\t2147483696\r\n");

    for (const char* typed : {"2147483696", "99999999999", "-99999999999"}) {
        Window dialog = o.GoTo(typed);
        o.ExpectMessage("Please enter an integer between 0 and 9999999.");
        EXPECT_TRUE(dialog.Exists()) << typed;
        dialog.Child(IDCANCEL).Click();
        dialog.WaitGone();
    }
    EXPECT_EQ(o.TopOffset(), "2147483696");
    o.GoTo("4096").WaitGone();
    EXPECT_EQ(o.TopOffset(), "4096");
}

TEST(OlmetView, ScrollCommandsMoveByRows)
{
    TempDir temp("Olmet");
    temp.Write("ten.bin", Bytes(160));   // ten rows: the whole file fits the window
    Olmet o = Olmet::Showing(temp, temp.Path("ten.bin"));
    struct Step {
        int command;
        const char* top;
    } steps[] = {
        {ID_LINE_FORWARD, "16"},
        {ID_LINE_FORWARD, "32"},
        {ID_LINE_BACKWARD, "16"},
        {ID_START_OF_FILE, "0"},
        {ID_LINE_BACKWARD, "0"},
        {ID_END_OF_FILE, "144"},
        {ID_LINE_FORWARD, "144"},
        {ID_START_OF_FILE, "0"},
        {ID_PAGE_FORWARD, "144"},
        {ID_PAGE_BACKWARD, "0"},
        {ID_HALF_PAGE_FORWARD, "144"},
        {ID_HALF_PAGE_BACKWARD, "0"},
    };
    for (size_t i = 0; i < sizeof steps / sizeof steps[0]; ++i) {
        o.Command(steps[i].command);
        EXPECT_EQ(o.TopOffset(), steps[i].top) << "step " << i << ", command " << steps[i].command;
    }
}

TEST(OlmetView, TheThumbCountsRowsOrPercent)
{
    TempDir temp("Olmet");
    temp.Write("rows.bin", Bytes(1615));      // 101 rows, scrolled by rows
    temp.Write("percent.bin", Bytes(1616));   // scrolled by percent
    struct Case {
        const char* file;
        int position;
        const char* top;
    } cases[] = {
        {"rows.bin", 50, "800"},
        {"rows.bin", 100, "1600"},
        {"rows.bin", 0, "0"},
        {"percent.bin", 50, "784"},
        {"percent.bin", 100, "1600"},
        {"percent.bin", 0, "0"},
    };
    for (const Case& c : cases) {
        Olmet o = Olmet::Showing(temp, temp.Path(c.file));
        o.Command(ID_LINE_FORWARD);   // away from 0, so that position 0 is seen to move
        ASSERT_TRUE(PostMessageA(o.View().hwnd(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, c.position), 0));
        EXPECT_EQ(o.TopOffset(), c.top) << c.file << " at " << c.position;
        o.frame.PostClose();
        EXPECT_TRUE(o.process.WaitExit());
    }
}

// ---------------------------------------------------------------- search

// Rows 2 and 5 hold "needle" in their characters.
std::string NeedleFile()
{
    std::string bytes(128, '.');
    bytes.replace(2 * 16 + 3, 6, "needle");
    bytes.replace(5 * 16 + 9, 6, "needle");
    return bytes;
}

TEST(OlmetSearch, ForwardRepeatAndBackward)
{
    TempDir temp("Olmet");
    temp.Write("n.bin", NeedleFile());
    Olmet o = Olmet::Showing(temp, temp.Path("n.bin"));

    // Repeat before any search asks for the pattern.
    o.Command(ID_REPEAT_SEARCH);
    Window dialog = o.process.WaitDialog("Search");
    dialog.Child(IDC_PATTERN).SetText("needle");
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    EXPECT_EQ(o.TopOffset(), "32");

    o.Command(ID_REPEAT_SEARCH);   // no dialog now
    EXPECT_EQ(o.TopOffset(), "80");
    o.Command(ID_REPEAT_SEARCH);
    o.ExpectMessage("Search string not found");
    EXPECT_EQ(o.TopOffset(), "80");

    o.Command(ID_SEARCH_BACKWARD);
    dialog = o.process.WaitDialog("Search");
    EXPECT_EQ(dialog.Child(IDC_PATTERN).Text(), "needle");
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    EXPECT_EQ(o.TopOffset(), "32");
    o.Command(ID_REPEAT_SEARCH);   // backward now
    o.ExpectMessage("Search string not found");
}

TEST(OlmetSearch, MessagesBeforeAndAfterTheDialog)
{
    TempDir temp("Olmet");
    temp.Write("n.bin", NeedleFile());
    Olmet o = Olmet::Showing(temp, temp.Path("n.bin"));

    o.Command(ID_SEARCH_BACKWARD);   // at row 0: no dialog
    o.ExpectMessage("At start-of-file");
    o.Command(ID_END_OF_FILE);
    o.Command(ID_SEARCH_FORWARD);   // at the last row: no dialog
    o.ExpectMessage("At end-of-file");
    o.Command(ID_START_OF_FILE);

    struct Case {
        const char* pattern;
        int option;   // a check box to set, or 0
        const char* message;
        const char* top;
    } cases[] = {
        {"[ab", 0, "Invalid search pattern\n\nConsult help", "0"},
        {"NEEDLE", 0, "Search string not found", "0"},
        {"NEEDLE", IDC_IGNORE_CASE, nullptr, "32"},
        {"0000080", IDC_ANCHOR_START, nullptr, "80"},
    };
    for (const Case& c : cases) {
        o.Command(ID_START_OF_FILE);
        o.Command(ID_SEARCH_FORWARD);
        Window dialog = o.process.WaitDialog("Search");
        dialog.Child(IDC_PATTERN).SetText(c.pattern);
        for (int box : {IDC_ANCHOR_START, IDC_ANCHOR_END, IDC_IGNORE_CASE})
            dialog.Child(box).SetChecked(box == c.option);
        dialog.Child(IDOK).Click();
        dialog.WaitGone();
        if (c.message)
            o.ExpectMessage(c.message);
        EXPECT_EQ(o.TopOffset(), c.top) << c.pattern;
    }
}

// ---------------------------------------------------------------- marks

TEST(OlmetMarks, SetSkipShowAndClear)
{
    TempDir temp("Olmet");
    temp.Write("m.bin", Bytes(200));
    Olmet o = Olmet::Showing(temp, temp.Path("m.bin"));

    EXPECT_EQ(o.ShowMarks(), "");
    o.GoTo("48").WaitGone();
    o.Mark(ID_SET_MARK, "Set Mark", "a");
    o.Command(ID_END_OF_FILE);
    o.Mark(ID_SET_MARK, "Set Mark", "c");
    o.Mark(ID_SET_MARK, "Set Mark", "A");
    o.ExpectMessage("Marks must be in the range a-z");
    o.Mark(ID_SET_MARK, "Set Mark", "");
    o.ExpectMessage("Marks must be in the range a-z");
    EXPECT_EQ(o.ShowMarks(), "a\t0000048\r\nc\t0000192\r\n");

    o.Mark(ID_SKIP_TO_MARK, "Skip to Mark", "a");
    EXPECT_EQ(o.TopOffset(), "48");
    o.Mark(ID_SKIP_TO_MARK, "Skip to Mark", "b");   // not set: nothing happens
    EXPECT_EQ(o.TopOffset(), "48");

    EXPECT_EQ(o.ShowMarks(IDC_CLEAR_ALL), "a\t0000048\r\nc\t0000192\r\n");
    EXPECT_EQ(o.ShowMarks(), "");
    o.Mark(ID_SKIP_TO_MARK, "Skip to Mark", "c");
    EXPECT_EQ(o.TopOffset(), "48");
}

}   // namespace
