// olmet's window-free core: the rows of 16 bytes the hex view shows, the
// arithmetic of its scroll bar and scrolling, the search over the rows as
// they are shown, the marks' listing and the page layout of printing. The
// view draws and asks; everything here works on the file's bytes alone, so
// it builds natively for the unit tests.
#ifndef OLMET_HEXROWS_H
#define OLMET_HEXROWS_H

#include <cstdint>
#include <string>

#include "viewcore.h"

namespace olmet {

typedef std::int64_t Offset;   // byte offsets, sizes and row indices alike

enum {
    kRowBytes = 16,
    kRowChars = 70,         // a full row while offsets stay below 10,000,000
    kRowBufferSize = 128,   // room for a row at any 64-bit offset
    kPatternMax = 40,       // characters of a search pattern
    kPercentRange = 100     // the scroll bar's top in percent mode
};

// Rows of a file of `size` bytes; the last may hold fewer than 16.
inline Offset RowCount(Offset size)
{
    return size > 0 ? (size + kRowBytes - 1) / kRowBytes : 0;
}
// Whether row `row` holds any of the file's bytes.
inline bool RowHoldsData(Offset row, Offset size)
{
    return row >= 0 && row < RowCount(size);
}

// Row `row` of the file as "%07ld %06lx  ", four groups of four bytes in
// hexadecimal, two blanks and the bytes as characters; positions past the
// end show 00 and '.'. Writes a NUL-terminated row into out and returns
// its length.
int FormatRow(const unsigned char* data, Offset size, Offset row, char out[kRowBufferSize]);
std::string FormatRow(const unsigned char* data, Offset size, Offset row);

// ---------------------------------------------------------------- scroll bar

// Small files (at most 100 full rows) scroll by rows, with a range of 0 to
// rows - 1; larger ones by percent, 0 to 100.
struct ScrollModel {
    bool lineMode;
    int rangeMax;
};
ScrollModel ChooseScrollModel(Offset size);
// The thumb position for a top row.
int ScrollPosForTop(const ScrollModel& model, Offset size, Offset top);
// The top row for a thumb released at `pos`; always a row of the file.
Offset TopForThumb(const ScrollModel& model, Offset size, int pos);

// ---------------------------------------------------------------- geometry

// How rows take the window's pixels: a row wider than the client wraps into
// pieces of whole characters, each its own display row.
struct RowGeometry {
    int charWidth;   // tmExternalLeading + tmAveCharWidth
    int rowHeight;   // tmHeight
    int clientWidth;

    // Display rows a row of `extent` pixels takes; 1 when the client has no
    // width (a window shrunk to nothing still shows rows, it does not wrap).
    int Pieces(int extent) const;
    // Characters in one wrapped piece, at least 1.
    int CharsPerPiece() const;
    // Pixels a row of `length` characters takes.
    int RowPixels(int length) const;
};

// Scrolling by pixels, whole rows at a time (Line, Half-page and Page
// Backward). moved is what the rows took, so it may exceed the pixels asked.
struct ScrollStep {
    Offset top;
    int moved;
};
ScrollStep ScrollByPixels(const unsigned char* data, Offset size, Offset top, bool forward, int pixels,
                          const RowGeometry& geometry);

// The strip a scroll exposes, which the following paint fills.
struct PaintBand {
    int top;
    int bottom;
};
PaintBand ExposedBand(bool forward, int moved, int clientHeight, int rowHeight);

// ---------------------------------------------------------------- search

struct SearchState {
    std::string pattern;   // at most kPatternMax characters
    bool anchorStart = false;
    bool anchorEnd = false;
    bool ignoreCase = false;
};

// The expression a search compiles: "^" before the pattern when anchored at
// the start, "$" after it when anchored at the end, all lower case when
// case is ignored.
std::string SearchExpression(const SearchState& state);

// The row a search starts from (the one after or before the top row), or
// -1 when there is none in that direction.
Offset SearchStartRow(Offset top, Offset size, bool forward);

// Compiles the search into code (REGEX_CODE_SIZE bytes); false when the
// expression does not compile.
bool CompileSearch(const SearchState& state, char* code, int codeSize);

// The first row from `start` on, in the direction, whose formatted text the
// code matches (lower-cased first when case is ignored); -1 for none.
Offset FindRow(const unsigned char* data, Offset size, Offset start, bool forward, const char* code, bool ignoreCase);

// ---------------------------------------------------------------- marks

// The letters and the dialogs' reading of them are the pager's.
using ::kMarkCount;
using ::MarkIndex;
// The text Show all Marks lists: "%c\t%07ld\r\n" of each set mark's letter
// and byte offset, in letter order; unset marks are -1.
std::string MarksText(const Offset marks[kMarkCount]);

// ---------------------------------------------------------------- printing

// Rows a page holds below its header: as the pager's pages.
using ::RowsPerPage;
// The first row of page `page` (from 1), or -1 when it would lie past the
// file's end and the job is over.
Offset FirstRowOfPage(int page, int rowsPerPage, Offset size);
// Pages a whole job prints.
Offset PageCount(Offset size, int rowsPerPage);

}   // namespace olmet

#endif
