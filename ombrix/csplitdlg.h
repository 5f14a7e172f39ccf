// The context-split dialog (113): which file, where to cut it, and how the
// parts are named.
#ifndef OMBRIX_CSPLITDLG_H
#define OMBRIX_CSPLITDLG_H

#include "afxwin.h"
#include "csplit.h"
#include "resource.h"
#include "utilitydlg.h"

class CCsplitDlg : public CUtilityDlg {
public:
    CCsplitDlg();

    // In data-exchange order.
    CString m_arguments;   // blank-separated
    CString m_filename;
    CString m_prefix;
    int m_digits;   // 1 to 8

    // The whole work: files written, no output text.
    virtual void Run();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual const char* MissingInput() const;

    afx_msg void OnBrowse();

    DECLARE_MESSAGE_MAP()
};

#endif
