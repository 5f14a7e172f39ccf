#include "marks.h"

namespace zodo {

std::string MarksText(const LineRecord* const marks[kMarkCount])
{
    long long lines[kMarkCount];
    for (int i = 0; i < kMarkCount; ++i)
        lines[i] = marks[i] ? marks[i]->lineNumber : -1;
    return ::MarksText(lines, "Line ", 1);
}

LineRecord* LineAtBandTop(LineRecord* top, int bandTop, const RowMetrics& m,
                          const std::function<int(const LineRecord*)>& displayLength, long long* y)
{
    long long sum = 0;
    LineRecord* line = top;
    while (line && sum < bandTop && line->next) {
        sum += LineHeight(displayLength(line), m);
        line = line->next;
    }
    if (y)
        *y = sum;
    return line;
}

BandLines LinesInBand(LineRecord* top, int bandTop, int bandBottom, const RowMetrics& m,
                      const std::function<int(const LineRecord*)>& displayLength)
{
    BandLines band;
    long long y = 0;
    band.first = band.last = LineAtBandTop(top, bandTop, m, displayLength, &y);
    const long long lastRowTop = static_cast<long long>(bandBottom) - (m.rowHeight > 0 ? m.rowHeight : 1);
    LineRecord* line = band.first;
    while (line && y < lastRowTop) {
        y += LineHeight(displayLength(line), m);
        if (!line->next || y > lastRowTop)
            break;
        line = line->next;
    }
    band.last = line;
    return band;
}

}   // namespace zodo
