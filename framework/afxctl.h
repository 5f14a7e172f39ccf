// The standard controls as thin wrappers: each member is one message to the
// control. A dialog binds them to its controls with DDX_Control.
#ifndef TAMREL_AFXCTL_H
#define TAMREL_AFXCTL_H

#include "afxwnd.h"

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
};

class CEdit : public CWnd {
public:
    void GetSel(int& nStartChar, int& nEndChar) const;
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void ReplaceSel(const char* lpszNewText, BOOL bCanUndo = FALSE);
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    void LimitText(int nChars = 0) { SendMessage(EM_SETLIMITTEXT, static_cast<WPARAM>(nChars)); }
    void SetLimitText(UINT nMax) { SendMessage(EM_SETLIMITTEXT, nMax); }
    UINT GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
    void Clear() { SendMessage(WM_CLEAR); }
};

class CListBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
    int GetTextLen(int nIndex) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex))); }
    // The entry's text; empty for an index that does not exist.
    void GetText(int nIndex, CString& rString) const;
    int AddString(const char* lpszItem);
    int InsertString(int nIndex, const char* lpszItem);
    int DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex)); }
    int FindStringExact(int nIndexStart, const char* lpszFind) const;
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    // Adds the directory listing of lpszWildCard (LB_DIR) with the DDL_
    // attributes in attr; returns the index of the last entry added.
    int Dir(UINT attr, const char* lpszWildCard);
};

#endif
