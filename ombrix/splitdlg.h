// The split dialog (104): which file, how it is cut or joined, and how the
// parts are named.
#ifndef OMBRIX_SPLITDLG_H
#define OMBRIX_SPLITDLG_H

#include "afxwin.h"
#include "resource.h"
#include "split.h"
#include "utilitydlg.h"

class CSplitDlg : public CUtilityDlg {
public:
    CSplitDlg();

    // In data-exchange order.
    CString m_extension;   // three characters: the first part's extension
    CString m_filename;
    int m_type;    // 0 split, 1 unsplit
    int m_units;   // 0 lines, 1 bytes, 2 kilobytes, 3 megabytes
    long m_unitsPerFile;

    CString m_baseName;   // the filename without its extension; set by Run

    // The whole work: files written, no output text.
    virtual void Run();
    virtual void SplitFile(const char* input);
    virtual void UnsplitFile(const char* output);
    // Steps the last three characters of name; true, after telling the
    // user, when the names are used up.
    virtual bool NextPartName(char* name);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual const char* MissingInput() const;

    afx_msg void OnBrowse();

    DECLARE_MESSAGE_MAP()
};

#endif
