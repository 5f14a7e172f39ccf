// The output view: the comparison's result.
#ifndef DIFF_DIFFVIEW_H
#define DIFF_DIFFVIEW_H

#include "outview.h"

class CDiffView : public COutputView {
    DECLARE_DYNCREATE(CDiffView)
protected:
    CDiffView() {}

    virtual const CString& GetOutputText() const;

    DECLARE_MESSAGE_MAP()
};

#endif
