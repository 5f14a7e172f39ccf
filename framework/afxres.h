// Command and control ids that every program of the suite shares. Menus,
// accelerators and message maps use these names; .rc files include this
// header so that resources and code agree on the numbers.
#ifndef TAMREL_AFXRES_H
#define TAMREL_AFXRES_H

#ifndef IDOK
#define IDOK     1
#define IDCANCEL 2
#endif

// Controls that code never addresses (labels, icons, group boxes)
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// A gap in a toolbar, the message pane of a status bar
#define ID_SEPARATOR 0

// Resource ids
#define IDR_MAINFRAME 2

// The Help button of the tool dialogs
#define ID_HELP_BUTTON 3

// File menu
#define ID_FILE_NEW           57600
#define ID_FILE_OPEN          57601
#define ID_FILE_CLOSE         57602
#define ID_FILE_SAVE          57603
#define ID_FILE_SAVE_AS       57604
#define ID_FILE_PAGE_SETUP    57605
#define ID_FILE_PRINT_SETUP   57606
#define ID_FILE_PRINT         57607
#define ID_FILE_PRINT_DIRECT  57608
#define ID_FILE_PRINT_PREVIEW 57609

// Edit menu
#define ID_EDIT_CLEAR      57632
#define ID_EDIT_CLEAR_ALL  57633
#define ID_EDIT_COPY       57634
#define ID_EDIT_CUT        57635
#define ID_EDIT_FIND       57636
#define ID_EDIT_PASTE      57637
#define ID_EDIT_SELECT_ALL 57642
#define ID_EDIT_UNDO       57643

// Window menu
#define ID_WINDOW_NEW       57648
#define ID_WINDOW_ARRANGE   57649
#define ID_WINDOW_CASCADE   57650
#define ID_WINDOW_TILE_HORZ 57651
#define ID_WINDOW_TILE_VERT 57652

// Application
#define ID_APP_ABOUT    57664
#define ID_APP_EXIT     57665
#define ID_HELP_INDEX   57666
#define ID_HELP_USING   57668
#define ID_CONTEXT_HELP 57669
#define ID_HELP         57670
#define ID_DEFAULT_HELP 57671

#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681

// View menu
#define ID_VIEW_TOOLBAR    59392
#define ID_VIEW_STATUS_BAR 59393

// Status-bar indicators
#define ID_INDICATOR_EXT  59136
#define ID_INDICATOR_CAPS 59137
#define ID_INDICATOR_NUM  59138
#define ID_INDICATOR_SCRL 59139
#define ID_INDICATOR_OVR  59140
#define ID_INDICATOR_REC  59141

// The child id of a frame's view (of the MDI client in a
// multiple-document frame)
#define AFX_IDW_PANE_FIRST 0xE900

// Window-list items of a multiple-document frame's "&Window" menu have ids
// from here up; the system's MDI code handles them.
#define AFX_IDM_FIRST_MDICHILD 0xFF00

// Child ids of a frame's standard bars; the View menu's commands that show
// and hide them have the same numbers.
#define AFX_IDW_TOOLBAR    0xE800
#define AFX_IDW_STATUS_BAR 0xE801
// The print preview's bar of buttons, in the frame while the preview lasts
#define AFX_IDW_PREVIEW_BAR 0xE805

// The print preview window, a child of the frame beside the hidden view
#define AFX_IDW_PREVIEW 0xE901
// The buttons of the print preview window
#define AFX_ID_PREVIEW_PRINT   58240
#define AFX_ID_PREVIEW_NEXT    58241
#define AFX_ID_PREVIEW_PREV    58242
#define AFX_ID_PREVIEW_NUMPAGE 58243
#define AFX_ID_PREVIEW_ZOOMIN  58244
#define AFX_ID_PREVIEW_ZOOMOUT 58245
#define AFX_ID_PREVIEW_CLOSE   58246
// The page text beside them ("Page 1", "Pages 1-2")
#define AFX_IDC_PREVIEW_PAGES 58247

// The controls of the dialog shown while a job prints
#define AFX_IDC_PRINT_DOCNAME 58256
#define AFX_IDC_PRINT_PRINTER 58257
#define AFX_IDC_PRINT_PAGENUM 58258

// Framework strings
#define AFX_IDS_APP_TITLE   57344
#define AFX_IDS_IDLEMESSAGE 57345

#endif
