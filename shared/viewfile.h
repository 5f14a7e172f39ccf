// The View and Save As commands of the output view, without the windows:
// the GUI gets the selection or the chosen path and hands them over here.
#ifndef TAMREL_VIEWFILE_H
#define TAMREL_VIEWFILE_H

#include "afxstr.h"

// The installation directory: [Tamrel] LoadPath of winfile.ini, "c:\tamrel"
// when it is not set.
CString ReadLoadPath();

// The pager's command line: the installation directory, "\zodo.exe " and
// the selection exactly as given.
CString BuildViewerCommandLine(const char* selection);

// Starts the pager on the selection, or tells the user why not.
void LaunchViewer(const char* selection);

// Writes length bytes of text to path, replacing the file once the new one
// is whole. False, after the message, when it cannot be made or written.
bool SaveOutputText(const char* path, const char* text, int length);

#endif
