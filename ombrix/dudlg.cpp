#include "dudlg.h"

BEGIN_MESSAGE_MAP(CDuDlg, CUtilityDlg)
    ON_LBN_DBLCLK(IDC_DU_DIRLIST, OnDblclkDirList)
END_MESSAGE_MAP()

CDuDlg::CDuDlg()
    : CUtilityDlg(kUtilityDu), m_listAll(FALSE), m_units(-1), m_excludeSubdirs(FALSE), m_showUtilization(FALSE)
{
    UsePicker(m_dirList, DirListStyle{false, false}, m_directory);
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

const char* CDuDlg::MissingInput() const
{
    return m_directory.IsEmpty() ? "No directory specified" : nullptr;
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
