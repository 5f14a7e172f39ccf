// The directory-list picker of the tool dialogs: a list box of the current
// directory's drives and subdirectories (and, in the files form, its files)
// whose double clicks walk the disk, and the Browse button's Open dialog.
// Walking changes the process's current drive and directory, which the
// tools then work in.
#ifndef TAMREL_PICKER_H
#define TAMREL_PICKER_H

#include "afxwin.h"

// Empties the list and fills it from "*.*": drives and directories only,
// or with withFiles also the ordinary files.
void FillDirList(CListBox& list, bool withFiles);

// Makes the drive or directory of a bracketed list entry current: "[-x-]"
// with a letter x is drive x, any other name a directory. One that cannot
// be entered is left alone.
void EnterDirListEntry(const CString& entry);

// The current directory as the system gives it, or empty when it does not
// fit in bufferSize characters with its terminator.
CString CurrentDirectory(int bufferSize = 260);

// The double click of the files form: a bracketed entry (drive or
// directory) is entered and empties files; a file name is added to files,
// after a blank when files is not empty.
void PickFileListEntry(const CString& entry, CString& files);

// What a dialog's picker looks like and how it walks.
struct DirListStyle {
    bool withFiles;   // the files form: files listed, picked names gathered
    bool lowerCase;   // the directory field shows the path in lower case
};

// The whole double click of a picker list in dialog: the fields are read,
// the selected entry is entered (or, in the files form, a file name added
// to *files), directory shows the new current directory, the list is filled
// again and the fields are written back. Nothing happens without a
// selection.
void OnDirListDoubleClick(CDialog& dialog, CListBox& list, const DirListStyle& style, CString& directory,
                          CString* files = nullptr);

// Browse: the system's Open dialog over parent; on OK, target becomes the
// chosen path in lower case and the result is true.
bool BrowseForFile(CWnd* parent, CString& target);

// Browse into a field of dialog: on OK the fields are read, field becomes
// the chosen path in lower case and the fields are written back.
void BrowseIntoField(CDialog& dialog, CString& field);

#endif
