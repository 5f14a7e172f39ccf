// The framework's umbrella header: programs include this one file.
//
// Layers, bottom up: CString (afxstr.h) and CFile (afxfile.h) need no
// windows; CObject and runtime classes (afxobj.h); command targets and
// message maps (afxcmd.h); drawing (afxdc.h), windows (afxwnd.h) and
// controls (afxctl.h); the application (afxapp.h), frames (afxframe.h) and
// their control bars (afxbar.h),
// documents and templates (afxdoc.h), multiple-document frames (afxmdi.h), printing (afxprint.h), views
// (afxview.h) and print preview (afxpreview.h); dialogs and data exchange
// (afxdlg.h), the common file dialog (afxcdlg.h) and message boxes
// (afxmsgbox.h).
#ifndef TAMREL_AFXWIN_H
#define TAMREL_AFXWIN_H

#include <windows.h>
#include <commdlg.h>

#include "afxres.h"
#include "afxstr.h"
#include "afxfile.h"
#include "afxobj.h"
#include "afxcmd.h"
#include "afxdc.h"
#include "afxwnd.h"
#include "afxctl.h"
#include "afxmenu.h"
#include "afxinput.h"
#include "afxprofile.h"
#include "afxapp.h"
#include "afxframe.h"
#include "afxbar.h"
#include "afxdoc.h"
#include "afxmdi.h"
#include "afxprint.h"
#include "afxview.h"
#include "afxform.h"
#include "afxpreview.h"
#include "afxdlg.h"
#include "afxcdlg.h"
#include "afxfontdlg.h"
#include "afxmsgbox.h"

#endif
