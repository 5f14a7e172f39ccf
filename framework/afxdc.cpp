#include "afxwin.h"

CDC::~CDC()
{
    DeleteDC();
}

BOOL CDC::CreateDC(const char* lpszDriverName, const char* lpszDeviceName, const char* lpszOutput,
                   const DEVMODEA* lpInitData)
{
    DeleteDC();
    HDC hDC = ::CreateDCA(lpszDriverName, lpszDeviceName, lpszOutput, lpInitData);
    return hDC ? Attach(hDC) : FALSE;
}

BOOL CDC::Attach(HDC hDC)
{
    if (!hDC || m_hDC)
        return FALSE;
    m_hDC = hDC;
    m_bOwned = true;
    return TRUE;
}

CDC* CDC::FromHandle(HDC hDC)
{
    return AfxKeptWrapper(hDC, &CDC::m_hDC);
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    m_hDC = nullptr;
    m_bOwned = false;
    return hDC;
}

BOOL CDC::DeleteDC()
{
    BOOL ok = FALSE;
    if (m_hDC && m_bOwned)
        ok = ::DeleteDC(m_hDC);
    if (m_bOwned)
        m_hDC = nullptr;
    m_bOwned = false;
    return ok;
}

CFont* CDC::SelectObject(CFont* pFont)
{
    HFONT hFont = pFont ? pFont->m_hObject : nullptr;
    if (m_bPrinting)
        hFont = AfxLegiblePrinterFont(m_hDC, hFont);
    HGDIOBJ old = ::SelectObject(m_hDC, static_cast<HGDIOBJ>(hFont));
    return old ? CFont::FromHandle(static_cast<HFONT>(old)) : nullptr;
}

CSize CDC::GetTextExtent(const char* lpszString, int nCount) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size);
    return CSize(size);
}

CSize CDC::GetTabbedTextExtent(const char* lpszString, int nCount) const
{
    DWORD extent = ::GetTabbedTextExtentA(m_hDC, lpszString, nCount, 0, nullptr);
    return CSize(LOWORD(extent), HIWORD(extent));
}

BOOL CDC::TextOut(int x, int y, const char* lpszString, int nCount)
{
    return ::TextOutA(m_hDC, x, y, lpszString, nCount);
}

CSize CDC::TabbedTextOut(int x, int y, const char* lpszString, int nCount, int nTabOrigin)
{
    LONG extent = ::TabbedTextOutA(m_hDC, x, y, lpszString, nCount, 0, nullptr, nTabOrigin);
    return CSize(LOWORD(extent), HIWORD(extent));
}

void CDC::FillSolidRect(const RECT& rect, COLORREF color)
{
    COLORREF old = ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    m_hDC = ::GetDC(m_hWnd);
}

CClientDC::~CClientDC()
{
    if (m_hDC)
        ::ReleaseDC(m_hWnd, m_hDC);
    m_hDC = nullptr;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    m_hDC = BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    EndPaint(m_hWnd, &m_ps);
    m_hDC = nullptr;
}

CFont::~CFont()
{
    if (m_bOwned)
        DeleteObject();
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* lpLogFont)
{
    DeleteObject();
    m_hObject = ::CreateFontIndirectA(lpLogFont);
    m_bOwned = m_hObject != nullptr;
    return m_bOwned;
}

BOOL CFont::CreatePointFont(int nPointSize, const char* lpszFaceName, CDC* pDC)
{
    HDC hScreen = nullptr;
    HDC hDC = pDC ? pDC->m_hDC : nullptr;
    if (!hDC)
        hDC = hScreen = ::GetDC(nullptr);
    LOGFONTA lf = {};
    // A negative height asks for the character height without the internal
    // leading, which is what a point size means.
    lf.lfHeight = -MulDiv(nPointSize, ::GetDeviceCaps(hDC, LOGPIXELSY), 720);
    lf.lfCharSet = DEFAULT_CHARSET;
    if (lpszFaceName)
        lstrcpynA(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    if (hScreen)
        ::ReleaseDC(nullptr, hScreen);
    return CreateFontIndirect(&lf);
}

BOOL CFont::Attach(HFONT hFont)
{
    if (!hFont)
        return FALSE;
    if (hFont != m_hObject)
        DeleteObject();
    m_hObject = hFont;
    m_bOwned = true;
    return TRUE;
}

HFONT CFont::Detach()
{
    HFONT hFont = m_hObject;
    m_hObject = nullptr;
    m_bOwned = false;
    return hFont;
}

BOOL CFont::DeleteObject()
{
    BOOL ok = FALSE;
    if (m_hObject && m_bOwned)
        ok = ::DeleteObject(static_cast<HGDIOBJ>(m_hObject));
    m_hObject = nullptr;
    m_bOwned = false;
    return ok;
}

int CFont::GetLogFont(LOGFONTA* pLogFont) const
{
    return ::GetObjectA(m_hObject, sizeof(LOGFONTA), pLogFont);
}

CFont* CFont::FromHandle(HFONT hFont)
{
    return AfxKeptWrapper(hFont, &CFont::m_hObject);
}
