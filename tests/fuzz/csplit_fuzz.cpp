// Fuzz target for context split: its arguments (line numbers, patterns,
// skips, offsets, repeats) over a file.
//
// Input: the arguments, a NUL, the file. The parts are removed after each run.
// A repeat runs its argument as often as it says, even where the argument
// makes no progress (a pattern that matches the current line), so repeats
// above a thousand are passed over: they only take time.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "csplit.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnterFuzzDirectory();
    size_t at = 0;
    std::string arguments = NextPiece(data, size, at);
    for (size_t brace = arguments.find('{'); brace != std::string::npos; brace = arguments.find('{', brace + 1)) {
        if (std::atol(arguments.c_str() + brace + 1) > 1000)
            return 0;
    }
    WriteWholeFile("in.txt", std::string(reinterpret_cast<const char*>(data) + at, size - at));
    CsplitRun("in.txt", arguments.c_str(), "xx", 2);
    for (int n = 0; n <= 100; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "xx%02d", n);
        std::remove(name);
    }
    return 0;
}
