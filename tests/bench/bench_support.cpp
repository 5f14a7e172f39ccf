#include "bench_support.h"

#include <cstdio>
#include <exception>

using tamrel_auto::Process;
using tamrel_auto::Window;

namespace tamrel_bench {

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

void PrintPhases(const RunTimes& times, const char* finish)
{
    std::printf("start to dialog: %.2f s\n", times.StartToDialog());
    std::printf("OK to %s: %.2f s\n", finish, times.OkToFinish());
    std::printf("start to %s: %.2f s\n", finish, times.StartToFinish());
}

Process StartAndPressOk(const std::string& exeName, const std::string& tail, const std::string& directory,
                        const std::string& dialogCaption, const std::function<void(const Window&)>& fill,
                        RunTimes* times)
{
    times->started = Now();
    Process process = Process::Launch(tamrel_auto::ProgramPath(exeName), tail, directory);
    Window dialog = process.WaitDialog(dialogCaption, kLongWaitMs);
    times->dialogShown = Now();
    fill(dialog);
    times->okPressed = Now();
    dialog.Child(IDOK).Click();
    return process;
}

Output WaitForOutput(const Process& process, const std::string& frameCaptionEnd, const std::string& what,
                     RunTimes* times)
{
    Output output;
    output.frame = process.WaitFrame(frameCaptionEnd, kLongWaitMs);
    Window view = output.frame.ChildByClass("Edit");
    tamrel_auto::WaitUntil([&] { return !(output.shown = view.Text()).empty(); }, what, kLongWaitMs);
    times->finished = Now();
    return output;
}

void CloseAndWait(Process& process, const Output& output)
{
    output.frame.PostClose();
    process.WaitExit();
}

std::string SpillFileName(const std::string& shown)
{
    const std::string label = "**** Results written to file: ";
    size_t at = shown.find(label);
    if (at == std::string::npos)
        return "";
    size_t start = at + label.size();
    return shown.substr(start, shown.find("\r\n", start) - start);
}

bool TakeSpillFile(const std::string& path, std::string* text)
{
    bool read = tamrel_auto::TryReadFileBytes(path, text);
    DeleteFileA(path.c_str());
    return read;
}

bool CheckUsage(int argc, int arguments, const char* usage)
{
    if (argc == arguments + 1)
        return true;
    std::fprintf(stderr, "usage: %s\n", usage);
    return false;
}

int Run(const char* name, const std::function<int()>& body)
{
    try {
        return body();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", name, e.what());
        return 1;
    }
}

}   // namespace tamrel_bench
