// How diff's command line presets its comparison dialog: "-u" and a path
// select the text comparison, "-c" (or any other letter) and a path the byte
// comparison; a bare path selects the byte comparison too.
#ifndef DIFF_CMDLINE_H
#define DIFF_CMDLINE_H

#include "afxstr.h"

// Values of the dialog's "Type" radio group.
const int kCompareBinary = 0;
const int kCompareText = 1;

struct DiffPreset {
    int type;
    CString file1;   // lower-cased
};

// Reads the kept command line and rewrites it: after a flag only the path
// is kept (or nothing).
DiffPreset PresetFromCommandLine(CString& cmdLine);

#endif
