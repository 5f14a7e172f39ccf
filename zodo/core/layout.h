// The pager's arithmetic of rows, scrolling, the scroll bar and printed
// pages, apart from the windows that use it.
#ifndef ZODO_LAYOUT_H
#define ZODO_LAYOUT_H

#include <ctime>
#include <functional>
#include <string>

#include "lineindex.h"
#include "viewcore.h"

namespace zodo {

// Row geometry of the display font in a window.
struct RowMetrics {
    int rowHeight = 0;     // tmHeight
    int charWidth = 0;     // tmExternalLeading + tmAveCharWidth
    int clientWidth = 0;   // W
};

// Pixels a line of textLength display characters takes when wrapped in the
// window: one row when empty, else ceil(charWidth * length / W) rows. A
// window of no width, or a font of no height, still gives every line one
// row of at least one pixel, so a scroll always ends.
int LineHeight(int textLength, const RowMetrics& m);

// Rows a line of measured width wraps into, and the characters drawn per
// row; both at least 1.
int WrapRows(int measuredWidth, int clientWidth);
int CharsPerRow(int clientWidth, int charWidth);

// Moves top by whole lines until at least pixels have passed (forward:
// towards the end). displayLength gives a line's display length. Returns
// the pixels actually scrolled (less at either end of the file).
int ScrollWalk(LineRecord*& top, bool forward, int pixels, const RowMetrics& m,
               const std::function<int(const LineRecord*)>& displayLength);

// The top of the band left uncovered after scrolling forward by scrolled
// pixels in a window of height H: on a row boundary.
int ForwardBandTop(int clientHeight, int scrolled, int rowHeight);

// The scroll bar counts lines for files of at most 100 lines, percent else.
bool UsesLineModel(long lastLineNumber);
int ScrollPosition(long topLineNumber, long lastLineNumber, bool lineModel);
// The line to show when the thumb is dropped at pos.
long LineAtThumb(int pos, long lastLineNumber, bool lineModel);

// Printed pages are laid out as the hex viewer's: RowsPerPage and
// FirstRowOfPage (a printed line takes one row), the header and the
// characters that fit on a line.
using ::FittingChars;
using ::PrintHeader;

}   // namespace zodo

#endif
