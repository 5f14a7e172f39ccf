// The output view: the search results, read-only, in the fixed-width font.
#ifndef QUARN_QUARNVIEW_H
#define QUARN_QUARNVIEW_H

#include "afxwin.h"

class CQuarnView : public CEditView {
    DECLARE_DYNCREATE(CQuarnView)
protected:
    CQuarnView() {}

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
