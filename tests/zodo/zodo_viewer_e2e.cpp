// The View command of the tools starts the real pager: quarn's results spill
// into a file, View on its name starts zodo.exe from the installation
// directory, and zodo shows that file.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "auto.h"
#include "quarn/resource.h"

using namespace tamrel_auto;

namespace {

// The pager's Go To command and its dialog's line field (zodo's ids; the
// two programs' resource headers share names).
const int kZodoGoTo = 32805;
const int kZodoGoToLine = 105;

// zodo.exe installed in a LoadPath directory of temp, with [Tamrel]
// LoadPath pointing at it for the life of the object.
struct InstalledPager {
    std::string dir;
    ProfileOverride loadPath;
    explicit InstalledPager(const TempDir& temp)
        : dir(temp.MakeDir("LoadPath")), loadPath(WindowsIniPath("winfile.ini"), "Tamrel", "LoadPath", dir)
    {
        CopyFileTo(ProgramPath("zodo.exe"), dir + "\\zodo.exe");
    }
};

// Every visible top-level window (enumeration callbacks are stdcall in
// the 32-bit build, which a lambda cannot be).
BOOL CALLBACK CollectTopLevel(HWND h, LPARAM p)
{
    Window w(h);
    if (w.Visible())
        reinterpret_cast<std::vector<Window>*>(p)->push_back(w);
    return TRUE;
}

std::vector<Window> TopLevelWindows()
{
    std::vector<Window> found;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Top-level windows with an MDI client: the pager's frames, whoever started
// them.
std::vector<Window> PagerFrames()
{
    std::vector<Window> found;
    for (const Window& w : TopLevelWindows())
        if (w.ClassName() != "#32770" && w.FindChildByClass("MDIClient"))
            found.push_back(w);
    return found;
}

// Ends a pager that the test did not start itself.
struct PagerCleanup {
    ~PagerCleanup()
    {
        for (const Window& frame : PagerFrames()) {
            DWORD pid = frame.ProcessId();
            frame.PostClose();
            HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
            if (!h)
                continue;
            if (WaitForSingleObject(h, 10000) != WAIT_OBJECT_0)
                TerminateProcess(h, 1);
            CloseHandle(h);
        }
    }
};

TEST(ViewCommand, QuarnSpillFileOpensInThePager)
{
    TempDir temp;
    InstalledPager pager(temp);
    PagerCleanup cleanup;
    std::string d = temp.MakeDir("Spill Dir");
    std::string big;
    for (int i = 0; i < 4000; ++i)
        big += "foo line " + std::to_string(i) + "\r\n";
    temp.Write("Spill Dir\\big.txt", big);

    Process quarn = Process::Launch(ProgramPath("quarn.exe"), "", d);
    Window dialog = quarn.WaitWindow(
        [](const Window& w) { return w.ClassName() == "#32770" && !IsMessageBox(w) && w.FindChild(IDC_PATTERNS); },
        "search dialog");
    dialog.Child(IDC_FILENAMES).SetText("*.txt");
    dialog.Child(IDC_PATTERNS).SetText("foo");
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    Window frame = quarn.WaitFrame(" - Quarn for Windows");
    Window view = frame.ChildByClass("Edit");
    std::string text, name;
    WaitUntil(
        [&] {
            text = view.Text();
            size_t at = text.find("tm");
            if (at == std::string::npos || at + 8 > text.size())
                return false;
            name = text.substr(at, 8);
            return true;
        },
        "the spill notice");
    size_t at = text.find(name);
    view.SetSelection(static_cast<int>(at), static_cast<int>(at + name.size()));
    frame.MenuCommand(ID_VIEW_FILE);

    Window zodo;
    WaitUntil(
        [&] {
            std::vector<Window> frames = PagerFrames();
            if (frames.empty())
                return false;
            zodo = frames[0];
            for (const Window& child : zodo.ChildByClass("MDIClient").Children())
                if (child.Visible() && Lower(child.Caption()).find(Lower(name)) != std::string::npos)
                    return true;
            return false;
        },
        "the pager showing " + name);

    // It shows the file from its first line.
    zodo.MenuCommand(kZodoGoTo);
    Window go = Window();
    WaitUntil(
        [&] {
            for (const Window& w : TopLevelWindows())
                if (w.ClassName() == "#32770" && w.Caption() == "Go To")
                    go = w;
            return static_cast<bool>(go);
        },
        "the pager's Go To dialog");
    EXPECT_EQ(go.Child(kZodoGoToLine).Text(), "1");
    go.Child(IDCANCEL).Click();
}

}   // namespace
