// Fuzz target for the file-type classifier: the first bytes of a file, of
// any length, against the magic table and the text test.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "filetype.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A block of exactly the input's size, so that a read past it is seen.
    std::vector<unsigned char> bytes(data, data + size);
    bool text = false;
    const char* kind = ClassifyStart(bytes.data(), bytes.size(), &text);
    if (kind && std::strlen(kind) == 0)
        std::abort();
    return 0;
}
