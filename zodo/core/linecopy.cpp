#include "linecopy.h"

#include <cstring>

#include "fileout.h"

namespace zodo {

const char* RangeMessage(RangeStatus status)
{
    switch (status) {
    case RangeStatus::kOk:
        return "";
    case RangeStatus::kInvalidLineNumber:
        return "Invalid line number specified";
    case RangeStatus::kMarkNotSet:
        return "Specified mark not set";
    case RangeStatus::kNeither:
        return "Specified value is neither \na mark nor a valid line number";
    case RangeStatus::kBackwards:
        return "Invalid line range specified";
    }
    return "";
}

RangeStatus ParseRangeEnd(const char* field, const RangeContext& context, long* line)
{
    const char c = field ? field[0] : '\0';
    if (c >= '0' && c <= '9') {
        // Stop counting once past the last line: a number too large for a long
        // is out of range, not a wrapped small one.
        long long value = 0;
        for (const char* p = field; *p >= '0' && *p <= '9'; ++p) {
            if (value > context.lastLine)
                break;
            value = value * 10 + (*p - '0');
        }
        if (value < 1 || value > context.lastLine)
            return RangeStatus::kInvalidLineNumber;
        *line = static_cast<long>(value);
        return RangeStatus::kOk;
    }
    int mark = MarkIndex(field);
    if (mark >= 0) {
        const LineRecord* marked = context.marks ? context.marks[mark] : nullptr;
        if (!marked)
            return RangeStatus::kMarkNotSet;
        *line = marked->lineNumber;
        return RangeStatus::kOk;
    }
    if (c == '.' && context.top) {
        *line = context.top->lineNumber;
        return RangeStatus::kOk;
    }
    if (c == '$' && context.lastLine > 0) {
        *line = context.lastLine;
        return RangeStatus::kOk;
    }
    return RangeStatus::kNeither;
}

RangeStatus ParseRange(const char* from, const char* to, const RangeContext& context, long* first, long* last)
{
    RangeStatus status = ParseRangeEnd(from, context, first);
    if (status != RangeStatus::kOk)
        return status;
    status = ParseRangeEnd(to, context, last);
    if (status != RangeStatus::kOk)
        return status;
    return *last < *first ? RangeStatus::kBackwards : RangeStatus::kOk;
}

void AppendCopiedLine(const LineRecord* line, CopyUsing use, const CopySource& source, std::string& out)
{
    if (use == CopyUsing::kRendered) {
        out += source.render(line);
        out += "\r\n";
        return;
    }
    const char* bytes = source.bytes(line);
    const int length = source.rawLength(line);
    const void* nul = std::memchr(bytes, '\0', static_cast<size_t>(length));
    out.append(bytes, nul ? static_cast<size_t>(static_cast<const char*>(nul) - bytes) : static_cast<size_t>(length));
}

bool GatherClipboardText(const LineRecord* first, const LineRecord* last, CopyUsing use, const CopySource& source,
                         std::string& out)
{
    out.clear();
    for (const LineRecord* line = first; line; line = line->next) {
        if (static_cast<long long>(out.size()) + source.rawLength(line) > kClipboardLimit) {
            out.clear();
            return false;
        }
        AppendCopiedLine(line, use, source, out);
        if (line == last)
            break;
    }
    return true;
}

const char* FileCopyMessage(FileCopyStatus status)
{
    switch (status) {
    case FileCopyStatus::kDone:
        return "";
    case FileCopyStatus::kCannotCreate:
        return "Cannot create output file";
    case FileCopyStatus::kWriteFailed:
        return "Cannot write output file";
    }
    return "";
}

FileCopyStatus CopyLinesToFile(const char* path, const LineRecord* first, const LineRecord* last, CopyUsing use,
                               const CopySource& source)
{
    char temporary[260];
    FILE* file = CreateReplacement(path, temporary);
    if (!file)
        return FileCopyStatus::kCannotCreate;
    bool written = true;
    std::string text;
    for (const LineRecord* line = first; line && written; line = line->next) {
        text.clear();
        AppendCopiedLine(line, use, source, text);
        written = WriteBytes(file, text.data(), text.size());
        if (line == last)
            break;
    }
    switch (FinishReplacement(file, temporary, path, written)) {
    case Replacement::kDone:
        return FileCopyStatus::kDone;
    case Replacement::kWriteFailed:
        return FileCopyStatus::kWriteFailed;
    case Replacement::kReplaceFailed:
        return FileCopyStatus::kCannotCreate;
    }
    return FileCopyStatus::kWriteFailed;
}

}   // namespace zodo
