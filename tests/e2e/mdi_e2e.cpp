// End-to-end tests of the framework's multiple-document frame, toolbar and
// status bar, on a small fixture program: menus with and without a
// document, window numbers, tiling and cascading, closing the last window,
// toolbar buttons that follow the update handlers, the status bar's
// message pane around an open menu, and hiding and showing the bars.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "auto.h"
#include "tests/mdiapp/resource.h"

using namespace tamrel_auto;

namespace {

const char kTitle[] = "MDI Fixture";

struct MdiApp {
    TempDir dir{"MdiFixture"};
    Process process;
    Window frame;

    // Starts the fixture with `tail` as its command line in its own directory.
    explicit MdiApp(const std::string& tail = "")
    {
        process = Process::Launch(ProgramPath("mdiapp.exe"), tail, dir.path());
        frame = process.WaitFrame(kTitle);
    }
    // Starts it on a new text file `name` holding `text`.
    static std::string Doc(const TempDir& where, const std::string& name, const std::string& text)
    {
        where.Write(name, text);
        return where.Path(name);
    }
    Window Toolbar() const { return frame.Child(AFX_IDW_TOOLBAR); }
    Window StatusBar() const { return frame.Child(AFX_IDW_STATUS_BAR); }

    std::vector<std::string> ChildCaptions() const
    {
        std::vector<std::string> captions;
        for (const Window& child : frame.MdiChildren())
            captions.push_back(child.Caption());
        std::sort(captions.begin(), captions.end());
        return captions;
    }
    void WaitChildCaptions(const std::vector<std::string>& expected) const
    {
        std::vector<std::string> seen;
        PollUntil(
            [&] {
                seen = ChildCaptions();
                return seen == expected;
            },
            10000);
        EXPECT_EQ(seen, expected);
    }
    // The menu bar as the program reports it: one line per pop-up.
    std::vector<std::string> MenuState() const
    {
        std::string path = dir.Path("menustate.txt");
        DeleteFileA(path.c_str());
        frame.MenuCommand(ID_FIXTURE_MENUSTATE);
        std::string bytes;
        WaitUntil(
            [&] {
                return TryReadFileBytes(path, &bytes) && bytes.size() > 2 && bytes.substr(bytes.size() - 2) == "\r\n";
            },
            "the fixture's menu report");
        std::vector<std::string> lines;
        std::istringstream in(bytes);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }
    // The line of the pop-up whose title is `title`, or empty.
    std::string MenuLine(const std::string& title) const
    {
        for (const std::string& line : MenuState())
            if (line.compare(0, title.size() + 1, title + " ") == 0)
                return line;
        return "";
    }
};

std::vector<std::string> Titles(const std::vector<std::string>& lines)
{
    std::vector<std::string> titles;
    for (const std::string& line : lines)
        titles.push_back(line.substr(0, line.find(' ')));
    return titles;
}

TEST(MdiFrame, MenuFollowsWhetherADocumentIsOpen)
{
    TempDir files("MdiDocs");
    MdiApp app(MdiApp::Doc(files, "a.txt", "alpha\r\n"));
    app.WaitChildCaptions({"a.txt"});
    EXPECT_EQ(Titles(app.MenuState()), std::vector<std::string>({"&File", "&Mark", "&View", "&Window"}));
    EXPECT_EQ(WaitText(app.frame, std::string(kTitle) + " - a.txt"), std::string(kTitle) + " - a.txt");

    // File Close closes the document with its window; the frame's own menu returns.
    app.frame.MenuCommand(ID_FILE_CLOSE);
    app.WaitChildCaptions({});
    EXPECT_EQ(Titles(app.MenuState()), std::vector<std::string>({"&File", "&View"}));
    EXPECT_EQ(WaitText(app.frame, kTitle), kTitle);
}

TEST(MdiFrame, NewWindowNumbersTheWindowsAndClosingTheLastClosesTheDocument)
{
    TempDir files("MdiDocs");
    MdiApp app(MdiApp::Doc(files, "page.txt", "text\r\n"));
    app.WaitChildCaptions({"page.txt"});
    app.frame.MenuCommand(ID_WINDOW_NEW);
    app.WaitChildCaptions({"page.txt:1", "page.txt:2"});
    // The new window shows the same document.
    Window view = app.frame.MdiActive().Child(AFX_IDW_PANE_FIRST);
    EXPECT_EQ(view.Text(), "text\r\n");

    app.frame.MdiActive().PostClose();
    app.WaitChildCaptions({"page.txt"});
    app.frame.MdiActive().PostClose();
    app.WaitChildCaptions({});
    EXPECT_EQ(Titles(app.MenuState()), std::vector<std::string>({"&File", "&View"}));
}

// The client's area and its children's rectangles in it. The client shows
// and hides its scroll bars a moment after children move, so callers poll.
struct Arrangement {
    RECT area;
    std::vector<RECT> rects;
    bool AllInside() const
    {
        for (const RECT& r : rects)
            if (r.left < area.left || r.top < area.top || r.right > area.right || r.bottom > area.bottom ||
                r.right <= r.left || r.bottom <= r.top)
                return false;
        return true;
    }
};

Arrangement Arranged(const Window& frame)
{
    Arrangement a;
    Window client = frame.MdiClient();
    GetClientRect(client.hwnd(), &a.area);
    for (const Window& child : frame.MdiChildren())
        if (child.Visible())
            a.rects.push_back(RectIn(child, client));
    return a;
}

TEST(MdiFrame, TileAndCascadeLeaveEveryChildVisibleInTheClient)
{
    TempDir files("MdiDocs");
    MdiApp app(MdiApp::Doc(files, "t.txt", "t\r\n"));
    app.WaitChildCaptions({"t.txt"});
    // The tile posted before the loop ran: once it runs, the one child
    // fills the client.
    Arrangement a;
    bool filled = PollUntil(
        [&] {
            a = Arranged(app.frame);
            return a.rects.size() == 1 && EqualRect(&a.rects[0], &a.area);
        },
        10000);
    EXPECT_TRUE(filled) << (a.rects.empty() ? 0 : a.rects[0].right) << "x" << (a.rects.empty() ? 0 : a.rects[0].bottom)
                        << " in " << a.area.right << "x" << a.area.bottom;

    app.frame.MenuCommand(ID_WINDOW_NEW);
    app.frame.MenuCommand(ID_WINDOW_NEW);
    app.WaitChildCaptions({"t.txt:1", "t.txt:2", "t.txt:3"});
    for (int command : {ID_WINDOW_TILE_VERT, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ}) {
        SCOPED_TRACE(command);
        app.frame.MenuCommand(command);
        app.MenuState();   // the command ran: the report comes after it
        bool inside = PollUntil(
            [&] {
                a = Arranged(app.frame);
                return a.rects.size() == 3 && a.AllInside();
            },
            10000);
        EXPECT_TRUE(inside) << a.rects.size() << " visible children in " << a.area.right << "x" << a.area.bottom;
        for (size_t i = 0; i < a.rects.size(); ++i)
            for (size_t j = i + 1; j < a.rects.size(); ++j) {
                RECT overlap;
                if (command == ID_WINDOW_CASCADE)
                    EXPECT_NE(a.rects[i].top, a.rects[j].top);
                else
                    EXPECT_FALSE(IntersectRect(&overlap, &a.rects[i], &a.rects[j]));
            }
    }
}

TEST(MdiFrame, ToolbarButtonsFollowTheUpdateHandlers)
{
    TempDir files("MdiDocs");
    MdiApp app;
    Window toolbar = app.Toolbar();
    // No document: its commands have no handler on the route.
    WaitUntil([&] { return !toolbar.ToolbarButtonEnabled(ID_FIXTURE_TOGGLE); }, "Toggle disabled");
    EXPECT_TRUE(toolbar.ToolbarButtonEnabled(ID_FILE_OPEN));
    EXPECT_FALSE(toolbar.ToolbarButtonEnabled(ID_FIXTURE_MARKED));

    app.process.Kill();
    MdiApp withDoc(MdiApp::Doc(files, "m.txt", "m\r\n"));
    toolbar = withDoc.Toolbar();
    // Buttons start enabled; the first idle time brings them in line.
    WaitUntil([&] { return !toolbar.ToolbarButtonEnabled(ID_FIXTURE_MARKED); }, "Marked disabled");
    EXPECT_TRUE(toolbar.ToolbarButtonEnabled(ID_FIXTURE_TOGGLE));
    EXPECT_FALSE(toolbar.ToolbarButtonChecked(ID_FIXTURE_TOGGLE));

    toolbar.ClickToolbarButton(ID_FIXTURE_TOGGLE);
    WaitUntil([&] { return toolbar.ToolbarButtonChecked(ID_FIXTURE_TOGGLE); }, "Toggle checked");
    EXPECT_TRUE(toolbar.ToolbarButtonEnabled(ID_FIXTURE_MARKED));
    EXPECT_EQ(withDoc.MenuLine("&Mark"), "&Mark 32771c 32772");

    // The same command from its accelerator clears the mark again.
    withDoc.frame.AcceleratorCommand(ID_FIXTURE_TOGGLE);
    WaitUntil([&] { return !toolbar.ToolbarButtonChecked(ID_FIXTURE_TOGGLE); }, "Toggle unchecked");
    EXPECT_FALSE(toolbar.ToolbarButtonEnabled(ID_FIXTURE_MARKED));
    EXPECT_EQ(withDoc.MenuLine("&Mark"), "&Mark 32771 32772g");
}

TEST(MdiFrame, StatusBarShowsThePromptWhileAMenuItemIsSelected)
{
    MdiApp app;
    Window status = app.StatusBar();
    EXPECT_EQ(status.StatusPaneText(0), "Ready");
    app.frame.OpenMenu('f');
    std::string text;
    // The open menu highlights its first item, Open.
    bool shown = PollUntil(
        [&] {
            text = status.StatusPaneText(0);
            return text == "Open an existing document";
        },
        10000);
    if (!shown) {
        app.frame.PressKey(VK_DOWN);
        shown = PollUntil(
            [&] {
                text = status.StatusPaneText(0);
                return text == "Open an existing document";
            },
            10000);
    }
    EXPECT_TRUE(shown) << text;
    app.frame.PressKey(VK_DOWN);
    EXPECT_TRUE(PollUntil(
        [&] {
            text = status.StatusPaneText(0);
            return text == "Quit the application";
        },
        10000))
        << text;
    app.frame.PressKey(VK_ESCAPE);
    app.frame.PressKey(VK_ESCAPE);
    EXPECT_TRUE(PollUntil(
        [&] {
            text = status.StatusPaneText(0);
            return text == "Ready";
        },
        10000))
        << text;
}

TEST(MdiFrame, ViewCommandsHideAndShowTheBarsWithCheckMarks)
{
    TempDir files("MdiDocs");
    MdiApp app(MdiApp::Doc(files, "v.txt", "v\r\n"));
    app.WaitChildCaptions({"v.txt"});
    Window client = app.frame.MdiClient();
    Window toolbar = app.Toolbar();
    Window status = app.StatusBar();
    EXPECT_EQ(app.MenuLine("&View"), "&View 59392c 59393c");
    RECT bar = RectIn(toolbar, app.frame);
    EXPECT_EQ(RectIn(client, app.frame).top, bar.bottom);

    app.frame.MenuCommand(ID_VIEW_TOOLBAR);
    WaitUntil([&] { return !toolbar.Visible(); }, "the toolbar hidden");
    EXPECT_EQ(app.MenuLine("&View"), "&View 59392 59393c");
    EXPECT_EQ(RectIn(client, app.frame).top, bar.top);

    app.frame.MenuCommand(ID_VIEW_STATUS_BAR);
    WaitUntil([&] { return !status.Visible(); }, "the status bar hidden");
    EXPECT_EQ(app.MenuLine("&View"), "&View 59392 59393");
    RECT frameClient;
    GetClientRect(app.frame.hwnd(), &frameClient);
    EXPECT_EQ(RectIn(client, app.frame).bottom, frameClient.bottom);

    app.frame.MenuCommand(ID_VIEW_TOOLBAR);
    app.frame.MenuCommand(ID_VIEW_STATUS_BAR);
    WaitUntil([&] { return toolbar.Visible() && status.Visible(); }, "both bars back");
    EXPECT_EQ(app.MenuLine("&View"), "&View 59392c 59393c");
    EXPECT_EQ(RectIn(client, app.frame).top, bar.bottom);
    EXPECT_EQ(RectIn(client, app.frame).bottom, RectIn(status, app.frame).top);
}

TEST(MdiFrame, OpeningAFileTwiceActivatesItsWindow)
{
    TempDir files("MdiDocs");
    std::string path = MdiApp::Doc(files, "twice.txt", "2\r\n");
    // Quotes around the name are stripped by this program's choice.
    MdiApp app("\"" + path + "\"");
    app.WaitChildCaptions({"twice.txt"});
    app.frame.MenuCommand(ID_FILE_OPEN);
    Window open = app.process.WaitDialog("Open");
    ChooseFile(open, path);
    open.WaitGone();
    app.MenuState();
    EXPECT_EQ(app.ChildCaptions(), std::vector<std::string>({"twice.txt"}));
}

}   // namespace
