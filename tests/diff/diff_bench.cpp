// Times diff comparing two large text files as a user would: the program is
// started through the automation library, the dialog is filled and OK is
// pressed, and the clock stops when the output view shows the result.
//
//   diff_bench.exe FIRST SECOND WORKDIR
//
// Prints one line per phase in seconds. Not a test: nothing here fails on a
// figure.
#include <windows.h>

#include <cstdio>
#include <string>

#include "auto.h"
#include "bench_support.h"
#include "../../diff/resource.h"

using namespace tamrel_auto;
using namespace tamrel_bench;

int main(int argc, char** argv)
{
    if (!CheckUsage(argc, 3, "diff_bench FIRST SECOND WORKDIR"))
        return 2;
    std::string first = FullPath(argv[1]);
    std::string second = FullPath(argv[2]);
    std::string work = FullPath(argv[3]);
    return Run("diff_bench", [&] {
        RunTimes times;
        Process process = StartAndPressOk(
            "diff.exe",
            "-u",
            work,
            "File Compare",
            [&](const Window& dialog) {
                dialog.Child(IDC_FILE1).SetText(first);
                dialog.Child(IDC_FILE2).SetText(second);
            },
            &times);
        Output output = WaitForOutput(process, "DIFF for Windows", "the result", &times);

        PrintPhases(times, "result shown");

        // The notice names the spill file relative to the working directory.
        std::string spillName = SpillFileName(output.shown);
        if (!spillName.empty()) {
            std::string spill = work + "\\" + spillName;
            std::string hunks;
            if (TakeSpillFile(spill, &hunks))
                std::printf("output: %zu bytes in %s\n", hunks.size(), spill.c_str());
        } else {
            std::printf("output shown in the window: %zu bytes\n", output.shown.size());
        }
        CloseAndWait(process, output);
        return 0;
    });
}
