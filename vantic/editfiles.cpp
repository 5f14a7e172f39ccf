// The file driver: every input file through the script, into the output file
// or, with no output file, into a temporary file that then replaces it.
#include "engine.h"

#include <io.h>

#include <cstdio>
#include <cstring>

#include "filelist.h"
#include "message.h"

namespace {

void CloseStreams()
{
    if (g_inputFile)
        std::fclose(g_inputFile);
    if (g_outputFile)
        std::fclose(g_outputFile);
    g_inputFile = nullptr;
    g_outputFile = nullptr;
}

}  // namespace

CString InputPresetFromCommandLine(const char* cmdLine)
{
    CString line(cmdLine);
    int backslash = line.ReverseFind('\\');
    if (backslash < 0)
        return CString();
    CString name = line.Mid(backslash + 1);
    name.MakeLower();
    return name;
}

int EditFiles(const char* inputFiles, const char* outputFile, const CString& script, int& suppressOutput)
{
    if (!ExpandFileList(inputFiles))
        return 1;
    bool inPlace = !outputFile || !*outputFile;
    for (int i = 0; i < g_fileCount; ++i) {
        const char* input = g_fileNames[i];
        char temporary[16];
        const char* target = outputFile;
        if (inPlace) {
            std::strcpy(temporary, "tmXXXXXX");
            if (!_mktemp(temporary)) {
                ToolMessage("Cant create temporary file");
                return 1;
            }
            target = temporary;
        }
        g_inputFile = std::fopen(input, "rt");
        if (!g_inputFile) {
            ToolMessage("cant open input file");
            return 1;
        }
        g_outputFile = std::fopen(target, "at");
        if (!g_outputFile) {
            CloseStreams();
            ToolMessage("Cant create output file");
            return 1;
        }
        int result = RunScript(script, suppressOutput);
        CloseStreams();
        if (result != 0)
            return 1;
        if (inPlace) {
            // The result stays in the temporary file until it has taken the
            // input's place, so a failure here loses nothing.
            if (std::remove(input) != 0 || std::rename(temporary, input) != 0) {
                CString message("Cant replace input file, result left in ");
                message += temporary;
                ToolMessage(message);
                return 1;
            }
        }
    }
    return 0;
}
