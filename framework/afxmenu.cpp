#include "afxwin.h"

CMenu::~CMenu()
{
    if (m_bOwned)
        DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    return AfxKeptWrapper(hMenu, &CMenu::m_hMenu);
}

BOOL CMenu::Own(HMENU hMenu)
{
    m_hMenu = hMenu;
    m_bOwned = hMenu != nullptr;
    return m_bOwned;
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCEA(nIDResource));
}

BOOL CMenu::LoadMenu(const char* lpszResourceName)
{
    return !m_hMenu && Own(::LoadMenuA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::CreateMenu()
{
    return !m_hMenu && Own(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return !m_hMenu && Own(::CreatePopupMenu());
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    BOOL ok = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    m_bOwned = false;
    return ok;
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (!hMenu || m_hMenu)
        return FALSE;
    m_hMenu = hMenu;
    m_bOwned = false;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    m_hMenu = nullptr;
    m_bOwned = false;
    return hMenu;
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int length = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    char* buffer = rString.GetBuffer(length);
    ::GetMenuStringA(m_hMenu, nIDItem, buffer, length + 1, nFlags);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, const RECT* lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->m_hWnd : nullptr, lpRect);
}

BOOL AfxIsContextMenuKey(const MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN && pMsg->message != WM_SYSKEYDOWN)
        return FALSE;
    if (pMsg->wParam == VK_APPS)
        return TRUE;
    return pMsg->wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

BOOL AfxPreTranslateContextMenuKey(const MSG* pMsg)
{
    // The system may make its own WM_CONTEXTMENU when the menu key comes
    // up; that key's release is used up too, so one press opens one menu.
    if ((pMsg->message == WM_KEYUP || pMsg->message == WM_SYSKEYUP) && pMsg->wParam == VK_APPS)
        return TRUE;
    if (!AfxIsContextMenuKey(pMsg))
        return FALSE;
    ::SendMessageA(pMsg->hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pMsg->hwnd), MAKELPARAM(-1, -1));
    return TRUE;
}
