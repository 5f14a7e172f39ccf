// The pager's search without windows: the expression text a search
// compiles, the text of a line as it is matched, and the walk over the lines
// from the one after (or before) the top line to the first that matches.
#ifndef ZODO_SEARCH_H
#define ZODO_SEARCH_H

#include <string>

#include "lineindex.h"
#include "render.h"

namespace zodo {

// The longest expression the Search dialog takes.
const int kSearchExpressionMax = 40;

// The last search of the program: what the Search dialog shows and Repeat
// uses again.
struct SearchOptions {
    std::string expression;
    bool anchorStart = false;
    bool anchorEnd = false;
    bool ignoreCase = false;
    bool renderedText = false;   // the display text, else the line's own bytes
};

// The text compiled: "^" before the expression when anchored at the start,
// all of it lower-cased byte by byte when case is ignored (escapes and
// classes too), "$" after it when anchored at the end.
std::string SearchExpressionText(const SearchOptions& options);

// Compiles the search into code of codeSize bytes; false when the
// expression is invalid or its code does not fit.
bool CompileSearch(const SearchOptions& options, char* code, int codeSize);

// Makes a line's text ready for matching: lower-cased when case is
// ignored, then every carriage return and line feed at its end removed.
void PrepareSearchText(std::string& text, bool ignoreCase);

// The text of one line as a search matches it: the bytes up to the first
// NUL (or the display text, NULs shown as blanks, when searching rendered
// text), prepared as above.
void SearchTextOf(const LineIndex& index, const LineRecord* line, const SearchOptions& options,
                  const RenderOptions& render, std::string& out);

// The first line a search tests: the one after the top line going forward,
// the one before it going backward; null when there is none.
LineRecord* SearchStartLine(const LineRecord* top, bool forward);

// The longest run of plain characters that every match of the code holds,
// in order and side by side; empty when the code promises none.
std::string RequiredLiteral(const char* code, int codeSize);

// How the walk finds its lines. Plain matches every line in turn; Scan
// first looks through the text block for the lines that can match at all
// and matches only those, where that gives the same answer.
enum class SearchWalk { Plain, Scan };

// The first line from `first` on, in the direction, whose search text the
// compiled code matches; null when none does. The code must be the one
// compiled last (the engine keeps its anchoring from the compile).
LineRecord* FindLine(const LineIndex& index, LineRecord* first, bool forward, const char* code, int codeSize,
                     const SearchOptions& options, const RenderOptions& render, SearchWalk walk = SearchWalk::Scan);

enum class SearchOutcome { Found, NotFound, InvalidPattern };

// One search from `first` on: compiles the options' expression and walks
// the lines; *found is the line found, else null.
SearchOutcome SearchLines(const LineIndex& index, LineRecord* first, bool forward, const SearchOptions& options,
                          const RenderOptions& render, LineRecord** found, SearchWalk walk = SearchWalk::Scan);

}   // namespace zodo

#endif
