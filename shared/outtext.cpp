#include "outtext.h"

#include <io.h>

#include <cctype>
#include <cstring>

#include "message.h"

CString g_outputText;
FILE* g_outputSpillFile = nullptr;
char g_outputDir[260];

namespace {
const char kSpillTemplate[] = "tmXXXXXX";

// Builds the spill name from g_outputDir into name (260 bytes). False when
// the directory, separator and template do not fit.
bool BuildSpillName(char* name, size_t size)
{
    size_t dirLength = strnlen(g_outputDir, sizeof g_outputDir);
    // An empty directory still gets the separator, which puts the file in
    // the root of the current drive.
    bool needSeparator = dirLength == 0 || g_outputDir[dirLength - 1] != '\\';
    size_t total = dirLength + (needSeparator ? 1 : 0) + (sizeof kSpillTemplate - 1);
    if (total + 1 > size)
        return false;
    std::memcpy(name, g_outputDir, dirLength);
    size_t at = dirLength;
    if (needSeparator)
        name[at++] = '\\';
    std::memcpy(name + at, kSpillTemplate, sizeof kSpillTemplate);
    return true;
}

// Moves the run's output to a new spill file. False when no file could be
// made; the caller then keeps going in memory.
bool StartSpill(const char* text)
{
    char name[260];
    if (!BuildSpillName(name, sizeof name))
        return false;
    if (!_mktemp(name))
        return false;
    FILE* file = std::fopen(name, "wb");
    if (!file)
        return false;
    g_outputSpillFile = file;
    std::fwrite(static_cast<const char*>(g_outputText), 1, static_cast<size_t>(g_outputText.GetLength()), file);
    g_outputText.Empty();
    g_outputText += "****\r\n";
    g_outputText += "**** Too much output (>32kb)\r\n";
    g_outputText += "**** Results written to file: ";
    g_outputText += name;
    g_outputText += "\r\n**** Use Zodo to display this file\r\n";
    g_outputText += "****\r\n";
    std::fputs(text, file);
    return true;
}
}

void AppendOutput(const char* text)
{
    if (!text)
        return;
    if (g_outputSpillFile) {
        std::fputs(text, g_outputSpillFile);
        return;
    }
    // Added up rather than subtracted from the cap: after a failed spill the
    // text may already be longer than the cap, and then every chunk must try
    // to spill again.
    size_t chunkLength = std::strlen(text);
    size_t held = static_cast<size_t>(g_outputText.GetLength());
    if (held <= static_cast<size_t>(kOutputTextCap) && chunkLength <= static_cast<size_t>(kOutputTextCap) - held) {
        g_outputText += text;
        return;
    }
    if (StartSpill(text))
        return;
    ToolMessage("Too much output - results truncated");
    g_outputText.Empty();
    g_outputText += text;
}

void LowercaseText(char* text)
{
    if (!text)
        return;
    for (unsigned char* p = reinterpret_cast<unsigned char*>(text); *p; ++p)
        if (std::isupper(*p))
            *p = static_cast<unsigned char>(std::tolower(*p));
}

void ResetOutput()
{
    // A spill file left open by a run that did not finish is closed rather
    // than leaked.
    CloseOutputSpill();
    g_outputText.Empty();
}

void CloseOutputSpill()
{
    if (g_outputSpillFile) {
        std::fclose(g_outputSpillFile);
        g_outputSpillFile = nullptr;
    }
}
