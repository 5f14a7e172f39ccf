// A multiple-document program on the framework for the end-to-end tests of
// its frames and bars. Each document is a text file shown in an edit view;
// the whole command line, quotes stripped, names the file to open at start
// (then the windows are tiled by a command posted before the message loop
// runs). The main frame has a toolbar (Open, Toggle, Marked) and a status
// bar (message pane, CAP, NUM, SCRL).
#include <cstdio>

#include "afxwin.h"
#include "resource.h"

class CPageDoc : public CDocument {
    DECLARE_DYNCREATE(CPageDoc)
public:
    CString m_strText;
    BOOL m_bMarked = FALSE;

    virtual BOOL OnOpenDocument(const char* lpszPathName)
    {
        if (!CDocument::OnOpenDocument(lpszPathName))
            return FALSE;
        FILE* in = std::fopen(lpszPathName, "rb");
        if (!in) {
            AfxMessageBox(CString("cannot open ") + lpszPathName);
            return FALSE;
        }
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof(buffer), in)) > 0)
            m_strText += CString(buffer, static_cast<int>(got));
        std::fclose(in);
        return TRUE;
    }

    afx_msg void OnToggle() { m_bMarked = !m_bMarked; }
    afx_msg void OnUpdateToggle(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bMarked); }
    afx_msg void OnMarked() {}
    afx_msg void OnUpdateMarked(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bMarked); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CPageDoc, CDocument)

BEGIN_MESSAGE_MAP(CPageDoc, CDocument)
    ON_COMMAND(ID_FIXTURE_TOGGLE, OnToggle)
    ON_UPDATE_COMMAND_UI(ID_FIXTURE_TOGGLE, OnUpdateToggle)
    ON_COMMAND(ID_FIXTURE_MARKED, OnMarked)
    ON_UPDATE_COMMAND_UI(ID_FIXTURE_MARKED, OnUpdateMarked)
END_MESSAGE_MAP()

class CPageView : public CEditView {
    DECLARE_DYNCREATE(CPageView)
public:
    virtual void OnInitialUpdate()
    {
        CPageDoc* pDoc = static_cast<CPageDoc*>(GetDocument());
        SetWindowText(pDoc ? static_cast<const char*>(pDoc->m_strText) : "");
    }
};

IMPLEMENT_DYNCREATE(CPageView, CEditView)

class CMainFrame : public CMDIFrameWnd {
public:
    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnMenuState();
    afx_msg void OnWindowList();
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_FIXTURE_MENUSTATE, OnMenuState)
    ON_COMMAND(ID_FIXTURE_WINDOWLIST, OnWindowList)
END_MESSAGE_MAP()

namespace {
const UINT kButtons[] = {ID_FILE_OPEN, ID_SEPARATOR, ID_FIXTURE_TOGGLE, ID_FIXTURE_MARKED};
const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS, AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadBitmap(IDB_TOOLBAR) || !m_wndToolBar.SetButtons(kButtons, 4))
        return -1;
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, 4))
        return -1;
    return 0;
}

// One line per menu-bar pop-up: its title, then each item as id, "c" when
// checked and "g" when grayed, after the pop-up's update handlers ran as
// they do when the user opens it.
// The directory the program started in: the Open dialog may change the
// current one.
CString g_startDirectory;

void CMainFrame::OnMenuState()
{
    FILE* out = std::fopen(g_startDirectory + "\\menustate.txt", "wb");
    if (!out)
        return;
    HMENU hBar = GetMenu();
    int count = GetMenuItemCount(hBar);
    for (int i = 0; i < count; ++i) {
        HMENU hPopup = GetSubMenu(hBar, i);
        if (!hPopup)
            continue;
        SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), MAKELPARAM(i, FALSE));
        char title[64] = "";
        GetMenuStringA(hBar, static_cast<UINT>(i), title, sizeof(title), MF_BYPOSITION);
        std::fprintf(out, "%s", title);
        for (int j = 0; j < GetMenuItemCount(hPopup); ++j) {
            UINT state = GetMenuState(hPopup, static_cast<UINT>(j), MF_BYPOSITION);
            UINT id = GetMenuItemID(hPopup, j);
            if (id == 0 || id == static_cast<UINT>(-1) || id >= AFX_IDM_FIRST_MDICHILD)
                continue;
            std::fprintf(out, " %u%s%s", id, (state & MF_CHECKED) ? "c" : "", (state & MF_GRAYED) ? "g" : "");
        }
        std::fprintf(out, "\r\n");
    }
    std::fclose(out);
}

// The system keeps the window list in the pop-up itself; the items are
// written as the user would see them, without opening the menu.
void CMainFrame::OnWindowList()
{
    FILE* out = std::fopen(g_startDirectory + "\\windowlist.txt", "wb");
    if (!out)
        return;
    HMENU hBar = GetMenu();
    for (int i = 0; i < GetMenuItemCount(hBar); ++i) {
        char title[64] = "";
        GetMenuStringA(hBar, static_cast<UINT>(i), title, sizeof(title), MF_BYPOSITION);
        HMENU hPopup = GetSubMenu(hBar, i);
        if (!hPopup || lstrcmpA(title, "&Window") != 0)
            continue;
        for (int j = 0; j < GetMenuItemCount(hPopup); ++j) {
            char text[128] = "";
            GetMenuStringA(hPopup, static_cast<UINT>(j), text, sizeof(text), MF_BYPOSITION);
            UINT state = GetMenuState(hPopup, static_cast<UINT>(j), MF_BYPOSITION);
            std::fprintf(out, "%s%s\r\n", (state & MF_CHECKED) ? "c " : "", text);
        }
    }
    std::fprintf(out, "end\r\n");
    std::fclose(out);
}

class CMdiApp : public CWinApp {
public:
    virtual BOOL InitInstance()
    {
        char cwd[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof(cwd), cwd);
        g_startDirectory = cwd;
        m_nQuoteHandling = AFX_QUOTES_STRIP;
        LoadStdProfileSettings(4);
        AddDocTemplate(new CMultiDocTemplate(
            IDR_DOCTYPE, RUNTIME_CLASS(CPageDoc), RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CPageView)));
        CMainFrame* pFrame = new CMainFrame;
        if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
            return FALSE;
        m_pMainWnd = pFrame;
        pFrame->ShowWindow(m_nCmdShow);
        pFrame->UpdateWindow();
        pFrame->DragAcceptFiles(TRUE);
        if (m_lpCmdLine[0] != 0) {
            OpenDocumentFile(m_lpCmdLine);
            pFrame->PostMessage(WM_COMMAND, ID_WINDOW_TILE_HORZ, 0);
        }
        return TRUE;
    }

    afx_msg void OnFileOpenCmd() { OnFileOpen(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMdiApp, CWinApp)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpenCmd)
END_MESSAGE_MAP()

CMdiApp theApp;
