// The file driver: every input file through the script, into the output file
// or, with no output file, into a temporary file that then replaces it.
#include "script.h"

#include <cstdio>
#include <cstring>

#include "fileout.h"
#include "filelist.h"
#include "message.h"

namespace {

// Closes both streams; false when the output missed a write, its flush or
// its close.
bool CloseStreams()
{
    bool written = true;
    if (g_inputFile)
        std::fclose(g_inputFile);
    if (g_outputFile)
        written = CloseStream(g_outputFile);
    g_inputFile = nullptr;
    g_outputFile = nullptr;
    return written;
}

}   // namespace

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

bool EditFiles(const char* inputFiles, const char* outputFile, const CString& script, const VanticOptions& options)
{
    if (!ExpandFileList(inputFiles))
        return false;
    bool inPlace = !outputFile || !*outputFile;
    for (int i = 0; i < g_fileCount; ++i) {
        const char* input = g_fileNames[i];
        char temporary[16];
        const char* target = outputFile;
        // The temporary file is made exclusively, so that a file that takes
        // its name meanwhile is neither appended to nor moved over the input.
        if (inPlace) {
            std::strcpy(temporary, "tmXXXXXX");
            g_outputFile = CreateUniqueFile(temporary, true);
            if (!g_outputFile) {
                ToolMessage("Cant create temporary file");
                return false;
            }
            target = temporary;
        }
        g_inputFile = std::fopen(input, "rt");
        if (!g_inputFile) {
            if (inPlace) {
                CloseStreams();
                DiscardShortFile(temporary);
            }
            ToolMessage("cant open input file");
            return false;
        }
        if (!inPlace)
            g_outputFile = std::fopen(target, "at");
        if (!g_outputFile) {
            CloseStreams();
            ToolMessage("Cant create output file");
            return false;
        }
        g_wholeLines = inPlace;
        bool ran = RunScript(script, options);
        g_wholeLines = false;
        bool written = CloseStreams();
        if (!ran)
            return false;
        if (!written) {
            // A short result must never take the input's place.
            CString message;
            if (inPlace) {
                DiscardShortFile(temporary);
                message.Format("Cant write temporary file - %s not replaced", input);
            } else {
                message.Format("Cant write output file %s", target);
            }
            ToolMessage(message);
            return false;
        }
        if (inPlace && !ReplaceWithFile(temporary, input)) {
            // The input is as it was, and the whole result is kept.
            CString message("Cant replace input file, result left in ");
            message += temporary;
            ToolMessage(message);
            return false;
        }
    }
    return true;
}
