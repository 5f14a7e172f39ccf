#include "viewfile.h"

#include <windows.h>

#include "fileout.h"
#include "message.h"

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
