// The word-count dialog (111): which files to count, where, and which counts.
#ifndef OMBRIX_WCDLG_H
#define OMBRIX_WCDLG_H

#include "afxwin.h"
#include "resource.h"
#include "utilitydlg.h"
#include "wc.h"

class CWcDlg : public CUtilityDlg {
public:
    CWcDlg();

    // In data-exchange order.
    CListBox m_dirList;
    BOOL m_countBytes;
    CString m_directory;
    CString m_filenames;   // blank-separated wildcard specifications
    BOOL m_countLines;
    BOOL m_countWords;

    WcTotals m_totals;

    // The whole run into the output text.
    virtual void Run();
    // Counts every file that m_filenames names and adds to m_totals.
    virtual void CountFile();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual const char* MissingInput() const;

    DECLARE_MESSAGE_MAP()

private:
    WcOptions Options() const;
};

#endif
