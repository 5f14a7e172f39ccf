// Message boxes of the framework and the programs, captioned with the
// application title and owned by the window the user is working in.
#ifndef TAMREL_AFXMSGBOX_H
#define TAMREL_AFXMSGBOX_H

#include <windows.h>

// nType: MB_OK, MB_YESNO, MB_YESNOCANCEL, with an icon if wanted. Returns
// IDOK, IDYES, IDNO or IDCANCEL.
int AfxMessageBox(const char* lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text of string resource nIDPrompt.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

#endif
