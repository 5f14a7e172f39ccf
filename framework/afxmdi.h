// Multiple documents: a main frame (CMDIFrameWnd) whose client area is the
// system's MDI client, child frames (CMDIChildWnd) inside it, one per
// window on a document, and the template (CMultiDocTemplate) that makes
// them. The main frame shows its own menu while no document is open and
// the active child's template menu (with the window list under "&Window")
// while one is.
//
// A command from the menu, a toolbar button or an accelerator reaches the
// main frame and goes, in order, to the active child's view, that view's
// document, the child frame, the main frame and the application.
#ifndef TAMREL_AFXMDI_H
#define TAMREL_AFXMDI_H

#include "afxdoc.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();

    HWND m_hWndMDIClient;
    HMENU m_hMenuDefault;   // the frame's own menu, shown while no child is open

    // As CFrameWnd::LoadFrame; FWS_ADDTOTITLE puts the active window's
    // title after the application title in the caption ("App - a.txt"),
    // and while that window is maximized the system shows it in brackets
    // ("App - [a.txt]").
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    // Makes the MDI client.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);

    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDICascade();
    void MDITile(int nType);   // MDITILE_HORIZONTAL or MDITILE_VERTICAL
    void MDIIconArrange();
    void MDINext();
    // The children in the client, in the system's order.
    std::vector<CMDIChildWnd*> GetChildFrames() const;

    // Shows hMenuAlt (a template's) or, when null, the frame's own menu;
    // the system keeps the window list ("1 name", "2 name"..., the active
    // one checked, "More Windows..." past nine) under its "&Window" pop-up.
    void OnUpdateFrameMenu(HMENU hMenuAlt);

    virtual CDocument* GetActiveDocument();
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    virtual void RepositionClient(const RECT& rect);
    virtual void OnIdleUpdateCmdUI();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    afx_msg void OnWindowNew();
    afx_msg void OnMDIWindowCmd(UINT nID);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    afx_msg void OnClose();
    afx_msg void OnDestroy();

protected:
    BOOL m_bAddToTitle;
    CString m_strFrameText;   // the text last given to the frame itself

    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();

    // Creates the child in the main frame's MDI client (pParentWnd, or the
    // application's main window), with the template's icon; the menu and
    // accelerators of nIDResource belong to the template.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    CMDIFrameWnd* GetMDIFrame() const;
    void MDIActivate();
    void MDIDestroy();
    void MDIMaximize();
    void MDIRestore();

    // The template's shared menu, shown by the main frame while this
    // child is active.
    HMENU m_hMenuShared;
    // 0 while the document has one window, else this window's number.
    int m_nWindow;
    // The active child was maximized when this one was made: its first
    // activation maximizes it.
    BOOL m_bJoinMaximized;

    // Caption: the document's title, with ":n" when it has several windows.
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual BOOL DestroyWindow();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // The child's part of the route: view, document, the child itself.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    // Commands that reach the child itself travel the main frame's route.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnMDIActivate(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    // Closing a document's last window closes the document; another of
    // its windows only goes away.
    afx_msg void OnClose();
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()
};

class CMultiDocTemplate : public CDocTemplate {
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    virtual ~CMultiDocTemplate();

    // Every call makes a new document in a new child window; a document
    // that fails to open leaves no window behind.
    virtual CDocument* OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible = TRUE);
    // The document name with a number: "Zodo1", "Zodo2"...
    virtual void SetDefaultTitle(CDocument* pDocument);
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual std::vector<CDocument*> GetDocuments() const { return m_docList; }
    // Numbers the document's windows before the new one shows.
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);

    HMENU m_hMenuShared;
    HACCEL m_hAccelTable;

protected:
    std::vector<CDocument*> m_docList;
    UINT m_nUntitledCount;
};

#endif
