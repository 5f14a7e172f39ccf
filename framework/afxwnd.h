// CWnd: a C++ object bound to a window handle. Windows that the framework
// creates, and controls that a dialog binds, are subclassed so that their
// messages reach WindowProc and the object's message map; anything not
// handled there goes on to the window's original procedure.
#ifndef TAMREL_AFXWND_H
#define TAMREL_AFXWND_H

#include <windows.h>

#include "afxcmd.h"
#include "afxdc.h"
#include "afxstr.h"

class CFrameWnd;
class CDataExchange;
class CScrollBar;
struct CCreateContext;

class CWnd : public CCmdTarget {
public:
    CWnd();
    virtual ~CWnd();

    HWND m_hWnd;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object bound to hWnd, or a handle-only wrapper that lives until
    // the application's next idle time.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    static void DeleteTempMap();

    // Binding without subclassing: the object answers FromHandle but sees
    // no messages.
    BOOL Attach(HWND hWnd);
    HWND Detach();

    // Binding with subclassing: the window's messages go through WindowProc.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    BOOL CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, int x, int y,
                  int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL DestroyWindow();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // The default processing of the message now being handled.
    LRESULT Default();

    void SetWindowText(const char* lpszString);
    int GetWindowText(char* lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    BOOL ShowWindow(int nCmdShow);
    void UpdateWindow();
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(const RECT& rect, BOOL bRepaint = TRUE);
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    // Centres a top-level window over its owner (or pAlternateOwner), a
    // child in its parent's client area; kept inside the work area of the
    // owner's monitor. An owner that is hidden or minimised gives way to
    // the work area itself.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void Invalidate(BOOL bErase = TRUE);
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* GetParent() const;
    CFrameWnd* GetParentFrame() const;
    CWnd* GetDlgItem(int nID) const;
    void SetDlgItemText(int nID, const char* lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    HMENU GetMenu() const;
    // Files dropped on the window arrive as WM_DROPFILES.
    void DragAcceptFiles(BOOL bAccept = TRUE);
    int MessageBox(const char* lpszText, const char* lpszCaption = nullptr, UINT nType = MB_OK);

    // Data exchange between members and child controls (afxdlg.cpp), for
    // dialogs and form views alike: DoDataExchange holds the DDX_ and DDV_
    // calls. FALSE when a check failed; the user has been told.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Drawing, scrolling and the mouse (afxwndpaint.cpp): thin calls on
    // this window for the views that draw for themselves.
    void InvalidateRect(const RECT* lpRect, BOOL bErase = TRUE);
    void ValidateRect(const RECT* lpRect);
    BOOL RedrawWindow(const RECT* lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void ScrollWindow(int xAmount, int yAmount, const RECT* lpRect = nullptr, const RECT* lpClipRect = nullptr);
    // nBar is SB_HORZ or SB_VERT; the position set or read is the bar's own.
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    int GetScrollPos(int nBar) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
    // Mouse messages come to this window until ReleaseCapture (the
    // system's) is called.
    CWnd* SetCapture();
    static CWnd* GetCapture();
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // Default handlers of the mouse, scroll and context-menu messages
    // (afxinput.h has their map entries): the window's own behaviour.
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    // The font the window draws its text in, as a FromHandle wrapper.
    CFont* GetFont() const;

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_COMMAND: menus and accelerators (lParam 0) and control notifications.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY: offered to the control that sent it (ON_NOTIFY_REFLECT),
    // then to this window's route (ON_NOTIFY by the control's id and code).
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A control's notification handed back to it by its parent; TRUE when
    // the control took it and the parent is to do nothing more.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Called by the message loop for this window and each parent up to the
    // main window before the message is dispatched; TRUE eats it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Last call after the window is gone; frames and views delete themselves.
    virtual void PostNcDestroy();

    // Message-map dispatch of one message; FALSE when no entry takes it.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Default handlers that derived handlers call to get the window's own
    // behaviour.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);

    WNDPROC m_pfnSuper;   // the procedure the window had before we subclassed it

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK AfxCbtHook(int, WPARAM, LPARAM);
    void BindSubclassed(HWND hWnd);
    void OnFinalNcDestroy();
};

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The window that the next CreateWindowEx or dialog creation on this thread
// belongs to; the creation hook binds it before its first message.
void AfxHookWindowCreate(CWnd* pWnd);
void AfxUnhookWindowCreate();

// Light dialog backgrounds: every dialog of the thread, message boxes and
// common dialogs included, paints itself and its statics in these colours.
void AfxSetDialogColors(COLORREF clrBack, COLORREF clrText);

// Window classes of the framework's own windows (procedure: the default,
// replaced by AfxWndProc when created).
extern const char AFX_WNDFRAME_CLASS[];
extern const char AFX_WNDVIEW_CLASS[];
void AfxRegisterFrameworkClasses();

#endif
