// The common dialogs (open, save, print, font), reached through comdlg32.dll
// loaded the first time one is shown. Most runs of a tool never show one,
// and loading the library at start-up costs every run a noticeable part of
// its start.
#ifndef TAMREL_AFXCOMDLG_H
#define TAMREL_AFXCOMDLG_H

#include <windows.h>
#include <commdlg.h>

// The same as the system functions; FALSE (and extended error
// CDERR_INITIALIZATION) when the library cannot be loaded.
BOOL AfxGetOpenFileName(OPENFILENAMEA* ofn);
BOOL AfxGetSaveFileName(OPENFILENAMEA* ofn);
BOOL AfxPrintDlg(PRINTDLGA* pd);
BOOL AfxChooseFont(CHOOSEFONTA* cf);
DWORD AfxCommDlgExtendedError();

#endif
