// Times vantic's engine alone, without windows or Wine's program start: the
// script run over FILE (in the current directory) into OUTPUT, as the dialog
// would run it with an output file, best of RUNS.
//
//   vantic_engine_bench FILE OUTPUT SCRIPT [RUNS]
//
// A "\n" (backslash, n) in SCRIPT starts a new script line. Builds natively
// (for a profiler) and for Windows (under Wine). Not a test: nothing here
// fails on a figure.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine.h"
#include "vantic_bench_script.h"

int main(int argc, char** argv)
{
    if (argc < 4 || argc > 5) {
        std::fprintf(stderr, "usage: vantic_engine_bench FILE OUTPUT SCRIPT [RUNS]\n");
        return 2;
    }
    std::string script = ScriptFromArgument(argv[3]);
    int runs = argc == 5 ? std::atoi(argv[4]) : 3;
    double best = 0;
    for (int run = 0; run < runs; ++run) {
        std::remove(argv[2]);
        auto start = std::chrono::steady_clock::now();
        bool ran = EditFiles(argv[1], argv[2], CString(script.c_str()));
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!ran) {
            std::fprintf(stderr, "vantic_engine_bench: the run stopped\n");
            return 1;
        }
        std::printf("run %d: %.3f s\n", run + 1, seconds);
        if (run == 0 || seconds < best)
            best = seconds;
    }
    std::printf("engine, best of %d: %.3f s\n", runs, best);
    return 0;
}
