#include "linediff.h"

#include <cstdlib>
#include <cstring>

#include "message.h"

COutputText g_diffOutput;
FILE* g_diffFiles[2];
char* g_diffWindow[2][kDiffWindowLines];
long g_diffWindowBase[2];
int g_diffWindowCount[2];
long g_diffLine[2];

namespace {
DiffOptions s_options;   // of the comparison running
}

namespace {
// fgets with a limit of 255 stores at most 254 characters of a line.
const int kPieceMax = kDiffSlotSize - 2;
const size_t kReadBlock = 256 * 1024;

// The window is a ring: dropping lines moves its start instead of copying
// the remaining lines down, so a long hunk costs no more than a short one.
int g_windowFirst[2];
// Length of the text in each physical slot (up to its first NUL).
int g_slotLength[2][kDiffWindowLines];

// Each file is read in large blocks and cut into lines here; the pieces are
// the ones fgets with a limit of 255 would give.
struct LineSource {
    char* data;
    size_t pos;
    size_t end;
    bool atEnd;
};
LineSource g_sources[2];

bool StartSource(int f)
{
    LineSource& source = g_sources[f];
    if (!source.data) {
        source.data = static_cast<char*>(std::malloc(kReadBlock));
        if (!source.data)
            return false;
    }
    source.pos = source.end = 0;
    source.atEnd = false;
    return true;
}

// Copies the next piece of file f into slot (NUL-terminated) and returns
// its length up to the first NUL, or -1 at the end of the file.
int ReadPiece(int f, char* slot)
{
    LineSource& source = g_sources[f];
    if (source.end - source.pos < static_cast<size_t>(kPieceMax) && !source.atEnd) {
        size_t left = source.end - source.pos;
        std::memmove(source.data, source.data + source.pos, left);
        source.pos = 0;
        source.end = left;
        while (source.end < kReadBlock && !source.atEnd) {
            size_t want = kReadBlock - source.end;
            size_t got = std::fread(source.data + source.end, 1, want, g_diffFiles[f]);
            source.end += got;
            if (got < want)
                source.atEnd = true;
        }
    }
    size_t avail = source.end - source.pos;
    if (avail == 0)
        return -1;
    size_t limit = avail < static_cast<size_t>(kPieceMax) ? avail : static_cast<size_t>(kPieceMax);
    const char* start = source.data + source.pos;
    const char* lineEnd = static_cast<const char*>(std::memchr(start, '\n', limit));
    size_t n = lineEnd ? static_cast<size_t>(lineEnd - start) + 1 : limit;
    std::memcpy(slot, start, n);
    slot[n] = 0;
    source.pos += n;
    const char* nul = static_cast<const char*>(std::memchr(slot, 0, n));
    return static_cast<int>(nul ? nul - slot : static_cast<long>(n));
}

int SlotOf(int f, long index)
{
    return static_cast<int>((g_windowFirst[f] + index) % kDiffWindowLines);
}

// Line n of file f with its length, or null at the end of the file.
char* FetchLine(int f, long n, int* length)
{
    long index = n - g_diffWindowBase[f];
    if (index < 0)
        return nullptr;
    while (index >= g_diffWindowCount[f]) {
        // The look-ahead never asks beyond the window; refuse rather than
        // overwrite a line still held.
        if (g_diffWindowCount[f] >= kDiffWindowLines)
            return nullptr;
        int slot = SlotOf(f, g_diffWindowCount[f]);
        if (!g_diffWindow[f][slot]) {
            g_diffWindow[f][slot] = static_cast<char*>(std::malloc(kDiffSlotSize));
            if (!g_diffWindow[f][slot]) {
                ToolMessage("Out of memory - sorry");
                return nullptr;
            }
        }
        int got = ReadPiece(f, g_diffWindow[f][slot]);
        if (got < 0)
            return nullptr;
        g_slotLength[f][slot] = got;
        ++g_diffWindowCount[f];
    }
    int slot = SlotOf(f, index);
    if (length)
        *length = g_slotLength[f][slot];
    return g_diffWindow[f][slot];
}

// True when line n0 of file 0 and line n1 of file 1 are equal. Both lines
// are in the window already.
bool SameLines(long n0, long n1)
{
    int length0 = 0, length1 = 0;
    const char* a = FetchLine(0, n0, &length0);
    const char* b = FetchLine(1, n1, &length1);
    if (!a || !b)
        return false;
    if (!s_options.ignoreWhiteSpace && !s_options.ignoreCase)
        return length0 == length1 && std::memcmp(a, b, static_cast<size_t>(length0)) == 0;
    return CompareDiffLines(a, b, s_options) == 0;
}

bool IsWhite(unsigned char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

unsigned char Lower(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Writes "< " or "> " and the line into the output in one piece. A line
// without its own line end (the last line of a file, a piece of a long line)
// gets one, so the next output starts on a line of its own.
void PrintLine(char mark, const char* line, int length)
{
    char text[kDiffSlotSize + 4];
    text[0] = mark;
    text[1] = ' ';
    std::memcpy(text + 2, line, static_cast<size_t>(length));
    int n = length + 2;
    if (length == 0 || line[length - 1] != '\n') {
        text[n++] = '\r';
        text[n++] = '\n';
    }
    g_diffOutput.Append(text, static_cast<size_t>(n));
}

// Prints lines of file f from its current line on, d of them past it (-1:
// none, kDiffToEnd: to the end of the file), drops them from the window and
// leaves the current line on the last one printed.
void PrintHunkLines(int f, long d)
{
    long first = g_diffLine[f];
    long written = 0;
    for (long k = 0; d == kDiffToEnd || k <= d; ++k) {
        int length = 0;
        const char* line = FetchLine(f, first + k, &length);
        if (!line)
            break;
        PrintLine(f == 0 ? '<' : '>', line, length);
        DiscardDiffLines(f, first + k);
        ++written;
    }
    g_diffLine[f] = first + written - 1;
}

void CloseDiffFiles()
{
    for (FILE*& file : g_diffFiles) {
        if (file) {
            std::fclose(file);
            file = nullptr;
        }
    }
}
}

char* GetDiffLine(int f, long n)
{
    return FetchLine(f, n, nullptr);
}

void DiscardDiffLines(int f, long n)
{
    long k = n - g_diffWindowBase[f] + 1;
    if (k > g_diffWindowCount[f])
        k = g_diffWindowCount[f];
    if (k > 0) {
        g_windowFirst[f] = SlotOf(f, k);
        g_diffWindowCount[f] -= static_cast<int>(k);
    }
    if (k >= 0)
        g_diffWindowBase[f] = n + 1;
}

int CompareDiffLines(const char* a, const char* b, const DiffOptions& options)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* q = reinterpret_cast<const unsigned char*>(b);
    for (;;) {
        if (options.ignoreWhiteSpace && IsWhite(*p) && IsWhite(*q)) {
            while (IsWhite(*p))
                ++p;
            while (IsWhite(*q))
                ++q;
        }
        int x = *p, y = *q;
        if (options.ignoreCase) {
            x = Lower(static_cast<unsigned char>(x));
            y = Lower(static_cast<unsigned char>(y));
        }
        if (x != y)
            return x - y;
        if (x == 0)
            return 0;
        ++p;
        ++q;
    }
}

void PrintLineRange(long first, long length)
{
    char text[48];
    if (length == kDiffToEnd)
        std::snprintf(text, sizeof text, "%ld,$", first);
    else if (length == 0)
        std::snprintf(text, sizeof text, "%ld", first);
    else
        std::snprintf(text, sizeof text, "%ld,%ld", first, first + length);
    g_diffOutput.Append(text);
}

void PrintHunkHeader(long first0, long length0, char letter, long first1, long length1)
{
    PrintLineRange(first0, length0);
    char letterText[2] = {letter, 0};
    g_diffOutput.Append(letterText);
    PrintLineRange(first1, length1);
    g_diffOutput.Append("\r\n");
}

int PrintDiffHunk(long d0, long d1)
{
    long c0 = g_diffLine[0], c1 = g_diffLine[1];
    if (d0 < 0)
        PrintHunkHeader(c0 - 1, 0, 'a', c1, d1);
    else if (d1 < 0)
        PrintHunkHeader(c0, d0, 'd', c1 - 1, 0);
    else
        PrintHunkHeader(c0, d0, 'c', c1, d1);
    PrintHunkLines(0, d0);
    if (d0 >= 0 && d1 >= 0)
        g_diffOutput.Append("---\r\n");
    PrintHunkLines(1, d1);
    return 1;
}

int ResyncDiff()
{
    long c0 = g_diffLine[0], c1 = g_diffLine[1];
    for (long i = 1; i < kDiffWindowLines; ++i) {
        if (!GetDiffLine(0, c0 + i))
            return PrintDiffHunk(kDiffToEnd, kDiffToEnd);
        for (long j = 1; j < i; ++j) {
            if (SameLines(c0 + i, c1 + j) && SameLines(c0 + i - 1, c1 + j - 1))
                return PrintDiffHunk(i - 2, j - 2);
        }
        if (!GetDiffLine(1, c1 + i))
            return PrintDiffHunk(kDiffToEnd, kDiffToEnd);
        for (long j = 1; j <= i; ++j) {
            if (SameLines(c0 + j, c1 + i) && SameLines(c0 + j - 1, c1 + i - 1))
                return PrintDiffHunk(j - 2, i - 2);
        }
    }
    return 0;
}

CString DiffFiles(const char* name0, const char* name1, const DiffOptions& options)
{
    s_options = options;
    g_diffOutput.Reset();
    g_diffOutput.SetSpillDirectory(nullptr);
    CloseDiffFiles();
    const char* names[2] = {name0, name1};
    for (int f = 0; f < 2; ++f) {
        g_diffFiles[f] = std::fopen(names[f], "rb");
        if (!g_diffFiles[f] || !StartSource(f)) {
            CloseDiffFiles();
            CString message;
            message.Format("cant open \"%s\"", names[f]);
            ToolMessage(message);
            return g_diffOutput.m_text;
        }
        g_diffWindowBase[f] = 1;
        g_diffWindowCount[f] = 0;
        g_windowFirst[f] = 0;
        g_diffLine[f] = 0;
    }

    for (;;) {
        ++g_diffLine[0];
        ++g_diffLine[1];
        int length0 = 0, length1 = 0;
        const char* line0 = FetchLine(0, g_diffLine[0], &length0);
        const char* line1 = FetchLine(1, g_diffLine[1], &length1);
        if (!line0) {
            if (!line1) {
                if (g_diffOutput.m_text.IsEmpty())
                    g_diffOutput.Append("diff: files are the same");
            } else {
                PrintDiffHunk(-1, kDiffToEnd);
            }
            break;
        }
        if (!line1) {
            PrintDiffHunk(kDiffToEnd, -1);
            break;
        }
        bool same = (!options.ignoreWhiteSpace && !options.ignoreCase)
                        ? length0 == length1 && std::memcmp(line0, line1, static_cast<size_t>(length0)) == 0
                        : CompareDiffLines(line0, line1, options) == 0;
        if (!same && !ResyncDiff()) {
            g_diffOutput.Append("\r\ndiff: cant resync (files too different)");
            break;
        }
        DiscardDiffLines(0, g_diffLine[0]);
        DiscardDiffLines(1, g_diffLine[1]);
    }

    g_diffOutput.Append("\r\n");
    CloseDiffFiles();
    g_diffOutput.CloseSpill();
    return g_diffOutput.m_text;
}
