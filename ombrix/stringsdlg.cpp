#include "stringsdlg.h"

#include "dispatch.h"
#include "picker.h"

namespace {
const int kStrings = 4;
}

BEGIN_MESSAGE_MAP(CStringsDlg, CDialog)
    ON_LBN_DBLCLK(IDC_STRINGS_FILELIST, OnDblclkFileList)
    ON_BN_CLICKED(ID_HELP_BUTTON, OnHelp)
END_MESSAGE_MAP()

CStringsDlg::CStringsDlg() : CDialog(IDD_STRINGS), m_minLength(0), m_offsets(-1) {}

void CStringsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STRINGS_FILELIST, m_fileList);
    DDX_Text(pDX, IDC_STRINGS_DIRECTORY, m_directory);
    DDX_Text(pDX, IDC_STRINGS_FILES, m_files);
    DDX_Text(pDX, IDC_STRINGS_LENGTH, m_minLength);
    DDX_Radio(pDX, IDC_STRINGS_OFF_NONE, m_offsets);
}

BOOL CStringsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillDirList(m_fileList, true);
    return TRUE;
}

void CStringsDlg::OnDblclkFileList()
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

void CStringsDlg::OnOK()
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

void CStringsDlg::OnHelp()
{
    ::WinHelp(m_hWnd, AfxGetApp()->m_pszHelpFilePath, HELP_CONTEXT, g_utilityTable[kStrings].helpContext);
}

void CStringsDlg::Run()
{
    StringsRun(m_directory, m_files, m_minLength, m_offsets);
}

bool CStringsDlg::ScanFile(const char* name)
{
    return StringsScanFile(name, m_minLength, m_offsets);
}
