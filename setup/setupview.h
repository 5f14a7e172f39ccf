// The view: setup has nothing to show, so it draws nothing.
#ifndef SETUP_SETUPVIEW_H
#define SETUP_SETUPVIEW_H

#include "afxwin.h"

class CSetupView : public CView {
    DECLARE_DYNCREATE(CSetupView)
protected:
    CSetupView() {}

public:
    virtual void OnDraw(CDC* pDC);
};

#endif
