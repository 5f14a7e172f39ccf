#include "afxwin.h"

#include <algorithm>

namespace {
// Numbers the windows of a document ":1", ":2"... while it has more than
// one, and lets their captions follow.
void UpdateFrameCounts(CDocument* pDoc)
{
    if (!pDoc)
        return;
    std::vector<CFrameWnd*> frames = pDoc->GetFrames();
    int number = 0;
    for (CFrameWnd* pFrame : frames) {
        CMDIChildWnd* pChild = dynamic_cast<CMDIChildWnd*>(pFrame);
        if (!pChild)
            continue;
        ++number;
        int wanted = frames.size() > 1 ? number : 0;
        if (pChild->m_nWindow != wanted) {
            pChild->m_nWindow = wanted;
            pChild->OnUpdateFrameTitle(TRUE);
        }
    }
}

// The "&Window" pop-up of a menu, where the window list goes.
HMENU FindWindowMenu(HMENU hMenu)
{
    if (!hMenu)
        return nullptr;
    int count = GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        char text[64] = "";
        GetMenuStringA(hMenu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
        if (lstrcmpA(text, "&Window") == 0)
            return GetSubMenu(hMenu, i);
    }
    return nullptr;
}
}   // namespace

// ------------------------------------------------------------ main frame

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
    ON_COMMAND_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_NEW, ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
    ON_WM_CLOSE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(nullptr), m_hMenuDefault(nullptr), m_bAddToTitle(FALSE) {}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_bAddToTitle = (dwDefaultStyle & FWS_ADDTOTITLE) != 0;
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle | WS_CLIPCHILDREN, pParentWnd, pContext))
        return FALSE;
    m_hMenuDefault = GetMenu();
    return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    CLIENTCREATESTRUCT ccs = {};
    ccs.hWindowMenu = FindWindowMenu(lpcs->hMenu);
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    RECT rect;
    GetClientRect(&rect);
    m_hWndMDIClient = CreateWindowExA(WS_EX_CLIENTEDGE,
                                      "MDICLIENT",
                                      nullptr,
                                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL,
                                      0,
                                      0,
                                      rect.right,
                                      rect.bottom,
                                      m_hWnd,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                      AfxGetInstanceHandle(),
                                      &ccs);
    return m_hWndMDIClient != nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL maximized = FALSE;
    HWND hChild = m_hWndMDIClient ? reinterpret_cast<HWND>(::SendMessageA(
                                        m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)))
                                  : nullptr;
    if (pbMaximized)
        *pbMaximized = maximized;
    return dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(hChild));
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    if (pWndActivate)
        ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->m_hWnd), 0);
}

void CMDIFrameWnd::MDICascade()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}
void CMDIFrameWnd::MDITile(int nType)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(nType), 0);
}
void CMDIFrameWnd::MDIIconArrange()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}
void CMDIFrameWnd::MDINext()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::GetChildFrames() const
{
    std::vector<CMDIChildWnd*> children;
    for (HWND hChild = m_hWndMDIClient ? ::GetWindow(m_hWndMDIClient, GW_CHILD) : nullptr; hChild;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (CMDIChildWnd* pChild = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(hChild)))
            children.push_back(pChild);
    }
    return children;
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    HMENU hMenu = hMenuAlt ? hMenuAlt : m_hMenuDefault;
    if (!m_hWndMDIClient || !hMenu)
        return;
    // A maximized child adds its own items to the menu bar; the bar is
    // compared through the client's answer, not by handle alone.
    if (GetMenu() != hMenu) {
        ::SendMessageA(m_hWndMDIClient,
                       WM_MDISETMENU,
                       reinterpret_cast<WPARAM>(hMenu),
                       reinterpret_cast<LPARAM>(FindWindowMenu(hMenu)));
        // The new Window pop-up lists the children that are already open.
        ::SendMessageA(m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
        ::DrawMenuBar(m_hWnd);
    }
}

CDocument* CMDIFrameWnd::GetActiveDocument()
{
    CMDIChildWnd* pChild = MDIGetActive();
    return pChild ? pChild->GetActiveDocument() : nullptr;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    BOOL maximized = FALSE;
    CMDIChildWnd* pChild = MDIGetActive(&maximized);
    // The frame's own text is the application title, with the active
    // window's title after it. While a child is maximized the system shows
    // that child's title in brackets after the frame's text, so the frame's
    // text is then the application title alone.
    CString title = m_strTitle;
    if (bAddToTitle && m_bAddToTitle && pChild && !maximized) {
        CString childTitle;
        pChild->GetWindowText(childTitle);
        if (!childTitle.IsEmpty())
            title = m_strTitle + " - " + childTitle;
    }
    CString current;
    GetWindowText(current);
    BOOL shown = maximized ? current.Left(title.GetLength()) == title : current == title;
    if (title != m_strFrameText || !shown) {
        m_strFrameText = title;
        SetWindowText(title);
    }
    m_bTitleStale = false;
}

void CMDIFrameWnd::RepositionClient(const RECT& rect)
{
    if (m_hWndMDIClient)
        ::MoveWindow(m_hWndMDIClient, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void CMDIFrameWnd::OnIdleUpdateCmdUI()
{
    CMDIChildWnd* pChild = MDIGetActive();
    OnUpdateFrameMenu(pChild ? pChild->m_hMenuShared : nullptr);
    if (pChild)
        pChild->OnIdleUpdateCmdUI();
    OnUpdateFrameTitle(TRUE);
    CFrameWnd::OnIdleUpdateCmdUI();
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    // The system keys of the children (Ctrl+F4, Ctrl+F6), then the active
    // document's accelerators, then the frame's own.
    if (m_hWndMDIClient && TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    CMDIChildWnd* pChild = MDIGetActive();
    if (pChild && pChild->m_hAccelTable && TranslateAcceleratorA(m_hWnd, pChild->m_hAccelTable, pMsg))
        return TRUE;
    return m_hAccelTable && TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CMDIChildWnd* pChild = MDIGetActive();
    if (pChild && pChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The window list's items activate their child through the system.
    if (lParam == 0 && LOWORD(wParam) >= AFX_IDM_FIRST_MDICHILD) {
        DefWindowProc(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return CFrameWnd::OnCommand(wParam, lParam);
}

void CMDIFrameWnd::OnWindowNew()
{
    CMDIChildWnd* pActive = MDIGetActive();
    CDocument* pDoc = pActive ? pActive->GetActiveDocument() : nullptr;
    CDocTemplate* pTemplate = pDoc ? pDoc->GetDocTemplate() : nullptr;
    if (!pTemplate)
        return;
    CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDoc, pActive);
    if (!pFrame)
        return;
    pTemplate->InitialUpdateFrame(pFrame, pDoc, TRUE);
}

void CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    switch (nID) {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        break;
    case ID_WINDOW_CASCADE:
        MDICascade();
        break;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        break;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        break;
    }
    // Tiled and cascaded children fit the client; a scroll bar the client
    // still shows from before (a child that overflowed it) has no use.
    if (nID != ID_WINDOW_ARRANGE)
        ::ShowScrollBar(m_hWndMDIClient, SB_BOTH, FALSE);
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr);
}

void CMDIFrameWnd::OnClose()
{
    // Every document goes first; one that refuses keeps the program up.
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this && !pApp->CloseAllDocuments(FALSE))
        return;
    DestroyWindow();
}

void CMDIFrameWnd::OnDestroy()
{
    // The menu bar may show a template's menu, which the template owns.
    if (m_hMenuDefault && GetMenu() != m_hMenuDefault) {
        ::SetMenu(m_hWnd, m_hMenuDefault);
    }
    CFrameWnd::OnDestroy();
}

// ------------------------------------------------------------ child frame

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivate)
    ON_WM_SETFOCUS()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(nullptr), m_nWindow(0), m_bJoinMaximized(FALSE) {}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    CMDIFrameWnd* pMain = dynamic_cast<CMDIFrameWnd*>(pParentWnd ? pParentWnd : AfxGetMainWnd());
    if (!pMain || !pMain->m_hWndMDIClient)
        return FALSE;
    AfxRegisterFrameworkClasses();
    m_nIDHelp = nIDResource;
    CMultiDocTemplate* pTemplate = pContext ? dynamic_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate) : nullptr;
    if (pTemplate) {
        m_hMenuShared = pTemplate->m_hMenuShared;
        m_hAccelTable = pTemplate->m_hAccelTable;
    }
    // Making the new child's view active restores a maximized child, so
    // whether the set is maximized is taken now, before the child exists.
    BOOL maximized = FALSE;
    pMain->MDIGetActive(&maximized);
    m_bJoinMaximized = maximized;
    CString docName;
    if (pTemplate)
        pTemplate->GetDocString(docName, CDocTemplate::docName);
    m_strTitle = docName;
    DWORD style = (dwDefaultStyle & ~FWS_ADDTOTITLE) | WS_CHILD | WS_CLIPCHILDREN;
    // A child is made visible by its first activation; made hidden here, the
    // template shows it once its view has its initial update.
    style &= ~static_cast<DWORD>(WS_VISIBLE);
    if (!CreateEx(WS_EX_MDICHILD,
                  AFX_WNDFRAME_CLASS,
                  m_strTitle,
                  style,
                  CW_USEDEFAULT,
                  CW_USEDEFAULT,
                  CW_USEDEFAULT,
                  CW_USEDEFAULT,
                  pMain->m_hWndMDIClient,
                  nullptr,
                  pContext))
        return FALSE;
    LoadFrameIcon(nIDResource);
    return TRUE;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // An MDI child's creation parameter arrives wrapped by the client.
    MDICREATESTRUCTA* pMdi = static_cast<MDICREATESTRUCTA*>(lpCreateStruct->lpCreateParams);
    return CreateWithContext(lpCreateStruct, pMdi ? reinterpret_cast<CCreateContext*>(pMdi->lParam) : nullptr);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hClient = ::GetParent(m_hWnd);
    return dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(hClient ? ::GetParent(hClient) : nullptr));
}

void CMDIChildWnd::MDIActivate()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIRestore()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    // The client keeps its list of children and the window list; it must
    // do the destroying.
    MDIDestroy();
    return TRUE;
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL)
{
    CDocument* pDoc = GetActiveDocument();
    CString title = pDoc ? pDoc->GetTitle() : m_strTitle;
    if (m_nWindow > 0) {
        char number[16];
        wsprintfA(number, ":%d", m_nWindow);
        title += number;
    }
    CString current;
    GetWindowText(current);
    if (current != title) {
        SetWindowText(title);
        if (CMDIFrameWnd* pMain = GetMDIFrame()) {
            // The window list names the child by its caption.
            if (pMain->m_hWndMDIClient)
                ::SendMessageA(pMain->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
            pMain->DelayUpdateFrameTitle();
        }
    }
    m_bTitleStale = false;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    CMDIFrameWnd* pMain = GetMDIFrame();
    BOOL maximized = FALSE;
    if (pMain)
        pMain->MDIGetActive(&maximized);
    maximized = maximized || m_bJoinMaximized;
    m_bJoinMaximized = FALSE;
    // A new child joins a maximized set maximized (as the set was when the
    // child was made): active first, then shown maximized.
    if (nCmdShow == -1 && maximized) {
        MDIActivate();
        if (!::IsZoomed(m_hWnd))
            ShowWindow(SW_SHOWMAXIMIZED);
        else
            ShowWindow(SW_SHOW);
    } else {
        ShowWindow(nCmdShow == -1 ? SW_SHOW : nCmdShow);
    }
    MDIActivate();
    if (pMain)
        pMain->OnUpdateFrameMenu(m_hMenuShared);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG*)
{
    // Keys are the main frame's to translate.
    return FALSE;
}

BOOL CMDIChildWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIChildWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CMDIFrameWnd* pMain = GetMDIFrame();
    if (pMain && pMain->MDIGetActive() == this)
        return pMain->OnCommand(wParam, lParam);
    return CFrameWnd::OnCommand(wParam, lParam);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CMDIChildWnd::OnMDIActivate(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Default();
    CMDIFrameWnd* pMain = GetMDIFrame();
    HWND hActivated = reinterpret_cast<HWND>(lParam);
    if (pMain) {
        if (hActivated == m_hWnd) {
            pMain->OnUpdateFrameMenu(m_hMenuShared);
        } else if (!hActivated) {
            pMain->OnUpdateFrameMenu(nullptr);
        }
        pMain->DelayUpdateFrameTitle();
    }
    (void)wParam;
    return result;
}

void CMDIChildWnd::OnSetFocus(CWnd* pOldWnd)
{
    // The system activates a child that is clicked into.
    Default();
    CFrameWnd::OnSetFocus(pOldWnd);
}

void CMDIChildWnd::OnClose()
{
    CDocument* pDoc = GetActiveDocument();
    if (pDoc && pDoc->GetFrames().size() <= 1) {
        if (!pDoc->CanCloseFrame(this))
            return;
        pDoc->OnCloseDocument();
        return;
    }
    DestroyWindow();
}

void CMDIChildWnd::OnDestroy()
{
    CDocument* pDoc = GetActiveDocument();
    CMDIFrameWnd* pMain = GetMDIFrame();
    CFrameWnd::OnDestroy();
    // The document's other windows lose a number; the main frame's menu
    // and caption follow the child that is active now.
    if (pDoc) {
        std::vector<CView*> mine;
        for (int i = 0; i < pDoc->GetViewCount(); ++i) {
            if (::IsChild(m_hWnd, pDoc->GetView(i)->m_hWnd))
                mine.push_back(pDoc->GetView(i));
        }
        for (CView* pView : mine)
            pDoc->RemoveView(pView);
        UpdateFrameCounts(pDoc);
    }
    if (pMain)
        pMain->DelayUpdateFrameTitle();
}

// ------------------------------------------------------------ template

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_nUntitledCount(0)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    m_hMenuShared = LoadMenuA(hInst, MAKEINTRESOURCEA(nIDResource));
    m_hAccelTable = LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(nIDResource));
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    // Documents still open go with the template; their frames first.
    std::vector<CDocument*> docs = m_docList;
    for (CDocument* pDoc : docs)
        pDoc->OnCloseDocument();
    if (m_hMenuShared)
        DestroyMenu(m_hMenuShared);
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_docList.push_back(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    m_docList.erase(std::remove(m_docList.begin(), m_docList.end(), pDoc), m_docList.end());
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString name;
    if (!GetDocString(name, docName))
        name = "Untitled";
    char number[16];
    wsprintfA(number, "%u", ++m_nUntitledCount);
    pDocument->SetTitle(name + number);
}

void CMultiDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    UpdateFrameCounts(pDoc);
    CDocTemplate::InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDoc = CreateNewDocument();
    if (!pDoc)
        return nullptr;
    CFrameWnd* pFrame = CreateNewFrame(pDoc, nullptr);
    if (!pFrame) {
        delete pDoc;
        return nullptr;
    }
    if (!LoadDocument(pDoc, lpszPathName)) {
        // Nothing of a failed open stays: the window, then the document.
        pFrame->DestroyWindow();
        delete pDoc;
        return nullptr;
    }
    InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
    return pDoc;
}
