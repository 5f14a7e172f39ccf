// The view: there are no results to show, so it draws nothing.
#ifndef VANTIC_VANTICVIEW_H
#define VANTIC_VANTICVIEW_H

#include "afxwin.h"

class CVanticView : public CView {
    DECLARE_DYNCREATE(CVanticView)
protected:
    CVanticView() {}

public:
    virtual void OnDraw(CDC* pDC);
};

#endif
