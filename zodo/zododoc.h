// One file in the pager: the text and its line index, read-only; Save As
// writes the loaded bytes out again.
#ifndef ZODO_ZODODOC_H
#define ZODO_ZODODOC_H

#include "afxwin.h"
#include "lineindex.h"

class CZodoDoc : public CDocument {
    DECLARE_DYNCREATE(CZodoDoc)
public:
    CZodoDoc();
    virtual ~CZodoDoc();

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const char* lpszPathName);
    virtual void OnCloseDocument();
    // The length of the line that begins at p (1 to 512).
    virtual int GetLineLength(const char* p) const;

    zodo::LineRecord* m_pFirstLine;
    zodo::LineRecord* m_pLastLine;
    const char* m_pText;
    long m_lTextSize;
    CString m_strPath;   // lower-cased

    const zodo::LineIndex& Index() const { return m_index; }

    afx_msg void OnFileSaveAs();

private:
    zodo::LineIndex m_index;
    DECLARE_MESSAGE_MAP()
};

#endif
