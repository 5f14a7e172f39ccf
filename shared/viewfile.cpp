#include "viewfile.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include "fileout.h"
#include "message.h"

// Finding and starting the pager is Windows' own; saving builds everywhere.
#ifdef _WIN32
CString ReadLoadPath()
{
    char path[260];
    GetPrivateProfileStringA("Tamrel", "LoadPath", "c:\\tamrel", path, sizeof path, "winfile.ini");
    return CString(path);
}

CString BuildViewerCommandLine(const char* selection)
{
    CString commandLine = ReadLoadPath();
    commandLine += "\\zodo.exe ";
    commandLine += selection;
    return commandLine;
}

void LaunchViewer(const char* selection)
{
    if (!selection || !*selection) {
        ToolMessage("Error: no filename selected!");
        return;
    }
    CString commandLine = BuildViewerCommandLine(selection);
    if (WinExec(commandLine, SW_SHOW) < 32)
        ToolMessage("Error: can't run file viewer!");
}

#endif

bool SaveOutputText(const char* path, const char* text, int length)
{
    char temporary[260];
    FILE* file = CreateReplacement(path, temporary);
    if (!file) {
        ToolMessage("cant create output file");
        return false;
    }
    bool written = !text || length <= 0 || WriteBytes(file, text, static_cast<size_t>(length));
    return ReportReplacement(FinishReplacement(file, temporary, path, written), path);
}
