#include "afxwin.h"

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CControlBar::CControlBar() : m_dwStyle(0), m_pFrame(nullptr), m_bAutoDelete(false) {}

CControlBar::~CControlBar()
{
    if (m_pFrame)
        m_pFrame->RemoveControlBar(this);
}

int CControlBar::CalcHeight(int)
{
    RECT rect;
    GetWindowRect(&rect);
    return rect.bottom - rect.top;
}

void CControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void CControlBar::AttachToFrame(CFrameWnd* pFrame)
{
    if (m_pFrame == pFrame)
        return;
    if (m_pFrame)
        m_pFrame->RemoveControlBar(this);
    m_pFrame = pFrame;
    if (pFrame)
        pFrame->AddControlBar(this);
}

BOOL CControlBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_pFrame && m_pFrame->m_hWnd)
        return m_pFrame->OnCommand(wParam, lParam);
    return CWnd::OnCommand(wParam, lParam);
}

void CControlBar::OnDestroy()
{
    if (m_pFrame) {
        CFrameWnd* pFrame = m_pFrame;
        pFrame->RemoveControlBar(this);
        m_pFrame = nullptr;
    }
    CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

// ------------------------------------------------------------ prompts

CString AfxCommandPrompt(UINT nID)
{
    CString text = AfxLoadString(nID);
    int newline = text.Find('\n');
    return newline >= 0 ? text.Left(newline) : text;
}

CString AfxCommandToolTip(UINT nID)
{
    CString text = AfxLoadString(nID);
    int newline = text.Find('\n');
    return newline >= 0 ? text.Mid(newline + 1) : CString();
}

namespace {
void InitBarClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
}

// Bar styles live in the bar object; the control gets its own styles, with
// the frame doing the placing.
DWORD ControlStyle(DWORD dwStyle)
{
    return (dwStyle & 0xFFFF0000) | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
}

// A toolbar button seen through CCmdUI.
class CToolCmdUI : public CCmdUI {
public:
    virtual void Enable(BOOL bOn)
    {
        CCmdUI::Enable(bOn);
        Change(TBSTATE_ENABLED, bOn ? TBSTATE_ENABLED : 0);
    }
    virtual void SetCheck(int nCheck)
    {
        CCmdUI::SetCheck(nCheck);
        Change(TBSTATE_CHECKED | TBSTATE_INDETERMINATE,
               nCheck == 1   ? TBSTATE_CHECKED
               : nCheck == 2 ? TBSTATE_INDETERMINATE
                             : 0);
    }
    virtual void SetText(const char*) {}

private:
    void Change(BYTE mask, BYTE bits)
    {
        LRESULT state = m_pOther->SendMessage(TB_GETSTATE, m_nID, 0);
        if (state == -1)
            return;
        BYTE next = static_cast<BYTE>((state & ~mask) | bits);
        if (next != static_cast<BYTE>(state))
            m_pOther->SendMessage(TB_SETSTATE, m_nID, MAKELPARAM(next, 0));
    }
};

// A status-bar indicator seen through CCmdUI: enabled shows its text,
// disabled blanks it.
class CStatusCmdUI : public CCmdUI {
public:
    virtual void Enable(BOOL bOn)
    {
        CCmdUI::Enable(bOn);
        CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
        pBar->SetPaneText(static_cast<int>(m_nIndex),
                          bOn ? pBar->GetIndicatorText(static_cast<int>(m_nIndex)) : CString());
    }
    virtual void SetCheck(int nCheck) { CCmdUI::SetCheck(nCheck); }
    virtual void SetText(const char* lpszText)
    {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), lpszText);
    }
};
// Asks each item's command of a bar (gaps and the message pane left out)
// through a CCmdUI of the bar's kind.
template <class ItemCmdUI, class Bar>
void UpdateBarItems(Bar* pBar, CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    int count = pBar->GetCount();
    for (int i = 0; i < count; ++i) {
        UINT nID = pBar->GetItemID(i);
        if (nID == ID_SEPARATOR)
            continue;
        ItemCmdUI state;
        state.m_nID = nID;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_pOther = pBar;
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}
}   // namespace

// ------------------------------------------------------------ toolbar

const int kImageWidth = 16;
const int kImageHeight = 15;

CToolBar::CToolBar() : m_nImages(0) {}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    InitBarClasses();
    m_dwStyle = dwStyle & (CBRS_ALIGN_ANY | CBRS_TOOLTIPS);
    if (!(m_dwStyle & CBRS_ALIGN_ANY))
        m_dwStyle |= CBRS_TOP;
    DWORD style = ControlStyle(dwStyle & ~static_cast<DWORD>(CBRS_ALIGN_ANY | CBRS_TOOLTIPS)) |
                  ((dwStyle & CBRS_TOOLTIPS) ? TBSTYLE_TOOLTIPS : 0);
    if (!CreateEx(0, TOOLBARCLASSNAMEA, nullptr, style | WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(kImageWidth, kImageHeight));
    AttachToFrame(dynamic_cast<CFrameWnd*>(pParentWnd));
    return TRUE;
}

BOOL CToolBar::LoadBitmap(UINT nIDResource)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HBITMAP hBitmap = ::LoadBitmapA(hInst, MAKEINTRESOURCEA(nIDResource));
    if (!hBitmap)
        return FALSE;
    BITMAP info = {};
    GetObjectA(hBitmap, sizeof(info), &info);
    DeleteObject(hBitmap);
    m_nImages = info.bmWidth / kImageWidth;
    TBADDBITMAP add = {hInst, nIDResource};
    return SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(m_nImages), reinterpret_cast<LPARAM>(&add)) != -1;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    while (SendMessage(TB_BUTTONCOUNT) > 0)
        SendMessage(TB_DELETEBUTTON, 0);
    std::vector<TBBUTTON> buttons(static_cast<size_t>(nIDCount));
    int image = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON& button = buttons[static_cast<size_t>(i)];
        button = TBBUTTON();
        if (lpIDArray[i] == ID_SEPARATOR) {
            button.iBitmap = 8;   // the gap's width
            button.fsStyle = TBSTYLE_SEP;
        } else {
            button.iBitmap = image++;
            button.idCommand = static_cast<int>(lpIDArray[i]);
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = TBSTYLE_BUTTON;
        }
        button.iString = -1;
    }
    if (nIDCount > 0 &&
        !SendMessage(TB_ADDBUTTONSA, static_cast<WPARAM>(nIDCount), reinterpret_cast<LPARAM>(buttons.data())))
        return FALSE;
    if (m_pFrame)
        m_pFrame->RecalcLayout();
    return TRUE;
}

int CToolBar::GetCount() const
{
    return static_cast<int>(SendMessage(TB_BUTTONCOUNT));
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button = {};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button)))
        return ID_SEPARATOR;
    return (button.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : static_cast<UINT>(button.idCommand);
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, nIDFind));
}

int CToolBar::CalcHeight(int)
{
    DWORD size = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
    return HIWORD(size) + 6;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    UpdateBarItems<CToolCmdUI>(this, pTarget, bDisableIfNoHandler);
}

// ------------------------------------------------------------ status bar

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {
CString DefaultIndicatorText(UINT nID)
{
    switch (nID) {
    case ID_INDICATOR_EXT:
        return "EXT";
    case ID_INDICATOR_CAPS:
        return "CAP";
    case ID_INDICATOR_NUM:
        return "NUM";
    case ID_INDICATOR_SCRL:
        return "SCRL";
    case ID_INDICATOR_OVR:
        return "OVR";
    case ID_INDICATOR_REC:
        return "REC";
    }
    return CString();
}

const int kPaneMargin = 12;
}   // namespace

CStatusBar::CStatusBar() {}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    InitBarClasses();
    m_dwStyle = (dwStyle & CBRS_ALIGN_ANY) ? (dwStyle & CBRS_ALIGN_ANY) : CBRS_BOTTOM;
    DWORD style = ControlStyle(dwStyle & ~static_cast<DWORD>(CBRS_ALIGN_ANY | CBRS_TOOLTIPS));
    if (!CreateEx(0, STATUSCLASSNAMEA, nullptr, style | WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    AttachToFrame(dynamic_cast<CFrameWnd*>(pParentWnd));
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 1 || nIDCount > 255)
        return FALSE;
    m_panes.assign(static_cast<size_t>(nIDCount), Pane());
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ oldFont = ::SelectObject(hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    for (int i = 0; i < nIDCount; ++i) {
        Pane& pane = m_panes[static_cast<size_t>(i)];
        pane.nID = lpIDArray[i];
        if (pane.nID != ID_SEPARATOR) {
            pane.strIndicator = AfxLoadString(pane.nID);
            if (pane.strIndicator.IsEmpty())
                pane.strIndicator = DefaultIndicatorText(pane.nID);
        }
        SIZE size = {};
        ::GetTextExtentPoint32A(hDC, pane.strIndicator, pane.strIndicator.GetLength(), &size);
        pane.cxWidth = size.cx + kPaneMargin;
    }
    ::SelectObject(hDC, oldFont);
    ::ReleaseDC(m_hWnd, hDC);
    SetParts();
    for (int i = 0; i < nIDCount; ++i)
        SetPaneText(i, "", TRUE);
    if (m_panes[0].nID == ID_SEPARATOR) {
        CString idle = AfxLoadString(AFX_IDS_IDLEMESSAGE);
        SetPaneText(0, idle.IsEmpty() ? "Ready" : static_cast<const char*>(idle));
    }
    if (m_pFrame)
        m_pFrame->RecalcLayout();
    return TRUE;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].nID : ID_SEPARATOR;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_panes[static_cast<size_t>(i)].nID == nIDFind)
            return i;
    }
    return -1;
}

BOOL CStatusBar::SetPaneText(int nIndex, const char* lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    CString text = lpszNewText ? lpszNewText : "";
    if (pane.strText == text)
        return TRUE;
    pane.strText = text;
    if (!bUpdate)
        return TRUE;
    return SendMessage(
               SB_SETTEXTA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(static_cast<const char*>(text))) != 0;
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].strText : CString();
}

CString CStatusBar::GetIndicatorText(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].strIndicator : CString();
}

int CStatusBar::CalcHeight(int)
{
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ oldFont = ::SelectObject(hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    ::SelectObject(hDC, oldFont);
    ::ReleaseDC(m_hWnd, hDC);
    return tm.tmHeight + 8;
}

void CStatusBar::SetParts()
{
    if (!m_hWnd || m_panes.empty())
        return;
    RECT client;
    GetClientRect(&client);
    // The first pane stretches; the indicators keep their widths at the right.
    std::vector<int> rights(m_panes.size());
    int right = client.right;
    for (size_t i = m_panes.size(); i-- > 1;) {
        rights[i] = right;
        right -= m_panes[i].cxWidth;
    }
    rights[0] = right > 0 ? right : 0;
    rights.back() = -1;
    SendMessage(SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    SetParts();
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    UpdateBarItems<CStatusCmdUI>(this, pTarget, bDisableIfNoHandler);
}
