#include "quarndlg.h"

#include "picker.h"
#include "toolapp.h"

BEGIN_MESSAGE_MAP(CQuarnDlg, CDialog)
    ON_LBN_DBLCLK(IDC_DIRLIST, OnDblclkDirList)
    ON_BN_CLICKED(ID_HELP_BUTTON, OnHelp)
END_MESSAGE_MAP()

CQuarnDlg::CQuarnDlg()
    : CDialog(IDD_QUARN), m_ignoreCase(FALSE), m_lineNumbers(FALSE), m_descend(FALSE), m_unmatched(FALSE)
{
}

void CQuarnDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FILENAMES, m_fileMasks);
    DDX_Text(pDX, IDC_PATTERNS, m_patternsText);
    DDX_Text(pDX, IDC_DIRECTORY, m_directory);
    DDX_Control(pDX, IDC_DIRLIST, m_dirList);
    DDX_Check(pDX, IDC_IGNORE_CASE, m_ignoreCase);
    DDX_Check(pDX, IDC_LINE_NUMBERS, m_lineNumbers);
    DDX_Check(pDX, IDC_DESCEND, m_descend);
    DDX_Check(pDX, IDC_UNMATCHED, m_unmatched);
}

BOOL CQuarnDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillDirList(m_dirList, false);
    return TRUE;
}

// A double click on "[name]" enters that directory, on "[-x-]" drive x. The
// search later starts in whatever directory is current; the Directory field
// only shows it. Unlike the other pickers, the fields are read after the
// walk, and also when nothing is selected.
void CQuarnDlg::OnDblclkDirList()
{
    int selected = m_dirList.GetCurSel();
    if (selected >= 0) {
        CString entry;
        m_dirList.GetText(selected, entry);
        EnterDirListEntry(entry);
    }
    UpdateData(TRUE);
    m_directory = CurrentDirectory(256);
    FillDirList(m_dirList, false);
    UpdateData(FALSE);
}

void CQuarnDlg::OnHelp()
{
    ShowHelpContents(this);
}

void CQuarnDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_directory.IsEmpty()) {
        AfxMessageBox("Directory not specified");
        return;
    }
    if (m_patternsText.IsEmpty()) {
        AfxMessageBox("Search pattern not specified");
        return;
    }
    EndDialog(IDOK);
}
