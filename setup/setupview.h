// The view: setup has nothing to show, so it draws nothing.
#ifndef SETUP_SETUPVIEW_H
#define SETUP_SETUPVIEW_H

#include "toolapp.h"

class CSetupView : public CBlankView {
    DECLARE_DYNCREATE(CSetupView)
protected:
    CSetupView() {}
};

#endif
