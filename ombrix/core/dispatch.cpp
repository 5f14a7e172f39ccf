#include "dispatch.h"

#include <direct.h>

#include <cstring>

#include "../resource.h"

const UtilityInfo g_utilityTable[kUtilityCount] = {
    {"-c", "Csplit for Windows", IDD_CSPLIT, 1001, false},
    {"-d", "Du for Windows", IDD_DU, 1002, true},
    {"-f", "File for Windows", IDD_FILETYPE, 1003, true},
    {"-p", "Split for Windows", IDD_SPLIT, 1005, false},
    {"-s", "Strings for Windows", IDD_STRINGS, 1006, true},
    {"-t", "Tail for Windows", IDD_TAIL, 1007, true},
    {"-w", "WC for Windows", IDD_WC, 1008, true},
};

int UtilityFromCommandLine(const char* cmdLine)
{
    if (!cmdLine || cmdLine[0] != '-' || cmdLine[1] == 0)
        return -1;
    for (int i = 0; i < kUtilityCount; ++i)
        if (cmdLine[1] == g_utilityTable[i].flag[1])
            return i;
    return -1;
}

CString ArgumentFromCommandLine(const char* cmdLine)
{
    CString line(cmdLine);
    int slash = line.ReverseFind('\\');
    if (slash < 0)
        return CString();
    CString argument = line.Mid(slash + 1);
    argument.MakeLower();
    return argument;
}

CString CurrentDirectoryLower()
{
    char directory[260];
    if (!_getcwd(directory, sizeof directory))
        return CString();
    CString lowered(directory);
    lowered.MakeLower();
    return lowered;
}

CString WcFilenamesPreset(const char* argument)
{
    CString text(argument);
    int dot = text.ReverseFind('.');
    if (dot < 0)
        return CString("*.*");
    CString preset = "*." + text.Mid(dot + 1);
    preset.MakeLower();
    return preset;
}
