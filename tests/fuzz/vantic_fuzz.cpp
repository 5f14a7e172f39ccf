// Fuzz target for vantic: a script and the text it runs over.
//
// Input: the script, a NUL, then the input text. The script's line ends are
// given as the script field holds them. Scripts that name a w or r file are
// passed over: a generated name could reach any file of the machine. So are
// scripts that may branch or use D: those can loop for ever by design
// (":a;ba", "G;D"), which says nothing about the engine.
#include <cstdint>
#include <cstring>
#include <string>

#include "engine.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnterFuzzDirectory();
    size_t at = 0;
    std::string script = NextPiece(data, size, at);
    if (script.find_first_of("wrbtD") != std::string::npos)
        return 0;
    WriteWholeFile("in.txt", std::string(reinterpret_cast<const char*>(data) + at, size - at));
    std::remove("out.txt");
    EditFiles("in.txt", "out.txt", CString(script.data(), static_cast<int>(script.size())));
    return 0;
}
