// The disk-usage dialog (102): which directory, in which units, with which
// lines.
#ifndef OMBRIX_DUDLG_H
#define OMBRIX_DUDLG_H

#include "afxwin.h"
#include "du.h"
#include "resource.h"
#include "utilitydlg.h"

class CDuDlg : public CUtilityDlg {
public:
    CDuDlg();

    // In data-exchange order.
    CListBox m_dirList;
    BOOL m_listAll;
    CString m_directory;
    int m_units;   // 0: 1024-byte, 1: 512-byte
    BOOL m_excludeSubdirs;
    BOOL m_showUtilization;

    // The whole run into the output text.
    virtual void Run();
    // Walks the directory of entry.path and adds its sizes to entry.
    virtual void SumDirectory(DirUsage& entry);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual const char* MissingInput() const;

    DECLARE_MESSAGE_MAP()
};

#endif
