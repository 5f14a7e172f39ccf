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

// A row of bitmap buttons, one per command, with gaps between groups.
// Each button's command is asked at idle time along the frame's route, so
// the button is enabled and checked by the same update handler as the
// command's menu item; with CBRS_TOOLTIPS a button's tool tip is the text
// after "\n" in the string resource of its command id.
class CToolBar : public CControlBar {
public:
    CToolBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    // The images, 16 by 15 pixels each side by side, of the buttons in
    // the order SetButtons lists them (gaps take no image).
    BOOL LoadBitmap(UINT nIDResource);
    // ID_SEPARATOR (0) makes a gap.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

    int GetCount() const;
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nIDFind) const;

    virtual int CalcHeight(int cxAvailable);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler);

private:
    int m_nImages;
};

// A row of panes along the bottom: the first, stretching, shows messages
// (a menu item's prompt while the menu is open, "Ready" otherwise); the
// others are indicators whose update handlers show or blank their text
// (CAP, NUM and SCRL follow the keyboard by the frame's own handlers).
class CStatusBar : public CControlBar {
public:
    CStatusBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    // ID_SEPARATOR gives a pane without an indicator (the message pane);
    // an indicator's text is its string resource, or the framework's own
    // for the keyboard indicators.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nIDFind) const;
    BOOL SetPaneText(int nIndex, const char* lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;
    // An indicator's full text, shown while its update handler enables it.
    CString GetIndicatorText(int nIndex) const;

    virtual int CalcHeight(int cxAvailable);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler);

    afx_msg void OnSize(UINT nType, int cx, int cy);

private:
    void SetParts();
    struct Pane {
        UINT nID;
        CString strText;        // what the pane shows now
        CString strIndicator;   // an indicator's text when enabled
        int cxWidth;
    };
    std::vector<Pane> m_panes;

    DECLARE_MESSAGE_MAP()
};

// The text of a command's prompt resource up to "\n" (the status-bar
// message) or after it (the tool tip); empty when there is none.
CString AfxCommandPrompt(UINT nID);
CString AfxCommandToolTip(UINT nID);

#endif
