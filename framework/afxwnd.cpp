#include "afxwin.h"

#include <shellapi.h>

#include <map>

const char AFX_WNDFRAME_CLASS[] = "TamrelFrame";
const char AFX_WNDVIEW_CLASS[] = "TamrelView";

namespace {
// The program has one thread, so one set of maps serves it.
std::map<HWND, CWnd*> g_permanentMap;
std::map<HWND, CWnd*> g_temporaryMap;

HHOOK g_createHook = nullptr;
CWnd* g_pWndInit = nullptr;

// The message being handled, for CWnd::Default.
MSG g_currentMsg = {};

HBRUSH g_dialogBrush = nullptr;
COLORREF g_dialogBack = 0;
COLORREF g_dialogText = 0;
const char kGreyProcProp[] = "TamrelGreyProc";

bool IsDialogWindow(HWND hWnd)
{
    char name[16] = "";
    GetClassNameA(hWnd, name, sizeof(name));
    return lstrcmpA(name, "#32770") == 0;
}

// Sits under every dialog of the thread (system message boxes too, which no
// CWnd ever sees) and answers the colour questions.
LRESULT CALLBACK GreyDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC next = reinterpret_cast<WNDPROC>(GetPropA(hWnd, kGreyProcProp));
    switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORMSGBOX:
        if (g_dialogBrush) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, g_dialogBack);
            SetTextColor(dc, g_dialogText);
            return reinterpret_cast<LRESULT>(g_dialogBrush);
        }
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
        RemovePropA(hWnd, kGreyProcProp);
        break;
    }
    return CallWindowProcA(next, hWnd, message, wParam, lParam);
}

void EnsureCreateHook();
}

LRESULT CALLBACK AfxCbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        if (g_dialogBrush && IsDialogWindow(hWnd)) {
            LONG_PTR old = SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GreyDialogProc));
            SetPropA(hWnd, kGreyProcProp, reinterpret_cast<HANDLE>(old));
        }
        if (g_pWndInit) {
            CWnd* pWnd = g_pWndInit;
            g_pWndInit = nullptr;
            pWnd->BindSubclassed(hWnd);
        }
    }
    return CallNextHookEx(g_createHook, code, wParam, lParam);
}

namespace {
void EnsureCreateHook()
{
    if (!g_createHook)
        g_createHook = SetWindowsHookExA(WH_CBT, &AfxCbtHook, nullptr, GetCurrentThreadId());
}
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    EnsureCreateHook();
    g_pWndInit = pWnd;
}

void AfxUnhookWindowCreate()
{
    g_pWndInit = nullptr;
}

void AfxSetDialogColors(COLORREF clrBack, COLORREF clrText)
{
    EnsureCreateHook();
    if (g_dialogBrush)
        DeleteObject(g_dialogBrush);
    g_dialogBrush = CreateSolidBrush(clrBack);
    g_dialogBack = clrBack;
    g_dialogText = clrText;
}

void AfxRegisterFrameworkClasses()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.style = CS_DBLCLKS;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = AFX_WNDFRAME_CLASS;
    RegisterClassA(&wc);
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpszClassName = AFX_WNDVIEW_CLASS;
    RegisterClassA(&wc);
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return DefWindowProcA(hWnd, message, wParam, lParam);
    MSG saved = g_currentMsg;
    g_currentMsg.hwnd = hWnd;
    g_currentMsg.message = message;
    g_currentMsg.wParam = wParam;
    g_currentMsg.lParam = lParam;
    LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    g_currentMsg = saved;
    if (message == WM_NCDESTROY)
        pWnd->OnFinalNcDestroy();
    return result;
}

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr) {}

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        HWND hWnd = m_hWnd;
        if (m_pfnSuper)
            UnsubclassWindow();
        else
            Detach();
        ::DestroyWindow(hWnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    auto it = g_permanentMap.find(hWnd);
    return it == g_permanentMap.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    CWnd*& temp = g_temporaryMap[hWnd];
    if (!temp) {
        temp = new CWnd;
        temp->m_hWnd = hWnd;
    }
    return temp;
}

void CWnd::DeleteTempMap()
{
    for (auto& entry : g_temporaryMap) {
        entry.second->m_hWnd = nullptr;
        delete entry.second;
    }
    g_temporaryMap.clear();
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (!hWnd || m_hWnd)
        return FALSE;
    m_hWnd = hWnd;
    g_permanentMap[hWnd] = this;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd) {
        auto it = g_permanentMap.find(hWnd);
        if (it != g_permanentMap.end() && it->second == this)
            g_permanentMap.erase(it);
    }
    m_hWnd = nullptr;
    return hWnd;
}

void CWnd::BindSubclassed(HWND hWnd)
{
    Attach(hWnd);
    m_pfnSuper =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || m_hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    BindSubclassed(hWnd);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    return pParent ? SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID))) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd && m_pfnSuper && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == &AfxWndProc)
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

void CWnd::OnFinalNcDestroy()
{
    UnsubclassWindow();
    PostNcDestroy();
}

void CWnd::PostNcDestroy() {}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    // The framework's classes may be named before anything registered them.
    AfxRegisterFrameworkClasses();
    if (!cs.lpszClass)
        cs.lpszClass = AFX_WNDVIEW_CLASS;
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
        return FALSE;
    AfxHookWindowCreate(this);
    HWND hWnd = CreateWindowExA(cs.dwExStyle,
                                cs.lpszClass,
                                cs.lpszName,
                                cs.style,
                                cs.x,
                                cs.y,
                                cs.cx,
                                cs.cy,
                                cs.hwndParent,
                                cs.hMenu,
                                cs.hInstance,
                                cs.lpCreateParams);
    AfxUnhookWindowCreate();
    return hWnd != nullptr && m_hWnd == hWnd;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle,
                    lpszClassName,
                    lpszWindowName,
                    dwStyle,
                    rect.left,
                    rect.top,
                    rect.right - rect.left,
                    rect.bottom - rect.top,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)),
                    lpParam);
}

BOOL CWnd::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(
        0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, static_cast<LPVOID>(pContext));
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(g_currentMsg.message, g_currentMsg.wParam, g_currentMsg.lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    *pResult = 0;
    if (message == WM_COMMAND)
        return OnCommand(wParam, lParam);
    if (message == WM_NOTIFY)
        return OnNotify(wParam, lParam, pResult);
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message);
    if (!entry)
        return FALSE;
    *pResult = entry->pfnDispatch(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    int nCode = HIWORD(wParam);
    if (lParam == 0) {
        // A menu item or accelerator: a command that is disabled now (no
        // handler, or its update handler says so) does not run.
        nCode = CN_COMMAND;
        CCmdUI state;
        state.m_nID = nID;
        state.DoUpdate(this, TRUE);
        if (!state.m_bEnabled)
            return TRUE;
    } else {
        // A control's notification goes back to the control first.
        CWnd* pChild = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
        LRESULT result = 0;
        if (pChild && pChild != this && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, &result))
            return TRUE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (!pNMHDR)
        return FALSE;
    CWnd* pChild = FromHandlePermanent(pNMHDR->hwndFrom);
    if (pChild && pChild != this && pChild->OnChildNotify(WM_NOTIFY, pNMHDR->idFrom, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pNMHDR, pResult};
    return OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), AfxNotifyCode(pNMHDR->code), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY) {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify = {pNMHDR, pResult};
        return OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), AfxReflectNotifyCode(pNMHDR->code), &notify, nullptr);
    }
    if (message == WM_COMMAND)
        return OnCmdMsg(LOWORD(wParam), AfxReflectCommandCode(HIWORD(wParam)), nullptr, nullptr);
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}
void CWnd::OnDestroy()
{
    Default();
}
void CWnd::OnClose()
{
    Default();
}
void CWnd::OnPaint()
{
    Default();
}
void CWnd::OnSize(UINT, int, int)
{
    Default();
}
void CWnd::OnSetFocus(CWnd*)
{
    Default();
}

void CWnd::SetWindowText(const char* lpszString)
{
    ::SetWindowTextA(m_hWnd, lpszString);
}

int CWnd::GetWindowText(char* lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const
{
    int length = GetWindowTextLength();
    char* buffer = rString.GetBuffer(length);
    ::GetWindowTextA(m_hWnd, buffer, length + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetWindowTextLength() const
{
    return ::GetWindowTextLengthA(m_hWnd);
}
BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}
void CWnd::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}
BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}
BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}
BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(const RECT& rect, BOOL bRepaint)
{
    MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, bRepaint);
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    ::GetClientRect(m_hWnd, lpRect);
}
void CWnd::GetWindowRect(LPRECT lpRect) const
{
    ::GetWindowRect(m_hWnd, lpRect);
}
void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    RECT rect;
    ::GetWindowRect(m_hWnd, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    RECT around;
    RECT area;
    if (::GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_CHILD) {
        HWND hParent = ::GetParent(m_hWnd);
        ::GetClientRect(hParent, &around);
        area = around;
        // Child coordinates are the parent's client coordinates already.
        rect.left = around.left + (around.right - around.left - width) / 2;
        rect.top = around.top + (around.bottom - around.top - height) / 2;
    } else {
        HWND hOwner = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
        if (hOwner && (!::IsWindowVisible(hOwner) || ::IsIconic(hOwner)))
            hOwner = nullptr;
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        HMONITOR hMonitor = ::MonitorFromWindow(hOwner ? hOwner : m_hWnd, MONITOR_DEFAULTTOPRIMARY);
        if (hMonitor && ::GetMonitorInfoA(hMonitor, &monitor))
            area = monitor.rcWork;
        else
            ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        if (hOwner)
            ::GetWindowRect(hOwner, &around);
        else
            around = area;
        rect.left = around.left + (around.right - around.left - width) / 2;
        rect.top = around.top + (around.bottom - around.top - height) / 2;
    }
    // Whole on the screen where it fits; its top-left corner where not, so
    // the caption stays in reach.
    if (rect.left + width > area.right)
        rect.left = area.right - width;
    if (rect.left < area.left)
        rect.left = area.left;
    if (rect.top + height > area.bottom)
        rect.top = area.bottom - height;
    if (rect.top < area.top)
        rect.top = area.top;
    ::SetWindowPos(m_hWnd, nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::Invalidate(BOOL bErase)
{
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}
CWnd* CWnd::SetFocus()
{
    return FromHandle(::SetFocus(m_hWnd));
}
CWnd* CWnd::GetFocus()
{
    return FromHandle(::GetFocus());
}
CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd; hWnd = ::GetParent(hWnd)) {
        if (CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(FromHandlePermanent(hWnd)))
            return pFrame;
    }
    return nullptr;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}
void CWnd::SetDlgItemText(int nID, const char* lpszString)
{
    ::SetDlgItemTextA(m_hWnd, nID, lpszString);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hItem = ::GetDlgItem(m_hWnd, nID);
    if (hItem)
        FromHandle(hItem)->GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->m_hObject : nullptr), bRedraw);
}

HMENU CWnd::GetMenu() const
{
    return ::GetMenu(m_hWnd);
}
void CWnd::DragAcceptFiles(BOOL bAccept)
{
    ::DragAcceptFiles(m_hWnd, bAccept);
}

int CWnd::MessageBox(const char* lpszText, const char* lpszCaption, UINT nType)
{
    if (!lpszCaption)
        lpszCaption = AfxGetAppName();
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType);
}
