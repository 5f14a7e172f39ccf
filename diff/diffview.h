#ifndef DIFF_DIFFVIEW_H
#define DIFF_DIFFVIEW_H

#include "afxwin.h"

class CDiffDoc;

// The read-only output view: the document's result in the fixed-width font.
class CDiffView : public CEditView {
    DECLARE_DYNCREATE(CDiffView)
protected:
    CDiffView();

public:
    CDiffDoc* GetDocument() const;

    virtual void OnInitialUpdate();
    virtual void OnDraw(CDC* pDC);
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);

protected:
    afx_msg void OnHelpContents();
    afx_msg void OnViewFile();

    DECLARE_MESSAGE_MAP()
};

#endif
