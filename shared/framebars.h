// The toolbar and status bar of a main frame, made one way for every
// program that has them (the pager and the archiver, each with its own
// table of toolbar slots).
#ifndef TAMREL_FRAMEBARS_H
#define TAMREL_FRAMEBARS_H

#include "afxwin.h"

// Creates the toolbar (top, tool tips, bitmap IDR_MAINFRAME, the slots in
// buttons, ID_SEPARATOR for a gap) and the status bar (bottom, the message
// pane and the CAPS, NUM and SCRL indicators). FALSE when either fails.
BOOL CreateFrameBars(CFrameWnd* frame, CToolBar& toolBar, CStatusBar& statusBar, const UINT* buttons, int buttonCount);

#endif
