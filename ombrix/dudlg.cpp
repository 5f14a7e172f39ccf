#include "dudlg.h"

#include "dispatch.h"
#include "picker.h"

namespace {
const int kDiskUsage = 1;
}

BEGIN_MESSAGE_MAP(CDuDlg, CDialog)
    ON_LBN_DBLCLK(IDC_DU_DIRLIST, OnDblclkDirList)
    ON_BN_CLICKED(ID_HELP_BUTTON, OnHelp)
END_MESSAGE_MAP()

CDuDlg::CDuDlg()
    : CDialog(IDD_DU), m_listAll(FALSE), m_units(-1), m_excludeSubdirs(FALSE), m_showUtilization(FALSE)
{
}

void CDuDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DU_DIRLIST, m_dirList);
    DDX_Check(pDX, IDC_DU_LISTALL, m_listAll);
    DDX_Text(pDX, IDC_DU_DIRECTORY, m_directory);
    DDX_Radio(pDX, IDC_DU_UNITS_KB, m_units);
    DDX_Check(pDX, IDC_DU_EXCLUDE, m_excludeSubdirs);
    DDX_Check(pDX, IDC_DU_UTILIZATION, m_showUtilization);
}

BOOL CDuDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillDirList(m_dirList, false);
    return TRUE;
}

void CDuDlg::OnDblclkDirList()
{
    UpdateData(TRUE);
    int selected = m_dirList.GetCurSel();
    if (selected < 0)
        return;
    CString entry;
    m_dirList.GetText(selected, entry);
    EnterDirListEntry(entry);
    m_directory = CurrentDirectory();
    FillDirList(m_dirList, false);
    UpdateData(FALSE);
}

void CDuDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_directory.IsEmpty()) {
        AfxMessageBox("No directory specified");
        return;
    }
    BeginWaitCursor();
    Run();
    EndWaitCursor();
    EndDialog(IDOK);
}

void CDuDlg::OnHelp()
{
    ::WinHelp(m_hWnd, AfxGetApp()->m_pszHelpFilePath, HELP_CONTEXT, g_utilityTable[kDiskUsage].helpContext);
}

void CDuDlg::Run()
{
    DuOptions options;
    options.listAll = m_listAll != FALSE;
    options.excludeSubdirs = m_excludeSubdirs != FALSE;
    options.showUtilization = m_showUtilization != FALSE;
    options.kilobytes = m_units == 0;
    DuRun(m_directory, options);
}

void CDuDlg::SumDirectory(DirUsage& entry)
{
    DuSumDirectory(entry);
}
