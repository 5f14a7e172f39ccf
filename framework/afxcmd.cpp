#include "afxwin.h"

// The root of every map chain: CCmdTarget handles nothing itself.
const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &entries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfnDispatch; ++entry) {
            if (entry->nMessage != WM_COMMAND || entry->nCode != nCode || nID < entry->nID || nID > entry->nLastID)
                continue;
            if (pHandlerInfo) {
                pHandlerInfo->pTarget = this;
                return TRUE;
            }
            entry->pfnDispatch(this, nID, reinterpret_cast<LPARAM>(pExtra));
            return TRUE;
        }
    }
    return FALSE;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfnDispatch; ++entry) {
            if (entry->nMessage == message && message != WM_COMMAND)
                return entry;
        }
    }
    return nullptr;
}

void CCmdTarget::BeginWaitCursor()
{
    AfxDoWaitCursor(1);
}
void CCmdTarget::EndWaitCursor()
{
    AfxDoWaitCursor(-1);
}
void CCmdTarget::RestoreWaitCursor()
{
    AfxDoWaitCursor(0);
}

namespace {
int g_waitCount = 0;
HCURSOR g_cursorBeforeWait = nullptr;
}

void AfxDoWaitCursor(int nCode)
{
    HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
    if (nCode > 0) {
        HCURSOR previous = SetCursor(wait);
        if (g_waitCount++ == 0)
            g_cursorBeforeWait = previous;
    } else if (nCode < 0) {
        if (g_waitCount == 0)
            return;
        if (--g_waitCount == 0)
            SetCursor(g_cursorBeforeWait ? g_cursorBeforeWait : LoadCursor(nullptr, IDC_ARROW));
    } else if (g_waitCount > 0) {
        SetCursor(wait);
    }
}

CWaitCursor::CWaitCursor()
{
    AfxDoWaitCursor(1);
}
CWaitCursor::~CWaitCursor()
{
    AfxDoWaitCursor(-1);
}
void CWaitCursor::Restore()
{
    AfxDoWaitCursor(0);
}

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_hMenu(nullptr), m_pOther(nullptr), m_bEnabled(TRUE), m_bEnableChanged(FALSE), m_nCheck(0)
{
}

void CCmdUI::Enable(BOOL bOn)
{
    m_bEnabled = bOn;
    m_bEnableChanged = TRUE;
    if (m_hMenu)
        EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
}

void CCmdUI::SetCheck(int nCheck)
{
    m_nCheck = nCheck;
    if (m_hMenu)
        CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
}

void CCmdUI::SetRadio(BOOL bOn)
{
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(const char* lpszText)
{
    if (!m_hMenu)
        return;
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(lpszText);
    SetMenuItemInfoA(m_hMenu, m_nIndex, TRUE, &info);
}

void CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    m_bEnableChanged = FALSE;
    if (pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr))
        return;
    if (bDisableIfNoHandler) {
        AFX_CMDHANDLERINFO info = {nullptr};
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
}
