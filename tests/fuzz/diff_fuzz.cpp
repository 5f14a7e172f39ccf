// Fuzz target for diff's line comparison: two files, with and without the
// white-space and case options.
//
// Input: an options byte (bit 0 ignore white space, bit 1 ignore case), the
// first file, a NUL, the second file.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "linediff.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnterFuzzDirectory();
    if (size == 0)
        return 0;
    DiffOptions options;
    options.ignoreWhiteSpace = data[0] & 1;
    options.ignoreCase = (data[0] >> 1) & 1;
    size_t at = 1;
    WriteWholeFile("one.txt", NextPiece(data, size, at));
    WriteWholeFile("two.txt", std::string(reinterpret_cast<const char*>(data) + at, size - at));
    DiffFiles("one.txt", "two.txt", options);
    return 0;
}
