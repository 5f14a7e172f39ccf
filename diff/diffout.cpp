#include "diffout.h"

#include <io.h>

#include <cstring>

#include "message.h"

CString g_diffOutput;
FILE* g_diffSpillFile = nullptr;
char g_diffSpillName[260];

namespace {
const char kSpillTemplate[] = "tmXXXXXX";

// Moves the run's output to a new spill file in the current directory.
// False when no file could be made; the caller then keeps going in memory.
bool StartSpill(const char* text, int length)
{
    std::memcpy(g_diffSpillName, kSpillTemplate, sizeof kSpillTemplate);
    if (!_mktemp(g_diffSpillName))
        return false;
    FILE* file = std::fopen(g_diffSpillName, "wb");
    if (!file)
        return false;
    g_diffSpillFile = file;
    std::fwrite(static_cast<const char*>(g_diffOutput), 1, static_cast<size_t>(g_diffOutput.GetLength()), file);
    g_diffOutput.Empty();
    g_diffOutput += "****\r\n";
    g_diffOutput += "**** Too much output (>32kb)\r\n";
    g_diffOutput += "**** Results written to file: ";
    g_diffOutput += g_diffSpillName;
    g_diffOutput += "\r\n**** Use Zodo to display this file\r\n";
    g_diffOutput += "****\r\n";
    std::fwrite(text, 1, static_cast<size_t>(length), file);
    return true;
}
}

void AppendDiffOutput(const char* text)
{
    if (text)
        AppendDiffOutput(text, static_cast<int>(std::strlen(text)));
}

void AppendDiffOutput(const char* text, int length)
{
    if (!text || length < 0)
        return;
    if (g_diffSpillFile) {
        std::fwrite(text, 1, static_cast<size_t>(length), g_diffSpillFile);
        return;
    }
    // Added up in a wide type rather than subtracted from the cap: after a
    // failed spill the text may already be longer than the cap, and then
    // every chunk must try to spill again.
    long long held = g_diffOutput.GetLength();
    if (held + length <= kDiffOutputCap) {
        g_diffOutput.Append(text, length);
        return;
    }
    if (StartSpill(text, length))
        return;
    ToolMessage("Too much output - results truncated");
    g_diffOutput.Empty();
    g_diffOutput.Append(text, length);
}

void ResetDiffOutput()
{
    CloseDiffSpill();
    g_diffOutput.Empty();
}

void CloseDiffSpill()
{
    if (g_diffSpillFile) {
        std::fclose(g_diffSpillFile);
        g_diffSpillFile = nullptr;
    }
}
