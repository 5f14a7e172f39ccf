#include "taildlg.h"

#include "dispatch.h"
#include "picker.h"

namespace {
const int kTailUtility = 5;
}

BEGIN_MESSAGE_MAP(CTailDlg, CDialog)
    ON_LBN_DBLCLK(IDC_TAIL_FILELIST, OnDblclkFileList)
    ON_BN_CLICKED(ID_HELP_BUTTON, OnHelp)
END_MESSAGE_MAP()

CTailDlg::CTailDlg() : CDialog(IDD_TAIL), m_program(-1), m_skipLines(0), m_lines(0) {}

void CTailDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TAIL_FILELIST, m_fileList);
    DDX_Radio(pDX, IDC_TAIL_HEAD, m_program);
    DDX_Text(pDX, IDC_TAIL_DIRECTORY, m_directory);
    DDX_Text(pDX, IDC_TAIL_FILES, m_files);
    DDX_Text(pDX, IDC_TAIL_SKIP, m_skipLines);
    DDX_Text(pDX, IDC_TAIL_LINES, m_lines);
}

BOOL CTailDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillDirList(m_fileList, true);
    return TRUE;
}

void CTailDlg::OnDblclkFileList()
{
    UpdateData(TRUE);
    int selected = m_fileList.GetCurSel();
    if (selected < 0)
        return;
    CString entry;
    m_fileList.GetText(selected, entry);
    PickFileListEntry(entry, m_files);
    m_directory = CurrentDirectory();
    m_directory.MakeLower();
    FillDirList(m_fileList, true);
    UpdateData(FALSE);
}

void CTailDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_files.IsEmpty()) {
        AfxMessageBox("No input file specified");
        return;
    }
    BeginWaitCursor();
    Run();
    EndWaitCursor();
    EndDialog(IDOK);
}

void CTailDlg::OnHelp()
{
    ::WinHelp(m_hWnd, AfxGetApp()->m_pszHelpFilePath, HELP_CONTEXT, g_utilityTable[kTailUtility].helpContext);
}

void CTailDlg::Run()
{
    TailRun(m_directory, m_files, m_program, m_skipLines, m_lines);
}

void CTailDlg::HeadFile(const char* name)
{
    TailHeadFile(name, m_skipLines, m_lines);
}

void CTailDlg::TailFile(const char* name, long long size)
{
    TailTailFile(name, size, m_lines);
}
