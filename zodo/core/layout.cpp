#include "layout.h"

namespace zodo {

int LineHeight(int textLength, const RowMetrics& m)
{
    int row = m.rowHeight > 0 ? m.rowHeight : 1;
    if (textLength <= 0 || m.clientWidth <= 0)
        return row;
    long long width = static_cast<long long>(m.charWidth > 0 ? m.charWidth : 1) * textLength;
    long long rows = (width + m.clientWidth - 1) / m.clientWidth;
    if (rows < 1)
        rows = 1;
    long long h = rows * row;
    return h > 0x7fffffff ? 0x7fffffff : static_cast<int>(h);
}

int WrapRows(int measuredWidth, int clientWidth)
{
    if (clientWidth <= 0 || measuredWidth <= 0)
        return 1;
    return static_cast<int>((static_cast<long long>(measuredWidth) + clientWidth - 1) / clientWidth);
}

int CharsPerRow(int clientWidth, int charWidth)
{
    if (clientWidth <= 0 || charWidth <= 0)
        return 1;
    int n = clientWidth / charWidth;
    return n > 0 ? n : 1;
}

int ScrollWalk(LineRecord*& top, bool forward, int pixels, const RowMetrics& m,
               const std::function<int(const LineRecord*)>& displayLength)
{
    if (!top)
        return 0;
    if (forward ? !top->next : !top->previous)
        return 0;
    long long remaining = pixels;
    while (remaining > 0) {
        if (!forward) {
            if (!top->previous)
                break;
            top = top->previous;
        } else if (!top->next) {
            break;
        }
        // Forward this is the line that leaves the window, backward the one
        // that enters it.
        int height = LineHeight(displayLength(top), m);
        if (forward)
            top = top->next;
        remaining -= height;
    }
    long long scrolled = pixels - remaining;
    return scrolled > 0x7fffffff ? 0x7fffffff : static_cast<int>(scrolled);
}

int ForwardBandTop(int clientHeight, int scrolled, int rowHeight)
{
    if (rowHeight <= 0)
        return 0;
    int uncovered = clientHeight - scrolled;
    if (uncovered < 0)
        uncovered = 0;
    return rowHeight * (uncovered / rowHeight);
}

bool UsesLineModel(long lastLineNumber)
{
    return lastLineNumber <= 100;
}

int ScrollPosition(long topLineNumber, long lastLineNumber, bool lineModel)
{
    if (lineModel)
        return static_cast<int>(topLineNumber);
    if (lastLineNumber <= 0)
        return 0;
    return static_cast<int>(static_cast<long long>(topLineNumber) * 100 / lastLineNumber);
}

long LineAtThumb(int pos, long lastLineNumber, bool lineModel)
{
    long line;
    if (pos <= 0)
        line = 1;
    else if (lineModel)
        line = pos;
    else
        line = static_cast<long>(static_cast<long long>(pos) * lastLineNumber / 100);
    if (line < 1)
        line = 1;
    if (line > lastLineNumber)
        line = lastLineNumber;
    return line;
}

}   // namespace zodo
