#include "message.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdio>
#include <cstring>

namespace {
ToolMessageHandler g_handler = nullptr;
}

#ifdef _WIN32
namespace {

// The program's file name without directory and extension, which is what
// the programs use as their title when nothing better has been installed.
void ProgramTitle(char* title, int size)
{
    char path[MAX_PATH];
    title[0] = 0;
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n == 0 || n >= sizeof path)
        return;
    const char* base = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            base = p + 1;
    lstrcpynA(title, base, size);
    char* dot = std::strrchr(title, '.');
    if (dot)
        *dot = 0;
}
}
#endif

void SetToolMessageHandler(ToolMessageHandler handler)
{
    g_handler = handler;
}

void ToolMessage(const char* text)
{
    if (!text)
        text = "";
    if (g_handler) {
        g_handler(text);
        return;
    }
#ifdef _WIN32
    char title[MAX_PATH];
    ProgramTitle(title, sizeof title);
    MessageBoxA(GetActiveWindow(), text, title, MB_OK);
#else
    // Natively only the engines run, with no window to show it in.
    std::fprintf(stderr, "%s\n", text);
#endif
}
