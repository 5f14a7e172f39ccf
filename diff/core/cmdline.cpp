#include "cmdline.h"

DiffPreset PresetFromCommandLine(CString& cmdLine)
{
    DiffPreset preset;
    preset.type = kCompareBinary;
    if (cmdLine.IsEmpty())
        return preset;
    if (cmdLine[0] == '-') {
        if (cmdLine.GetLength() > 1 && cmdLine[1] == 'u')
            preset.type = kCompareText;
        int start = 2;
        while (start < cmdLine.GetLength() && cmdLine[start] == ' ')
            ++start;
        cmdLine = start < cmdLine.GetLength() ? cmdLine.Mid(start) : CString();
    }
    preset.file1 = cmdLine;
    preset.file1.MakeLower();
    return preset;
}
