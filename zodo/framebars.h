// The toolbar and status bar of the pager's main frame, made the same way
// for any frame that wants them (the archiver's frame compiles this in with
// its own table of toolbar slots).
#ifndef ZODO_FRAMEBARS_H
#define ZODO_FRAMEBARS_H

#include "afxwin.h"

// Creates the toolbar (top, tool tips, bitmap IDR_MAINFRAME, the slots in
// buttons, ID_SEPARATOR for a gap) and the status bar (bottom, the message
// pane and the CAPS, NUM and SCRL indicators). FALSE when either fails.
BOOL CreateFrameBars(CFrameWnd* frame, CToolBar& toolBar, CStatusBar& statusBar, const UINT* buttons,
                     int buttonCount);

#endif
