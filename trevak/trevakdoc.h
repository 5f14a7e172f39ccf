// The document: the open archive (its path and type), the options of the
// last Read and Write, and the commands that work on the archive. The
// formats, listing, extraction and writing are the engine's (arcreader.h,
// arcextract.h, arcwrite.h); the document gathers options, answers the
// engine's questions with dialogs and shows the results.
#ifndef TREVAK_TREVAKDOC_H
#define TREVAK_TREVAKDOC_H

#include "afxwin.h"

class CTrevakView;

class CTrevakDoc : public CDocument {
    DECLARE_DYNCREATE(CTrevakDoc)
protected:
    CTrevakDoc();

public:
    CString m_archivePath;   // empty while no archive is open
    int m_archiveType;       // 0 cpio, 1 ustar, 2 old tar
    int m_firstNew;
    CString m_workDir;   // the last source or target directory
    int m_selectedOnly;
    int m_rename;
    int m_noOverwrite;
    int m_ignoreOlder;
    int m_restoreTimes;
    CString m_filePattern;
    int m_descend;
    int m_append;

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const char* lpszPathName);

    // Fills the member list from the archive; the caller empties it first.
    virtual void ReloadListing();
    void ResetArchive();

protected:
    CTrevakView* View() const;

    afx_msg void OnCloseArchive();
    afx_msg void OnDetails();
    afx_msg void OnReadArchive();
    afx_msg void OnWriteArchive();
    afx_msg void OnSelectAll();
    afx_msg void OnDeselectAll();
    afx_msg void OnCopyAll();
    afx_msg void OnUpdateNeedsArchive(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};

#endif
