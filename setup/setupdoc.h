// The document: File New runs the setup dialog, then installs or
// uninstalls, and always refuses itself so that the program ends.
#ifndef SETUP_SETUPDOC_H
#define SETUP_SETUPDOC_H

#include "afxwin.h"

class CSetupDoc : public CDocument {
    DECLARE_DYNCREATE(CSetupDoc)
protected:
    CSetupDoc() {}

public:
    virtual BOOL OnNewDocument();
    // Removes the settings and registrations of the suite installed in
    // directory and reports how that went.
    virtual void Uninstall(const CString& directory);
};

#endif
