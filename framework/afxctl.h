// The standard controls, and the header of the common controls, as thin
// wrappers: each member is one message to the control. A dialog or form
// binds them to its controls with DDX_Control.
#ifndef TAMREL_AFXCTL_H
#define TAMREL_AFXCTL_H

#include <commctrl.h>

#include "afxwnd.h"

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
};

// A scroll-bar control, as OnVScroll and OnHScroll name the bar that sent
// the message (null for a window's own bar).
class CScrollBar : public CWnd {
public:
    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw); }
    void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE)
    {
        ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw);
    }
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
    int GetTextLen(int nIndex) const
    {
        return static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex)));
    }
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
    int FindString(int nStartAfter, const char* lpszItem) const;
    int SelectString(int nStartAfter, const char* lpszItem);
    DWORD_PTR GetItemData(int nIndex) const
    {
        return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
    }
    int SetItemData(int nIndex, DWORD_PTR dwItemData)
    {
        return static_cast<int>(
            SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
    }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int nIndex) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex))); }
    int GetCaretIndex() const { return static_cast<int>(SendMessage(LB_GETCARETINDEX)); }
    int GetItemHeight(int nIndex) const
    {
        return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex)));
    }
    int GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return static_cast<int>(
            SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
    }

    // Lists of several selections (LBS_EXTENDEDSEL or LBS_MULTIPLESEL).
    // nIndex -1 selects or clears every line at once.
    int SetSel(int nIndex, BOOL bSelect = TRUE)
    {
        return static_cast<int>(SendMessage(LB_SETSEL, static_cast<WPARAM>(bSelect), static_cast<LPARAM>(nIndex)));
    }
    // Positive when the line is selected, 0 when not, LB_ERR for no line.
    int GetSel(int nIndex) const { return static_cast<int>(SendMessage(LB_GETSEL, static_cast<WPARAM>(nIndex))); }
    int GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
    // The indices of up to nMaxItems selected lines, ascending; their number.
    int GetSelItems(int nMaxItems, LPINT rgIndex) const
    {
        return static_cast<int>(
            SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(nMaxItems), reinterpret_cast<LPARAM>(rgIndex)));
    }
    // Lines nFirstItem to nLastItem, both included.
    int SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem);

    // Multi-column lists: the width of every column, in pixels.
    void SetColumnWidth(int cxWidth) { SendMessage(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(cxWidth)); }
    // How far a one-column list scrolls sideways, in pixels.
    void SetHorizontalExtent(int cxExtent) { SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(cxExtent)); }
    int GetHorizontalExtent() const { return static_cast<int>(SendMessage(LB_GETHORIZONTALEXTENT)); }
};

// The header over the columns of a list: items with a text, a width and an
// alignment (HDITEM with HDI_ and HDF_ values). The common controls are
// registered on the first Create.
class CHeaderCtrl : public CWnd {
public:
    // dwStyle: WS_CHILD, WS_VISIBLE and HDS_ or CCS_ styles.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
    // The new item's position, -1 when it could not be inserted.
    int InsertItem(int nPos, HDITEMA* phdi)
    {
        return static_cast<int>(
            SendMessage(HDM_INSERTITEMA, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(phdi)));
    }
    BOOL DeleteItem(int nPos) { return static_cast<BOOL>(SendMessage(HDM_DELETEITEM, static_cast<WPARAM>(nPos))); }
    BOOL GetItem(int nPos, HDITEMA* pHeaderItem) const
    {
        return static_cast<BOOL>(
            SendMessage(HDM_GETITEMA, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem)));
    }
    BOOL SetItem(int nPos, HDITEMA* pHeaderItem)
    {
        return static_cast<BOOL>(
            SendMessage(HDM_SETITEMA, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem)));
    }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return static_cast<BOOL>(
            SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
    }
    BOOL Layout(HDLAYOUT* pHeaderLayout)
    {
        return static_cast<BOOL>(SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(pHeaderLayout)));
    }
};

#endif
