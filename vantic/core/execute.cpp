// The execution cycle: the compiled table run over one input stream, line by
// line, into the output stream.
#include "script.h"

#include <cstring>

#include "bytescan.h"
#include "fileout.h"
#include "message.h"
#include "textio.h"
#include "vregex.h"

char g_patternSpace[kSpaceSize];
char g_holdSpace[kSpaceSize];
char g_scratchBuffer[kSpaceSize];
long g_lineNumber = 0;
int g_substitutions = 0;
CString g_pendingText;
FILE* g_inputFile = nullptr;
FILE* g_outputFile = nullptr;
bool g_wholeLines = false;

namespace {

// Whether the line read last is the last of the input. Every read sets it
// again, so that N and n on the line before the last make "$" hold.
bool s_lastLine = false;
bool s_lineTooLong = false;   // the run stopped at a line longer than the buffer
bool s_inList = false;

// The text an s command builds before it becomes the pattern space.
char s_result[kSpaceSize];

const char kPatternFull[] = "Pattern space full (>8191 characters)";
const char kHoldFull[] = "Hold space full (>8191 characters)";

// The output stream goes through the block writer of textio; w files through
// the write seam's fwrite, never fputc or fputs: the runtime flushes its
// buffer on a newline written on its own by those, which would make one
// system call a line. A failed write is found when the file is closed.
void Write(FILE* stream, const char* text, size_t length)
{
    if (stream == g_outputFile)
        WriteOutput(text, length);
    else
        WriteBytes(stream, text, length);
}

void Write(FILE* stream, const char* text)
{
    Write(stream, text, std::strlen(text));
}

void WriteLine(FILE* stream, const char* text)
{
    Write(stream, text);
    Write(stream, "\n", 1);
}

// The length of the text in one of the spaces (pattern, hold, scratch), whose
// terminator always lies inside it: looked for sixteen bytes at a time, where
// the runtime's strlen goes byte by byte on some platforms, and it is asked
// several times a cycle.
size_t SpaceLength(const char* space)
{
    return static_cast<size_t>(ScanNul(space, space + kSpaceSize) - space);
}

// The pattern space and a newline in one write, the newline lent for the
// moment by the terminator's place (the space always has room for it).
void WritePatternLine(FILE* stream)
{
    size_t length = SpaceLength(g_patternSpace);
    g_patternSpace[length] = '\n';
    Write(stream, g_patternSpace, length + 1);
    g_patternSpace[length] = 0;
}

// The length of the text from at, a place in the pattern space, to the
// space's terminator.
size_t PatternLengthFrom(const char* at)
{
    return static_cast<size_t>(ScanNul(at, g_patternSpace + kSpaceSize) - at);
}

// RegexStep from line, a place in the pattern space, skipping ahead to where
// a match can begin when the code starts with a plain character: no match
// can start before that character, so the result and the match bounds are
// the same. The character and the terminator are looked for in one pass.
int Step(const char* line, const char* code)
{
    if (!g_regexAnchored && static_cast<unsigned char>(code[0]) == REGEX_CHAR) {
        line = ScanByteOrNul(line, g_patternSpace + kSpaceSize, static_cast<unsigned char>(code[1]));
        if (!line || *line == 0)
            return 0;
    }
    return RegexStep(line, code);
}

bool Matches(const char* expression)
{
    const char* code = UseExpression(expression);
    // A closure may not back off to the start of the pattern space, so '/a*b/'
    // does not select a line that is just "b".
    g_regexStopAt = g_patternSpace;
    return Step(g_patternSpace, code) != 0;
}

bool IsSelected(EditCommand* record)
{
    bool selected = false;
    if (record->first != 0 && record->first <= g_lineNumber && g_lineNumber <= record->last) {
        selected = true;
    } else if (record->startRegex && record->endRegex == record->startRegex) {
        return Matches(record->startRegex);
    } else if (record->first == 0 && record->startRegex) {
        if (Matches(record->startRegex)) {
            selected = true;
            record->first = static_cast<int>(g_lineNumber);
        }
    }
    // The end of a range is looked for only on lines the range holds, the
    // line that opened it included.
    if (selected && record->endRegex && Matches(record->endRegex))
        record->first = 0;
    return selected;
}

// The "{" record whose list holds record n.
EditCommand* ListOwner(int n)
{
    for (int k = n; k >= 0; --k) {
        if (g_commands[k].command == '{')
            return &g_commands[k];
    }
    return &g_commands[n];
}

// Where a branch from record n goes on: the target the compiler resolved,
// leaving a list when the jump passes its "{" or "}".
int Branch(EditCommand* record, int n)
{
    int k = record->target;
    if (k == kBranchToEnd) {
        s_inList = false;
        return g_commandCount;
    }
    if (k == kBranchNoLabel)
        return n + 1;
    if (s_inList) {
        if (k < n) {
            for (int j = k; j < n; ++j) {
                if (g_commands[j].command == '{')
                    s_inList = false;
            }
        } else if (k > n) {
            for (int j = n + 1; j <= k; ++j) {
                if (g_commands[j].command == '}')
                    s_inList = false;
            }
        }
    }
    return k;
}

// Appends a newline and text to space, or says why it cannot.
bool AppendLine(char* space, const char* text, const char* fullMessage)
{
    size_t length = SpaceLength(space);
    size_t added = SpaceLength(text);
    if (length + 1 + added > kSpaceSize - 1) {
        ToolMessage(fullMessage);
        return false;
    }
    space[length] = '\n';
    std::memcpy(space + length + 1, text, added + 1);
    return true;
}

void WriteVisibly(FILE* stream, const char* text)
{
    CString visible;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        unsigned char c = *p;
        const char* escape = nullptr;
        switch (c) {
        case '\\':
            escape = "\\\\";
            break;
        case '\a':
            escape = "\\a";
            break;
        case '\b':
            escape = "\\b";
            break;
        case '\t':
            escape = "\\t";
            break;
        case '\v':
            escape = "\\v";
            break;
        case '\f':
            escape = "\\f";
            break;
        case '\r':
            escape = "\\r";
            break;
        default:
            break;
        }
        if (escape) {
            visible += escape;
        } else if ((c >= ' ' && c <= '~') || c == '\n') {
            visible += static_cast<char>(c);
        } else {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", c);
            visible += octal;
        }
    }
    visible += "$\n";
    Write(stream, visible, static_cast<size_t>(visible.GetLength()));
}

class ResultText {
public:
    ResultText() : m_length(0), m_full(false) {}
    void Add(const char* text, size_t length)
    {
        if (m_full || m_length + length > kSpaceSize - 1) {
            m_full = true;
            return;
        }
        CopyBytes(s_result + m_length, text, length);
        m_length += length;
    }
    void Add(char c)
    {
        if (m_full || m_length + 1 > kSpaceSize - 1) {
            m_full = true;
            return;
        }
        s_result[m_length++] = c;
    }
    bool full() const { return m_full; }
    size_t length() const { return m_length; }

private:
    size_t m_length;
    bool m_full;
};

// "&" is the matched text; a backslash makes "&", a backslash, "n" or "t"
// the character itself, a newline or a tab, and is dropped before anything
// else. No group references.
void AddReplacement(ResultText& result, const char* replacement, const char* start, const char* end)
{
    for (const char* p = replacement; *p; ++p) {
        if (*p == '&') {
            result.Add(start, static_cast<size_t>(end - start));
        } else if (*p == '\\') {
            ++p;
            if (!*p)
                break;
            result.Add(*p == 'n' ? '\n' : *p == 't' ? '\t' : *p);
        } else {
            result.Add(*p);
        }
    }
}

int Substitute(EditCommand* record)
{
    const char* code = UseExpression(record->text);
    bool anchored = g_regexAnchored;
    const char* replacement = record->replacement ? record->replacement : "";
    const char* scan = g_patternSpace;
    ResultText result;
    int saved = g_substitutions;
    int k = 0;
    for (;;) {
        g_regexStopAt = scan;
        if (!Step(scan, code))
            break;
        const char* start = g_regexMatchStart;
        const char* end = g_regexMatchEnd;
        const char* from = scan;
        ++k;
        result.Add(scan, static_cast<size_t>(start - scan));
        if (record->occurrence == 0 || record->occurrence == k) {
            ++g_substitutions;
            AddReplacement(result, replacement, start, end);
            scan = end;
            if (!record->global)
                break;
        } else {
            result.Add(start, static_cast<size_t>(end - start));
            scan = end;
        }
        if (anchored || *end == 0)
            break;
        if (end == from) {
            // An empty match where the scan stands: step over one character,
            // or the same match would be found for ever.
            result.Add(*scan);
            ++scan;
        }
    }
    if (k == 0)
        return kExecNext;   // nothing matched: the pattern space stays as it is
    result.Add(scan, PatternLengthFrom(scan));
    if (result.full()) {
        ToolMessage(kPatternFull);
        return kExecError;
    }
    CopyBytes(g_patternSpace, s_result, result.length());
    g_patternSpace[result.length()] = 0;
    if (g_substitutions != saved) {
        if (record->print)
            WriteLine(g_outputFile, g_patternSpace);
        if (record->file)
            WriteLine(record->file, g_patternSpace);
    }
    return kExecNext;
}

// The map of the y record run last; the table is fixed for one run, so it is
// built once per record and run.
const EditCommand* s_mapRecord = nullptr;
unsigned char s_map[256];

void Transliterate(const EditCommand* record)
{
    if (s_mapRecord != record) {
        for (int c = 0; c < 256; ++c)
            s_map[c] = static_cast<unsigned char>(c);
        const unsigned char* source = reinterpret_cast<const unsigned char*>(record->text);
        const unsigned char* target = reinterpret_cast<const unsigned char*>(record->replacement);
        // Backwards, so that a character's first place in the source wins.
        for (size_t i = std::strlen(record->text); i-- > 0;)
            s_map[source[i]] = target[i];
        s_mapRecord = record;
    }
    // Over the length found first, a loop the compiler can unroll.
    unsigned char* text = reinterpret_cast<unsigned char*>(g_patternSpace);
    for (size_t i = 0, length = SpaceLength(g_patternSpace); i < length; ++i)
        text[i] = s_map[text[i]];
}

bool IsSingleLine(const EditCommand* owner)
{
    return (owner->first != 0 && owner->last == owner->first) ||
           (owner->startRegex && owner->endRegex == owner->startRegex);
}

int ReadFileIntoPending(EditCommand* record)
{
    if (!record->file)
        return kExecNext;
    std::rewind(record->file);
    char piece[kInputLineSize];
    while (std::fgets(piece, sizeof piece, record->file)) {
        int length = static_cast<int>(std::strlen(piece));
        if (g_pendingText.GetLength() + length > kMaxPendingText) {
            ToolMessage("r: read file must be <= 32kb");
            return kExecError;
        }
        g_pendingText.Append(piece, length);
    }
    return kExecNext;
}

}   // namespace

bool IsLastLine()
{
    return AtInputEnd();
}

char* ReadInputLine(char* buffer, int size)
{
    if (!g_pendingText.IsEmpty()) {
        Write(g_outputFile, g_pendingText, static_cast<size_t>(g_pendingText.GetLength()));
        g_pendingText.Empty();
    }
    size_t length = 0;
    if (!ReadLine(buffer, size, &length))
        return nullptr;
    // A full buffer without a newline, with more to come: the line goes on
    // past what the buffer holds.
    if (g_wholeLines && length + 1 == static_cast<size_t>(size) && buffer[length - 1] != '\n' && !AtInputEnd()) {
        s_lineTooLong = true;
        return nullptr;
    }
    if (length > 0 && buffer[length - 1] == '\n')
        buffer[length - 1] = 0;
    ++g_lineNumber;
    g_substitutions = 0;
    s_lastLine = IsLastLine();
    return buffer;
}

int ExecuteCommand(EditCommand* record, EditCommand* owner, bool suppressOutput)
{
    switch (record->command) {
    case '=': {
        char number[24];
        std::snprintf(number, sizeof number, "%ld\n", g_lineNumber);
        Write(g_outputFile, number);
    }
        return kExecNext;
    case 'D': {
        // The first newline and the terminator in one pass up to the first.
        const char* newline = ScanByteOrNul(g_patternSpace, g_patternSpace + kSpaceSize, '\n');
        if (*newline == 0)
            return kExecEndCycle;
        CopyBytes(g_patternSpace, newline + 1, PatternLengthFrom(newline + 1) + 1);
        return kExecRestart;
    }
    case 'G':
        return AppendLine(g_patternSpace, g_holdSpace, kPatternFull) ? kExecNext : kExecError;
    case 'H':
        return AppendLine(g_holdSpace, g_patternSpace, kHoldFull) ? kExecNext : kExecError;
    case 'N': {
        // With room for a whole input piece after the newline, the line is
        // read straight into its place instead of being copied there; the
        // pattern space cannot be full then. A read that gives no line
        // leaves the text before the terminator as it was.
        size_t length = SpaceLength(g_patternSpace);
        if (length + 1 + kInputLineSize <= kSpaceSize) {
            if (!ReadInputLine(g_patternSpace + length + 1, kInputLineSize))
                return kExecEndCycle;
            g_patternSpace[length] = '\n';
            return kExecNext;
        }
        if (!ReadInputLine(g_scratchBuffer, kInputLineSize))
            return kExecEndCycle;
        return AppendLine(g_patternSpace, g_scratchBuffer, kPatternFull) ? kExecNext : kExecError;
    }
    case 'P': {
        // The first line with its newline in one write; a space without a
        // newline lends its terminator's place for one.
        const char* newline = ScanByteOrNul(g_patternSpace, g_patternSpace + kSpaceSize, '\n');
        if (*newline == '\n') {
            Write(g_outputFile, g_patternSpace, static_cast<size_t>(newline - g_patternSpace) + 1);
        } else {
            size_t length = static_cast<size_t>(newline - g_patternSpace);
            g_patternSpace[length] = '\n';
            Write(g_outputFile, g_patternSpace, length + 1);
            g_patternSpace[length] = 0;
        }
        return kExecNext;
    }
    case 'a':
        g_pendingText = record->text ? record->text : "";
        return kExecNext;
    case 'b':
        return kExecBranch;
    case 'c':
        if (IsSingleLine(owner) || g_lineNumber == owner->last || (owner->endRegex && owner->first == 0))
            g_pendingText = record->text ? record->text : "";
        return kExecEndCycle;
    case 'd':
        return kExecEndCycle;
    case 'g':
        std::strcpy(g_patternSpace, g_holdSpace);
        return kExecNext;
    case 'h':
        std::strcpy(g_holdSpace, g_patternSpace);
        return kExecNext;
    case 'i':
        if (record->text)
            Write(g_outputFile, record->text);
        return kExecNext;
    case 'l':
        WriteVisibly(g_outputFile, g_patternSpace);
        return kExecNext;
    case 'n':
        if (!suppressOutput)
            WriteLine(g_outputFile, g_patternSpace);
        if (!ReadInputLine(g_patternSpace, kInputLineSize))
            return kExecEndCycle;
        return kExecNext;
    case 'p':
        WritePatternLine(g_outputFile);
        return kExecNext;
    case 'q':
        return kExecQuit;
    case 'r':
        return ReadFileIntoPending(record);
    case 's':
        return Substitute(record);
    case 't':
        if (g_substitutions != 0) {
            g_substitutions = 0;
            return kExecBranch;
        }
        return kExecNext;
    case 'w':
        WriteLine(record->file, g_patternSpace);
        return kExecNext;
    case 'x':
        std::strcpy(g_scratchBuffer, g_patternSpace);
        std::strcpy(g_patternSpace, g_holdSpace);
        std::strcpy(g_holdSpace, g_scratchBuffer);
        return kExecNext;
    case 'y':
        Transliterate(record);
        return kExecNext;
    case '{':
        return kExecEnterList;
    case '}':
        return kExecLeaveList;
    case '#':
    case ':':
        return kExecNext;
    default: {
        CString message("Invalid command: ");
        if (record->command)
            message += record->command;
        ToolMessage(message);
        return kExecError;
    }
    }
}

namespace {

// True when the cycle ran to the end of the input or to a q; false after a
// message.
bool RunCycle(bool suppressOutput)
{
    s_mapRecord = nullptr;
    g_lineNumber = 0;
    g_substitutions = 0;
    s_inList = false;
    s_lastLine = false;
    g_patternSpace[0] = 0;
    g_holdSpace[0] = 0;
    while (ReadInputLine(g_patternSpace, kInputLineSize)) {
        bool noDefault = false;
        int n = 0;
        while (n < g_commandCount) {
            EditCommand* record = &g_commands[n];
            int next = n + 1;
            if (s_lastLine && record->resolveAtLastLine) {
                // A "$" first address (or none) becomes this line; a "$"
                // second address moves only the range's end.
                if (record->first == kLineNumberMax)
                    record->first = static_cast<int>(g_lineNumber);
                record->last = static_cast<int>(g_lineNumber);
            }
            if (IsSelected(record) != record->negate || s_inList) {
                EditCommand* owner = s_inList ? ListOwner(n) : record;
                switch (ExecuteCommand(record, owner, suppressOutput)) {
                case kExecQuit:
                    return true;
                case kExecError:
                    return false;
                case kExecEndCycle:
                    next = g_commandCount;
                    s_inList = false;
                    noDefault = true;
                    break;
                case kExecBranch:
                    next = Branch(record, n);
                    break;
                case kExecRestart:
                    next = 0;
                    s_inList = false;
                    break;
                case kExecEnterList:
                    s_inList = true;
                    break;
                case kExecLeaveList:
                    s_inList = false;
                    break;
                default:
                    break;
                }
            }
            n = next;
        }
        if (!suppressOutput && !noDefault)
            WritePatternLine(g_outputFile);
    }
    return true;
}

}   // namespace

bool ExecuteScript(bool suppressOutput)
{
    s_lineTooLong = false;
    BeginLineInput(g_inputFile);
    BeginLineOutput(g_outputFile);
    bool ran = RunCycle(suppressOutput);
    EndLineOutput();
    EndLineInput();
    if (s_lineTooLong && ran) {
        CString message;
        message.Format("Line %ld too long (>%d characters) - file not replaced", g_lineNumber + 1, kInputLineSize - 1);
        ToolMessage(message);
        ran = false;
    }
    return ran;
}

bool RunScript(const CString& script, const VanticOptions& options)
{
    bool suppressOutput = options.suppressOutput;
    bool ran = CompileScript(script, suppressOutput) && ExecuteScript(suppressOutput);
    if (!ReleaseCommands())
        ran = false;
    // What q or an error left pending belongs to this file alone.
    g_pendingText.Empty();
    return ran;
}
