// Which utility ombrix runs and what its dialog is preset with, decided from
// the command line and the current directory.
#ifndef OMBRIX_DISPATCH_H
#define OMBRIX_DISPATCH_H

#include "afxstr.h"

// The utilities, in the order of the selection dialog's radio buttons. The
// value is the utility's row of g_utilityTable, its radio position and the
// value of the document's g_utility.
enum Utility {
    kUtilityCsplit,    // context split
    kUtilityDu,        // disk usage
    kUtilityFile,      // file type
    kUtilitySplit,     // split and unsplit
    kUtilityStrings,   // printable strings
    kUtilityTail,      // head and tail
    kUtilityWc,        // word count
    kUtilityCount
};

struct UtilityInfo {
    const char* flag;      // command-line flag that selects it
    const char* caption;   // its dialog's caption
    int dialogId;
    int helpContext;   // HELP_CONTEXT number of its Help button
    bool hasResults;   // false: it writes files only and leaves no window
};

// One row per Utility, in its order.
extern const UtilityInfo g_utilityTable[kUtilityCount];

// The Utility whose flag starts the line (lower case only), else -1.
int UtilityFromCommandLine(const char* cmdLine);

// The text after the line's last backslash, lower-cased; "" without one.
CString ArgumentFromCommandLine(const char* cmdLine);

// The current directory, lower-cased.
CString CurrentDirectoryLower();

// Word count's Filenames preset: "*." and the argument's extension,
// lower-cased, or "*.*" when it has none.
CString WcFilenamesPreset(const char* argument);

#endif
