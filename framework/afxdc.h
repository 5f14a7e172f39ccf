// Drawing: rectangles and sizes, device contexts (screen, printer and
// metafile alike) and fonts. A CDC used for printing says so (IsPrinting),
// so that a view's drawing code can tell a page from the window.
#ifndef TAMREL_AFXDC_H
#define TAMREL_AFXDC_H

#include <windows.h>

#include <map>
#include <utility>

#include "afxstr.h"

class CWnd;

struct CSize : public SIZE {
    CSize() { cx = cy = 0; }
    CSize(int x, int y)
    {
        cx = x;
        cy = y;
    }
    CSize(const SIZE& size)
    {
        cx = size.cx;
        cy = size.cy;
    }
};

// The wrapper object of a handle (a font, a DC, a menu) that FromHandle
// hands out: made on first use and kept for the program's run, holding the
// handle without owning it. Programs use few such handles.
template <class Wrapper, class Handle>
Wrapper* AfxKeptWrapper(Handle handle, Handle Wrapper::*member)
{
    static std::map<Handle, Wrapper*> wrappers;
    if (!handle)
        return nullptr;
    Wrapper*& wrapper = wrappers[handle];
    if (!wrapper) {
        wrapper = new Wrapper;
        wrapper->*member = handle;
    }
    return wrapper;
}

struct CPoint : public POINT {
    CPoint() { x = y = 0; }
    CPoint(int initX, int initY)
    {
        x = initX;
        y = initY;
    }
    CPoint(const POINT& point)
    {
        x = point.x;
        y = point.y;
    }
    // The x in the low word and the y in the high word, signed, as mouse
    // messages pack them.
    explicit CPoint(LPARAM dwPoint)
    {
        x = static_cast<short>(LOWORD(dwPoint));
        y = static_cast<short>(HIWORD(dwPoint));
    }
    void Offset(int dx, int dy)
    {
        x += dx;
        y += dy;
    }
    bool operator==(const POINT& other) const { return x == other.x && y == other.y; }
    bool operator!=(const POINT& other) const { return !(*this == other); }
    operator LPPOINT() { return this; }
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
    void InflateRect(int dx, int dy)
    {
        left -= dx;
        right += dx;
        top -= dy;
        bottom += dy;
    }
    // Inside: left and top edges included, right and bottom excluded.
    bool PtInRect(POINT point) const
    {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }
    // Left not right of right, top not below bottom.
    void NormalizeRect()
    {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }
    void SetRectEmpty() { left = top = right = bottom = 0; }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    bool operator==(const RECT& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
    bool operator!=(const RECT& other) const { return !(*this == other); }
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
    // A wrapper of hDC that never deletes it (a printer DC that a print
    // dialog owns, say), kept for the program's run like CFont's.
    static CDC* FromHandle(HDC hDC);
    BOOL DeleteDC();

    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hDC, nIndex); }
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }

    HGDIOBJ SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }
    // The font that was selected before, as a FromHandle wrapper. On a
    // printing DC the printer's default font may be replaced by a legible
    // one (AfxLegiblePrinterFont).
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
    BOOL TextOut(int x, int y, const CString& str) { return TextOut(x, y, str, str.GetLength()); }
    CSize GetTextExtent(const CString& str) const { return GetTextExtent(str, str.GetLength()); }
    // Draws text formatted in a rectangle (DT_ flags); the text's height.
    int DrawText(const char* lpszString, int nCount, LPRECT lpRect, UINT nFormat)
    {
        return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat);
    }
    BOOL ExtTextOut(int x, int y, UINT nOptions, const RECT* lpRect, const char* lpszString, int nCount,
                    const int* lpDxWidths = nullptr)
    {
        return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString, static_cast<UINT>(nCount), lpDxWidths);
    }
    UINT SetTextAlign(UINT nFlags) { return ::SetTextAlign(m_hDC, nFlags); }
    int GetTextFace(int nCount, char* lpszFacename) const { return ::GetTextFaceA(m_hDC, nCount, lpszFacename); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    // Inverts the pixels of the rectangle, so a second call restores them.
    void InvertRect(const RECT* lpRect) { ::InvertRect(m_hDC, lpRect); }
    void FillRect(const RECT* lpRect, HBRUSH hBrush) { ::FillRect(m_hDC, lpRect, hBrush); }
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
    {
        return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
    }
    CPoint MoveTo(int x, int y)
    {
        POINT old = {0, 0};
        ::MoveToEx(m_hDC, x, y, &old);
        return CPoint(old);
    }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL Rectangle(const RECT* lpRect)
    {
        return ::Rectangle(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }
    // The rectangle that drawing can reach now, in logical units.
    int GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
    void DPtoLP(LPPOINT lpPoints, int nCount) const { ::DPtoLP(m_hDC, lpPoints, nCount); }
    void LPtoDP(LPPOINT lpPoints, int nCount) const { ::LPtoDP(m_hDC, lpPoints, nCount); }

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

// The client area of a window for drawing outside WM_PAINT (a selection
// inverted while the mouse moves, say); released when the object goes.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC();

private:
    HWND m_hWnd;
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
    // A font of nPointSize tenths of a point for the device of pDC (the
    // screen when null).
    BOOL CreatePointFont(int nPointSize, const char* lpszFaceName, CDC* pDC = nullptr);
    BOOL DeleteObject();
    int GetLogFont(LOGFONTA* pLogFont) const;
    static CFont* FromHandle(HFONT hFont);
    // Takes over a font the caller made (an earlier one is deleted), so a
    // program can make the new font first and keep the old one when that
    // fails. FALSE for a null handle, which leaves the object as it was.
    BOOL Attach(HFONT hFont);
    // Hands the font back to the caller; the object is empty afterwards.
    HFONT Detach();

private:
    bool m_bOwned = false;
};

#endif
