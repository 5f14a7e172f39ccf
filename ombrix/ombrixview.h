// The output view: the run's results, read-only, in the fixed-width font.
#ifndef OMBRIX_OMBRIXVIEW_H
#define OMBRIX_OMBRIXVIEW_H

#include "afxwin.h"

class COmbrixView : public CEditView {
    DECLARE_DYNCREATE(COmbrixView)
protected:
    COmbrixView() {}

public:
    virtual void OnInitialUpdate();
    virtual void OnDraw(CDC* pDC);
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);

    afx_msg void OnViewFile();
    afx_msg void OnHelpContents();

    DECLARE_MESSAGE_MAP()
};

#endif
