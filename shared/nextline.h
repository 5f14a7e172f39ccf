// Cuts a multi-line text from a dialog field into lines: quarn's search
// patterns, vantic's editing script.
#ifndef TAMREL_NEXTLINE_H
#define TAMREL_NEXTLINE_H

// Copies the next line of `text` (of `textLength` bytes), starting at
// `readPos`, into `buffer` of `bufferSize` bytes and advances `readPos` past
// it. Carriage returns are dropped; a line feed ends the line and is not
// copied. Returns the end of the copied text (where its NUL is), or null
// when the text is used up: no character was left and no line feed seen,
// so 'a\r\n\r\nb' gives "a", "" and "b" and a final line feed gives no
// extra empty line.
//
// A line longer than bufferSize - 1 characters is consumed whole, its first
// bufferSize - 1 characters are kept and `overflow` is set, so the caller
// can refuse it; nothing is written past the buffer.
char* GetNextTextLine(const char* text, int textLength, int& readPos, char* buffer, int bufferSize, bool& overflow);

#endif
