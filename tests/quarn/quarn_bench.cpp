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
#include "quarn/resource.h"

using namespace tamrel_auto;

namespace {
double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

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
    if (argc != 3) {
        std::fprintf(stderr, "usage: quarn_bench DIRECTORY PATTERN\n");
        return 2;
    }
    std::string directory = FullPath(argv[1]);
    std::string pattern = argv[2];
    const DWORD kLong = 600000;
    try {
        double started = Now();
        Process process = Process::Launch(ProgramPath("quarn.exe"), "", directory);
        Window dialog = process.WaitWindow(
            [](const Window& w) { return w.ClassName() == "#32770" && w.Caption() == "Quarn for Windows"; },
            "search dialog", kLong);
        double dialogShown = Now();
        dialog.Child(IDC_FILENAMES).SetText("*.txt");
        dialog.Child(IDC_PATTERNS).SetText(pattern);
        dialog.Child(IDC_LINE_NUMBERS).SetChecked(true);
        dialog.Child(IDC_DESCEND).SetChecked(true);
        double okPressed = Now();
        dialog.Child(IDOK).Click();
        Window frame = process.WaitFrame(" - Quarn for Windows", kLong);
        Window view = frame.ChildByClass("Edit");
        std::string shown;
        WaitUntil([&] { return !(shown = view.Text()).empty(); }, "the results", kLong);
        double resultShown = Now();

        std::printf("start to dialog: %.2f s\n", dialogShown - started);
        std::printf("OK to results shown: %.2f s\n", resultShown - okPressed);
        std::printf("start to results shown: %.2f s\n", resultShown - started - (okPressed - dialogShown));

        // Past 32 KB the window shows a notice naming the spill file, which
        // holds the results.
        const std::string label = "**** Results written to file: ";
        size_t at = shown.find(label);
        std::string results = shown;
        if (at != std::string::npos) {
            size_t start = at + label.size();
            std::string spill = shown.substr(start, shown.find("\r\n", start) - start);
            if (!TryReadFileBytes(spill, &results))
                std::fprintf(stderr, "quarn_bench: cannot read %s\n", spill.c_str());
            DeleteFileA(spill.c_str());
        }
        std::printf("selected lines: %zu (%zu bytes of results)\n", SelectedLines(results), results.size());
        frame.PostClose();
        process.WaitExit();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quarn_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
