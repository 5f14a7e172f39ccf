// Times one search of zodo.exe: the file opened and loaded first, then
// Search Forward from line 1 for a literal; the clock runs from the Search
// dialog's OK until the Go To dialog, whose preset is the top line, reads
// the line found. Original or rendered text.
//
//   zodo_search_bench FILE LITERAL LINE original|rendered
#include <windows.h>

#include <cstdio>
#include <string>

#include "auto.h"
#include "bench_support.h"
#include "zodo/resource.h"

using namespace tamrel_auto;
using namespace tamrel_bench;

namespace {

std::string TopLine(const Process& zodo, const Window& frame)
{
    frame.MenuCommand(ID_GOTO_LINE);
    Window dialog = zodo.WaitDialog("Go To", kLongWaitMs);
    std::string top = dialog.Child(IDC_GOTO_LINE).Text();
    dialog.Child(IDCANCEL).Click();
    dialog.WaitGone(kLongWaitMs);
    return top;
}

}   // namespace

int main(int argc, char** argv)
{
    return Run("zodo_search_bench", [&] {
        if (!CheckUsage(argc, 4, "zodo_search_bench FILE LITERAL LINE original|rendered"))
            return 2;
        const std::string file = FullPath(argv[1]);
        const std::string literal = argv[2];
        const std::string line = argv[3];
        const bool rendered = std::string(argv[4]) == "rendered";
        const std::string dir = file.substr(0, file.find_last_of('\\'));

        Process zodo = Process::Launch(ProgramPath("zodo.exe"), file, dir);
        Window frame = zodo.WaitFrame("", kLongWaitMs);
        // Answered once the file is loaded: the search starts on a loaded file.
        if (TopLine(zodo, frame) != "1") {
            std::printf("the file did not open at line 1\n");
            return 1;
        }
        frame.MenuCommand(ID_SEARCH_FORWARD);
        Window dialog = zodo.WaitDialog("Search", kLongWaitMs);
        dialog.Child(IDC_SEARCH_EXPRESSION).SetText(literal);
        dialog.Child(rendered ? IDC_SEARCH_RENDERED : IDC_SEARCH_ORIGINAL).SelectRadio();

        double pressed = Now();
        dialog.Child(IDOK).Click();
        // Queued behind the search: it is answered once the line found is the top line.
        std::string top = TopLine(zodo, frame);
        double finished = Now();
        frame.PostClose();
        zodo.WaitExit(kLongWaitMs);
        if (top != line) {
            std::printf("wrong top line: %s, expected %s\n", top.c_str(), line.c_str());
            return 1;
        }
        std::printf("OK to line shown: %.3f s\n", finished - pressed);
        return 0;
    });
}
