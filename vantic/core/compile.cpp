// The script compiler: script lines into the command table.
//
// Address forms, as they land in a record:
//
//   written      first        startRegex  last         endRegex
//   (none)       1            null        2147483647   null      resolve
//   n            n            null        n            null
//   $            2147483647   null        2147483647   null      resolve
//   /re/         0            re          2147483647   re (same)
//   n,m          n            null        m            null
//   n,/re2/      n            null        2147483647   re2
//   n,$          n            null        2147483647   null      resolve
//   /re/,m       0            re          m            null
//   /re/,/re2/   0            re          2147483647   re2
//   /re/,$       0            re          2147483647   null      resolve
//
// "resolve" (resolveAtLastLine) makes last the last line's number once that
// line is read, and first as well when it is the "$" of a first address. A
// range's start is left alone, so '5,$' on a three-line file selects nothing
// and '/x/,$' stays shut when x never matches.
#include "script.h"

#include <cstdlib>
#include <cstring>

#include "fileout.h"
#include "message.h"
#include "nextline.h"
#include "sysio.h"
#include "vregex.h"

EditCommand g_commands[kMaxCommands];
int g_commandCount = 0;
int g_scriptPos = 0;

namespace {

// Every compile error is told through here; the compile then stops.
// Returns false, for the callers that return it.
bool CompileError(const char* message)
{
    ToolMessage(message);
    return false;
}

bool InvalidCommand(char letter)
{
    CString message("Invalid command: ");
    if (letter)
        message += letter;
    return CompileError(message);
}

// The script being compiled.
const char* s_scriptText = "";
int s_scriptLength = 0;

// w files opened by this compile, so that two w commands or flags naming one
// file write through one stream instead of overwriting each other.
struct WriteFile {
    char* name;
    FILE* stream;
};
WriteFile s_writeFiles[kMaxCommands];
int s_writeFileCount = 0;

const char* SkipBlanks(const char* p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

bool StartsAddress(char c)
{
    return (c >= '0' && c <= '9') || c == '/' || c == '\\' || c == '$';
}

char* HeapCopy(const char* text, size_t length)
{
    char* copy = static_cast<char*>(std::malloc(length + 1));
    if (!copy) {
        CompileError("Out of memory - sorry");
        return nullptr;
    }
    std::memcpy(copy, text, length);
    copy[length] = 0;
    return copy;
}

void FreeAddresses(EditCommand* record)
{
    if (record->endRegex && record->endRegex != record->startRegex)
        std::free(record->endRegex);
    std::free(record->startRegex);
    record->startRegex = nullptr;
    record->endRegex = nullptr;
    record->first = 0;
    record->last = 0;
}

// The stream for a w file: one already opened by this compile under the same
// name, or a new one, created empty. Null after "cant open file ".
FILE* OpenWriteFile(const char* name)
{
    for (int i = 0; i < s_writeFileCount; ++i) {
        if (_stricmp(s_writeFiles[i].name, name) == 0)
            return s_writeFiles[i].stream;
    }
    FILE* stream = std::fopen(name, "wt");
    if (!stream) {
        CString message("cant open file ");
        message += name;
        CompileError(message);
        return nullptr;
    }
    char* copy = HeapCopy(name, std::strlen(name));
    if (!copy) {
        std::fclose(stream);
        return nullptr;
    }
    s_writeFiles[s_writeFileCount].name = copy;
    s_writeFiles[s_writeFileCount].stream = stream;
    ++s_writeFileCount;
    return stream;
}

// Copies the text between p and the next delimiter (or the line's end) into
// a fresh heap string. closed tells whether the delimiter was there; the
// result points past it (or at the line's end).
const char* TakeDelimited(const char* p, char delimiter, const char*& start, size_t& length, bool& closed)
{
    start = p;
    while (*p && *p != delimiter)
        ++p;
    length = static_cast<size_t>(p - start);
    closed = *p == delimiter;
    return closed ? p + 1 : p;
}

// The a, c and i text: the script lines after a line ending in a backslash,
// each without its own ending backslash and followed by a newline, for as
// long as lines end in a backslash.
bool TakeText(EditCommand* record, char letter)
{
    CString text;
    char line[kScriptLineSize];
    bool more = true;
    bool overflow = false;
    while (more && GetNextScriptLine(line, overflow)) {
        if (overflow) {
            InvalidCommand(letter);
            return false;
        }
        size_t length = std::strlen(line);
        more = length > 0 && line[length - 1] == '\\';
        if (more)
            --length;
        text.Append(line, static_cast<int>(length));
        text += '\n';
    }
    record->text = HeapCopy(text, static_cast<size_t>(text.GetLength()));
    return record->text != nullptr;
}

bool TakeSubstitute(EditCommand* record, const char* p)
{
    char delimiter = *p;
    if (!delimiter) {
        // Nothing follows the letter on this line.
        CompileError("Error in substitute command");
        return false;
    }
    const char* start;
    size_t length;
    bool closed;
    p = TakeDelimited(p + 1, delimiter, start, length, closed);
    if (length >= kExpressionSize || !CheckExpression(start, length)) {
        CompileError("Error in Regular Expression");
        return false;
    }
    record->text = CopyExpression(start, length);
    if (!record->text)
        return false;
    if (!closed) {
        CompileError("Error in substitute command");
        return false;
    }
    p = TakeDelimited(p, delimiter, start, length, closed);
    if (length >= kExpressionSize) {
        CompileError("Error in substitute command");
        return false;
    }
    record->replacement = HeapCopy(start, length);
    if (!record->replacement)
        return false;
    while (*p) {
        char c = *p;
        if (c == 'g') {
            record->global = true;
            ++p;
        } else if (c == 'p') {
            record->print = true;
            ++p;
        } else if (c >= '0' && c <= '9') {
            long number = 0;
            while (*p >= '0' && *p <= '9') {
                if (number < kLineNumberMax / 10)
                    number = number * 10 + (*p - '0');
                ++p;
            }
            record->occurrence = static_cast<int>(number);
        } else if (c == 'w') {
            const char* name = SkipBlanks(p + 1);
            record->file = OpenWriteFile(name);
            return record->file != nullptr;
        } else {
            // Neither a flag nor worth an error: passed over.
            ++p;
        }
    }
    return true;
}

bool TakeTransliteration(EditCommand* record, const char* p)
{
    char delimiter = *p;
    if (!delimiter || !p[1]) {
        CompileError("Error in transliteration command");
        return false;
    }
    const char* source;
    size_t sourceLength;
    bool closed;
    p = TakeDelimited(p + 1, delimiter, source, sourceLength, closed);
    if (!closed) {
        CompileError("Error in transliteration command");
        return false;
    }
    const char* target;
    size_t targetLength;
    TakeDelimited(p, delimiter, target, targetLength, closed);
    if (sourceLength != targetLength) {
        CompileError("Error in transliteration command");
        return false;
    }
    record->text = HeapCopy(source, sourceLength);
    if (!record->text)
        return false;
    record->replacement = HeapCopy(target, targetLength);
    return record->replacement != nullptr;
}

// One command from p: its addresses, letter and arguments, into the next
// record. A "{" compiles the rest of its line as the first member.
bool CompileCommand(const char* p, bool& inList, bool lineOverflow)
{
    if (g_commandCount == kMaxCommands) {
        CompileError("Too many commands (>1024)");
        return false;
    }
    EditCommand* record = &g_commands[g_commandCount++];
    std::memset(record, 0, sizeof *record);
    record->first = 1;
    record->last = kLineNumberMax;

    int addresses = 0;
    p = SkipBlanks(p);
    if (StartsAddress(*p)) {
        addresses = 1;
        p = ParseAddress(p, record, true);
        if (!p)
            return false;
    }
    if (*p == ',') {
        ++p;
        if (StartsAddress(*p)) {
            addresses = 2;
            p = ParseAddress(p, record, false);
            if (!p)
                return false;
        }
    }
    p = SkipBlanks(p);
    if (*p == '!') {
        record->negate = true;
        p = SkipBlanks(p + 1);
    }
    char letter = *p;
    record->command = letter;
    if (letter)
        p = SkipBlanks(p + 1);

    if (letter == '{') {
        if (inList) {
            CompileError("Nested command-lists not supported");
            return false;
        }
        inList = true;
        if (*p)
            return CompileCommand(p, inList, lineOverflow);
        return true;
    }
    if (letter == '}') {
        inList = false;
        FreeAddresses(record);
        return true;
    }
    if (inList) {
        // A member runs only through its list: what was written on it has
        // been checked and is dropped.
        FreeAddresses(record);
        record->negate = false;
        record->resolveAtLastLine = false;
    }

    if (lineOverflow && letter != '#') {
        // The line was cut; compiling what is left would change its meaning.
        if (letter == 's')
            CompileError("Error in substitute command");
        else if (letter == 'y')
            CompileError("Error in transliteration command");
        else {
            InvalidCommand(letter);
        }
        return false;
    }

    bool ok = true;
    switch (letter) {
    case 'a':
    case 'c':
    case 'i':
        if (*p == '\\')
            ok = TakeText(record, letter);
        else
            ok = (record->text = HeapCopy("", 0)) != nullptr;
        break;
    case 'r':
        record->text = HeapCopy(p, std::strlen(p));
        ok = record->text != nullptr;
        if (ok)
            record->file = std::fopen(p, "rt");
        break;
    case 'w':
        record->text = HeapCopy(p, std::strlen(p));
        ok = record->text != nullptr && (record->file = OpenWriteFile(p)) != nullptr;
        break;
    case 's':
        ok = TakeSubstitute(record, p);
        break;
    case 'y':
        ok = TakeTransliteration(record, p);
        break;
    default:
        if (*p) {
            record->text = HeapCopy(p, std::strlen(p));
            ok = record->text != nullptr;
        }
        break;
    }
    if (!ok)
        return false;

    switch (letter) {
    case '#':
    case ':':
        if (addresses > 0) {
            CompileError("1 or more addesses given when 0 expected");
            return false;
        }
        FreeAddresses(record);
        record->negate = false;
        record->resolveAtLastLine = false;
        break;
    case '=':
    case 'a':
    case 'i':
    case 'q':
    case 'r':
        if (addresses == 2) {
            CompileError("2 addresses given when at most 1 expected");
            return false;
        }
        break;
    }
    if (!inList && addresses == 0 && letter != '#' && letter != ':')
        record->resolveAtLastLine = true;
    return true;
}

}   // namespace

char* GetNextScriptLine(char* buffer, bool& overflow)
{
    if (!GetNextTextLine(s_scriptText, s_scriptLength, g_scriptPos, buffer, kScriptLineSize, overflow))
        return nullptr;
    return buffer;
}

const char* ParseAddress(const char* text, EditCommand* record, bool firstAddress)
{
    const char* p = text;
    if (*p == '$') {
        if (firstAddress) {
            record->first = kLineNumberMax;
        } else {
            record->last = kLineNumberMax;
            if (record->endRegex != record->startRegex)
                std::free(record->endRegex);
            record->endRegex = nullptr;
        }
        record->resolveAtLastLine = true;
        return p + 1;
    }
    if (*p >= '0' && *p <= '9') {
        long number = 0;
        while (*p >= '0' && *p <= '9') {
            if (number < kLineNumberMax / 10)
                number = number * 10 + (*p - '0');
            ++p;
        }
        if (firstAddress) {
            record->first = static_cast<int>(number);
        } else {
            if (record->endRegex != record->startRegex)
                std::free(record->endRegex);
            record->endRegex = nullptr;
        }
        record->last = static_cast<int>(number);
        return p;
    }
    char delimiter = '/';
    if (*p == '\\') {
        ++p;
        delimiter = *p;
        if (!delimiter) {
            CompileError("Error on regular expression");
            return nullptr;
        }
    }
    ++p;
    const char* start = p;
    while (*p && *p != delimiter)
        ++p;
    if (*p != delimiter) {
        CompileError("Error on regular expression");
        return nullptr;
    }
    size_t length = static_cast<size_t>(p - start);
    if (length >= kExpressionSize || !CheckExpression(start, length)) {
        CompileError("Error in Regular Expression");
        return nullptr;
    }
    char* copy = CopyExpression(start, length);
    if (!copy)
        return nullptr;
    if (record->endRegex != record->startRegex)
        std::free(record->endRegex);
    record->endRegex = copy;
    if (firstAddress) {
        record->startRegex = copy;
        record->first = 0;
    } else {
        record->last = kLineNumberMax;
    }
    return p + 1;
}

// Points every b and t at its label's record, once for the run rather than
// searching at every branch.
void ResolveLabels()
{
    for (int i = 0; i < g_commandCount; ++i) {
        EditCommand& record = g_commands[i];
        if (record.command != 'b' && record.command != 't')
            continue;
        if (!record.text || !*record.text) {
            record.target = kBranchToEnd;
            continue;
        }
        record.target = kBranchNoLabel;
        for (int k = 0; k < g_commandCount; ++k) {
            if (g_commands[k].command == ':' && g_commands[k].text &&
                std::strcmp(g_commands[k].text, record.text) == 0) {
                record.target = k;
                break;
            }
        }
    }
}

bool CompileScript(const CString& script, bool& suppressOutput)
{
    ReleaseCommands();
    s_scriptText = script;
    s_scriptLength = script.GetLength();
    g_scriptPos = 0;
    bool inList = false;
    char line[kScriptLineSize];
    bool overflow = false;
    while (GetNextScriptLine(line, overflow)) {
        if (line[0] == 0 || line[0] == '#') {
            if (g_commandCount == 0 && std::strcmp(line, "#n") == 0 && !overflow)
                suppressOutput = true;
            continue;
        }
        if (!CompileCommand(line, inList, overflow))
            return false;
    }
    ResolveLabels();
    return true;
}

bool ReleaseCommands()
{
    bool written = true;
    for (int i = g_commandCount - 1; i >= 0; --i) {
        EditCommand* record = &g_commands[i];
        if (record->endRegex != record->startRegex)
            std::free(record->endRegex);
        std::free(record->startRegex);
        std::free(record->text);
        std::free(record->replacement);
        // w streams are closed once, below, as records may share them.
        if (record->file && record->command == 'r')
            std::fclose(record->file);
        std::memset(record, 0, sizeof *record);
    }
    for (int i = s_writeFileCount - 1; i >= 0; --i) {
        if (!CloseStream(s_writeFiles[i].stream) && written) {
            CString message("cant write file ");
            message += s_writeFiles[i].name;
            ToolMessage(message);
            written = false;
        }
        std::free(s_writeFiles[i].name);
    }
    s_writeFileCount = 0;
    g_commandCount = 0;
    ForgetExpressions();
    return written;
}
