// End-to-end tests of a form view on the framework, through the fixture
// program's real windows under Wine: its list's double-click and the keys
// Enter, Delete and F5 reaching the frame's commands, a pop-up menu from
// Shift+F10, the menu key and the right mouse button with a disabled and a
// checked item, a modeless progress window shown while work runs without a
// message loop, a dialog's About button reaching the application, and the
// font dialog's colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "auto.h"
#include "auto_input.h"
#include "resource.h"

using namespace tamrel_auto;

namespace {

bool Holds(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

struct Fixture {
    TempDir temp{"FormView"};
    Process process;
    Window frame;
    Window list;
    std::string log;

    Fixture()
    {
        log = temp.Path("formfix.log");
        process = Process::Launch(ProgramPath("formview_fixture.exe"), "", temp.path());
        frame = process.WaitFrame("Form Fixture");
        list = WaitDescendant(frame, IDC_LIST);
        WaitLogLine(log, "started");
    }
    ~Fixture()
    {
        if (process.Running()) {
            frame.PostClose();
            process.WaitExit(5000);
        }
    }
    std::vector<std::string> Lines() const { return ReadLogLines(log); }
};

TEST(FormView, ListDoubleClickAndTheFramesKeysReachTheirHandlers)
{
    Fixture f;
    // The form fills the frame's client area, and its list the form.
    Window view = f.list.Parent();
    EXPECT_EQ(view.Parent(), f.frame);
    RECT client, placed;
    GetClientRect(f.frame.hwnd(), &client);
    GetWindowRect(view.hwnd(), &placed);
    MapWindowPoints(nullptr, f.frame.hwnd(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.right - placed.left, client.right);
    EXPECT_EQ(placed.bottom - placed.top, client.bottom);

    f.list.DoubleClick("beta");
    WaitLogLine(f.log, "dblclk beta");

    // The keys go to the list, which has the focus; the frame's accelerators
    // take them before the form's dialog keys would.
    BringToForeground(f.frame);
    WaitFocus(f.list);
    const struct {
        WORD key;
        const char* line;
    } keys[] = {
        {VK_RETURN, "run beta"},
        {VK_DELETE, "delete beta"},
        {VK_F5, "refresh"},
    };
    for (const auto& k : keys) {
        PressKey(f.list, k.key);
        WaitLogLine(f.log, k.line);
    }

    // Several lines selected: the command sees the first of them.
    SelectItems(f.list, {"gamma", "alpha"});
    EXPECT_EQ(SelectedIndices(f.list), (std::vector<int>{0, 2}));
    PressKey(f.list, VK_DELETE);
    WaitLogLine(f.log, "delete alpha");
}

TEST(FormView, ContextMenuFromTheKeyboardHasItsItemsStatesFromTheUpdateHandlers)
{
    Fixture f;
    BringToForeground(f.frame);
    WaitFocus(f.list);
    PressKey(f.list, VK_F10, kShift);
    Window menu = WaitPopupMenu(f.process);
    std::vector<std::string> lines =
        WaitLogLine(f.log, "popup &Enabled item:enabled &Disabled item:grayed &Checked item:enabled:checked");
    // From the keyboard the point is (-1, -1); the view places the menu.
    EXPECT_TRUE(Holds(lines, "context -1,-1"));
    // The disabled item's mnemonic runs nothing; Escape closes the menu.
    PressKey(menu, 'D');
    if (IsPopupMenu(menu))
        PressKey(menu, VK_ESCAPE);
    menu.WaitGone();

    // The menu key opens it again; the enabled item runs.
    PressKey(f.list, VK_APPS);
    menu = WaitPopupMenu(f.process);
    PressKey(menu, 'E');
    menu.WaitGone();
    WaitLogLine(f.log, "popup enabled");

    PressKey(f.list, VK_F10, kShift);
    menu = WaitPopupMenu(f.process);
    PressKey(menu, 'C');
    menu.WaitGone();
    lines = WaitLogLine(f.log, "popup checked");
    EXPECT_FALSE(Holds(lines, "popup disabled"));
    // One menu a press: three presses, three menus.
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "context -1,-1"), 3);
}

TEST(FormView, RightButtonOpensTheContextMenuAtTheMouse)
{
    Fixture f;
    POINT at = ClickMouse(f.list, 20, 10, VK_RBUTTON);
    Window menu = WaitPopupMenu(f.process);
    WaitLogLine(f.log, "context " + std::to_string(at.x) + "," + std::to_string(at.y));
    RECT placed;
    GetWindowRect(menu.hwnd(), &placed);
    EXPECT_EQ(placed.left, at.x);
    EXPECT_EQ(placed.top, at.y);
    PressKey(menu, VK_ESCAPE);
    menu.WaitGone();
}

TEST(FormView, ModelessWindowShowsEachStepWhileWorkRunsWithoutAMessageLoop)
{
    Fixture f;
    HANDLE step = CreateEventA(nullptr, FALSE, FALSE, "TamrelFormFixtureStep");
    ASSERT_NE(step, nullptr);
    f.frame.MenuCommand(ID_WORK);
    Window progress = f.process.WaitDialog("Working....");
    for (const char* name : {"one.txt", "two.txt", "three.txt"}) {
        SCOPED_TRACE(name);
        WaitLogLine(f.log, std::string("working ") + name + " field=" + name + " visible=1");
        EXPECT_TRUE(progress.Visible());
        // The program is busy in its work: its windows answer no messages.
        DWORD_PTR answer = 0;
        EXPECT_EQ(SendMessageTimeoutA(f.frame.hwnd(), WM_NULL, 0, 0, SMTO_NORMAL, 300, &answer), 0);
        SetEvent(step);
    }
    WaitLogLine(f.log, "work done");
    progress.WaitGone();
    // Back in its message loop, the program takes commands again.
    f.list.DoubleClick("gamma");
    WaitLogLine(f.log, "dblclk gamma");
    CloseHandle(step);
}

TEST(FormView, DialogsAboutButtonReachesTheApplication)
{
    Fixture f;
    f.frame.MenuCommand(ID_OPTIONS);
    Window dialog = f.process.WaitDialog("Fixture Options");
    dialog.Child(IDC_OPTIONS_ABOUT).Click();
    WaitLogLine(f.log, "app about");
    EXPECT_TRUE(dialog.Visible());
    dialog.Child(IDCANCEL).Click();
    dialog.WaitGone();
    WaitLogLine(f.log, "options cancelled");
}

TEST(FormView, FontDialogHandsBackThePresetColour)
{
    Fixture f;
    f.frame.MenuCommand(ID_FONT);
    Window dialog = f.process.WaitDialog("Font");
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    // Pure blue: red 0, green 0, blue 255.
    std::vector<std::string> lines = WaitLogLine(f.log, "font face=*");
    std::string chosen = lines.back();
    EXPECT_NE(chosen.find(" color=00ff0000 "), std::string::npos) << chosen;
    EXPECT_EQ(chosen.find("face= "), std::string::npos) << chosen;
}

}   // namespace
