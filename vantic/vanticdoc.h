// The document: File New runs the edit dialog and then refuses itself, so
// that the program ends when the dialog closes.
#ifndef VANTIC_VANTICDOC_H
#define VANTIC_VANTICDOC_H

#include "afxwin.h"

class CVanticDoc : public CDocument {
    DECLARE_DYNCREATE(CVanticDoc)
protected:
    CVanticDoc() {}

public:
    virtual BOOL OnNewDocument();
};

#endif
