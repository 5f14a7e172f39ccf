// The compiled script and the state of a run, shared by the compiler
// (compile.cpp), the execution cycle (execute.cpp) and the file driver
// (editfiles.cpp); nothing outside the engine includes it.
#ifndef VANTIC_SCRIPT_H
#define VANTIC_SCRIPT_H

#include <cstdio>

#include "engine.h"

// Compiles the script and runs it over g_inputFile into g_outputFile, then
// releases the table. True when it ran (also to a q), false after a message.
bool RunScript(const CString& script, const VanticOptions& options);

// One compiled command.
struct EditCommand {
    int first;   // see the address forms in compile.cpp
    char* startRegex;
    int last;
    char* endRegex;   // a single expression address shares startRegex
    char command;     // 0 for a line with no letter
    char* text;
    char* replacement;
    FILE* file;
    int target;   // b and t: the label's record, or one of the kBranch codes
    int occurrence;
    bool negate;
    bool global;
    bool print;
    bool resolveAtLastLine;
};

// Branch targets that are no record.
enum {
    kBranchToEnd = -1,     // an empty label: the end of the script
    kBranchNoLabel = -2,   // a label no ":" defines: the next command
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

// The two halves of RunScript, each false after a message. CompileScript
// fills g_commands, switching suppressOutput on for a "#n" first line;
// ExecuteScript runs the table over the input.
// ReleaseCommands empties the table, closing its files; false, after a
// message, when a w file missed a write.
bool CompileScript(const CString& script, bool& suppressOutput);
bool ExecuteScript(bool suppressOutput);
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
int ExecuteCommand(EditCommand* record, EditCommand* owner, bool suppressOutput);

#endif
