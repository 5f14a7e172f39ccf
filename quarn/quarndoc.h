// The document: File New runs the search dialog and the search; the
// results stay in the result text for the view, Save As and View.
#ifndef QUARN_QUARNDOC_H
#define QUARN_QUARNDOC_H

#include "afxwin.h"
#include "search.h"

class CQuarnDoc : public CDocument, public CQuarnSearch {
    DECLARE_DYNCREATE(CQuarnDoc)
protected:
    CQuarnDoc() {}

public:
    virtual BOOL OnNewDocument();

    afx_msg void OnFileSaveAs();

    DECLARE_MESSAGE_MAP()
};

#endif
