#ifndef DIFF_DIFFDOC_H
#define DIFF_DIFFDOC_H

#include "outview.h"

// The document runs the "File Compare" dialog and the comparison in File
// New; its result text is what the view shows. Each run rewrites g_cmdLine
// to "-u" or "-c", so that the next File New keeps the type.
class CDiffDoc : public COutputDoc {
    DECLARE_DYNCREATE(CDiffDoc)
protected:
    CDiffDoc();

public:
    CString m_result;

    virtual BOOL OnNewDocument();
    virtual const CString& GetOutputText() const;

    // The byte comparison and the directory comparison; both append to
    // m_result and report failures themselves.
    virtual BOOL CompareFiles(const char* name0, const char* name1);
    virtual BOOL CompareDirectories(const char* dir0, const char* dir1);
};

#endif
