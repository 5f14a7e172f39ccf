// Writing the files the tools create. Every byte, flush and close goes
// through here and is checked, so that a full disk or a failing device is
// seen at once rather than after a short file has been taken for a whole
// one. A file made to replace another takes its place only through
// ReplaceWithFile, in one step.
//
// The unit tests arm a fault here to make a write, a flush, a close or a
// replace fail at a chosen byte, as a disk that fills would.
#ifndef TAMREL_FILEOUT_H
#define TAMREL_FILEOUT_H

#include <cstddef>
#include <cstdio>

// All length bytes, or false (errno tells why). A failed write may have
// written part of them.
bool WriteBytes(FILE* stream, const void* data, size_t length);

// Hands what the runtime holds for the stream to the system.
bool FlushStream(FILE* stream);

// Flushes and closes; the stream is gone either way. False when the flush or
// the close failed, or when an earlier write on the stream had failed.
bool CloseStream(FILE* stream);

// Moves replacement over target in one step: at every moment one of the
// two files is there whole. False, with both files as they were, when the
// system refuses.
bool ReplaceWithFile(const char* replacement, const char* target);

// A whole new file for target, made beside it under a temporary name
// (tempName, 260 bytes: target's directory, "tm" and six letters or digits)
// and opened "wb". The file is made by CreateUniqueFile, so no file already
// there is ever opened, emptied or moved over target. Null when it cannot
// be made.
FILE* CreateReplacement(const char* target, char* tempName);

// Makes a file that did not exist and opens it "wb" (text: "wt", so that
// on Windows each "\n" written reaches the file as CR LF); its name is name
// with the trailing "XXXXXX" filled in place. The name is taken by creating the
// file exclusively (the system refuses a name that is there, whatever it
// names), trying the names of TempNameCandidate in turn. Null, with name as
// it was, when every name is taken or the system refuses for another
// reason, such as a missing directory.
FILE* CreateUniqueFile(char* name, bool text = false);

// How many names CreateUniqueFile tries before it gives up.
const unsigned kTempNameAttempts = 1000;

// Fills the trailing six characters of name with the name that
// CreateUniqueFile tries at attempt (0 first): lower-case letters and
// digits, the same for the same attempt throughout one process, different
// from one process to another.
void TempNameCandidate(char* name, unsigned attempt);

// Closes the stream and, when every write, the flush and the close went
// well, moves the file over target. On failure target is as it was and the
// temporary file is gone. written false: a write the caller made through
// its own means already failed.
enum class Replacement { kDone, kWriteFailed, kReplaceFailed };
Replacement FinishReplacement(FILE* stream, const char* tempName, const char* target, bool written = true);

// Tells the user what went wrong with a replacement of target, in the words
// the tools use for their output files; true when it was done.
bool ReportReplacement(Replacement outcome, const char* target);

// Removes a file that a failed write left short. Should the system refuse,
// the user is told its name, so that no short file passes for a whole one.
void DiscardShortFile(const char* name);

// What the next failure is, for tests.
enum class WriteFault {
    kNone,
    kWrite,     // the write that would pass the armed byte writes up to it and fails, and so does every later one
    kFlush,     // every flush (the one in CloseStream too) once the armed byte has been written
    kClose,     // every close once the armed byte has been written
    kReplace,   // every ReplaceWithFile
};

// Counts bytes from 0 again. kNone disarms.
void ArmWriteFault(WriteFault fault, long long atByte = 0);

#endif
