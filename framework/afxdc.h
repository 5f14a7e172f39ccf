// Drawing: rectangles and sizes, device contexts (screen, printer and
// metafile alike) and fonts. A CDC used for printing says so (IsPrinting),
// so that a view's drawing code can tell a page from the window.
#ifndef TAMREL_AFXDC_H
#define TAMREL_AFXDC_H

#include <windows.h>

#include "afxstr.h"

class CWnd;

struct CSize : public SIZE {
    CSize() { cx = cy = 0; }
    CSize(int x, int y) { cx = x; cy = y; }
    CSize(const SIZE& size) { cx = size.cx; cy = size.cy; }
};

struct CRect : public RECT {
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) { SetRect(l, t, r, b); }
    CRect(const RECT& rect) { SetRect(rect.left, rect.top, rect.right, rect.bottom); }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    void SetRect(int l, int t, int r, int b)
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    void OffsetRect(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    operator LPRECT() { return this; }
    operator const RECT*() const { return this; }
};

class CFont;

class CDC {
public:
    CDC() : m_hDC(nullptr), m_bPrinting(FALSE) {}
    virtual ~CDC();

    HDC m_hDC;
    // Set for the pages of a print job and of print preview.
    BOOL m_bPrinting;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    BOOL IsPrinting() const { return m_bPrinting; }

    // A DC made by CreateDC or Attach belongs to this object and goes with it;
    // Detach hands it back.
    BOOL CreateDC(const char* lpszDriverName, const char* lpszDeviceName, const char* lpszOutput,
                  const DEVMODEA* lpInitData);
    BOOL Attach(HDC hDC);
    HDC Detach();
    BOOL DeleteDC();

    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hDC, nIndex); }
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }

    HGDIOBJ SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }
    // The font that was selected before, as a FromHandle wrapper.
    CFont* SelectObject(CFont* pFont);
    HGDIOBJ SelectStockObject(int nIndex) { return ::SelectObject(m_hDC, ::GetStockObject(nIndex)); }

    int SetMapMode(int nMapMode) { return ::SetMapMode(m_hDC, nMapMode); }
    int GetMapMode() const { return ::GetMapMode(m_hDC); }
    void DPtoLP(LPRECT lpRect) const { ::DPtoLP(m_hDC, reinterpret_cast<LPPOINT>(lpRect), 2); }
    void LPtoDP(LPRECT lpRect) const { ::LPtoDP(m_hDC, reinterpret_cast<LPPOINT>(lpRect), 2); }
    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }

    BOOL GetTextMetrics(LPTEXTMETRICA lpMetrics) const { return ::GetTextMetricsA(m_hDC, lpMetrics); }
    CSize GetTextExtent(const char* lpszString, int nCount) const;
    // Tabs stop every eight average character widths from nTabOrigin.
    CSize GetTabbedTextExtent(const char* lpszString, int nCount) const;
    BOOL TextOut(int x, int y, const char* lpszString, int nCount);
    CSize TabbedTextOut(int x, int y, const char* lpszString, int nCount, int nTabOrigin);
    void FillSolidRect(const RECT& rect, COLORREF color);

    int StartDoc(const DOCINFOA* lpDocInfo) { return ::StartDocA(m_hDC, lpDocInfo); }
    int StartPage() { return ::StartPage(m_hDC); }
    int EndPage() { return ::EndPage(m_hDC); }
    int EndDoc() { return ::EndDoc(m_hDC); }
    int AbortDoc() { return ::AbortDoc(m_hDC); }
    int SetAbortProc(ABORTPROC lpfn) { return ::SetAbortProc(m_hDC, lpfn); }

private:
    bool m_bOwned = false;

    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC();
    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};

// A font handle. Wrappers from FromHandle hold the handle only and are kept
// for the program's life, so a stock font can be passed around by pointer.
class CFont {
public:
    CFont() : m_hObject(nullptr) {}
    ~CFont();
    HFONT m_hObject;
    operator HFONT() const { return m_hObject; }
    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont);
    BOOL DeleteObject();
    int GetLogFont(LOGFONTA* pLogFont) const;
    static CFont* FromHandle(HFONT hFont);

private:
    bool m_bOwned = false;
};

#endif
