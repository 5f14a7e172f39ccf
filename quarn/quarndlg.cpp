#include "quarndlg.h"

#include <direct.h>

#include <cctype>

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

void CQuarnDlg::FillDirList()
{
    m_dirList.ResetContent();
    m_dirList.Dir(DDL_EXCLUSIVE | DDL_DRIVES | DDL_DIRECTORY, "*.*");
}

BOOL CQuarnDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillDirList();
    return TRUE;
}

// A double click on "[name]" enters that directory, on "[-x-]" drive x. The
// search later starts in whatever directory is current; the Directory field
// only shows it.
void CQuarnDlg::OnDblclkDirList()
{
    int selected = m_dirList.GetCurSel();
    if (selected >= 0) {
        CString entry;
        m_dirList.GetText(selected, entry);
        if (entry.GetLength() >= 2) {
            CString name = entry.Mid(1, entry.GetLength() - 2);
            if (!name.IsEmpty() && name[0] == '-') {
                if (name.GetLength() >= 2) {
                    int letter = std::tolower(static_cast<unsigned char>(name[1]));
                    _chdrive(letter - 'a' + 1);
                }
            } else {
                _chdir(name);
            }
        }
    }
    UpdateData(TRUE);
    char current[256];
    if (!_getcwd(current, sizeof current))
        current[0] = 0;
    m_directory = current;
    FillDirList();
    UpdateData(FALSE);
}

void CQuarnDlg::OnHelp()
{
    ::WinHelp(m_hWnd, AfxGetApp()->m_pszHelpFilePath, HELP_CONTENTS, 0);
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
