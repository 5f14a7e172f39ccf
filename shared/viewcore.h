// What the pager and the hex viewer do alike, apart from their windows: the
// expression a search compiles, the letters of the marks and the list that
// shows them, and the arithmetic and header of printed pages. The hex
// viewer follows the pager in all of these; where the two show different
// things (a mark as a line number or as a byte offset) the caller says how.
#ifndef TAMREL_VIEWCORE_H
#define TAMREL_VIEWCORE_H

#include <ctime>
#include <functional>
#include <string>

// ---------------------------------------------------------------- search

// The text a search compiles: "^" before the pattern when anchored at the
// start, all of it lower-cased byte by byte when case is ignored (escapes
// and classes too), "$" after it when anchored at the end.
std::string SearchExpression(const std::string& pattern, bool anchorStart, bool anchorEnd, bool ignoreCase);

// Compiles an expression into code of codeSize bytes. The buffer is cleared
// first, so nothing of an earlier compile is used again; false when the
// expression is empty or invalid, or its code does not fit.
bool CompileSearchExpression(const std::string& expression, char* code, int codeSize);

// ---------------------------------------------------------------- marks

const int kMarkCount = 26;   // a to z

// The mark a dialog field names: 0 for "a" to 25 for "z", by its first
// character; -1 for anything else, an empty or missing field and capitals
// included.
int MarkIndex(const char* field);

// The text Show all Marks lists: for each mark that is set (not negative),
// in letter order, its letter, a tab, the label and the value in decimal,
// zero-filled to at least `digits` digits, then CR LF.
std::string MarksText(const long long values[kMarkCount], const char* label, int digits);

// ---------------------------------------------------------------- printing

// Rows a printed page holds below its header, leaving two rows free at the
// bottom: (page height - 4 rows) / row height, and never fewer than one, so
// a font too tall for the page still moves the job on and it ends.
int RowsPerPage(int pageHeight, int rowHeight);

// The first row (from 0) of page `page` (from 1; a lower number counts as
// the first page).
long long FirstRowOfPage(int page, int rowsPerPage);

// "date  path  Page n", the date as the Windows runtime's ctime writes it
// (day of the month in two digits) without its line feed; empty where the
// time cannot be converted.
std::string PrintHeader(std::time_t when, const char* path, int page);

// Characters of text that fit between x and pageWidth, taken one by one
// with widthOf, stopping before the first that would pass the edge.
int FittingChars(const std::string& text, int x, int pageWidth, const std::function<int(char)>& widthOf);

#endif
