#include "mainfrm.h"

#include "resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {

const UINT kButtons[] = {
    ID_FILE_NEW,     ID_FILE_OPEN, ID_DETAILS,   ID_SEPARATOR,     ID_READ_ARCHIVE,
    ID_WRITE_ARCHIVE, ID_COPY_ALL, ID_SEPARATOR, ID_APP_ABOUT,     ID_HELP_CONTENTS,
};

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

}  // namespace

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS, AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadBitmap(IDR_MAINFRAME) ||
        !m_wndToolBar.SetButtons(kButtons, sizeof kButtons / sizeof kButtons[0]))
        return -1;
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, sizeof kIndicators / sizeof kIndicators[0]))
        return -1;
    return 0;
}
