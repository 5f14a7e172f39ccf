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
