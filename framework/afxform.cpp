#include "afxwin.h"

#include <cstring>
#include <vector>

namespace {

// The dialog's own procedure; the form's messages have already been through
// its message map, so it leaves everything to the default.
INT_PTR CALLBACK FormDlgProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// A copy of the template fit to live inside a frame: a control child (so
// the frame's Tab order and keys pass through it) without caption, border
// or pop-up style, with a view's sunken edge. Both template layouts
// (DIALOG and DIALOGEX) keep the style words at fixed places.
bool MakeChildTemplate(const void* resource, DWORD size, DWORD dwStyle, std::vector<BYTE>& copy)
{
    if (size < sizeof(DLGTEMPLATE))
        return false;
    copy.assign(static_cast<const BYTE*>(resource), static_cast<const BYTE*>(resource) + size);
    const WORD* words = reinterpret_cast<const WORD*>(copy.data());
    bool extended = words[0] == 1 && words[1] == 0xFFFF;
    size_t styleAt = extended ? 12 : 0;
    size_t exStyleAt = extended ? 8 : 4;
    if (copy.size() < styleAt + sizeof(DWORD) || copy.size() < exStyleAt + sizeof(DWORD))
        return false;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::memcpy(&style, copy.data() + styleAt, sizeof(style));
    std::memcpy(&exStyle, copy.data() + exStyleAt, sizeof(exStyle));
    style &= ~static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_BORDER | WS_VISIBLE |
                                 WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_MODALFRAME | DS_CENTER | DS_SYSMODAL);
    style |= WS_CHILD | DS_CONTROL | (dwStyle & ~static_cast<DWORD>(WS_VISIBLE));
    exStyle |= WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT;
    exStyle &= ~static_cast<DWORD>(WS_EX_DLGMODALFRAME);
    std::memcpy(copy.data() + styleAt, &style, sizeof(style));
    std::memcpy(copy.data() + exStyleAt, &exStyle, sizeof(exStyle));
    return true;
}

}   // namespace

BEGIN_MESSAGE_MAP(CFormView, CView)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CFormView::CFormView(UINT nIDTemplate) : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)) {}

CFormView::CFormView(const char* lpszTemplateName) : m_lpszTemplateName(lpszTemplateName) {}

BOOL CFormView::Create(const char*, const char*, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       CCreateContext* pContext)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = FindResourceA(hInst, m_lpszTemplateName, reinterpret_cast<LPCSTR>(RT_DIALOG));
    HGLOBAL hTemplate = hResource ? LoadResource(hInst, hResource) : nullptr;
    const void* resource = hTemplate ? LockResource(hTemplate) : nullptr;
    std::vector<BYTE> copy;
    if (!resource || !MakeChildTemplate(resource, SizeofResource(hInst, hResource), dwStyle, copy))
        return FALSE;

    AfxHookWindowCreate(this);
    HWND hWnd = CreateDialogIndirectParamA(hInst,
                                           reinterpret_cast<LPCDLGTEMPLATEA>(copy.data()),
                                           pParentWnd ? pParentWnd->m_hWnd : nullptr,
                                           &FormDlgProc,
                                           0);
    AfxUnhookWindowCreate();
    if (!hWnd || m_hWnd != hWnd)
        return FALSE;
    SetWindowLongPtrA(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(nID));
    MoveWindow(rect, FALSE);
    if (pContext && pContext->m_pCurrentDoc)
        pContext->m_pCurrentDoc->AddView(this);
    if (dwStyle & WS_VISIBLE)
        ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CView::OnInitialUpdate();
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    if (AfxPreTranslateContextMenuKey(pMsg))
        return TRUE;
    // The frames' accelerators first: the dialog keys would otherwise take
    // Enter for the default button and keep Delete and F5 in the control.
    for (CFrameWnd* pFrame = GetParentFrame(); pFrame; pFrame = pFrame->GetParentFrame()) {
        if (pFrame->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

void CFormView::OnDraw(CDC*) {}

void CFormView::OnPaint()
{
    // The dialog paints its own background; the controls paint themselves.
    Default();
}
