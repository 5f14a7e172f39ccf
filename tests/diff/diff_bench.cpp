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
#include "../../diff/resource.h"

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
}

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: diff_bench FIRST SECOND WORKDIR\n");
        return 2;
    }
    std::string first = FullPath(argv[1]);
    std::string second = FullPath(argv[2]);
    std::string work = FullPath(argv[3]);
    const DWORD kLong = 600000;
    try {
        double started = Now();
        Process process = Process::Launch(ProgramPath("diff.exe"), "-u", work);
        Window dialog = process.WaitDialog("File Compare", kLong);
        double dialogShown = Now();
        dialog.Child(IDC_FILE1).SetText(first);
        dialog.Child(IDC_FILE2).SetText(second);
        double okPressed = Now();
        dialog.Child(IDOK).Click();
        Window frame = process.WaitFrame("DIFF for Windows", kLong);
        Window view = frame.ChildByClass("Edit");
        std::string shown;
        WaitUntil([&] { return !(shown = view.Text()).empty(); }, "the result", kLong);
        double resultShown = Now();

        std::printf("start to dialog: %.2f s\n", dialogShown - started);
        std::printf("OK to result shown: %.2f s\n", resultShown - okPressed);
        std::printf("start to result shown: %.2f s\n", resultShown - started - (okPressed - dialogShown));

        // The result is a notice naming the spill file, which holds the hunks.
        const std::string label = "**** Results written to file: ";
        size_t at = shown.find(label);
        if (at != std::string::npos) {
            size_t start = at + label.size();
            std::string spill = work + "\\" + shown.substr(start, shown.find("\r\n", start) - start);
            std::string hunks;
            if (TryReadFileBytes(spill, &hunks)) {
                std::printf("output: %zu bytes in %s\n", hunks.size(), spill.c_str());
                DeleteFileA(spill.c_str());
            }
        } else {
            std::printf("output shown in the window: %zu bytes\n", shown.size());
        }
        frame.PostClose();
        process.WaitExit();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "diff_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
