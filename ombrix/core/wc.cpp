#include "wc.h"

#include <cstdio>
#include <cstring>

#include "filelist.h"
#include "message.h"
#include "outtext.h"
#include "sysio.h"
#include "textread.h"

namespace {
// Lines and result lines share one buffer size; a longer line is read, and
// counted, in pieces of 511 characters.
const int kLineBuffer = 512;

// The words strtok would find in line with the separators blank, tab and
// line feed: runs of other characters up to the line's first NUL.
long CountWords(const char* line)
{
    long words = 0;
    bool inWord = false;
    for (const char* p = line; *p; ++p) {
        bool separator = *p == ' ' || *p == '\t' || *p == '\n';
        if (!separator && !inWord)
            ++words;
        inWord = !separator;
    }
    return words;
}

// The chosen counts, each "%8ld ", then "   " and the name: four blanks
// between the last count and the name.
void AppendCounts(const WcOptions& options, long lines, long words, long bytes, const char* name)
{
    char line[kLineBuffer];
    int at = 0;
    const long values[3] = {lines, words, bytes};
    const bool chosen[3] = {options.countLines, options.countWords, options.countBytes};
    for (int i = 0; i < 3; ++i)
        if (chosen[i])
            at += std::snprintf(line + at, sizeof line - static_cast<size_t>(at), "%8ld ", values[i]);
    std::snprintf(line + at, sizeof line - static_cast<size_t>(at), "   %s\r\n", name);
    AppendOutput(line);
}
}

void WcCountFiles(const char* filenames, const WcOptions& options, WcTotals& totals)
{
    if (!ExpandFileList(filenames)) {
        ToolMessage("Cant find input file");
        return;
    }
    for (int i = 0; i < g_fileCount; ++i) {
        const char* name = g_fileNames[i];
        struct _stati64 status;
        if (_stati64(name, &status) != 0) {
            ToolMessage("Cant stat input file");
            continue;
        }
        // Read as text (the lines and words of fgets in text mode) through
        // one large buffer rather than the runtime's character by character.
        FILE* file = std::fopen(name, "rb");
        if (!file) {
            ToolMessage("Cant open input file");
            continue;
        }
        long lines = 0;
        long words = 0;
        char buffer[kLineBuffer];
        size_t length = 0;
        LineReader reader(file, true);
        while (reader.ReadLine(buffer, sizeof buffer, &length)) {
            ++lines;
            words += CountWords(buffer);
        }
        std::fclose(file);
        long bytes = static_cast<long>(status.st_size);
        AppendCounts(options, lines, words, bytes, name);
        totals.lines += lines;
        totals.words += words;
        totals.bytes += bytes;
    }
}

bool WcRun(const char* directory, const char* filenames, const WcOptions& options)
{
    // A directory too long for the buffer is cut; it is then also too long
    // to take the spill name, so a spill fails rather than landing elsewhere.
    std::strncpy(g_outputDir, directory ? directory : "", sizeof g_outputDir - 1);
    g_outputDir[sizeof g_outputDir - 1] = 0;
    ResetOutput();
    WcTotals totals = {0, 0, 0};
    WcCountFiles(filenames, options, totals);
    AppendCounts(options, totals.lines, totals.words, totals.bytes, "total");
    LowercaseText(g_outputText.GetBuffer(0));
    g_outputText.ReleaseBuffer();
    return CloseOutputSpill();
}
