// The stream editor's engine: the script compiler, the execution cycle and
// the file driver. Plain code over the C runtime's streams; the dialog calls
// EditFiles, and the unit tests drive it directly. Every report to the user
// goes through ToolMessage. What the compiler and the executor share is in
// script.h.
//
// The state is program-wide: one compiled table, one set of spaces and the
// two streams of the file being edited. Not reentrant.
#ifndef VANTIC_ENGINE_H
#define VANTIC_ENGINE_H

#include "afxstr.h"

enum {
    kMaxCommands = 1024,
    kScriptLineSize = 512,   // a script line holds at most 511 characters
    kExpressionSize = 40,    // an expression or replacement: at most 39
    kSpaceSize = 8192,       // pattern, hold and scratch: at most 8191
    kInputLineSize = 512,    // input is read in pieces of at most 511
    kMaxPendingText = 32767,
    kLineNumberMax = 2147483647,
};

// Runs the script over every file that inputFiles names (blank-separated
// wildcard specifications of the current directory). An empty outputFile
// edits each file in place; otherwise every result is appended to it.
// True when every file was edited, false when the run stopped after a
// message.
struct VanticOptions {
    bool suppressOutput = false;   // no default output; a "#n" first line also sets it
};
bool EditFiles(const char* inputFiles, const char* outputFile, const CString& script,
               const VanticOptions& options = VanticOptions());

// The input preset for a command line: the text after its last backslash,
// lower-cased; empty when it holds no backslash (a bare name presets
// nothing).
CString InputPresetFromCommandLine(const char* cmdLine);

#endif
