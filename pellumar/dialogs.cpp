#include "dialogs.h"

#include <ctime>
#include <string>

#include "calendar.h"
#include "picker.h"

void CPatternDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_PATTERN, m_pattern);
}

BEGIN_MESSAGE_MAP(CChangeDirDlg, CDialog)
    ON_LBN_DBLCLK(IDC_DIR_LIST, OnDblclkDirList)
END_MESSAGE_MAP()

void CChangeDirDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_DIR_LIST, m_dirList);
    DDX_Text(pDX, IDC_DIRECTORY, m_dir);
}

BOOL CChangeDirDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillDirList(m_dirList, false);
    return TRUE;
}

void CChangeDirDlg::OnDblclkDirList()
{
    DirListStyle style = {false, false};
    OnDirListDoubleClick(*this, m_dirList, style, m_dir);
}

BEGIN_MESSAGE_MAP(CRunCommandDlg, CDialog)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
END_MESSAGE_MAP()

void CRunCommandDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_RUN_COMMAND, m_command);
    DDX_Text(pDX, IDC_RUN_FILE, m_file);
    DDX_Radio(pDX, IDC_RUN_EXECUTE, m_option);
}

void CRunCommandDlg::OnBrowse()
{
    CString chosen;
    if (!BrowseForFile(this, chosen))
        return;
    UpdateData(TRUE);
    m_command = chosen;
    m_option = 0;
    UpdateData(FALSE);
}

void CFromToDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_FROM, m_from);
    DDX_Text(pDX, IDC_TO, m_to);
}

BOOL CCaptionedDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(m_caption);
    return TRUE;
}

void CDeleteDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_DELETE_FILES, m_files);
    DDX_Check(pDX, IDC_DELETE_CONFIRM, m_confirm);
}

void CDirNameDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_CURRENT_DIR, m_currentDir);
    DDX_Text(pDX, IDC_DIR_NAME, m_dirName);
}

void CCalDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_CAL_TITLE, m_title);
    DDX_Control(pDX, IDC_CAL_GRID, m_grid);
    DDX_Text(pDX, IDC_CAL_MONTH, m_month);
    DDV_MinMaxInt(pDX, m_month, 1, 12);
    DDX_Text(pDX, IDC_CAL_YEAR, m_year);
    DDV_MinMaxInt(pDX, m_year, kFirstCalendarYear, kLastCalendarYear);
}

BOOL CCalDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    HGDIOBJ fixed = GetStockObject(ANSI_FIXED_FONT);
    m_title.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(fixed), TRUE);
    m_grid.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(fixed), TRUE);
    time_t now = time(nullptr);
    struct tm local = {};
    localtime_s(&local, &now);
    m_month = local.tm_mon + 1;
    m_year = local.tm_year + 1900;
    UpdateData(FALSE);
    DrawMonth();
    return TRUE;
}

void CCalDlg::OnOK()
{
    // The framework's checks tell the user about a month or year out of
    // range; then the last month drawn stays.
    if (!UpdateData(TRUE))
        return;
    if (m_month < 1 || m_month > 12 || m_year < kFirstCalendarYear || m_year > kLastCalendarYear)
        return;
    DrawMonth();
    UpdateData(FALSE);
}

void CCalDlg::DrawMonth()
{
    m_title.SetWindowText(MonthTitle(m_month, m_year).c_str());
    m_grid.SetWindowText(MonthGrid(m_month, m_year).c_str());
}

void CDriveDetailsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_DETAILS_BYTES, m_bytesPerSector);
    DDX_Text(pDX, IDC_DETAILS_CWD, m_currentDir);
    DDX_Text(pDX, IDC_DETAILS_FREE_CLUSTERS, m_freeClusters);
    DDX_Text(pDX, IDC_DETAILS_SECTORS, m_sectorsPerCluster);
    DDX_Text(pDX, IDC_DETAILS_PERCENT, m_percentUsed);
    DDX_Text(pDX, IDC_DETAILS_TOTAL_CLUSTERS, m_totalClusters);
    DDX_Text(pDX, IDC_DETAILS_TYPE, m_driveType);
    DDX_Text(pDX, IDC_DETAILS_FREE_MB, m_freeMegabytes);
    DDX_Text(pDX, IDC_DETAILS_TOTAL_MB, m_totalMegabytes);
}
