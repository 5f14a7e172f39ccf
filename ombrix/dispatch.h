// Which utility ombrix runs and what its dialog is preset with, decided from
// the command line and the current directory.
#ifndef OMBRIX_DISPATCH_H
#define OMBRIX_DISPATCH_H

#include "afxstr.h"

struct UtilityInfo {
    const char* flag;       // command-line flag that selects it
    const char* caption;    // its dialog's caption
    int dialogId;
    int helpContext;        // HELP_CONTEXT number of its Help button
    bool hasResults;        // false: it writes files only and leaves no window
};

// Index = radio position in the selection dialog: 0 csplit, 1 du, 2 file,
// 3 split, 4 strings, 5 tail, 6 wc.
extern const UtilityInfo g_utilityTable[7];

// 0..6 when the line starts with one of the seven flags (lower case only),
// else -1.
int UtilityFromCommandLine(const char* cmdLine);

// The text after the line's last backslash, lower-cased; "" without one.
CString ArgumentFromCommandLine(const char* cmdLine);

// The current directory, lower-cased.
CString CurrentDirectoryLower();

// Word count's Filenames preset: "*." and the argument's extension,
// lower-cased, or "*.*" when it has none.
CString WcFilenamesPreset(const char* argument);

#endif
