// The stream editor's engine: the script compiler, the execution cycle and
// the file driver. Plain code over the C runtime's streams; the dialog's
// members are thin calls into it, and the unit tests drive it directly.
// Every report to the user goes through ToolMessage.
//
// The state is program-wide, as the dialog keeps no engine state of its own:
// one compiled table, one set of spaces and the two streams of the file being
// edited. Not reentrant.
#ifndef VANTIC_ENGINE_H
#define VANTIC_ENGINE_H

#include <cstdio>

#include "afxstr.h"

enum {
    kMaxCommands = 1024,
    kScriptLineSize = 512,      // a script line holds at most 511 characters
    kExpressionSize = 40,       // an expression or replacement: at most 39
    kSpaceSize = 8192,          // pattern, hold and scratch: at most 8191
    kInputLineSize = 512,       // input is read in pieces of at most 511
    kMaxPendingText = 32767,
    kLineNumberMax = 2147483647,
};

// One compiled command.
struct EditCommand {
    int first;              // see the address forms in compile.cpp
    char* startRegex;
    int last;
    char* endRegex;         // a single expression address shares startRegex
    char command;           // 0 for a line with no letter
    char* text;
    char* replacement;
    FILE* file;
    int occurrence;
    bool negate;
    bool global;
    bool print;
    bool resolveAtLastLine;
};

// Result codes of ExecuteCommand.
enum {
    kExecQuit = 0,
    kExecNext = 1,
    kExecError = 2,
    kExecEndCycle = 3,
    kExecBranch = 4,
    kExecRestart = 5,
    kExecEnterList = 6,
    kExecLeaveList = 7,
};

extern EditCommand g_commands[kMaxCommands];
extern int g_commandCount;
extern int g_scriptPos;

extern char g_patternSpace[kSpaceSize];
extern char g_holdSpace[kSpaceSize];
extern char g_scratchBuffer[kSpaceSize];
extern long g_lineNumber;
extern int g_substitutions;
extern CString g_pendingText;
extern FILE* g_inputFile;
extern FILE* g_outputFile;
// Set while editing in place: a line too long to be read whole stops the run
// with a message, as cutting it in pieces would change a line that no
// command touched.
extern bool g_wholeLines;

// Runs the script over every file that inputFiles names (blank-separated
// wildcard specifications of the current directory). An empty outputFile
// edits each file in place; otherwise every result is appended to it.
// Returns 0 when every file was edited, 1 when the run stopped after a
// message. suppressOutput may be switched on by a "#n" first line.
int EditFiles(const char* inputFiles, const char* outputFile, const CString& script, int& suppressOutput);

// The input preset for a command line: the text after its last backslash,
// lower-cased; empty when it holds no backslash (a bare name presets
// nothing).
CString InputPresetFromCommandLine(const char* cmdLine);

// Compiles the script and runs it over g_inputFile into g_outputFile, then
// releases the table. 0 for success (also after q), 1 after a message.
int RunScript(const CString& script, int& suppressOutput);

// The two halves of RunScript. CompileScript fills g_commands (0 or 1, after
// a message); ExecuteScript runs the table over the input (0, or 1 after a
// message). ReleaseCommands empties the table, closing its files; false,
// after a message, when a w file missed a write.
int CompileScript(const CString& script, int& suppressOutput);
int ExecuteScript(int suppressOutput);
bool ReleaseCommands();

// The next line of the script being compiled into buffer (kScriptLineSize),
// or null at the end of the script. overflow is set for a line that does not
// fit; the whole line is consumed and its first 511 characters kept.
char* GetNextScriptLine(char* buffer, bool& overflow);

// Parses the address at text into the record; returns the position after it,
// or null after a message.
const char* ParseAddress(const char* text, EditCommand* record, bool firstAddress);

// The three below belong to a run: between the start and the end of
// ExecuteScript the two streams are read and written through textio's
// blocks, and nothing else may touch them.

// Reads the next input line into buffer (size bytes), writing any pending
// text first. Null at the end of input.
char* ReadInputLine(char* buffer, int size);

// Whether g_inputFile has nothing more to read.
bool IsLastLine();

// Runs one record; owner is the record itself or, inside a list, the list's
// "{" record. Returns one of the kExec codes.
int ExecuteCommand(EditCommand* record, EditCommand* owner, int suppressOutput);

#endif
