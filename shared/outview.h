// The output view of the tool programs (ombrix, quarn, diff): the run's
// results, read-only, in the fixed-width font, with View, Help Contents,
// Print and Print Preview. Each program derives its view, names the text it
// shows and binds the commands to its own ids in its message map.
#ifndef TAMREL_OUTVIEW_H
#define TAMREL_OUTVIEW_H

#include "afxwin.h"

class COutputView : public CEditView {
protected:
    COutputView() {}

    // The text the view shows after each run.
    virtual const CString& GetOutputText() const = 0;

public:
    virtual void OnInitialUpdate();
    virtual void OnDraw(CDC* pDC);
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);

    // View: the pager on the selected text. Help Contents: the program's
    // help file.
    afx_msg void OnViewFile();
    afx_msg void OnHelpContents();
};

#endif
