#include "framebars.h"

BOOL CreateFrameBars(CFrameWnd* frame, CToolBar& toolBar, CStatusBar& statusBar, const UINT* buttons, int buttonCount)
{
    static const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    if (!toolBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS, AFX_IDW_TOOLBAR) ||
        !toolBar.LoadBitmap(IDR_MAINFRAME) || !toolBar.SetButtons(buttons, buttonCount))
        return FALSE;
    return statusBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) &&
           statusBar.SetIndicators(kIndicators, sizeof kIndicators / sizeof kIndicators[0]);
}
