// The directory-list picker of the utility dialogs: a list box of the
// current directory's drives and subdirectories (and, in the files form,
// its files) whose double clicks walk the disk. Walking changes the
// process's current drive and directory, which the utilities then work in.
#ifndef OMBRIX_PICKER_H
#define OMBRIX_PICKER_H

#include "afxwin.h"

// Empties the list and fills it from "*.*": drives and directories only,
// or with withFiles also the ordinary files.
void FillDirList(CListBox& list, bool withFiles);

// Makes the drive or directory of a bracketed list entry current: "[-x-]"
// with a letter x is drive x, any other "[name]" the directory name (so
// "[-old]" is a directory). One that cannot be entered is left alone.
void EnterDirListEntry(const CString& entry);

// The current directory as the system gives it (at most 259 characters).
CString CurrentDirectory();

#endif
