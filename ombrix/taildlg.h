// The head-and-tail dialog (112): which files, and which of their lines.
#ifndef OMBRIX_TAILDLG_H
#define OMBRIX_TAILDLG_H

#include "afxwin.h"
#include "resource.h"
#include "tail.h"
#include "utilitydlg.h"

class CTailDlg : public CUtilityDlg {
public:
    CTailDlg();

    // In data-exchange order.
    CListBox m_fileList;
    int m_program;   // 0 head, 1 tail
    CString m_directory;
    CString m_files;   // blank-separated wildcard specifications
    int m_skipLines;   // head only
    int m_lines;

    // The whole run into the output text.
    virtual void Run();
    virtual void HeadFile(const char* name);
    virtual void TailFile(const char* name, long long size);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual const char* MissingInput() const;

    DECLARE_MESSAGE_MAP()
};

#endif
