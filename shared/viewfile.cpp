#include "viewfile.h"

#include <windows.h>

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
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ToolMessage("cant create output file");
        return false;
    }
    if (text && length > 0) {
        DWORD written = 0;
        WriteFile(file, text, static_cast<DWORD>(length), &written, nullptr);
    }
    CloseHandle(file);
    return true;
}
