#include "hexrows.h"

#include "names.h"
#include "regex.h"

namespace olmet {

namespace {

const char kHexDigits[] = "0123456789abcdef";

// value in base 10 or 16, zero-filled to at least `width` digits.
char* PutNumber(char* out, std::uint64_t value, unsigned base, int width)
{
    char digits[24];
    int n = 0;
    do {
        digits[n++] = kHexDigits[value % base];
        value /= base;
    } while (value != 0);
    for (int i = n; i < width; ++i)
        *out++ = '0';
    while (n > 0)
        *out++ = digits[--n];
    return out;
}

bool Printable(unsigned char c)
{
    return c >= 0x20 && c <= 0x7e;
}

}   // namespace

int FormatRow(const unsigned char* data, Offset size, Offset row, char out[kRowBufferSize])
{
    const Offset offset = row * kRowBytes;
    char* p = out;
    p = PutNumber(p, static_cast<std::uint64_t>(offset), 10, 7);
    *p++ = ' ';
    p = PutNumber(p, static_cast<std::uint64_t>(offset), 16, 6);
    *p++ = ' ';
    *p++ = ' ';
    unsigned char bytes[kRowBytes];
    for (int i = 0; i < kRowBytes; ++i) {
        const bool inFile = offset + i < size;
        bytes[i] = inFile ? data[offset + i] : 0;
        *p++ = kHexDigits[bytes[i] >> 4];
        *p++ = kHexDigits[bytes[i] & 0x0f];
        if (i % 4 == 3)
            *p++ = ' ';
    }
    *p++ = ' ';
    *p++ = ' ';
    for (int i = 0; i < kRowBytes; ++i)
        *p++ = (offset + i < size && Printable(bytes[i])) ? static_cast<char>(bytes[i]) : '.';
    *p = 0;
    return static_cast<int>(p - out);
}

std::string FormatRow(const unsigned char* data, Offset size, Offset row)
{
    char text[kRowBufferSize];
    int length = FormatRow(data, size, row, text);
    return std::string(text, static_cast<size_t>(length));
}

ScrollModel ChooseScrollModel(Offset size)
{
    ScrollModel model;
    model.lineMode = size / kRowBytes <= kPercentRange;
    model.rangeMax = model.lineMode ? static_cast<int>(RowCount(size) - 1) : kPercentRange;
    if (model.rangeMax < 0)
        model.rangeMax = 0;
    return model;
}

int ScrollPosForTop(const ScrollModel& model, Offset size, Offset top)
{
    Offset pos = model.lineMode ? top : top * kPercentRange / (size / kRowBytes);
    if (pos < 0)
        pos = 0;
    if (pos > model.rangeMax)
        pos = model.rangeMax;
    return static_cast<int>(pos);
}

Offset TopForThumb(const ScrollModel& model, Offset size, int pos)
{
    const Offset rows = RowCount(size);
    Offset top;
    if (model.lineMode)
        top = pos;
    else
        top = pos == 0 ? 0 : rows * pos / kPercentRange - 1;
    // A position the bar itself cannot give (a message from elsewhere) still
    // lands on a row of the file.
    if (top > rows - 1)
        top = rows - 1;
    if (top < 0)
        top = 0;
    return top;
}

int RowGeometry::Pieces(int extent) const
{
    if (clientWidth <= 0 || extent <= clientWidth)
        return 1;
    return (extent + clientWidth - 1) / clientWidth;
}

int RowGeometry::CharsPerPiece() const
{
    if (charWidth <= 0 || clientWidth <= 0)
        return kRowBufferSize;
    int chars = clientWidth / charWidth;
    return chars > 0 ? chars : 1;
}

int RowGeometry::RowPixels(int length) const
{
    if (length <= 0 || clientWidth <= 0)
        return rowHeight;
    long long extent = static_cast<long long>(length) * charWidth;
    long long pieces = (extent + clientWidth - 1) / clientWidth;
    if (pieces < 1)
        pieces = 1;
    return static_cast<int>(pieces * rowHeight);
}

ScrollStep ScrollByPixels(const unsigned char* data, Offset size, Offset top, bool forward, int pixels,
                          const RowGeometry& geometry)
{
    ScrollStep step = {top, 0};
    char text[kRowBufferSize];
    int remaining = pixels;
    while (remaining > 0) {
        int length;
        if (forward) {
            if (!RowHoldsData(step.top + 1, size))
                break;
            length = FormatRow(data, size, step.top, text);   // the row that leaves
            ++step.top;
        } else {
            if (step.top <= 0)
                break;
            --step.top;
            length = FormatRow(data, size, step.top, text);   // the row that enters
        }
        int height = geometry.RowPixels(length);
        if (height <= 0)
            break;   // rows without height would never use the pixels up
        remaining -= height;
    }
    step.moved = pixels - remaining;
    return step;
}

PaintBand ExposedBand(bool forward, int moved, int clientHeight, int rowHeight)
{
    PaintBand band;
    if (forward) {
        int top = clientHeight - moved;
        if (rowHeight > 0)
            top = (top / rowHeight) * rowHeight;
        band.top = top < 0 ? 0 : top;
        band.bottom = clientHeight;
    } else {
        band.top = 0;
        band.bottom = moved;
    }
    return band;
}

std::string SearchExpression(const SearchState& state)
{
    return ::SearchExpression(state.pattern, state.anchorStart, state.anchorEnd, state.ignoreCase);
}

Offset SearchStartRow(Offset top, Offset size, bool forward)
{
    Offset start = forward ? top + 1 : top - 1;
    return RowHoldsData(start, size) ? start : -1;
}

bool CompileSearch(const SearchState& state, char* code, int codeSize)
{
    return CompileSearchExpression(SearchExpression(state), code, codeSize);
}

Offset FindRow(const unsigned char* data, Offset size, Offset start, bool forward, const char* code, bool ignoreCase)
{
    const Offset rows = RowCount(size);
    char text[kRowBufferSize];
    for (Offset row = start; row >= 0 && row < rows; row += forward ? 1 : -1) {
        int length = FormatRow(data, size, row, text);
        if (ignoreCase)
            LowerBytes(text, static_cast<size_t>(length));
        if (RegexStep(text, code))
            return row;
    }
    return -1;
}

std::string MarksText(const Offset marks[kMarkCount])
{
    // Marks hold rows; the list shows their byte offsets.
    long long offsets[kMarkCount];
    for (int i = 0; i < kMarkCount; ++i)
        offsets[i] = marks[i] < 0 ? -1 : marks[i] * kRowBytes;
    return ::MarksText(offsets, "", 7);
}

Offset FirstRowOfPage(int page, int rowsPerPage, Offset size)
{
    if (page < 1 || rowsPerPage < 1)
        return -1;
    Offset first = ::FirstRowOfPage(page, rowsPerPage);
    return RowHoldsData(first, size) ? first : -1;
}

Offset PageCount(Offset size, int rowsPerPage)
{
    if (rowsPerPage < 1)
        rowsPerPage = 1;
    return (RowCount(size) + rowsPerPage - 1) / rowsPerPage;
}

}   // namespace olmet
