// The document: File New runs the search dialog and the search; the
// results stay in the result text for the view, Save As and View.
#ifndef QUARN_QUARNDOC_H
#define QUARN_QUARNDOC_H

#include "outview.h"
#include "search.h"

// Every File New presets the dialog's file mask from g_cmdLine again; the
// search leaves it as it was.
class CQuarnDoc : public COutputDoc, public CQuarnSearch {
    DECLARE_DYNCREATE(CQuarnDoc)
protected:
    CQuarnDoc() {}

public:
    virtual BOOL OnNewDocument();
    virtual const CString& GetOutputText() const;
};

#endif
