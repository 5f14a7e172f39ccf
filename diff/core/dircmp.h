// Byte comparison of two files in the manner of the Unix cmp tool, and the
// comparison of two directories' file lists: names found in one directory
// only are listed, names found in both are compared byte by byte. The
// result lines are appended to the text given (the document's result).
#ifndef DIFF_DIRCMP_H
#define DIFF_DIRCMP_H

#include "sysio.h"

#include <vector>

#include "afxstr.h"

// One table per directory, in the order of the upper-cased names; they grow
// as far as a directory needs.
extern std::vector<_finddata_t> g_dirEntries[2];
extern size_t g_dirEntryCount[2];
extern size_t g_dirIndex[2];

// Appends "Files: ... are the same", "... differ: char N, line N" or
// "... differ: EOF in ..."; false after "cant open %s".
bool CompareFilesInto(CString& result, const char* name0, const char* name1);

// Lists and compares the two directories; false after "cant access %s"
// (nothing appended). Relative names are made absolute from the current
// directory first. Leaves the process in the second directory.
bool CompareDirectoriesInto(CString& result, const char* dir0, const char* dir1);

int CompareDirEntryNames(const void* a, const void* b);

#endif
