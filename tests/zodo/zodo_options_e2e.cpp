// End-to-end tests of zodo's display settings and editor launch: the Tabs
// and Margin dialogs' bounds, Save Options and the zodo.ini it writes in
// the prefix's Windows directory, a restart that uses what was saved, the
// font dialogs, and Invoke editor with the recorder standing in for the
// editor.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "auto.h"
#include "print_e2e_support.h"
#include "zodo/resource.h"
#include "zodo_options_keys.h"

using namespace tamrel_auto;
using print_support::PsDocument;
using print_support::TestPrinter;
using print_support::WaitSpooled;

namespace {

std::string ZodoIni()
{
    return WindowsIniPath("zodo.ini");
}

// A pager on one file, with the handful of steps these tests repeat.
struct Pager {
    Process process;
    Window frame;

    Pager(const std::string& directory, const std::string& path)
        : process(Process::Launch(ProgramPath("zodo.exe"), path, directory))
    {
        frame = process.WaitWindow(
            [](const Window& w) { return w.ClassName() != "#32770" && w.FindChildByClass("MDIClient"); },
            "the pager's frame");
        // The document window is open once the client holds a visible child.
        WaitUntil(
            [&] {
                for (const Window& w : frame.ChildByClass("MDIClient").Children())
                    if (w.Visible())
                        return true;
                return false;
            },
            "the document window");
    }

    Window Open(int command, const std::string& caption) const
    {
        frame.MenuCommand(command);
        return process.WaitDialog(caption);
    }
    // The text a one-field dialog opens with; the dialog is cancelled.
    std::string Preset(int command, const std::string& caption, int field = IDC_SETTING_VALUE) const
    {
        Window dialog = Open(command, caption);
        std::string text = dialog.Child(field).Text();
        dialog.Child(IDCANCEL).Click();
        dialog.WaitGone();
        return text;
    }
    void Set(int command, const std::string& caption, const std::string& value) const
    {
        Window dialog = Open(command, caption);
        dialog.Child(IDC_SETTING_VALUE).SetText(value);
        dialog.Child(IDOK).Click();
        dialog.WaitGone();
    }
    // Save Options, then waits until zodo.ini carries its last key.
    void SaveOptions() const
    {
        frame.MenuCommand(ID_SAVE_OPTIONS);
        WaitUntil([] { return !ProfileValue(ZodoIni(), "Position", "bottom").empty(); }, "Position in zodo.ini");
    }
};

// zodo.ini as it was before the test, and none during it.
struct FreshProfile {
    FileSnapshot saved{ZodoIni()};
    FreshProfile() { DeleteFileA(ZodoIni().c_str()); }
};

// Each test starts with no zodo.ini and a directory of its own; Start
// opens a pager on a file made there.
class PagerOptions : public ::testing::Test {
protected:
    Pager& Start(const std::string& name = "a.txt", const std::string& text = "a\r\n")
    {
        temp.Write(name, text);
        pager.reset(new Pager(temp.path(), temp.Path(name)));
        return *pager;
    }
    FreshProfile fresh;
    TempDir temp;
    std::unique_ptr<Pager> pager;
};

class SaveOptions : public PagerOptions {};
class SetFont : public PagerOptions {};
class SetPrinterFont : public PagerOptions {};
class EditorLaunch : public PagerOptions {};

LOGFONTA StockFont(int which)
{
    LOGFONTA font = {};
    GetObjectA(GetStockObject(which), sizeof font, &font);
    return font;
}

// ---------------------------------------------------------------- bounds

struct BoundsCase {
    const char* name;
    int command;
    const char* caption;
    const char* typed;
    const char* message;   // null: accepted
};

class NumberDialog : public PagerOptions, public ::testing::WithParamInterface<BoundsCase> {};

// A refused value keeps the dialog open with the setting unchanged; an
// accepted one becomes the next preset.
TEST_P(NumberDialog, KeepsItsBounds)
{
    const BoundsCase& c = GetParam();
    Pager& z = Start();
    const std::string before = z.Preset(c.command, c.caption);
    Window dialog = z.Open(c.command, c.caption);
    dialog.Child(IDC_SETTING_VALUE).SetText(c.typed);
    dialog.Child(IDOK).Click();
    if (c.message) {
        EXPECT_EQ(AnswerMessageBox(z.process), c.message);
        EXPECT_TRUE(dialog.Exists());
        dialog.Child(IDCANCEL).Click();
        dialog.WaitGone();
        EXPECT_EQ(z.Preset(c.command, c.caption), before);
    } else {
        dialog.WaitGone();
        EXPECT_EQ(z.Preset(c.command, c.caption), c.typed);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Options, NumberDialog,
    ::testing::Values(
        BoundsCase{"tabs_17", ID_SET_TAB_STOPS, "Set Tabs", "17", "Please enter an integer between 1 and 16."},
        BoundsCase{"tabs_0", ID_SET_TAB_STOPS, "Set Tabs", "0", "Please enter an integer between 1 and 16."},
        BoundsCase{"tabs_letters", ID_SET_TAB_STOPS, "Set Tabs", "four", "Please enter an integer."},
        BoundsCase{"tabs_16", ID_SET_TAB_STOPS, "Set Tabs", "16", nullptr},
        BoundsCase{"margin_33", ID_SET_MARGIN, "Printer Margin", "33", "Please enter an integer between 0 and 32."},
        BoundsCase{
            "margin_minus_1", ID_SET_MARGIN, "Printer Margin", "-1", "Please enter an integer between 0 and 32."},
        BoundsCase{"margin_32", ID_SET_MARGIN, "Printer Margin", "32", nullptr}),
    [](const ::testing::TestParamInfo<BoundsCase>& i) { return std::string(i.param.name); });

// ---------------------------------------------------------------- saving

// Every key in its order and form; the stock fonts are written field by
// field; the rectangle is the frame's.
TEST_F(SaveOptions, WritesEveryKeyOfTheSettingsInUse)
{
    Pager& z = Start();
    z.Set(ID_SET_TAB_STOPS, "Set Tabs", "3");
    z.Set(ID_SET_MARGIN, "Printer Margin", "5");
    z.Set(ID_SET_EDITOR, "Set Editor", "wordpad.exe");
    ASSERT_TRUE(SetWindowPos(z.frame.hwnd(), nullptr, 30, 40, 600, 450, SWP_NOZORDER | SWP_NOACTIVATE));
    RECT rect = {};
    ASSERT_TRUE(PollUntil([&] { return GetWindowRect(z.frame.hwnd(), &rect) && rect.right - rect.left == 600; }));
    z.SaveOptions();

    const std::string ini = ZodoIni();
    EXPECT_EQ(ProfileKeysInOrder(ini), ExpectedOptionKeys());

    EXPECT_EQ(ProfileValue(ini, "tabbing", "length"), "3");
    EXPECT_EQ(ProfileValue(ini, "tabbing", "margin"), "5");
    EXPECT_EQ(ProfileValue(ini, "colors", "hicolor"), "0");
    EXPECT_EQ(ProfileValue(ini, "colors", "locolor"), "0");
    EXPECT_EQ(ProfileValue(ini, "tools", "editor"), "wordpad.exe");
    struct Stock {
        const char* section;
        LOGFONTA font;
    };
    for (const Stock& s :
         {Stock{"font", StockFont(ANSI_FIXED_FONT)}, Stock{"lpfont", StockFont(DEVICE_DEFAULT_FONT)}}) {
        EXPECT_EQ(ProfileValue(ini, s.section, "Height"), std::to_string(s.font.lfHeight)) << s.section;
        EXPECT_EQ(ProfileValue(ini, s.section, "Weight"), std::to_string(s.font.lfWeight)) << s.section;
        EXPECT_EQ(ProfileValue(ini, s.section, "CharSet"), std::to_string(s.font.lfCharSet)) << s.section;
        EXPECT_EQ(ProfileValue(ini, s.section, "PitchAndFamily"), std::to_string(s.font.lfPitchAndFamily)) << s.section;
        EXPECT_EQ(ProfileValue(ini, s.section, "FaceName"), s.font.lfFaceName) << s.section;
    }
    EXPECT_EQ(ProfileValue(ini, "Position", "left"), std::to_string(rect.left));
    EXPECT_EQ(ProfileValue(ini, "Position", "top"), std::to_string(rect.top));
    EXPECT_EQ(ProfileValue(ini, "Position", "right"), std::to_string(rect.right));
    EXPECT_EQ(ProfileValue(ini, "Position", "bottom"), std::to_string(rect.bottom));
}

// Keys of zodo.ini that Save Options does not write stay as they were.
TEST_F(SaveOptions, KeepsTheOtherKeysOfTheProfile)
{
    ProfileOverride recent(ZodoIni(), "Recent File List", "File1", "c:\\kept.txt");
    ProfileOverride pages(ZodoIni(), "Settings", "PreviewPages", "2");
    Pager& z = Start();
    z.SaveOptions();
    EXPECT_EQ(ProfileValue(ZodoIni(), "Recent File List", "File1"), "c:\\kept.txt");
    EXPECT_EQ(ProfileValue(ZodoIni(), "Settings", "PreviewPages"), "2");
    EXPECT_EQ(ProfileValue(ZodoIni(), "tabbing", "length"), "8");
}

// A profile the pager cannot replace is said so, and stays as it was.
TEST_F(SaveOptions, AProfileThatCannotBeWrittenIsReported)
{
    ProfileOverride tabs(ZodoIni(), "tabbing", "length", "5");
    const std::string before = ReadFileBytes(ZodoIni());
    Pager& z = Start();
    z.Set(ID_SET_TAB_STOPS, "Set Tabs", "2");
    // Held open without leave to delete it, the profile cannot be replaced.
    HANDLE lock = CreateFileA(ZodoIni().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    z.frame.MenuCommand(ID_SAVE_OPTIONS);
    std::string message = AnswerMessageBox(z.process);
    CloseHandle(lock);
    // The program names its profile as the framework does; file names
    // match without regard to case.
    EXPECT_EQ(Lower(message), Lower("cant write " + ZodoIni()));
    EXPECT_EQ(ReadFileBytes(ZodoIni()), before);
}

// At exit the pager leaves only the framework's own entries: the recent
// files, and no PreviewPages while it is 0; settings changed without Save
// Options are gone.
TEST_F(SaveOptions, ExitWritesNoSettings)
{
    Pager& z = Start();
    z.Set(ID_SET_TAB_STOPS, "Set Tabs", "3");
    z.frame.MenuCommand(ID_APP_EXIT);
    ASSERT_TRUE(z.process.WaitExit());
    EXPECT_EQ(Lower(ProfileValue(ZodoIni(), "Recent File List", "File1")), Lower(temp.Path("a.txt")));
    EXPECT_EQ(ProfileValue(ZodoIni(), "Settings", "PreviewPages", "<none>"), "<none>");
    EXPECT_EQ(ProfileValue(ZodoIni(), "tabbing", "length", "<none>"), "<none>");
}

// ---------------------------------------------------------------- restart

// A printer for the tests that print or choose printer fonts, removed
// again after them.
struct PrinterInstalled {
    bool ok = false;
    std::string error;
    PrinterInstalled() { ok = TestPrinter::Install(&error); }
    ~PrinterInstalled()
    {
        if (ok)
            TestPrinter::Remove();
    }
};

// The body row of a one-line printout and the x of its first character
// and of the header's.
struct PrintedLine {
    std::string text;
    std::string font;   // the PostScript font of the line
    int x = 0;
    int headerX = 0;
};

PrintedLine PrintOneLine(const Pager& z, const std::string& spool)
{
    PsDocument doc = print_support::PrintFromMenu(z.process, z.frame, spool);
    PrintedLine line;
    if (doc.pages.size() != 1)
        throw AutoError("expected one printed page, got " + std::to_string(doc.pages.size()));
    std::vector<print_support::Row> rows = doc.pages[0].Rows();
    if (rows.size() != 2)
        throw AutoError("expected a header and one line, got " + std::to_string(rows.size()));
    int headerX = INT_MAX, x = INT_MAX;
    for (const print_support::PsRun& run : doc.pages[0].runs) {
        if (run.y == rows[0].y && run.x < headerX)
            headerX = run.x;
        if (run.y == rows[1].y && run.x < x) {
            x = run.x;
            line.font = run.font;
        }
    }
    line.text = rows[1].text;
    line.x = x;
    line.headerX = headerX;
    return line;
}

// What one pager saved, the next one starts with: the window rectangle, the
// tab length in its rendering, the margin in its printout, the editor.
TEST_F(SaveOptions, ARestartUsesWhatWasSaved)
{
    PrinterInstalled printer;
    ASSERT_TRUE(printer.ok) << printer.error;
    temp.Write("t.txt", "A\tB\r\n");
    RECT saved = {};
    PrintedLine before;
    {
        Pager first(temp.path(), temp.Path("t.txt"));
        before = PrintOneLine(first, temp.Path("before.ps"));
        first.Set(ID_SET_TAB_STOPS, "Set Tabs", "3");
        first.Set(ID_SET_MARGIN, "Printer Margin", "6");
        first.Set(ID_SET_EDITOR, "Set Editor", "wordpad.exe");
        ASSERT_TRUE(SetWindowPos(first.frame.hwnd(), nullptr, 50, 60, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE));
        ASSERT_TRUE(
            PollUntil([&] { return GetWindowRect(first.frame.hwnd(), &saved) && saved.right - saved.left == 640; }));
        first.SaveOptions();
        first.process.Kill();
    }
    EXPECT_EQ(before.text, "A       B");
    EXPECT_EQ(before.x, before.headerX);

    Pager again(temp.path(), temp.Path("t.txt"));
    RECT now = {};
    ASSERT_TRUE(GetWindowRect(again.frame.hwnd(), &now));
    EXPECT_EQ(now.left, saved.left);
    EXPECT_EQ(now.top, saved.top);
    EXPECT_EQ(now.right, saved.right);
    EXPECT_EQ(now.bottom, saved.bottom);
    EXPECT_EQ(again.Preset(ID_SET_TAB_STOPS, "Set Tabs"), "3");
    EXPECT_EQ(again.Preset(ID_SET_MARGIN, "Printer Margin"), "6");
    EXPECT_EQ(again.Preset(ID_SET_EDITOR, "Set Editor"), "wordpad.exe");
    PrintedLine after = PrintOneLine(again, temp.Path("after.ps"));
    EXPECT_EQ(after.text, "A  B");
    // The margin moves the header and the lines right alike.
    EXPECT_GT(after.x, before.x);
    EXPECT_EQ(after.x, after.headerX);
}

// ---------------------------------------------------------------- fonts

// A face the test prefix is known to have: one of Wine's own fonts (Debian's
// fonts-wine), TrueType, unlike the fixed default. The machine's other fonts
// differ from one machine to the next, and some of them Wine's PostScript
// driver cannot download.
const char kWineFace[] = "Tahoma";

// Chooses `face` in the font dialog's face list; fails, listing the faces,
// when the list lacks it.
void ChooseFace(const Window& dialog, const std::string& face)
{
    Window faces = dialog.Child(cmb1);
    std::vector<std::string> names = ComboItems(faces);
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == face) {
            SelectComboItem(faces, static_cast<int>(i));
            return;
        }
    }
    std::string listed;
    for (const std::string& name : names)
        listed += (listed.empty() ? "" : ", ") + name;
    throw AutoError("the font dialog lists no " + face + " (is fonts-wine installed?); it lists: " + listed);
}

TEST_F(SetFont, TheChosenFaceAndColourAreSaved)
{
    Pager& z = Start();
    Window dialog = z.Open(ID_SET_FONT, "Font");
    const std::string face = kWineFace;
    ChooseFace(dialog, face);
    // Blue from the colour list: stored as hicolor 255 and locolor 0.
    Window colours = dialog.Child(cmb4);
    int blue = -1;
    for (int i = 0; i < static_cast<int>(ComboItems(colours).size()); ++i)
        if (ComboItemData(colours, i) == static_cast<LRESULT>(RGB(0, 0, 255)))
            blue = i;
    ASSERT_GE(blue, 0) << "no blue in the font dialog's colours";
    SelectComboItem(colours, blue);
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    z.SaveOptions();
    EXPECT_EQ(ProfileValue(ZodoIni(), "font", "FaceName"), face);
    EXPECT_NE(ProfileValue(ZodoIni(), "font", "Height"), "0");
    EXPECT_EQ(ProfileValue(ZodoIni(), "colors", "hicolor"), "255");
    EXPECT_EQ(ProfileValue(ZodoIni(), "colors", "locolor"), "0");

    // The next Set Font opens on the colour in use.
    Window next = z.Open(ID_SET_FONT, "Font");
    int shown = ComboSelectedIndex(next.Child(cmb4));
    EXPECT_EQ(ComboItemData(next.Child(cmb4), shown), static_cast<LRESULT>(RGB(0, 0, 255)));
    next.Child(IDCANCEL).Click();
    next.WaitGone();
}

TEST_F(SetFont, CancelChangesNothing)
{
    Pager& z = Start();
    Window dialog = z.Open(ID_SET_FONT, "Font");
    ChooseFace(dialog, kWineFace);
    dialog.Child(IDCANCEL).Click();
    dialog.WaitGone();
    z.SaveOptions();
    EXPECT_EQ(ProfileValue(ZodoIni(), "font", "FaceName"), StockFont(ANSI_FIXED_FONT).lfFaceName);
}

bool DefaultPrinterExists()
{
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT;
    if (!PrintDlgA(&pd))
        return false;
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        GlobalFree(pd.hDevNames);
    return true;
}

TEST_F(SetPrinterFont, WithoutAPrinterSaysSo)
{
    ASSERT_FALSE(DefaultPrinterExists()) << "this test wants a prefix without a printer";
    Pager& z = Start();
    z.frame.MenuCommand(ID_SET_PRINTER_FONT);
    EXPECT_EQ(AnswerMessageBox(z.process), "cant get printer device defaults");
}

// With a printer the dialog lists its fonts; the face chosen is the
// printer font saved, and the next printout is in it.
TEST_F(SetPrinterFont, TheChosenPrinterFaceIsSavedAndPrinted)
{
    PrinterInstalled printer;
    ASSERT_TRUE(printer.ok) << printer.error;
    Pager& z = Start("a.txt", "abc\r\n");
    const PrintedLine before = PrintOneLine(z, temp.Path("before.ps"));
    Window dialog = z.Open(ID_SET_PRINTER_FONT, "Font");
    const std::string face = kWineFace;
    ChooseFace(dialog, face);
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    z.SaveOptions();
    EXPECT_EQ(ProfileValue(ZodoIni(), "lpfont", "FaceName"), face);
    EXPECT_NE(ProfileValue(ZodoIni(), "lpfont", "Height"), "0");
    PrintedLine after = PrintOneLine(z, temp.Path("after.ps"));
    EXPECT_EQ(after.text, "abc");
    EXPECT_NE(after.font, before.font) << "printed in " << after.font << " after choosing " << face;
}

// ---------------------------------------------------------------- editor

// The recorder installed as the editor in the test's directory, named in
// zodo.ini.
struct RecorderEditor {
    std::string exe;
    std::unique_ptr<ProfileOverride> editor;
    explicit RecorderEditor(const TempDir& temp) : exe(temp.Path("Ed.exe"))
    {
        CopyFileTo(ProgramPath("recorder.exe"), exe);
        editor.reset(new ProfileOverride(ZodoIni(), "tools", "editor", exe));
    }
    std::string Log() const { return RecorderLogPath(exe.substr(0, exe.find_last_of('\\'))); }
};

struct InvokeCase {
    const char* name;
    const char* fileName;
    bool emptyArguments;
};

class InvokeEditor : public PagerOptions, public ::testing::WithParamInterface<InvokeCase> {};

// The editor gets "command path", the path lower-cased and unquoted, or
// the command and one blank when the arguments are emptied.
TEST_P(InvokeEditor, StartsTheCommandWithTheLowerCasedPath)
{
    const InvokeCase& c = GetParam();
    RecorderEditor editor(temp);
    const std::string path = temp.Path(c.fileName);
    ASSERT_LE(path.size(), 80u) << "the Run Command dialog takes 80 characters";
    ASSERT_LE(editor.exe.size(), 80u) << "the Run Command dialog takes 80 characters";
    Pager& z = Start(c.fileName, "text\r\n");
    Window dialog = z.Open(ID_INVOKE_EDITOR, "Run Command");
    EXPECT_EQ(dialog.Child(IDC_SETTING_VALUE).Text(), editor.exe);
    EXPECT_EQ(dialog.Child(IDC_RUN_ARGUMENTS).Text(), Lower(path));
    if (c.emptyArguments)
        dialog.Child(IDC_RUN_ARGUMENTS).SetText("");
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    std::vector<RecorderEntry> entries = WaitRecorderEntries(editor.Log());
    ASSERT_EQ(entries.size(), 1u);
    const std::string arguments = c.emptyArguments ? "" : Lower(path);
    EXPECT_EQ(entries[0].commandLine, editor.exe + " " + arguments);
    EXPECT_EQ(entries[0].tail, arguments);
    EXPECT_TRUE(z.process.Running());
}

INSTANTIATE_TEST_SUITE_P(Options, InvokeEditor,
                         ::testing::Values(InvokeCase{"mixed_case", "Doc.TXT", false},
                                           InvokeCase{"blanks", "My Doc.txt", false},
                                           InvokeCase{"no_arguments", "Doc.txt", true}),
                         [](const ::testing::TestParamInfo<InvokeCase>& i) { return std::string(i.param.name); });

TEST_F(EditorLaunch, AMissingEditorFails)
{
    ProfileOverride editor(ZodoIni(), "tools", "editor", temp.Path("missing.exe"));
    Pager& z = Start();
    Window dialog = z.Open(ID_INVOKE_EDITOR, "Run Command");
    dialog.Child(IDOK).Click();
    EXPECT_EQ(AnswerMessageBox(z.process), "Error: WinExec failed");
    EXPECT_TRUE(z.process.Running());
}

// Set Editor changes what Invoke editor presets; Browse fills in the
// chosen program's path lower-cased, which the 40-character field refuses
// when longer.
TEST_F(EditorLaunch, SetEditorTypedAndBrowsed)
{
    temp.Write("Some Ed.EXE", "MZ");
    Pager& z = Start();
    EXPECT_EQ(z.Preset(ID_SET_EDITOR, "Set Editor"), "notepad.exe");
    z.Set(ID_SET_EDITOR, "Set Editor", "wordpad.exe");
    EXPECT_EQ(z.Preset(ID_INVOKE_EDITOR, "Run Command"), "wordpad.exe");

    Window dialog = z.Open(ID_SET_EDITOR, "Set Editor");
    dialog.Child(IDC_EDITOR_BROWSE).Click();
    ChooseFile(z.process.WaitDialog("Open"), temp.Path("Some Ed.EXE"));
    const std::string browsed = Lower(temp.Path("Some Ed.EXE"));
    EXPECT_EQ(WaitText(dialog.Child(IDC_SETTING_VALUE), browsed), browsed);
    dialog.Child(IDOK).Click();
    if (browsed.size() > 40) {
        EXPECT_EQ(AnswerMessageBox(z.process), "Please enter no more than 40 characters.");
        dialog.Child(IDCANCEL).Click();
        dialog.WaitGone();
        EXPECT_EQ(z.Preset(ID_SET_EDITOR, "Set Editor"), "wordpad.exe");
    } else {
        dialog.WaitGone();
        EXPECT_EQ(z.Preset(ID_SET_EDITOR, "Set Editor"), browsed);
    }
}

}   // namespace
