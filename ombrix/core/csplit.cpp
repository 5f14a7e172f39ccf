#include "csplit.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "afxstr.h"
#include "fileout.h"
#include "message.h"
#include "regex.h"
#include "samefile.h"
#include "textread.h"

namespace {
// Lines are read as into a 512-byte buffer: a longer line counts as several.
const size_t kLineBuffer = 512;
const char kRestOfFile[] = "2147483647";

struct Run {
    const char* filename;
    const char* prefix;
    int digits;
    LineReader* reader;
    long long currentLine;
    int counter;
};

enum Outcome { kGoOn, kInputEnded, kFailed };

bool PartName(const Run& run, char* name, size_t size)
{
    int n = std::snprintf(name, size, "%s%.*d", run.prefix, run.digits, run.counter);
    return n >= 0 && static_cast<size_t>(n) < size;
}

// Steps 3 to 9 of one argument: find the line that ends the part (a line
// number, or the first line the pattern matches), move it by the offset,
// and copy the lines before it into a new part, or drop them in skip mode.
Outcome CutAt(Run& run, long long kept, const char* code, long long targetLine, long long offset, bool skip)
{
    char line[kLineBuffer];
    size_t length = 0;
    bool ended = false;
    long long found = run.currentLine;
    for (;;) {
        if (!run.reader->ReadLine(line, sizeof line, &length)) {
            ended = true;
            break;
        }
        if (code) {
            if (length > 0 && line[length - 1] == '\n')
                line[length - 1] = 0;
            if (RegexStep(line, code))
                break;
        } else if (found == targetLine) {
            break;
        }
        ++found;
    }
    long long target = found;
    if (code && ended) {
        // A pattern that matches no line takes the rest of the file into
        // this part; an offset must not leave the lines after it in none.
        target = LLONG_MAX;
    } else if (offset != 0 && found + offset >= run.currentLine) {
        target = found + offset;
    }
    run.reader->Seek(kept);

    FILE* part = nullptr;
    char name[300];
    if (!skip) {
        if (!PartName(run, name, sizeof name)) {
            ToolMessage("Can't create output file");
            return kFailed;
        }
        ++run.counter;
        if (SameFile(name, run.filename)) {
            ToolMessage(kOutputIsInputMessage);
            return kFailed;
        }
        part = std::fopen(name, "w");
        if (!part) {
            ToolMessage("Can't create output file");
            return kFailed;
        }
    }
    long long copied = 0;
    bool written = true;
    while (run.currentLine < target) {
        if (!run.reader->ReadLine(line, sizeof line, &length)) {
            ended = true;
            break;
        }
        if (part && !WriteBytes(part, line, length)) {
            written = false;
            break;
        }
        ++copied;
        ++run.currentLine;
    }
    if (part) {
        if (!CloseStream(part))
            written = false;
        // An empty part goes, and the next part takes its name; so does a
        // part that missed a write, after the user is told which.
        if (copied == 0 || !written)
            DiscardShortFile(name);
        if (!written) {
            CString message("Can't write output file ");
            message += name;
            ToolMessage(message);
            return kFailed;
        }
        if (copied == 0)
            --run.counter;
    }
    return ended ? kInputEnded : kGoOn;
}

// A pattern argument: compiles it into code and reads its offset. False
// when it has no closing delimiter or does not compile.
bool ReadPattern(const char* argument, char* code, long long* offset)
{
    char delimiter = argument[0];
    const char* close = std::strchr(argument + 1, delimiter);
    if (!close)
        return false;
    std::memset(code, 0, REGEX_CODE_SIZE);
    // A refused pattern (an empty one too) leaves no code to match with.
    if (!RegexCompile(argument + 1, code, code + REGEX_CODE_SIZE, delimiter))
        return false;
    *offset = close[1] ? std::atoi(close + 1) : 0;
    return true;
}
}

bool CsplitRun(const char* filename, const char* arguments, const char* prefix, int digits)
{
    size_t size = std::strlen(arguments) + 1;
    char* copy = new (std::nothrow) char[size];
    if (!copy) {
        ToolMessage("Out of Memory - sorry");
        return false;
    }
    std::memcpy(copy, arguments, size);

    std::vector<char*> table;
    for (char* word = std::strtok(copy, " "); word; word = std::strtok(nullptr, " ")) {
        if (static_cast<int>(table.size()) == kCsplitMaxArguments) {
            ToolMessage("Too many input arguments [>100]");
            delete[] copy;
            return false;
        }
        table.push_back(word);
    }
    size_t given = table.size();
    char rest[sizeof kRestOfFile];
    std::memcpy(rest, kRestOfFile, sizeof rest);
    table.push_back(rest);

    FILE* input = std::fopen(filename, "rb");
    if (!input) {
        ToolMessage("Can't open input file");
        delete[] copy;
        return false;
    }
    if (given == 0) {
        std::fclose(input);
        delete[] copy;
        return true;
    }

    // Read as text, but through byte positions: see LineReader.
    LineReader reader(input, true);
    Run run = {filename, prefix, digits, &reader, 1, 0};
    char code[REGEX_CODE_SIZE];
    std::vector<long> repeats(table.size(), -1);   // repeats still to run, -1 before the first
    size_t index = 0;
    Outcome outcome = kGoOn;
    while (outcome == kGoOn && index < table.size()) {
        long long kept = reader.Tell();
        std::memset(code, 0, sizeof code);
        long long offset = 0;
        char* argument = table[index];
        switch (argument[0]) {
        case '%':
        case '/':
            if (!ReadPattern(argument, code, &offset)) {
                ToolMessage("Invalid token specified");
                outcome = kFailed;
                break;
            }
            outcome = CutAt(run, kept, code, 0, offset, argument[0] == '%');
            ++index;
            break;
        case '{': {
            if (index == 0) {
                ToolMessage("Invalid first token specified");
                outcome = kFailed;
                break;
            }
            if (repeats[index] < 0) {
                repeats[index] = std::atol(argument + 1);
                // A negative count would never run down.
                if (repeats[index] < 0) {
                    ToolMessage("Invalid token specified");
                    outcome = kFailed;
                    break;
                }
            }
            if (repeats[index] == 0) {
                ++index;
                break;
            }
            // The repeat counts itself down; the argument before it decides
            // what is repeated.
            --repeats[index];
            const char* previous = table[index - 1];
            if (previous[0] == '/' || previous[0] == '%') {
                --index;   // the pattern again, then this repeat once more
            } else if (previous[0] == '{') {
                ToolMessage("Invalid token specified");
                outcome = kFailed;
            } else {
                outcome = CutAt(run, kept, nullptr, run.currentLine + std::atol(previous), 0, false);
            }
            break;
        }
        default:
            outcome = CutAt(run, kept, nullptr, std::atol(argument), 0, false);
            ++index;
            break;
        }
    }
    std::fclose(input);
    delete[] copy;
    return outcome != kFailed;
}
