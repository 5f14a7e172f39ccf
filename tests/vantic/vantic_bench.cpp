// Times vantic editing one large file in place as a user would: the program
// is started through the automation library, the dialog is filled and OK is
// pressed, and the clock stops when the program has ended (which it does
// once every file is replaced).
//
//   vantic_bench.exe FILE SCRIPT
//
// FILE is edited in place from its own directory. Prints one line per phase
// in seconds. Not a test: nothing here fails on a figure.
#include <windows.h>

#include <cstdio>
#include <string>

#include "auto.h"
#include "../../vantic/resource.h"

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
    if (argc != 3) {
        std::fprintf(stderr, "usage: vantic_bench FILE SCRIPT\n");
        return 2;
    }
    std::string file = FullPath(argv[1]);
    std::string directory = file.substr(0, file.find_last_of('\\'));
    std::string name = file.substr(file.find_last_of('\\') + 1);
    const DWORD kLong = 600000;
    try {
        double started = Now();
        Process process = Process::Launch(ProgramPath("vantic.exe"), "", directory);
        Window dialog = process.WaitWindow(
            [](const Window& w) { return w.ClassName() == "#32770" && w.Caption() == "Vantic for Windows"; },
            "edit dialog", kLong);
        double dialogShown = Now();
        dialog.Child(IDC_INPUT_FILES).SetText(name);
        dialog.Child(IDC_SCRIPT).SetText(argv[2]);
        double okPressed = Now();
        dialog.Child(IDOK).Click();
        if (!process.WaitExit(kLong)) {
            std::fprintf(stderr, "vantic_bench: still running: %s\n", process.DescribeWindows().c_str());
            return 1;
        }
        double ended = Now();

        std::printf("start to dialog: %.2f s\n", dialogShown - started);
        std::printf("OK to end: %.2f s\n", ended - okPressed);
        std::printf("start to end: %.2f s\n", ended - started - (okPressed - dialogShown));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vantic_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
