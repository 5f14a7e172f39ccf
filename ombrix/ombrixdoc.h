// The document: File New decides which utility runs, presets and runs its
// dialog, and tells the framework whether there are results to show.
#ifndef OMBRIX_OMBRIXDOC_H
#define OMBRIX_OMBRIXDOC_H

#include "afxwin.h"

// Index of the selected utility (row of g_utilityTable), -1 for none yet.
extern int g_utility;

class COmbrixDoc : public CDocument {
    DECLARE_DYNCREATE(COmbrixDoc)
protected:
    COmbrixDoc() {}

public:
    virtual BOOL OnNewDocument();

    afx_msg void OnSwitchTo();
    afx_msg void OnFileSaveAs();

    DECLARE_MESSAGE_MAP()
};

#endif
