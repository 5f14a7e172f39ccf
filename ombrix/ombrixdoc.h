// The document: File New decides which utility runs, presets and runs its
// dialog, and tells the framework whether there are results to show.
#ifndef OMBRIX_OMBRIXDOC_H
#define OMBRIX_OMBRIXDOC_H

#include "outview.h"

// The selected Utility (row of g_utilityTable), -1 for none yet.
extern int g_utility;

class COmbrixDoc : public COutputDoc {
    DECLARE_DYNCREATE(COmbrixDoc)
protected:
    COmbrixDoc() {}

public:
    virtual BOOL OnNewDocument();

    // The output text of the last run with results.
    virtual const CString& GetOutputText() const;

    afx_msg void OnSwitchTo();

    DECLARE_MESSAGE_MAP()
};

#endif
