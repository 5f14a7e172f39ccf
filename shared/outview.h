// The output view of the tool programs and the document it shows: the
// run's results, read-only, in the fixed-width font, with View, Help
// Contents, Save As, Print and Print Preview. The ids of View, Help Contents
// and Save As differ from program to program; the program names them once,
// to its CToolApp (toolapp.h).
#ifndef TAMREL_OUTVIEW_H
#define TAMREL_OUTVIEW_H

#include "afxwin.h"

// A tool document whose results the output view shows.
class COutputDoc : public CDocument {
public:
    // The text the view shows after each run, and Save As writes.
    virtual const CString& GetOutputText() const = 0;

    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Save As: the whole text, byte for byte, to a file the user chooses.
    afx_msg void OnFileSaveAs();
};

class COutputView : public CEditView {
    DECLARE_DYNCREATE(COutputView)
protected:
    COutputView() {}

public:
    virtual void OnInitialUpdate();
    virtual void OnDraw(CDC* pDC);
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);

    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // A double-click selects the whole word under the pointer, and the
    // characters of a path (letters, digits and \ / : . _ - ~ $) make one
    // word, so one double-click selects a file name for View.
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);

    // View: the pager on the selected text. Help Contents: the program's
    // help file.
    afx_msg void OnViewFile();
    afx_msg void OnHelpContents();

    DECLARE_MESSAGE_MAP()
};

#endif
