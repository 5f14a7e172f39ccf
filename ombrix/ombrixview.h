// The output view: the run's results.
#ifndef OMBRIX_OMBRIXVIEW_H
#define OMBRIX_OMBRIXVIEW_H

#include "outview.h"

class COmbrixView : public COutputView {
    DECLARE_DYNCREATE(COmbrixView)
protected:
    COmbrixView() {}

    virtual const CString& GetOutputText() const;

    DECLARE_MESSAGE_MAP()
};

#endif
