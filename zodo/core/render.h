// A pager line as the user sees it: optional line number, optional
// hexadecimal form, and the control bytes worked out. No windows.
#ifndef ZODO_RENDER_H
#define ZODO_RENDER_H

#include <string>

namespace zodo {

// A tab length the renderer can use: the profile's value is taken without
// bounds, so below 1 (or absurdly large) it falls back to 8.
const int kDefaultTabLength = 8;
const int kLargestTabLength = 256;
int UsableTabLength(int stored);

struct RenderOptions {
    bool lineNumbers = false;
    bool hexadecimal = false;
    int tabLength = kDefaultTabLength;
};

// Replaces out with the display text of one line: its bytes (at most 512),
// its line number and its offset in the text.
void RenderLine(const char* bytes, int length, long lineNumber, long offset, const RenderOptions& options,
                std::string& out);

}   // namespace zodo

#endif
