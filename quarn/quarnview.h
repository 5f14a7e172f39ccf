// The output view: the search results.
#ifndef QUARN_QUARNVIEW_H
#define QUARN_QUARNVIEW_H

#include "outview.h"

class CQuarnView : public COutputView {
    DECLARE_DYNCREATE(CQuarnView)
protected:
    CQuarnView() {}

    virtual const CString& GetOutputText() const;

    DECLARE_MESSAGE_MAP()
};

#endif
