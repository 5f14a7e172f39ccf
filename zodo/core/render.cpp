#include "render.h"

#include <cstdio>

namespace zodo {

int UsableTabLength(int stored)
{
    if (stored < 1 || stored > kLargestTabLength)
        return kDefaultTabLength;
    return stored;
}

void RenderLine(const char* bytes, int length, long lineNumber, long offset, const RenderOptions& options,
                std::string& out)
{
    out.clear();
    char buf[64];
    if (options.lineNumbers) {
        std::snprintf(buf, sizeof buf, "%6ld  ", lineNumber);
        out += buf;
    }
    if (options.hexadecimal) {
        std::snprintf(buf,
                      sizeof buf,
                      "(Offset = %lx, Size = %x) ",
                      static_cast<unsigned long>(offset),
                      static_cast<unsigned>(length));
        out += buf;
        static const char digits[] = "0123456789abcdef";
        for (int i = 0; i < length; ++i) {
            unsigned char c = static_cast<unsigned char>(bytes[i]);
            out += digits[c >> 4];
            out += digits[c & 15];
        }
        return;
    }
    const size_t tab = static_cast<size_t>(UsableTabLength(options.tabLength));
    for (int i = 0; i < length; ++i) {
        char c = bytes[i];
        switch (c) {
        case '\b':
            // May eat into the line-number prefix, as a terminal would.
            if (!out.empty())
                out.pop_back();
            break;
        case '\t':
            // Tab stops count from the start of the display text, prefix included.
            out.append(tab - out.size() % tab, ' ');
            break;
        case '\n':
            break;
        case '\r':
            if (i + 1 < length && bytes[i + 1] == '\n')
                break;
            out += c;
            break;
        case '\0':
            // A NUL would end the text for every string call that draws it.
            out += ' ';
            break;
        default:
            out += c;
        }
    }
}

}   // namespace zodo
