// The framework's windows as a user of the platform expects them, on the
// fixture programs: the multiple-document Window menu lists the open
// windows, the frame's caption names the active one (in brackets while it
// is maximized), and a dialog without an owner opens in the middle of the
// screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "tests/auto/auto.h"
#include "tests/fwapp/resource.h"
#include "tests/mdiapp/resource.h"
#include "window_geometry.h"

using namespace tamrel_auto;
using namespace window_geometry;

namespace {

const std::string kTitle = "MDI Fixture";

struct MdiFixture {
    TempDir dir{"MdiWindows"};
    Process process;
    Window frame;

    explicit MdiFixture(const std::string& tail)
    {
        process = Process::Launch(ProgramPath("mdiapp.exe"), tail, dir.path());
        frame = process.WaitFrame();
    }
    std::string Doc(const std::string& name) const
    {
        dir.Write(name, name + "\r\n");
        return dir.Path(name);
    }
    void Open(const std::string& path) const
    {
        frame.MenuCommand(ID_FILE_OPEN);
        Window open = process.WaitDialog("Open");
        ChooseFile(open, path);
        open.WaitGone();
    }
    size_t WaitChildren(size_t count) const
    {
        size_t seen = 0;
        PollUntil([&] { return (seen = frame.MdiChildren().size()) == count; }, 10000);
        return seen;
    }
    // The items of the Window pop-up as the program reports them.
    std::vector<std::string> WindowMenu() const
    {
        std::string path = dir.Path("windowlist.txt");
        DeleteFileA(path.c_str());
        frame.MenuCommand(ID_FIXTURE_WINDOWLIST);
        std::string bytes;
        WaitUntil(
            [&] {
                return TryReadFileBytes(path, &bytes) && bytes.size() >= 5 &&
                       bytes.compare(bytes.size() - 5, 5, "end\r\n") == 0;
            },
            "the fixture's window list");
        std::vector<std::string> lines;
        std::istringstream in(bytes.substr(0, bytes.size() - 5));
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }
    // The window list: the items after the window commands and their separator.
    std::vector<std::string> WindowList() const
    {
        std::vector<std::string> items = WindowMenu();
        auto separator = std::find(items.begin(), items.end(), "");
        return separator == items.end() ? std::vector<std::string>()
                                        : std::vector<std::string>(separator + 1, items.end());
    }
    std::vector<std::string> WaitWindowList(const std::vector<std::string>& expected) const
    {
        std::vector<std::string> seen;
        PollUntil([&] { return (seen = WindowList()) == expected; }, 10000);
        return seen;
    }
    void Maximize(const Window& child) const
    {
        PostMessageA(frame.MdiClient().hwnd(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child.hwnd()), 0);
    }
    void Restore(const Window& child) const
    {
        PostMessageA(frame.MdiClient().hwnd(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(child.hwnd()), 0);
    }
};

TEST(MdiWindowMenu, ListsTheOpenWindowsWithTheActiveOneChecked)
{
    MdiFixture app("");
    std::string first = app.Doc("first.txt");
    std::string second = app.Doc("second.txt");
    app.Open(first);
    ASSERT_EQ(app.WaitChildren(1), 1u);
    std::vector<std::string> menu = app.WindowMenu();
    // The template's own commands stay at the top.
    ASSERT_GE(menu.size(), 5u);
    EXPECT_EQ(menu[0], "&New Window");
    EXPECT_EQ(app.WaitWindowList({"c &1 first.txt"}), std::vector<std::string>({"c &1 first.txt"}));

    app.Open(second);
    ASSERT_EQ(app.WaitChildren(2), 2u);
    std::vector<std::string> two = {"&1 first.txt", "c &2 second.txt"};
    EXPECT_EQ(app.WaitWindowList(two), two);

    // Choosing an entry activates its window; the check follows.
    app.frame.MenuCommand(AFX_IDM_FIRST_MDICHILD);
    std::vector<std::string> back = {"c &1 first.txt", "&2 second.txt"};
    EXPECT_EQ(app.WaitWindowList(back), back);
    EXPECT_EQ(WaitText(app.frame, kTitle + " - first.txt"), kTitle + " - first.txt");

    // The last window gone, the frame's own menu (no Window pop-up) returns;
    // a document opened again brings the list back with it alone.
    app.frame.MenuCommand(ID_FILE_CLOSE);
    app.frame.MenuCommand(ID_FILE_CLOSE);
    ASSERT_EQ(app.WaitChildren(0), 0u);
    EXPECT_TRUE(app.WindowMenu().empty());
    app.Open(second);
    ASSERT_EQ(app.WaitChildren(1), 1u);
    EXPECT_EQ(app.WaitWindowList({"c &1 second.txt"}), std::vector<std::string>({"c &1 second.txt"}));
}

TEST(MdiWindowMenu, PastNineWindowsTheListEndsInMoreWindows)
{
    MdiFixture app("");
    app.Open(app.Doc("many.txt"));
    ASSERT_EQ(app.WaitChildren(1), 1u);
    for (int i = 2; i <= 10; ++i) {
        app.frame.MenuCommand(ID_WINDOW_NEW);
        ASSERT_EQ(app.WaitChildren(static_cast<size_t>(i)), static_cast<size_t>(i));
    }
    std::vector<std::string> list;
    PollUntil([&] { return (list = app.WindowList()).size() == 10; }, 10000);
    ASSERT_EQ(list.size(), 10u) << ::testing::PrintToString(list);
    // Nine numbered windows, then the entry that lists them all.
    int checked = 0;
    for (int i = 0; i < 9; ++i) {
        std::string item = list[static_cast<size_t>(i)];
        if (item.compare(0, 2, "c ") == 0) {
            ++checked;
            item = item.substr(2);
        }
        std::string number = "&" + std::to_string(i + 1) + " many.txt:";
        EXPECT_EQ(item.compare(0, number.size(), number), 0) << item;
    }
    EXPECT_LE(checked, 1);
    EXPECT_NE(list[9].find("More Windows"), std::string::npos) << list[9];

    // The first entry chosen, its window is active and checked.
    app.frame.MenuCommand(AFX_IDM_FIRST_MDICHILD);
    PollUntil(
        [&] {
            list = app.WindowList();
            return !list.empty() && list[0].compare(0, 2, "c ") == 0;
        },
        10000);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list[0].compare(0, 4, "c &1"), 0) << list[0];
}

TEST(MdiCaption, TheActiveWindowFollowsTheApplicationTitleInBracketsWhileMaximized)
{
    MdiFixture app("");
    app.Open(app.Doc("page.txt"));
    ASSERT_EQ(app.WaitChildren(1), 1u);
    EXPECT_EQ(WaitText(app.frame, kTitle + " - page.txt"), kTitle + " - page.txt");

    Window child = app.frame.MdiActive();
    app.Maximize(child);
    EXPECT_EQ(WaitText(app.frame, kTitle + " - [page.txt]"), kTitle + " - [page.txt]");

    // A second window on the file numbers both; the maximized one shows its number.
    app.frame.MenuCommand(ID_WINDOW_NEW);
    ASSERT_EQ(app.WaitChildren(2), 2u);
    EXPECT_EQ(WaitText(app.frame, kTitle + " - [page.txt:2]"), kTitle + " - [page.txt:2]");

    app.Restore(app.frame.MdiActive());
    EXPECT_EQ(WaitText(app.frame, kTitle + " - page.txt:2"), kTitle + " - page.txt:2");

    app.frame.MenuCommand(ID_FILE_CLOSE);
    ASSERT_EQ(app.WaitChildren(0), 0u);
    EXPECT_EQ(WaitText(app.frame, kTitle), kTitle);
}

TEST(DialogPlacementOnScreen, ADialogWithoutAnOwnerOpensInTheMiddleOfTheScreen)
{
    TempDir dir("FwDialog");
    Process fw = Process::Launch(ProgramPath("fwapp.exe"), "", dir.path());
    Window dialog = fw.WaitWindow([](const Window& w) { return w.ClassName() == "#32770"; }, "the exchange dialog");
    RECT r = ScreenRect(dialog);
    RECT area = WorkArea(dialog);
    EXPECT_TRUE(CentredOver(r, area)) << Describe(r) << " in " << Describe(area);
    dialog.Child(IDCANCEL).Click();
    EXPECT_TRUE(fw.WaitExit());
}

}   // namespace
