#include "mainfrm.h"

#include "framebars.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {

const UINT kButtons[] = {
    ID_FILE_NEW,
    ID_FILE_OPEN,
    ID_DETAILS,
    ID_SEPARATOR,
    ID_READ_ARCHIVE,
    ID_WRITE_ARCHIVE,
    ID_COPY_ALL,
    ID_SEPARATOR,
    ID_APP_ABOUT,
    ID_HELP_CONTENTS,
};

}   // namespace

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!CreateFrameBars(this, m_wndToolBar, m_wndStatusBar, kButtons, sizeof kButtons / sizeof kButtons[0]))
        return -1;
    return 0;
}
