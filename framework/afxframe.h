// CFrameWnd: the main window of a document program. It carries the menu and
// accelerators of its resource id, holds the view in its client area, and
// routes commands to the view (and through it the document), itself and
// the application.
#ifndef TAMREL_AFXFRAME_H
#define TAMREL_AFXFRAME_H

#include <vector>

#include "afxres.h"
#include "afxwnd.h"

class CControlBar;
class CDocument;
class CDocTemplate;
class CView;

// Frame style, taken out before the window is made: the caption shows the
// active document's title beside the application's.
const DWORD FWS_ADDTOTITLE = 0x00008000;

// What a template hands to the frame it creates, so that the frame can make
// the view and attach it to the document.
struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
};

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();

    // The application title: the first line of the resource's document string.
    CString m_strTitle;
    HACCEL m_hAccelTable;
    UINT m_nIDHelp;

    // Creates the window hidden, with menu, accelerators, icon and title
    // from nIDResource; the context's view is created in the client area.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW, CWnd* pParentWnd = nullptr,
                           CCreateContext* pContext = nullptr);
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew);
    virtual CDocument* GetActiveDocument();

    // Gives the frame's views their initial update, then shows the frame.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);
    // Caption: "document title - application title".
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    // The caption follows at the next idle time.
    void DelayUpdateFrameTitle() { m_bTitleStale = true; }
    // Lays the visible control bars along the top and bottom edges, in
    // the order they joined, and gives the view (RepositionClient) the
    // rectangle they leave.
    virtual void RecalcLayout();
    // Places the bars in rect and takes their room out of it.
    void RepositionBars(RECT& rect);
    virtual void RepositionClient(const RECT& rect);
    // Idle time: the caption, then every visible bar's items.
    virtual void OnIdleUpdateCmdUI();

    // The bars along the frame's edges; bars join when they are created.
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    CControlBar* GetControlBar(UINT nID) const;
    const std::vector<CControlBar*>& GetControlBars() const { return m_listControlBars; }
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay = FALSE);

    // View Toolbar and View Status Bar: the bar whose id is the command's
    // shows or hides, and the menu item is checked while it shows.
    afx_msg void OnBarCheck(UINT nID);
    // The status bar's message pane: a menu item's prompt while the menu
    // is open, the idle message ("Ready") once it closes.
    CWnd* GetMessageBar() const;
    void SetMessageText(const char* lpszText);
    void SetMessageText(UINT nID);
    CString GetIdleMessage() const;
    // Each dropped file opens as if chosen in the Open dialog.
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnExitMenuLoop(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    // A toolbar button's tip: the text after "\n" of its command's prompt.
    afx_msg void OnToolTipTextA(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnToolTipTextW(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);

protected:
    virtual void PostNcDestroy();
    // The icon of nIDResource, when there is one, for the caption and task list.
    void LoadFrameIcon(UINT nIDResource);
    // WM_CREATE: the window's own creation, then the client from the context.
    int CreateWithContext(LPCREATESTRUCT lpCreateStruct, CCreateContext* pContext);

    CView* m_pViewActive;
    bool m_bTitleStale;
    std::vector<CControlBar*> m_listControlBars;

    DECLARE_MESSAGE_MAP()
};

#endif
