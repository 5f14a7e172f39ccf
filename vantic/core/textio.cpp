#include "textio.h"

#include <cstring>

#include "bytescan.h"
#include "fileout.h"
#include "sysio.h"

const size_t kTextBlockSize = 1 << 18;

namespace {

const size_t kBlockSize = kTextBlockSize;

// ----------------------------------------------------------------- input

FILE* s_in = nullptr;
int s_inMode = -1;   // the stream's own mode, given back at the end
bool s_inText = false;
char s_raw[kBlockSize];
size_t s_pos = 0;     // next byte to hand out
size_t s_limit = 0;   // end of what may be handed out now
size_t s_end = 0;     // end of what was read
bool s_eof = false;   // nothing more comes from the stream

// Reads the next block after what is left. In text mode a CR at the block's
// end is held back until the byte after it shows whether it starts a CR LF,
// and a Ctrl+Z ends the input for good.
bool Fill()
{
    if (s_pos < s_limit)
        return true;
    size_t left = s_end - s_pos;
    std::memmove(s_raw, s_raw + s_pos, left);
    s_pos = 0;
    s_end = left;
    if (!s_eof) {
        size_t got = std::fread(s_raw + s_end, 1, kBlockSize - s_end, s_in);
        if (got == 0)
            s_eof = true;
        if (s_inText) {
            const char* stop = ScanByte(s_raw + s_end, s_raw + s_end + got, 0x1a);
            if (stop) {
                got = static_cast<size_t>(stop - (s_raw + s_end));
                s_eof = true;
            }
        }
        s_end += got;
    }
    s_limit = s_end;
    if (s_inText && !s_eof && s_limit > 0 && s_raw[s_limit - 1] == '\r')
        --s_limit;
    return s_pos < s_limit;
}

// ---------------------------------------------------------------- output

FILE* s_out = nullptr;
int s_outMode = -1;
bool s_outText = false;
char s_cooked[2 * kBlockSize];
size_t s_cookedLength = 0;

// A failed write is remembered by the write seam against the stream, and
// the file driver sees it when it closes the stream.
void FlushOutput()
{
    if (s_cookedLength > 0)
        WriteBytes(s_out, s_cooked, s_cookedLength);
    s_cookedLength = 0;
}

}   // namespace

void BeginLineInput(FILE* stream)
{
    s_in = stream;
    s_inMode = _setmode(_fileno(stream), _O_BINARY);
    s_inText = s_inMode != -1 && (s_inMode & _O_TEXT) != 0;
    s_pos = s_limit = s_end = 0;
    s_eof = false;
}

char* ReadLine(char* buffer, int size, size_t* length)
{
    size_t max = size > 0 ? static_cast<size_t>(size - 1) : 0;
    size_t n = 0;
    while (n < max && Fill()) {
        const char* start = s_raw + s_pos;
        size_t available = s_limit - s_pos;
        const char* newline = ScanByte(start, start + available, '\n');
        if (newline) {
            // A CR LF is one character; the CR of the pair is never handed
            // out on its own, so a piece never ends between the two.
            size_t count = static_cast<size_t>(newline - start);
            size_t content = count;
            if (s_inText && content > 0 && newline[-1] == '\r')
                --content;
            if (content < max - n) {
                CopyBytes(buffer + n, start, content);
                n += content;
                buffer[n++] = '\n';
                s_pos += count + 1;
                break;
            }
            size_t take = max - n;
            CopyBytes(buffer + n, start, take);
            n += take;
            s_pos += take;
            break;
        }
        size_t take = available < max - n ? available : max - n;
        CopyBytes(buffer + n, start, take);
        n += take;
        s_pos += take;
    }
    if (n == 0 && max > 0)
        return nullptr;
    buffer[n] = 0;
    if (length)
        *length = n;
    return buffer;
}

bool AtInputEnd()
{
    return !Fill();
}

void EndLineInput()
{
    if (s_in && s_inMode != -1)
        _setmode(_fileno(s_in), s_inMode);
    s_in = nullptr;
    s_pos = s_limit = s_end = 0;
}

void BeginLineOutput(FILE* stream)
{
    s_out = stream;
    // What the stream holds goes out before its mode changes; a failure stays
    // on the stream's error flag, which CloseStream reports.
    (void)std::fflush(stream);
    s_outMode = _setmode(_fileno(stream), _O_BINARY);
    s_outText = s_outMode != -1 && (s_outMode & _O_TEXT) != 0;
    s_cookedLength = 0;
}

void WriteOutput(const char* text, size_t length)
{
    while (length > 0) {
        if (s_cookedLength + 2 > sizeof s_cooked)
            FlushOutput();
        size_t room = (sizeof s_cooked - s_cookedLength) / 2;
        size_t chunk = length < room ? length : room;
        if (!s_outText) {
            CopyBytes(s_cooked + s_cookedLength, text, chunk);
            s_cookedLength += chunk;
        } else {
            char* to = s_cooked + s_cookedLength;
            const char* from = text;
            const char* end = text + chunk;
            while (from < end) {
                const char* newline = ScanByte(from, end, '\n');
                size_t span = static_cast<size_t>((newline ? newline : end) - from);
                CopyBytes(to, from, span);
                to += span;
                from += span;
                if (newline) {
                    *to++ = '\r';
                    *to++ = '\n';
                    ++from;
                }
            }
            s_cookedLength = static_cast<size_t>(to - s_cooked);
        }
        text += chunk;
        length -= chunk;
    }
}

void EndLineOutput()
{
    if (!s_out)
        return;
    FlushOutput();
    FlushStream(s_out);
    if (s_outMode != -1)
        _setmode(_fileno(s_out), s_outMode);
    s_out = nullptr;
}
