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

// The double click of the files form: a bracketed entry (drive or
// directory) is entered and empties files; a file name is added to files,
// after a blank when files is not empty.
void PickFileListEntry(const CString& entry, CString& files);

// Browse: the system's Open dialog over parent; on OK, target becomes the
// chosen path in lower case and the result is true.
bool BrowseForFile(CWnd* parent, CString& target);

#endif
