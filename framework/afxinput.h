// Message-map entries of the mouse, keyboard, scroll-bar and context-menu
// messages, for views that draw for themselves and for forms. Each hands
// the handler the message's own values: scroll code, thumb position and
// the bar control (null for the window's own bar); key flags and the point
// in client coordinates (screen coordinates for WM_CONTEXTMENU, where
// (-1, -1) means the keyboard asked).
#ifndef TAMREL_AFXINPUT_H
#define TAMREL_AFXINPUT_H

#include "afxctl.h"

#define AFX_SCROLL_ARGS                 \
    (static_cast<UINT>(LOWORD(wParam)), \
     static_cast<UINT>(HIWORD(wParam)), \
     static_cast<CScrollBar*>(lParam ? CWnd::FromHandle(reinterpret_cast<HWND>(lParam)) : nullptr))
#define AFX_MOUSE_ARGS (static_cast<UINT>(wParam), CPoint(lParam))
#define AFX_KEY_ARGS   (static_cast<UINT>(wParam), static_cast<UINT>(LOWORD(lParam)), static_cast<UINT>(HIWORD(lParam)))

#define ON_WM_VSCROLL()       AFX_MSG_ENTRY(WM_VSCROLL, OnVScroll, void, (UINT, UINT, CScrollBar*), AFX_SCROLL_ARGS)
#define ON_WM_HSCROLL()       AFX_MSG_ENTRY(WM_HSCROLL, OnHScroll, void, (UINT, UINT, CScrollBar*), AFX_SCROLL_ARGS)
#define ON_WM_LBUTTONDOWN()   AFX_MSG_ENTRY(WM_LBUTTONDOWN, OnLButtonDown, void, (UINT, CPoint), AFX_MOUSE_ARGS)
#define ON_WM_LBUTTONUP()     AFX_MSG_ENTRY(WM_LBUTTONUP, OnLButtonUp, void, (UINT, CPoint), AFX_MOUSE_ARGS)
#define ON_WM_LBUTTONDBLCLK() AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk, void, (UINT, CPoint), AFX_MOUSE_ARGS)
#define ON_WM_RBUTTONDOWN()   AFX_MSG_ENTRY(WM_RBUTTONDOWN, OnRButtonDown, void, (UINT, CPoint), AFX_MOUSE_ARGS)
#define ON_WM_MOUSEMOVE()     AFX_MSG_ENTRY(WM_MOUSEMOVE, OnMouseMove, void, (UINT, CPoint), AFX_MOUSE_ARGS)
#define ON_WM_KEYDOWN()       AFX_MSG_ENTRY(WM_KEYDOWN, OnKeyDown, void, (UINT, UINT, UINT), AFX_KEY_ARGS)
#define ON_WM_CHAR()          AFX_MSG_ENTRY(WM_CHAR, OnChar, void, (UINT, UINT, UINT), AFX_KEY_ARGS)
#define ON_WM_CONTEXTMENU()        \
    AFX_MSG_ENTRY(WM_CONTEXTMENU,  \
                  OnContextMenu,   \
                  void,            \
                  (CWnd*, CPoint), \
                  (CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), CPoint(lParam)))

#endif
