// Times vantic editing one large file in place as a user would: the program
// is started through the automation library, the dialog is filled and OK is
// pressed, and the clock stops when the program has ended (which it does
// once every file is replaced).
//
//   vantic_bench.exe FILE SCRIPT
//
// FILE is edited in place from its own directory; a "\n" (backslash, n) in
// SCRIPT starts a new script line, as a line end typed into the script field
// would. Prints one line per phase in seconds. Not a test: nothing here fails on a figure.
#include <windows.h>

#include <cstdio>
#include <string>

#include "auto.h"
#include "bench_support.h"
#include "vantic_bench_script.h"
#include "../../vantic/resource.h"

using namespace tamrel_auto;
using namespace tamrel_bench;

int main(int argc, char** argv)
{
    if (!CheckUsage(argc, 2, "vantic_bench FILE SCRIPT"))
        return 2;
    std::string file = FullPath(argv[1]);
    std::string directory = file.substr(0, file.find_last_of('\\'));
    std::string name = file.substr(file.find_last_of('\\') + 1);
    std::string script = ScriptFromArgument(argv[2]);
    return Run("vantic_bench", [&] {
        RunTimes times;
        Process process = StartAndPressOk(
            "vantic.exe",
            "",
            directory,
            "Vantic for Windows",
            [&](const Window& dialog) {
                dialog.Child(IDC_INPUT_FILES).SetText(name);
                dialog.Child(IDC_SCRIPT).SetText(script);
            },
            &times);
        if (!process.WaitExit(kLongWaitMs)) {
            std::fprintf(stderr, "vantic_bench: still running: %s\n", process.DescribeWindows().c_str());
            return 1;
        }
        times.finished = Now();

        PrintPhases(times, "end");
        return 0;
    });
}
