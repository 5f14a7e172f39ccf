// Marks and the row band of a pager view, without windows: the letter a
// mark is asked for by, the list that shows the marks, and the walk from a
// band of window rows down to the lines that lie in it.
#ifndef ZODO_MARKS_H
#define ZODO_MARKS_H

#include <functional>
#include <string>

#include "layout.h"
#include "lineindex.h"
#include "viewcore.h"

namespace zodo {

// The letters and the dialogs' reading of them, as the hex viewer's.
using ::kMarkCount;
using ::MarkIndex;

// One line "letter, tab, Line n, CR LF" for each mark that is set, a to z.
std::string MarksText(const LineRecord* const marks[kMarkCount]);

// The lines a band of rows covers, counted from the window's top line.
// displayLength gives a line's display length (it renders the line); every
// line takes LineHeight of it.
struct BandLines {
    LineRecord* first = nullptr;   // the first line that begins at or below the band's top
    LineRecord* last = nullptr;    // the line that holds the band's last row
};

// The first line that begins at or below bandTop (the last line when the
// file ends above it); *y receives where that line begins.
LineRecord* LineAtBandTop(LineRecord* top, int bandTop, const RowMetrics& m,
                          const std::function<int(const LineRecord*)>& displayLength, long long* y = nullptr);

// Both ends of the band from bandTop to bandBottom (its last row begins one
// row height above the bottom, which may be the client's edge rather than a
// row boundary).
BandLines LinesInBand(LineRecord* top, int bandTop, int bandBottom, const RowMetrics& m,
                      const std::function<int(const LineRecord*)>& displayLength);

}   // namespace zodo

#endif
