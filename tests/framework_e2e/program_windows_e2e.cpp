// The suite's programs as a user of the platform expects their windows:
// the pager's captions with several files, dialogs centred over their
// owner (or the screen), the font dialog opening on the font in use, and a
// double-click in a tool's output selecting a whole path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/auto/auto.h"
#include "tests/auto/auto_input.h"
#include "print_support.h"
#include "window_geometry.h"
#include "quarn/resource.h"
#include "zodo/resource.h"

using namespace tamrel_auto;
using namespace window_geometry;

namespace {

const std::string kZodo = "ZODO for  Windows";

struct Pager {
    TempDir dir{"PagerWindows"};
    Process process;
    Window frame;

    explicit Pager(const std::string& name)
    {
        dir.Write(name, "first line\r\nsecond line\r\n");
        process = Process::Launch(ProgramPath("zodo.exe"), dir.Path(name), dir.path());
        frame = process.WaitWindow(
            [](const Window& w) { return w.ClassName() != "#32770" && w.FindChildByClass("MDIClient"); },
            "the pager's frame");
        WaitChildren(1);
    }
    size_t WaitChildren(size_t count) const
    {
        size_t seen = 0;
        PollUntil([&] { return (seen = frame.MdiChildren().size()) == count; }, 10000);
        EXPECT_EQ(seen, count);
        return seen;
    }
    void Open(const std::string& name) const
    {
        dir.Write(name, "another file\r\n");
        frame.MenuCommand(ID_FILE_OPEN);
        Window open = process.WaitDialog("Open");
        ChooseFile(open, dir.Path(name));
        open.WaitGone();
    }
};

TEST(PagerCaption, TheFrameShowsItsOwnTitleAndTheActiveFileInBracketsWhenMaximized)
{
    Pager z("GPL-3");
    EXPECT_EQ(WaitText(z.frame, kZodo + " - GPL-3"), kZodo + " - GPL-3");
    z.Open("notes.txt");
    z.WaitChildren(2);
    EXPECT_EQ(WaitText(z.frame, kZodo + " - notes.txt"), kZodo + " - notes.txt");

    Window client = z.frame.MdiClient();
    PostMessageA(client.hwnd(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(z.frame.MdiActive().hwnd()), 0);
    EXPECT_EQ(WaitText(z.frame, kZodo + " - [notes.txt]"), kZodo + " - [notes.txt]");

    // The other file brought forward while maximized.
    PostMessageA(client.hwnd(), WM_MDINEXT, 0, 0);
    EXPECT_EQ(WaitText(z.frame, kZodo + " - [GPL-3]"), kZodo + " - [GPL-3]");

    // New Window numbers the file's windows; the new one is the second.
    z.frame.MenuCommand(ID_WINDOW_NEW);
    z.WaitChildren(3);
    EXPECT_EQ(WaitText(z.frame, kZodo + " - [GPL-3:2]"), kZodo + " - [GPL-3:2]");
    std::vector<std::string> captions;
    for (const Window& child : z.frame.MdiChildren())
        captions.push_back(child.Caption());
    std::sort(captions.begin(), captions.end());
    EXPECT_EQ(captions, std::vector<std::string>({"GPL-3:1", "GPL-3:2", "notes.txt"}));

    PostMessageA(client.hwnd(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(z.frame.MdiActive().hwnd()), 0);
    EXPECT_EQ(WaitText(z.frame, kZodo + " - GPL-3:2"), kZodo + " - GPL-3:2");
}

TEST(PagerDialogs, GoToOpensCentredOverTheFrame)
{
    Pager z("lines.txt");
    // Away from the screen's middle, so a dialog centred on the screen
    // would not pass.
    ASSERT_TRUE(SetWindowPos(z.frame.hwnd(), nullptr, 40, 30, 560, 420, SWP_NOZORDER | SWP_NOACTIVATE));
    z.frame.MenuCommand(ID_GOTO_LINE);
    Window dialog = z.process.WaitDialog("Go To");
    RECT r = ScreenRect(dialog);
    RECT owner = ScreenRect(z.frame);
    EXPECT_TRUE(CentredOver(r, owner)) << Describe(r) << " over " << Describe(owner);
    dialog.Child(IDCANCEL).Click();
    dialog.WaitGone();

    // The About box too, from the other side of the screen.
    RECT area = WorkArea(z.frame);
    ASSERT_TRUE(SetWindowPos(
        z.frame.hwnd(), nullptr, area.right - 600, area.bottom - 450, 560, 420, SWP_NOZORDER | SWP_NOACTIVATE));
    z.frame.MenuCommand(ID_APP_ABOUT);
    Window about = z.process.WaitDialog("About ZODO");
    r = ScreenRect(about);
    owner = ScreenRect(z.frame);
    EXPECT_TRUE(CentredOver(r, owner)) << Describe(r) << " over " << Describe(owner);
    about.Child(IDOK).Click();
    about.WaitGone();
}

// The face the display font of a fresh pager comes out as: the stock fixed
// font's description, made into a font on this screen.
std::string FaceOfStockFixedFont()
{
    LOGFONTA description = {};
    GetObjectA(GetStockObject(ANSI_FIXED_FONT), sizeof(description), &description);
    HFONT font = CreateFontIndirectA(&description);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return face;
}

TEST(PagerDialogs, SetFontOpensOnTheFontInUse)
{
    Pager z("font.txt");
    std::string face = FaceOfStockFixedFont();
    ASSERT_FALSE(face.empty());
    z.frame.MenuCommand(ID_SET_FONT);
    Window dialog = z.process.WaitDialog("Font");
    // The face box (cmb1) names the face; the size box (cmb3) is filled in.
    Window faceBox = dialog.Child(0x470);
    Window sizeBox = dialog.Child(0x472);
    EXPECT_EQ(WaitText(faceBox, face), face);
    std::string size;
    PollUntil([&] { return !(size = sizeBox.Text()).empty(); }, 5000);
    EXPECT_FALSE(size.empty());
    dialog.Child(IDCANCEL).Click();
    dialog.WaitGone();
}

// The face of the printer font of a fresh pager on the test printer: the
// description of the stock device font, made into a font for the printer.
std::string FaceOfDevicePrinterFont()
{
    HDC dc = print_support::TestPrinter::OpenDC();
    if (!dc)
        return "";
    LOGFONTA description = {};
    GetObjectA(GetStockObject(DEVICE_DEFAULT_FONT), sizeof(description), &description);
    HFONT font = CreateFontIndirectA(&description);
    HGDIOBJ old = SelectObject(dc, font);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return face;
}

TEST(PagerDialogs, SetPrinterFontOpensOnThePrinterFontInUse)
{
    std::string error;
    ASSERT_TRUE(print_support::TestPrinter::Install(&error)) << error;
    struct Removal {
        ~Removal() { print_support::TestPrinter::Remove(); }
    } removal;
    const std::string face = FaceOfDevicePrinterFont();
    ASSERT_FALSE(face.empty());
    Pager z("printer.txt");
    z.frame.MenuCommand(ID_SET_PRINTER_FONT);
    Window dialog = z.process.WaitDialog("Font");
    EXPECT_EQ(WaitText(dialog.Child(0x470), face), face);
    dialog.Child(IDCANCEL).Click();
    dialog.WaitGone();
}

TEST(ToolDialogs, AToolsFirstDialogOpensInTheMiddleOfTheScreen)
{
    TempDir dir("VanticWindows");
    Process vantic = Process::Launch(ProgramPath("vantic.exe"), "", dir.path());
    Window dialog = vantic.WaitDialog("Vantic for Windows");
    RECT r = ScreenRect(dialog);
    RECT area = WorkArea(dialog);
    EXPECT_TRUE(CentredOver(r, area)) << Describe(r) << " in " << Describe(area);
    dialog.Child(IDCANCEL).Click();
    EXPECT_TRUE(vantic.WaitExit());
}

// The search dialog shares its caption with the program's message boxes.
Window QuarnDialog(const Process& quarn)
{
    return quarn.WaitWindow(
        [](const Window& w) {
            return w.ClassName() == "#32770" && w.Caption() == "Quarn for Windows" && !IsMessageBox(w);
        },
        "quarn's search dialog");
}

TEST(OutputView, ADoubleClickSelectsAWholePath)
{
    TempDir dir("QuarnWindows");
    dir.MakeDir("data_1");
    dir.Write("data_1\\my-file.v2~$x.txt", "foo here\r\n");
    Process quarn = Process::Launch(ProgramPath("quarn.exe"), "", dir.path());
    Window dialog = QuarnDialog(quarn);
    dialog.Child(IDC_FILENAMES).SetText("*.txt");
    dialog.Child(IDC_PATTERNS).SetText("foo");
    dialog.Child(IDC_DESCEND).SetChecked(true);
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    Window frame = quarn.WaitFrame(" - Quarn for Windows");
    Window view = frame.ChildByClass("Edit");
    std::string text;
    const std::string name = "data_1\\my-file.v2~$x.txt";
    size_t at = std::string::npos;
    PollUntil([&] { return (at = (text = view.Text()).find(name)) != std::string::npos; }, 10000);
    ASSERT_NE(at, std::string::npos) << text;
    // The whole path as the output shows it: back to the blank before it.
    size_t start = text.find_last_of(" \r\n", at);
    start = start == std::string::npos ? 0 : start + 1;
    const size_t end = at + name.size();
    const std::string path = text.substr(start, end - start);

    // A character in the middle of the name: a hyphen and dots around it.
    const size_t target = at + name.find("file");
    LRESULT pos = SendMessageA(view.hwnd(), EM_POSFROMCHAR, target, 0);
    const int x = static_cast<short>(LOWORD(pos)) + 2;
    const int y = static_cast<short>(HIWORD(pos)) + 4;
    view.SetSelection(0, 0);
    ClickMouse(view, x, y);
    ClickMouse(view, x, y);
    std::pair<int, int> selection;
    PollUntil([&] { return (selection = view.Selection()).second > selection.first; }, 5000);
    EXPECT_EQ(
        text.substr(static_cast<size_t>(selection.first), static_cast<size_t>(selection.second - selection.first)),
        path);
    EXPECT_EQ(selection.first, static_cast<int>(start));
    EXPECT_EQ(selection.second, static_cast<int>(end));
    frame.PostClose();
    quarn.WaitExit();
}

}   // namespace
