// Head and tail: for every file that a set of wildcard specifications
// selects, its first lines after a number skipped, or its last lines.
#ifndef OMBRIX_TAIL_H
#define OMBRIX_TAIL_H

enum TailProgram { kHead = 0, kTail = 1 };

// Appends lines skip+1 to skip+lines of the file as read (a line is one
// read of at most 511 bytes).
void TailHeadFile(const char* name, int skip, int lines);

// Appends everything after the (lines+1)-th line feed from the end of the
// file, whose size is given; the whole file when it has no more.
void TailTailFile(const char* name, long long size, int lines);

struct TailOptions {
    int program;   // kHead or kTail
    int skip;      // head: lines passed over first
    int lines;
};

// A whole run into the output text, spilling into directory. False when it
// stopped after telling the user why.
bool TailRun(const char* directory, const char* files, const TailOptions& options);

#endif
