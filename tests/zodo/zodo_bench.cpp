// Times zodo.exe from its start until it shows the last line of a file:
// started with the file's path, End of File, then the Go To dialog, whose
// preset is the top line; the run ends when that reads the last line's
// number. Prints the figure and the program's peak memory.
//
//   zodo_bench FILE LINES
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "auto.h"
#include "bench_support.h"
#include "zodo/resource.h"

using namespace tamrel_auto;
using namespace tamrel_bench;

int main(int argc, char** argv)
{
    return Run("zodo_bench", [&] {
        if (!CheckUsage(argc, 2, "zodo_bench FILE LINES"))
            return 2;
        const std::string file = FullPath(argv[1]);
        const std::string lines = argv[2];
        const std::string dir = file.substr(0, file.find_last_of('\\'));

        double started = Now();
        Process zodo = Process::Launch(ProgramPath("zodo.exe"), file, dir);
        Window frame = zodo.WaitFrame("", kLongWaitMs);
        // Both wait in the queue until the file is loaded and the loop runs.
        frame.MenuCommand(ID_END_OF_FILE);
        frame.MenuCommand(ID_GOTO_LINE);
        Window dialog = zodo.WaitDialog("Go To", kLongWaitMs);
        std::string top = dialog.Child(IDC_GOTO_LINE).Text();
        double finished = Now();
        if (top != lines) {
            std::printf("wrong top line: %s, expected %s\n", top.c_str(), lines.c_str());
            return 1;
        }

        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, zodo.Id());
        bool haveMemory = h && GetProcessMemoryInfo(h, &counters, sizeof counters);
        if (h)
            CloseHandle(h);

        dialog.Child(IDCANCEL).Click();
        dialog.WaitGone(kLongWaitMs);
        frame.PostClose();
        zodo.WaitExit(kLongWaitMs);

        std::printf("start to last line shown: %.3f s\n", finished - started);
        if (haveMemory)
            std::printf("peak memory: %.1f MB private, %.1f MB working set\n",
                        counters.PeakPagefileUsage / 1048576.0,
                        counters.PeakWorkingSetSize / 1048576.0);
        else
            std::printf("peak memory: not available\n");
        return 0;
    });
}
