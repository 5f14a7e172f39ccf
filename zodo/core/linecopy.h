// The pager's line-range copy, without windows: reading the From and To
// fields (line numbers, marks, "." and "$"), and gathering the lines of the
// range as the file holds them or as the window shows them, for the
// clipboard or for a file.
#ifndef ZODO_LINECOPY_H
#define ZODO_LINECOPY_H

#include <cstdio>
#include <functional>
#include <string>

#include "lineindex.h"
#include "marks.h"

namespace zodo {

enum class RangeStatus {
    kOk,
    kInvalidLineNumber,   // 0, past the last line, or too large to hold
    kMarkNotSet,
    kNeither,     // the field starts with anything else
    kBackwards,   // To lies before From
};

// The words the user is shown for a status other than kOk.
const char* RangeMessage(RangeStatus status);

// What a range end may refer to in the view it is read for.
struct RangeContext {
    const LineRecord* const* marks = nullptr;   // kMarkCount of them, null = not set
    const LineRecord* top = nullptr;            // "."
    long lastLine = 0;                          // "$" and the highest valid number
};

// One field, by its first character: digits (the leading ones count), a
// mark letter, "." or "$". *line receives the line number on kOk.
RangeStatus ParseRangeEnd(const char* field, const RangeContext& context, long* line);

// From, then To; the first field that fails decides. A range of one line is
// valid, a backward one is not.
RangeStatus ParseRange(const char* from, const char* to, const RangeContext& context, long* first, long* last);

enum class CopyUsing { kOriginal = 0, kRendered = 1 };

// Where the copied lines come from.
struct CopySource {
    std::function<int(const LineRecord*)> rawLength;               // the document's line-length rule
    std::function<const char*(const LineRecord*)> bytes;           // the line's first byte
    std::function<const std::string&(const LineRecord*)> render;   // its display text
};

// Appends one line: its own bytes up to the first NUL (its line end kept),
// or its display text followed by CR LF.
void AppendCopiedLine(const LineRecord* line, CopyUsing use, const CopySource& source, std::string& out);

// The clipboard takes at most this many characters, checked against the
// lines' raw lengths.
const long kClipboardLimit = 32767;

// The text of the lines first to last for the clipboard. False, with out
// emptied, when a line's raw length would take the text past the limit.
// Rendered lines may be longer than their raw bytes; out grows as needed.
bool GatherClipboardText(const LineRecord* first, const LineRecord* last, CopyUsing use, const CopySource& source,
                         std::string& out);

enum class FileCopyStatus { kDone, kCannotCreate, kWriteFailed };
const char* FileCopyMessage(FileCopyStatus status);

// Writes the lines first to last to path. The file is made beside it under
// a temporary name and takes path's place only once every write, the flush
// and the close went well; otherwise path is as it was.
FileCopyStatus CopyLinesToFile(const char* path, const LineRecord* first, const LineRecord* last, CopyUsing use,
                               const CopySource& source);

}   // namespace zodo

#endif
