// What the Windows benchmark programs share: a clock, one timed run through
// a program's dialog, the output view and its spill file, and the frame of
// main() (usage line, exception to exit code).
//
// A run is timed as a user would see it: from the program's start to its
// dialog, then from OK to the result. Filling the dialog is the harness's
// work, not the program's, so the start-to-result figure leaves it out.
#ifndef TAMREL_BENCH_SUPPORT_H
#define TAMREL_BENCH_SUPPORT_H

#include <windows.h>

#include <functional>
#include <string>

#include "auto.h"

namespace tamrel_bench {

// Limit of every wait: a benchmark's input is large, and a slow run is a
// figure to report, not a failure.
constexpr DWORD kLongWaitMs = 600000;

// Seconds from the performance counter.
double Now();

// The moments of one run, in seconds from Now().
struct RunTimes {
    double started = 0;
    double dialogShown = 0;
    double okPressed = 0;
    double finished = 0;

    double StartToDialog() const { return dialogShown - started; }
    double OkToFinish() const { return finished - okPressed; }
    double StartToFinish() const { return finished - started - (okPressed - dialogShown); }
};

// Prints the three figures of a run, one a line in seconds: "start to
// dialog", "OK to FINISH" and "start to FINISH".
void PrintPhases(const RunTimes& times, const char* finish);

// Starts `exeName` (beside the benchmark) with `tail` in `directory`, waits
// for the dialog captioned `dialogCaption`, lets `fill` set its fields and
// presses OK. Sets every time in `times` but `finished`.
tamrel_auto::Process StartAndPressOk(const std::string& exeName, const std::string& tail, const std::string& directory,
                                     const std::string& dialogCaption,
                                     const std::function<void(const tamrel_auto::Window&)>& fill, RunTimes* times);

// What a program's output view showed, and the frame that holds it.
struct Output {
    tamrel_auto::Window frame;
    std::string shown;
};

// Waits for the frame whose caption ends with `frameCaptionEnd` and for its
// edit view to show text (`what` names it in the timeout message); sets
// `times->finished` when it does.
Output WaitForOutput(const tamrel_auto::Process& process, const std::string& frameCaptionEnd, const std::string& what,
                     RunTimes* times);

// Closes the frame and waits for the program to end.
void CloseAndWait(tamrel_auto::Process& process, const Output& output);

// A long output goes to a file, and the view shows only a notice naming it.
// Returns that name as the notice gives it, or "" when `shown` is the output
// itself.
std::string SpillFileName(const std::string& shown);

// Reads a spill file into `*text` (left alone when unreadable) and removes
// it, so that the next run starts clean. True when it was read.
bool TakeSpillFile(const std::string& path, std::string* text);

// Prints "usage: USAGE" and returns false unless the program got `arguments`
// arguments.
bool CheckUsage(int argc, int arguments, const char* usage);

// Runs `body` and returns its exit code; an exception is printed as
// "NAME: message" and gives 1.
int Run(const char* name, const std::function<int()>& body);

}   // namespace tamrel_bench

#endif
