// Word count: lines, words and bytes of every file a set of wildcard
// specifications selects, one result line per file and a totals line.
#ifndef OMBRIX_WC_H
#define OMBRIX_WC_H

struct WcOptions {
    bool countLines;
    bool countWords;
    bool countBytes;
};

struct WcTotals {
    long lines;
    long words;
    long bytes;
};

// Expands filenames in the current directory, counts every file, appends
// its result line and adds all three counts to totals.
void WcCountFiles(const char* filenames, const WcOptions& options, WcTotals& totals);

// A whole run into the output text: spill files go to directory; ends with
// the totals line and lower-cases the text.
bool WcRun(const char* directory, const char* filenames, const WcOptions& options);

#endif
