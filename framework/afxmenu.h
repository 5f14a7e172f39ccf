// CMenu: a menu handle, for the pop-up menus a window shows at a point.
// TrackPopupMenu sends its WM_INITMENUPOPUP and the chosen command to the
// owner window given; with the frame as owner, the items are enabled and
// checked by the same update handlers as the frame's own menus, and the
// command takes the frame's route (view, document, frame, application).
#ifndef TAMREL_AFXMENU_H
#define TAMREL_AFXMENU_H

#include "afxwnd.h"

class CMenu {
public:
    CMenu() : m_hMenu(nullptr) {}
    // A menu loaded or created by this object is destroyed with it; one
    // attached, or a wrapper from FromHandle, is not.
    ~CMenu();

    HMENU m_hMenu;
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }

    // A wrapper of hMenu that lives as long as the program (menus are few).
    static CMenu* FromHandle(HMENU hMenu);

    BOOL LoadMenu(UINT nIDResource);
    BOOL LoadMenu(const char* lpszResourceName);
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();
    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    // The pop-up at nPos, null when the item there is a command.
    CMenu* GetSubMenu(int nPos) const;
    UINT GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }
    UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
    UINT GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const char* lpszNewItem = nullptr)
    {
        return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
    }
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, const char* lpszNewItem = nullptr)
    {
        return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
    }
    BOOL DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
    BOOL RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }
    DWORD CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }

    // Shows this pop-up at x, y (screen coordinates) for pWnd, which gets
    // its messages and the command chosen; returns when the menu closes.
    // With TPM_RETURNCMD the command is returned instead of sent.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, const RECT* lpRect = nullptr);

private:
    // Takes a menu this object made; FALSE when there is none.
    BOOL Own(HMENU hMenu);

    bool m_bOwned = false;

    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
};

// The keys that ask for a context menu from the keyboard: the menu key, and
// F10 with Shift held.
BOOL AfxIsContextMenuKey(const MSG* pMsg);

// Turns those keys into WM_CONTEXTMENU for the window they are for, with
// the point (-1, -1) that says "from the keyboard"; the window's default
// handling passes it on to its parent. TRUE when the message was such a key
// (and is used up). Views call it from PreTranslateMessage.
BOOL AfxPreTranslateContextMenuKey(const MSG* pMsg);

#endif
