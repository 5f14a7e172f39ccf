// Reads what a program that scripts/run started shows, for the script's
// test (run_test.sh). The program is not this probe's child, so its windows
// are found among every top-level window of the prefix:
//   run_probe quarn              the fields of quarn's dialog, then Cancel
//   run_probe frame FRAGMENT     the caption of the main window whose caption
//                                holds FRAGMENT, then closes it
//   run_probe print              presses OK in a program's Print dialog
//   run_probe profile FILE SECTION KEY   a key as the programs read it
// Prints "name=value" lines; exits 1 with a message on stderr when the
// window does not come or a message box comes instead.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "auto.h"

using namespace tamrel_auto;

namespace {

BOOL CALLBACK CollectVisible(HWND hwnd, LPARAM param)
{
    if (IsWindowVisible(hwnd))
        reinterpret_cast<std::vector<Window>*>(param)->push_back(Window(hwnd));
    return TRUE;
}

std::vector<Window> VisibleTopLevel()
{
    std::vector<Window> found;
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Waits for a visible window that `match` accepts; a message box that shows
// first ends the wait with its text.
Window WaitAnyWindow(bool (*match)(const Window&, const std::string&), const std::string& arg, const std::string& what)
{
    Window found, box;
    PollUntil(
        [&] {
            for (const Window& w : VisibleTopLevel()) {
                if (IsMessageBox(w))
                    box = w;
                else if (match(w, arg))
                    found = w;
            }
            return found || box;
        },
        60000);
    if (box)
        throw AutoError("a message box instead of " + what + ": " + MessageText(box));
    if (!found)
        throw AutoError("no " + what + " within 60 s");
    return found;
}

bool IsQuarnDialog(const Window& w, const std::string&)
{
    return w.ClassName() == "#32770" && w.Caption() == "Quarn for Windows";
}

bool IsPrintDialog(const Window& w, const std::string&)
{
    return w.ClassName() == "#32770" && w.Caption() == "Print";
}

bool IsFrameHolding(const Window& w, const std::string& fragment)
{
    return w.ClassName() != "#32770" && Lower(w.Caption()).find(Lower(fragment)) != std::string::npos;
}

int Run(int argc, char** argv)
{
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "quarn" && argc == 2) {
        Window dialog = WaitAnyWindow(IsQuarnDialog, "", "quarn's dialog");
        std::printf(
            "directory=%s\nfilenames=%s\n", dialog.Child(1007).Text().c_str(), dialog.Child(1000).Text().c_str());
        dialog.Child(IDCANCEL).Click();
        dialog.WaitGone();
        return 0;
    }
    if (mode == "frame" && argc == 3) {
        Window frame = WaitAnyWindow(IsFrameHolding, argv[2], std::string("a window holding ") + argv[2]);
        std::printf("caption=%s\n", frame.Caption().c_str());
        frame.PostClose();
        frame.WaitGone();
        return 0;
    }
    if (mode == "print" && argc == 2) {
        Window dialog = WaitAnyWindow(IsPrintDialog, "", "a Print dialog");
        std::printf("printed=%s\n", dialog.Caption().c_str());
        dialog.Child(IDOK).Click();
        dialog.WaitGone();
        return 0;
    }
    if (mode == "profile" && argc == 5) {
        std::printf("%s=%s\n", argv[4], ProfileValue(argv[2], argv[3], argv[4], "(none)").c_str());
        return 0;
    }
    std::fprintf(stderr, "usage: run_probe quarn | frame FRAGMENT | print | profile FILE SECTION KEY\n");
    return 2;
}

}   // namespace

int main(int argc, char** argv)
{
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "run_probe: %s\n", e.what());
        return 1;
    }
}
