// Line comparison: walks two text files in step and, at the first pair of
// unequal lines, looks ahead within a window of lines of each file for the
// nearest place where two consecutive lines agree again. The differences
// come out as hunks in the classic normal diff form (3c3, "< ", "---",
// "> ") through diff's output text.
#ifndef DIFF_LINEDIFF_H
#define DIFF_LINEDIFF_H

#include <cstdio>

#include "afxstr.h"
#include "outtext.h"

// Lines each file's window holds; the look-ahead reaches 499 lines past the
// current one.
const int kDiffWindowLines = 500;
// Room of one window slot: a line is cut into pieces of at most 254
// characters, plus the NUL.
const int kDiffSlotSize = 256;
// A hunk length that stands for "to the end of the file"; its range is
// printed with "$".
const long kDiffToEnd = 16384;

// diff's output text: its spill file is always made in the current
// directory.
extern COutputText g_diffOutput;

extern FILE* g_diffFiles[2];
extern char* g_diffWindow[2][kDiffWindowLines];
extern long g_diffWindowBase[2];   // line number held first in the window
extern int g_diffWindowCount[2];   // lines held
extern long g_diffLine[2];         // current line of each file

// What two lines may differ in and still count as the same.
struct DiffOptions {
    bool ignoreWhiteSpace = false;   // runs of blanks compare as one
    bool ignoreCase = false;
};

// Compares the two files and returns the output text (the hunks, "diff:
// files are the same", or the notice naming a spill file). Returns an empty
// text after "cant open" has been shown.
CString DiffFiles(const char* name0, const char* name1, const DiffOptions& options = DiffOptions());

// Line n of file f, or null at the end of the file.
char* GetDiffLine(int f, long n);
// Drops the window's lines of file f up to line n.
void DiscardDiffLines(int f, long n);
// Looks ahead from the current, unequal lines; 1 when a hunk was printed,
// 0 when the files do not agree again within the window.
int ResyncDiff();
// Prints the hunk that ends d0 lines past file 0's current line and d1 past
// file 1's (-1: no lines of that file, kDiffToEnd: to its end); leaves the
// current lines on the hunk's last lines.
int PrintDiffHunk(long d0, long d1);
void PrintHunkHeader(long first0, long length0, char letter, long first1, long length1);
void PrintLineRange(long first, long length);
// 0 when the lines are equal under the white space and case options.
int CompareDiffLines(const char* a, const char* b, const DiffOptions& options);

#endif
