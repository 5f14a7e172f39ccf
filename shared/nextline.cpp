#include "nextline.h"

char* GetNextTextLine(const char* text, int textLength, int& readPos, char* buffer, int bufferSize, bool& overflow)
{
    overflow = false;
    int copied = 0;
    bool sawLineFeed = false;
    while (readPos < textLength && !sawLineFeed) {
        char c = text[readPos++];
        if (c == '\n') {
            sawLineFeed = true;
        } else if (c != '\r') {
            if (copied < bufferSize - 1)
                buffer[copied++] = c;
            else
                overflow = true;
        }
    }
    if (bufferSize > 0)
        buffer[copied < bufferSize ? copied : bufferSize - 1] = 0;
    if (copied == 0 && !sawLineFeed && !overflow)
        return nullptr;
    return buffer + copied;
}
