// The strings dialog (110): which files, how long a run must be, and how
// its position is shown.
#ifndef OMBRIX_STRINGSDLG_H
#define OMBRIX_STRINGSDLG_H

#include "afxwin.h"
#include "resource.h"
#include "strscan.h"
#include "utilitydlg.h"

class CStringsDlg : public CUtilityDlg {
public:
    CStringsDlg();

    // In data-exchange order.
    CListBox m_fileList;
    CString m_directory;
    CString m_files;   // blank-separated wildcard specifications
    int m_minLength;
    int m_offsets;   // 0 none, 1 decimal, 2 octal, 3 hexadecimal

    // The whole run into the output text.
    virtual void Run();
    // False when the file cannot be opened, which ends the run.
    virtual bool ScanFile(const char* name);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual const char* MissingInput() const;

    DECLARE_MESSAGE_MAP()
};

#endif
