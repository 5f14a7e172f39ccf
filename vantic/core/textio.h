// Line input and output for the run's two streams, doing the text mode's
// translation here over large blocks instead of character by character in
// the runtime: a stream opened in text mode reads CR LF as LF and ends at a
// Ctrl+Z, and writes LF as CR LF, exactly as the runtime would. A stream
// opened in binary mode is passed through as it is.
//
// Between Begin and End the stream belongs to this module: nothing else may
// read the input or write the output stream.
#ifndef VANTIC_TEXTIO_H
#define VANTIC_TEXTIO_H

#include <cstddef>
#include <cstdio>

// The size of the blocks read and written.
extern const size_t kTextBlockSize;

void BeginLineInput(FILE* stream);
// Like fgets on the stream: at most size - 1 characters, up to and including
// a newline. Null when nothing is left. length, when given, receives the
// number of characters read.
char* ReadLine(char* buffer, int size, size_t* length = nullptr);
// Whether nothing is left to read.
bool AtInputEnd();
void EndLineInput();

void BeginLineOutput(FILE* stream);
void WriteOutput(const char* text, size_t length);
// Writes what is buffered and gives the stream back in its own mode.
void EndLineOutput();

#endif
