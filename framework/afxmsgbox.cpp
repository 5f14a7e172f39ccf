#include "afxwin.h"

int AfxMessageBox(const char* lpszText, UINT nType, UINT)
{
    // The active window is the modal dialog in front when there is one; at
    // start-up, before any window shows, the (hidden) main window owns it.
    HWND hOwner = GetActiveWindow();
    if (!hOwner) {
        if (CWnd* pMain = AfxGetMainWnd())
            hOwner = GetLastActivePopup(pMain->m_hWnd);
    }
    return MessageBoxA(hOwner, lpszText, AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text = AfxLoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}
