#include "csplitdlg.h"

#include "dispatch.h"
#include "picker.h"

namespace {
const int kContextSplit = 0;
}

BEGIN_MESSAGE_MAP(CCsplitDlg, CDialog)
    ON_BN_CLICKED(IDC_CSPLIT_BROWSE, OnBrowse)
    ON_BN_CLICKED(ID_HELP_BUTTON, OnHelp)
END_MESSAGE_MAP()

CCsplitDlg::CCsplitDlg() : CDialog(IDD_CSPLIT), m_digits(0) {}

void CCsplitDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CSPLIT_ARGUMENTS, m_arguments);
    DDX_Text(pDX, IDC_CSPLIT_FILENAME, m_filename);
    DDX_Text(pDX, IDC_CSPLIT_PREFIX, m_prefix);
    DDX_Text(pDX, IDC_CSPLIT_DIGITS, m_digits);
    DDV_MinMaxInt(pDX, m_digits, 1, 8);
}

void CCsplitDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_filename.IsEmpty()) {
        AfxMessageBox("No Filename specified!");
        return;
    }
    if (m_arguments.IsEmpty()) {
        AfxMessageBox("You must specify at least 1 argument");
        return;
    }
    BeginWaitCursor();
    Run();
    EndWaitCursor();
    EndDialog(IDOK);
}

void CCsplitDlg::OnBrowse()
{
    CString path;
    if (!BrowseForFile(this, path))
        return;
    UpdateData(TRUE);
    m_filename = path;
    UpdateData(FALSE);
}

void CCsplitDlg::OnHelp()
{
    ::WinHelp(m_hWnd, AfxGetApp()->m_pszHelpFilePath, HELP_CONTEXT, g_utilityTable[kContextSplit].helpContext);
}

void CCsplitDlg::Run()
{
    CsplitRun(m_filename, m_arguments, m_prefix, m_digits);
}
