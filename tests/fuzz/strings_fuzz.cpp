// Fuzz target for strings: the printable runs of a file.
//
// Input: a byte for the least length (1 to 16), a byte for the offsets form
// (none, decimal, octal, hexadecimal), then the file.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "outtext.h"
#include "strscan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnterFuzzDirectory();
    if (size < 2)
        return 0;
    int minLength = 1 + data[0] % 16;
    int offsets = data[1] % 4;
    WriteWholeFile("in.bin", std::string(reinterpret_cast<const char*>(data) + 2, size - 2));
    ResetOutput();
    // A spill file, should the output pass the cap, stays here too.
    g_outputDir[0] = '.';
    g_outputDir[1] = 0;
    StringsScanFile("in.bin", minLength, offsets);
    CloseOutputSpill();
    return 0;
}
