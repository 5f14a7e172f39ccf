// Control bars: windows along an edge of a frame (toolbar, status bar, the
// print preview's buttons). The frame keeps a list of its bars, lays them
// out along its top and bottom edges and gives its view what they leave
// (CFrameWnd::RecalcLayout), and at idle time asks each bar to bring its
// items up to date through the same update handlers as the menus.
#ifndef TAMREL_AFXBAR_H
#define TAMREL_AFXBAR_H

#include <vector>

#include "afxwnd.h"

class CFrameWnd;

// Bar styles: the edge a bar sits on, and tool tips for a toolbar.
const DWORD CBRS_TOP = 0x2000;
const DWORD CBRS_BOTTOM = 0x8000;
const DWORD CBRS_TOOLTIPS = 0x0010;
const DWORD CBRS_ALIGN_ANY = CBRS_TOP | CBRS_BOTTOM;

// Child ids of a frame's standard bars (also the View menu's commands that
// show and hide them).
const UINT AFX_IDW_TOOLBAR = 0xE800;      // 59392
const UINT AFX_IDW_STATUS_BAR = 0xE801;   // 59393
const UINT AFX_IDW_PREVIEW_BAR = 0xE805;

class CControlBar : public CWnd {
public:
    CControlBar();
    virtual ~CControlBar();

    // CBRS_ styles of the bar (its edge), kept apart from the window style.
    DWORD m_dwStyle;
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }

    // Height the bar takes on its edge when given the frame's client width.
    virtual int CalcHeight(int cxAvailable);
    // Brings every item of the bar up to date: each one's command asked
    // along pTarget's route, as a menu item is when its menu opens.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler);

    // Joins the frame's bar list; the window must exist and be its child.
    void AttachToFrame(CFrameWnd* pFrame);
    CFrameWnd* GetDockingFrame() const { return m_pFrame; }

    // Commands from the bar's buttons travel the frame's route.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();

protected:
    friend class CFrameWnd;
    virtual void PostNcDestroy();
    CFrameWnd* m_pFrame;
    bool m_bAutoDelete;   // bars the framework made itself delete themselves

    DECLARE_MESSAGE_MAP()
};

#endif
