#include "afxwin.h"

#include <algorithm>

#include <shellapi.h>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopup)
    ON_COMMAND_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_WM_MENUSELECT()
    ON_WM_DROPFILES()
    ON_MESSAGE(WM_EXITMENULOOP, OnExitMenuLoop)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    ON_NOTIFY_RANGE(TTN_GETDISPINFOA, 0, 0xFFFF, OnToolTipTextA)
    ON_NOTIFY_RANGE(TTN_GETDISPINFOW, 0, 0xFFFF, OnToolTipTextW)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() : m_hAccelTable(nullptr), m_nIDHelp(0), m_pViewActive(nullptr), m_bTitleStale(false) {}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    AfxRegisterFrameworkClasses();
    HINSTANCE hInst = AfxGetResourceHandle();
    m_nIDHelp = nIDResource;
    CString docString = AfxLoadString(nIDResource);
    int newline = docString.Find('\n');
    m_strTitle = newline >= 0 ? docString.Left(newline) : docString;

    HMENU hMenu = LoadMenuA(hInst, MAKEINTRESOURCEA(nIDResource));
    m_hAccelTable = LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(nIDResource));
    if (!CreateEx(0,
                  AFX_WNDFRAME_CLASS,
                  m_strTitle,
                  dwDefaultStyle & ~FWS_ADDTOTITLE,
                  CW_USEDEFAULT,
                  CW_USEDEFAULT,
                  CW_USEDEFAULT,
                  CW_USEDEFAULT,
                  pParentWnd ? pParentWnd->m_hWnd : nullptr,
                  hMenu,
                  pContext)) {
        if (hMenu)
            DestroyMenu(hMenu);
        return FALSE;
    }
    LoadFrameIcon(nIDResource);
    return TRUE;
}

void CFrameWnd::LoadFrameIcon(UINT nIDResource)
{
    HICON hIcon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
    if (hIcon) {
        SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
    }
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CreateWithContext(lpCreateStruct, static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams));
}

int CFrameWnd::CreateWithContext(LPCREATESTRUCT lpCreateStruct, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    return OnCreateClient(lpCreateStruct, pContext) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    CView* pView = dynamic_cast<CView*>(pObject);
    if (!pView) {
        delete pObject;
        return nullptr;
    }
    RECT rect;
    GetClientRect(&rect);
    // A view whose window could not be made may already have deleted itself
    // (PostNcDestroy), so it is not touched again.
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, this, nID, pContext))
        return nullptr;
    return pView;
}

void CFrameWnd::SetActiveView(CView* pViewNew)
{
    m_pViewActive = pViewNew;
    if (pViewNew && m_hWnd && ::GetFocus() == m_hWnd)
        pViewNew->SetFocus();
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = m_pViewActive;
    if (!pView)
        pView = dynamic_cast<CView*>(CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST)));
    if (pView && pView != m_pViewActive)
        SetActiveView(pView);
    if (pDoc) {
        for (int i = 0; i < pDoc->GetViewCount(); ++i) {
            CView* pDocView = pDoc->GetView(i);
            if (pDocView->GetParentFrame() == this)
                pDocView->OnInitialUpdate();
        }
    }
    OnUpdateFrameTitle(TRUE);
    if (bMakeVisible)
        ActivateFrame();
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        CWinApp* pApp = AfxGetApp();
        if (!IsWindowVisible()) {
            nCmdShow = SW_SHOWNORMAL;
            if (pApp && pApp->m_pMainWnd == this && pApp->m_nCmdShow != -1) {
                nCmdShow = pApp->m_nCmdShow;
                pApp->m_nCmdShow = -1;
            }
        } else if (IsIconic(m_hWnd)) {
            nCmdShow = SW_RESTORE;
        }
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    BringWindowToTop(m_hWnd);
    UpdateWindow();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CString title = m_strTitle;
    CDocument* pDoc = GetActiveDocument();
    if (bAddToTitle && pDoc && !pDoc->GetTitle().IsEmpty())
        title = pDoc->GetTitle() + " - " + m_strTitle;
    CString current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title);
    m_bTitleStale = false;
}

void CFrameWnd::RecalcLayout()
{
    if (!m_hWnd)
        return;
    RECT rect;
    GetClientRect(&rect);
    RepositionBars(rect);
    RepositionClient(rect);
}

void CFrameWnd::RepositionBars(RECT& rect)
{
    for (CControlBar* pBar : m_listControlBars) {
        // The bar's own style bit: the frame may not be shown yet.
        if (!pBar->m_hWnd || !(GetWindowLongPtrA(pBar->m_hWnd, GWL_STYLE) & WS_VISIBLE))
            continue;
        int width = rect.right - rect.left;
        int height = pBar->CalcHeight(width);
        if (height > rect.bottom - rect.top)
            height = rect.bottom - rect.top;
        if (pBar->m_dwStyle & CBRS_BOTTOM) {
            pBar->MoveWindow(rect.left, rect.bottom - height, width, height);
            rect.bottom -= height;
        } else {
            pBar->MoveWindow(rect.left, rect.top, width, height);
            rect.top += height;
        }
    }
}

void CFrameWnd::RepositionClient(const RECT& rect)
{
    HWND hPane = m_pViewActive ? m_pViewActive->m_hWnd : ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    if (hPane)
        ::MoveWindow(hPane, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void CFrameWnd::OnIdleUpdateCmdUI()
{
    if (m_bTitleStale)
        OnUpdateFrameTitle(TRUE);
    // A bar's handler may remove bars (the preview's Close), so walk a copy.
    std::vector<CControlBar*> bars = m_listControlBars;
    for (CControlBar* pBar : bars) {
        if (std::find(m_listControlBars.begin(), m_listControlBars.end(), pBar) == m_listControlBars.end())
            continue;
        if (pBar->m_hWnd && (GetWindowLongPtrA(pBar->m_hWnd, GWL_STYLE) & WS_VISIBLE))
            pBar->OnUpdateCmdUI(this, TRUE);
    }
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (std::find(m_listControlBars.begin(), m_listControlBars.end(), pBar) == m_listControlBars.end())
        m_listControlBars.push_back(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    m_listControlBars.erase(std::remove(m_listControlBars.begin(), m_listControlBars.end(), pBar),
                            m_listControlBars.end());
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) const
{
    for (CControlBar* pBar : m_listControlBars) {
        if (pBar->m_hWnd && static_cast<UINT>(GetDlgCtrlID(pBar->m_hWnd)) == nID)
            return pBar;
    }
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (!bDelay)
        RecalcLayout();
}

void CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    // A frame inside another (a document's window in a multiple-document
    // frame) has no bars of its own: the outer frame's are meant.
    CFrameWnd* pOuter = pBar ? nullptr : GetParentFrame();
    if (pOuter) {
        pOuter->OnBarCheck(nID);
        return;
    }
    if (pBar)
        ShowControlBar(pBar, (GetWindowLongPtrA(pBar->m_hWnd, GWL_STYLE) & WS_VISIBLE) == 0);
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    CFrameWnd* pOuter = pBar ? nullptr : GetParentFrame();
    if (pOuter) {
        pOuter->OnUpdateControlBarMenu(pCmdUI);
        return;
    }
    if (!pBar) {
        pCmdUI->Enable(FALSE);
        return;
    }
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck((GetWindowLongPtrA(pBar->m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0);
}

CWnd* CFrameWnd::GetMessageBar() const
{
    return GetControlBar(AFX_IDW_STATUS_BAR);
}

void CFrameWnd::SetMessageText(const char* lpszText)
{
    if (CStatusBar* pBar = dynamic_cast<CStatusBar*>(GetMessageBar()))
        pBar->SetPaneText(0, lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SetMessageText(AfxCommandPrompt(nID));
}

CString CFrameWnd::GetIdleMessage() const
{
    CString idle = AfxLoadString(AFX_IDS_IDLEMESSAGE);
    return idle.IsEmpty() ? CString("Ready") : idle;
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo)
{
    ::SetActiveWindow(m_hWnd);
    CWinApp* pApp = AfxGetApp();
    UINT count = DragQueryFileA(hDropInfo, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count && pApp; ++i) {
        UINT length = DragQueryFileA(hDropInfo, i, nullptr, 0);
        CString name;
        char* buffer = name.GetBuffer(static_cast<int>(length));
        DragQueryFileA(hDropInfo, i, buffer, length + 1);
        name.ReleaseBuffer(static_cast<int>(length));
        pApp->OpenDocumentFile(name);
    }
    DragFinish(hDropInfo);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && !hSysMenu) {
        SetMessageText(GetIdleMessage());
        return;
    }
    // Pop-ups, separators and the window menu have no prompt of ours.
    if ((nFlags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU)) || nItemID == 0)
        SetMessageText("");
    else
        SetMessageText(nItemID);
}

LRESULT CFrameWnd::OnExitMenuLoop(WPARAM, LPARAM)
{
    SetMessageText(GetIdleMessage());
    return Default();
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int key = pCmdUI->m_nID == ID_INDICATOR_CAPS  ? VK_CAPITAL
              : pCmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK
                                                  : VK_SCROLL;
    pCmdUI->Enable((GetKeyState(key) & 1) != 0);
}

void CFrameWnd::OnToolTipTextA(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTTDISPINFOA* pInfo = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
    if (pInfo->uFlags & TTF_IDISHWND)
        return;
    CString tip = AfxCommandToolTip(static_cast<UINT>(pNMHDR->idFrom));
    lstrcpynA(pInfo->szText, tip, sizeof(pInfo->szText));
    pInfo->lpszText = pInfo->szText;
    pInfo->hinst = nullptr;
    *pResult = 0;
}

void CFrameWnd::OnToolTipTextW(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTTDISPINFOW* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    if (pInfo->uFlags & TTF_IDISHWND)
        return;
    CString tip = AfxCommandToolTip(static_cast<UINT>(pNMHDR->idFrom));
    int size = static_cast<int>(sizeof(pInfo->szText) / sizeof(pInfo->szText[0]));
    if (!MultiByteToWideChar(CP_ACP, 0, tip, -1, pInfo->szText, size))
        pInfo->szText[0] = 0;
    pInfo->szText[size - 1] = 0;
    pInfo->lpszText = pInfo->szText;
    pInfo->hinst = nullptr;
    *pResult = 0;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_hAccelTable && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg) != 0;
    return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The view passes on to its document.
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive && m_pViewActive->m_hWnd)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnClose()
{
    CDocument* pDoc = GetActiveDocument();
    if (pDoc) {
        if (!pDoc->CanCloseFrame(this))
            return;
        // Closing the document destroys its frames, this one included.
        pDoc->OnCloseDocument();
        return;
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    // The view and the bars die with the frame's children; nothing may
    // route to them now.
    m_pViewActive = nullptr;
    for (CControlBar* pBar : m_listControlBars)
        pBar->m_pFrame = nullptr;
    m_listControlBars.clear();
    CWnd::OnDestroy();
}

LRESULT CFrameWnd::OnInitMenuPopup(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(lParam))   // the window menu keeps its own state
        return Default();
    HMENU hPopup = reinterpret_cast<HMENU>(wParam);
    int count = GetMenuItemCount(hPopup);
    for (int i = 0; i < count; ++i) {
        UINT nID = GetMenuItemID(hPopup, i);
        // Separators, nested pop-ups, and a multiple-document frame's window
        // list and maximized child's buttons keep their state.
        if (nID == 0 || nID == static_cast<UINT>(-1) || nID >= AFX_IDM_FIRST_MDICHILD)
            continue;
        CCmdUI state;
        state.m_hMenu = hPopup;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = nID;
        state.DoUpdate(this, TRUE);
    }
    return 0;
}

void CFrameWnd::PostNcDestroy()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this) {
        pApp->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    delete this;
}
