#include "mainfrm.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)
