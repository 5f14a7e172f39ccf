// Resource ids of the mark dialogs that the pager and the hex viewer share
// (markdlg.h). A program's resource.h includes this header and its .rc
// file includes markdlg.rc, which holds the two dialog templates.
#ifndef TAMREL_MARKRES_H
#define TAMREL_MARKRES_H

// The mark letter, asked for by Set Mark and Skip to Mark.
#define IDD_MARK        104
#define IDC_MARK_LETTER 105

// The list of the marks that are set, with Clear All.
#define IDD_SHOW_MARKS 105
#define IDC_CLEAR_ALL  107
#define IDC_MARKS_TEXT 108

#endif
