#include "afxwin.h"

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(nStartChar), static_cast<LPARAM>(nEndChar));
    if (!bNoScroll)
        SendMessage(EM_SCROLLCARET);
}

void CEdit::ReplaceSel(const char* lpszNewText, BOOL bCanUndo)
{
    SendMessage(EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly)
{
    return static_cast<BOOL>(SendMessage(EM_SETREADONLY, static_cast<WPARAM>(bReadOnly)));
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    int length = GetTextLen(nIndex);
    if (length == LB_ERR) {
        rString.Empty();
        return;
    }
    char* buffer = rString.GetBuffer(length);
    SendMessage(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buffer));
    rString.ReleaseBuffer();
}

int CListBox::AddString(const char* lpszItem)
{
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::InsertString(int nIndex, const char* lpszItem)
{
    return static_cast<int>(
        SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::FindStringExact(int nIndexStart, const char* lpszFind) const
{
    return static_cast<int>(
        SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), reinterpret_cast<LPARAM>(lpszFind)));
}

int CListBox::Dir(UINT attr, const char* lpszWildCard)
{
    return static_cast<int>(SendMessage(LB_DIR, attr, reinterpret_cast<LPARAM>(lpszWildCard)));
}

int CListBox::FindString(int nStartAfter, const char* lpszItem) const
{
    return static_cast<int>(
        SendMessage(LB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::SelectString(int nStartAfter, const char* lpszItem)
{
    return static_cast<int>(
        SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem)
{
    // The message takes the range in one word each, so longer lists go line
    // by line.
    if (nFirstItem >= 0 && nLastItem >= nFirstItem && nLastItem <= 0xFFFF)
        return static_cast<int>(
            SendMessage(LB_SELITEMRANGE, static_cast<WPARAM>(bSelect), MAKELPARAM(nFirstItem, nLastItem)));
    for (int i = nFirstItem; i <= nLastItem; ++i) {
        if (SetSel(i, bSelect) == LB_ERR)
            return LB_ERR;
    }
    return 0;
}

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    static bool registered = false;
    if (!registered) {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
        registered = InitCommonControlsEx(&icc) != FALSE;
    }
    return CWnd::Create(WC_HEADERA, nullptr, dwStyle, rect, pParentWnd, nID);
}
