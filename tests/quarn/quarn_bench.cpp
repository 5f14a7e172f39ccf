// Times a whole quarn search as a user would run it: the program is started
// through the automation library in the top of a tree, the search dialog is
// filled (every "*.txt", one pattern, line numbers on, descending) and OK is
// pressed, and the clock stops when the output view shows the results.
//
//   quarn_bench.exe DIRECTORY PATTERN
//
// Prints one line per phase in seconds, and how many lines the search
// selected. Not a test: nothing here fails on a figure.
#include <windows.h>

#include <cstdio>
#include <string>

#include "auto.h"
#include "bench_support.h"
#include "quarn/resource.h"

using namespace tamrel_auto;
using namespace tamrel_bench;

namespace {
// Selected lines of the results: everything but headers and blank lines.
size_t SelectedLines(const std::string& results)
{
    size_t lines = 0, at = 0;
    while (at < results.size()) {
        size_t end = results.find('\n', at);
        if (end == std::string::npos)
            end = results.size();
        std::string line = results.substr(at, end - at);
        if (line != "\r" && !line.empty() && line.compare(0, 6, "====> ") != 0)
            ++lines;
        at = end + 1;
    }
    return lines;
}
}

int main(int argc, char** argv)
{
    if (!CheckUsage(argc, 2, "quarn_bench DIRECTORY PATTERN"))
        return 2;
    std::string directory = FullPath(argv[1]);
    std::string pattern = argv[2];
    return Run("quarn_bench", [&] {
        RunTimes times;
        Process process = StartAndPressOk(
            "quarn.exe",
            "",
            directory,
            "Quarn for Windows",
            [&](const Window& dialog) {
                dialog.Child(IDC_FILENAMES).SetText("*.txt");
                dialog.Child(IDC_PATTERNS).SetText(pattern);
                dialog.Child(IDC_LINE_NUMBERS).SetChecked(true);
                dialog.Child(IDC_DESCEND).SetChecked(true);
            },
            &times);
        Output output = WaitForOutput(process, " - Quarn for Windows", "the results", &times);

        PrintPhases(times, "results shown");

        // Past 32 KB the window shows a notice naming the spill file, which
        // holds the results.
        std::string results = output.shown;
        std::string spill = SpillFileName(output.shown);
        if (!spill.empty() && !TakeSpillFile(spill, &results))
            std::fprintf(stderr, "quarn_bench: cannot read %s\n", spill.c_str());
        std::printf("selected lines: %zu (%zu bytes of results)\n", SelectedLines(results), results.size());
        CloseAndWait(process, output);
        return 0;
    });
}
