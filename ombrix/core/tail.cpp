#include "tail.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "filelist.h"
#include "message.h"
#include "outtext.h"
#include "sysio.h"
#include "textread.h"

namespace {
const int kLineBuffer = 512;
// Tail looks for line feeds this many bytes at a time, from the end.
const size_t kTailBlock = 1 << 16;

void CantOpen(const char* name)
{
    char text[kLineBuffer];
    std::snprintf(text, sizeof text, "cant open %s", name);
    ToolMessage(text);
}
}

void TailHeadFile(const char* name, int skip, int lines)
{
    FILE* file = std::fopen(name, "rb");
    if (!file) {
        CantOpen(name);
        return;
    }
    // Lines as fgets gives them from a binary stream: at most 511 bytes.
    LineReader reader(file, false);
    char line[kLineBuffer];
    size_t length = 0;
    for (int i = 0; i < skip; ++i)
        if (!reader.ReadLine(line, sizeof line, &length))
            break;
    for (int i = 0; i < lines; ++i) {
        if (!reader.ReadLine(line, sizeof line, &length))
            break;
        AppendOutput(line);
    }
    std::fclose(file);
}

void TailTailFile(const char* name, long long size, int lines)
{
    FILE* file = std::fopen(name, "rb");
    if (!file) {
        CantOpen(name);
        return;
    }
    // Find where the shown text begins: after the (lines+1)-th line feed
    // counted from the end, at the start of the file when there are fewer,
    // and at the end when no line is wanted at all.
    long long start = size;
    if (lines >= 0) {
        start = 0;
        std::vector<char> block(kTailBlock);
        long long position = size;
        long long feeds = 0;
        bool found = false;
        while (position > 0 && !found) {
            long long from =
                position > static_cast<long long>(kTailBlock) ? position - static_cast<long long>(kTailBlock) : 0;
            size_t length = static_cast<size_t>(position - from);
            if (_fseeki64(file, from, SEEK_SET) != 0 || std::fread(block.data(), 1, length, file) != length) {
                // What cannot be read is not shown.
                start = position;
                break;
            }
            for (size_t i = length; i-- > 0;) {
                if (block[i] == '\n' && ++feeds > lines) {
                    start = from + static_cast<long long>(i) + 1;
                    found = true;
                    break;
                }
            }
            position = from;
        }
    }

    // One buffer of the exact size, read forward and appended in one call.
    long long wanted = size - start;
    char* text = wanted >= 0 ? new (std::nothrow) char[static_cast<size_t>(wanted) + 1] : nullptr;
    if (!text) {
        std::fclose(file);
        ToolMessage("Out of memory");
        return;
    }
    size_t got = 0;
    if (wanted > 0 && _fseeki64(file, start, SEEK_SET) == 0)
        got = std::fread(text, 1, static_cast<size_t>(wanted), file);
    text[got] = 0;
    std::fclose(file);
    // The text goes on as a character string: a NUL in it ends what is shown.
    AppendOutput(text);
    delete[] text;
}

bool TailRun(const char* directory, const char* files, const TailOptions& options)
{
    std::snprintf(g_outputDir, sizeof g_outputDir, "%s", directory ? directory : "");
    ResetOutput();
    if (!ExpandFileList(files)) {
        ToolMessage("cant find input file");
        return false;
    }
    for (int i = 0; i < g_fileCount; ++i) {
        const char* name = g_fileNames[i];
        char header[kLineBuffer];
        std::snprintf(header, sizeof header, "====> %s <====\r\n\r\n", name);
        LowercaseText(header);
        AppendOutput(header);
        if (options.program == kTail) {
            struct _stati64 status;
            if (_stati64(name, &status) != 0) {
                ToolMessage("cant stat input file");
                CloseOutputSpill();
                return false;
            }
            TailTailFile(name, status.st_size, options.lines);
        } else {
            TailHeadFile(name, options.skip, options.lines);
        }
        AppendOutput("\r\n");
    }
    return CloseOutputSpill();
}
