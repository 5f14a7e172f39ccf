#include "mainfrm.h"

#include "framebars.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {

// The toolbar's slots in order; ID_SEPARATOR leaves a gap.
const UINT kButtons[] = {
    ID_FILE_OPEN,           ID_FILE_PRINT,     ID_FILE_PRINT_PREVIEW, ID_SEPARATOR,
    ID_PAGE_FORWARD,        ID_PAGE_BACKWARD,  ID_HALF_PAGE_BACKWARD, ID_HALF_PAGE_FORWARD,
    ID_SEPARATOR,           ID_SEARCH_FORWARD, ID_SEARCH_BACKWARD,    ID_REPEAT_SEARCH,
    ID_GOTO_LINE,           ID_SEPARATOR,      ID_EDIT_COPY,          ID_SET_MARK,
    ID_SKIP_TO_MARK,        ID_SHOW_MARKS,     ID_INVOKE_EDITOR,      ID_SEPARATOR,
    ID_TOGGLE_LINE_NUMBERS, ID_TOGGLE_HEX,     ID_SEPARATOR,          ID_APP_ABOUT,
    ID_HELP_CONTENTS,
};
static_assert(sizeof kButtons / sizeof kButtons[0] == 25, "the toolbar has 25 slots");

}   // namespace

CMainFrame::CMainFrame() {}

CMainFrame::~CMainFrame() {}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!CreateFrameBars(this, m_wndToolBar, m_wndStatusBar, kButtons, sizeof kButtons / sizeof kButtons[0]))
        return -1;
    return 0;
}
