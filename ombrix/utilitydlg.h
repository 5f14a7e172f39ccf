// What the utility dialogs have in common: Help opens the utility's topic,
// OK reads the fields, refuses a missing input with a message and otherwise
// runs the utility under the wait cursor and closes, and the dialogs with a
// directory-list picker fill and walk it the same way.
#ifndef OMBRIX_UTILITYDLG_H
#define OMBRIX_UTILITYDLG_H

#include "afxwin.h"
#include "dispatch.h"
#include "picker.h"

class CUtilityDlg : public CDialog {
public:
    // The dialog of utility: its template and Help topic come from the
    // utility's row of g_utilityTable.
    explicit CUtilityDlg(Utility utility);

    // The whole run of the utility from the dialog's fields.
    virtual void Run() = 0;

protected:
    // The message OK shows instead of running, or null when the fields
    // are complete.
    virtual const char* MissingInput() const = 0;

    // Makes list the dialog's picker; its double clicks show the current
    // directory in directory and, in the files form, gather names in files.
    void UsePicker(CListBox& list, const DirListStyle& style, CString& directory, CString* files = nullptr);

    virtual BOOL OnInitDialog();
    virtual void OnOK();

    afx_msg void OnDblclkDirList();
    afx_msg void OnHelp();

    DECLARE_MESSAGE_MAP()

private:
    Utility m_utility;
    CListBox* m_pickerList;
    DirListStyle m_pickerStyle;
    CString* m_pickerDirectory;
    CString* m_pickerFiles;
};

#endif
