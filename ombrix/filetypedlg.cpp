#include "filetypedlg.h"

#include "dispatch.h"
#include "picker.h"

namespace {
const int kFileType = 2;
}

BEGIN_MESSAGE_MAP(CFileTypeDlg, CDialog)
    ON_LBN_DBLCLK(IDC_FILE_DIRLIST, OnDblclkDirList)
    ON_BN_CLICKED(ID_HELP_BUTTON, OnHelp)
END_MESSAGE_MAP()

CFileTypeDlg::CFileTypeDlg() : CDialog(IDD_FILETYPE), m_magicFirst(FALSE), m_debug(-1) {}

void CFileTypeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILE_DIRLIST, m_dirList);
    DDX_Check(pDX, IDC_FILE_MAGICFIRST, m_magicFirst);
    DDX_Radio(pDX, IDC_FILE_DEBUG_NONE, m_debug);
    DDX_Text(pDX, IDC_FILE_DIRECTORY, m_directory);
    DDX_Text(pDX, IDC_FILE_FILES, m_files);
}

BOOL CFileTypeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillDirList(m_dirList, false);
    return TRUE;
}

void CFileTypeDlg::OnDblclkDirList()
{
    UpdateData(TRUE);
    int selected = m_dirList.GetCurSel();
    if (selected < 0)
        return;
    CString entry;
    m_dirList.GetText(selected, entry);
    EnterDirListEntry(entry);
    m_directory = CurrentDirectory();
    m_directory.MakeLower();
    FillDirList(m_dirList, false);
    UpdateData(FALSE);
}

void CFileTypeDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // Also in the debug modes, which do not use the field.
    if (m_files.IsEmpty()) {
        AfxMessageBox("No input file specified");
        return;
    }
    BeginWaitCursor();
    Run();
    EndWaitCursor();
    EndDialog(IDOK);
}

void CFileTypeDlg::OnHelp()
{
    ::WinHelp(m_hWnd, AfxGetApp()->m_pszHelpFilePath, HELP_CONTEXT, g_utilityTable[kFileType].helpContext);
}

void CFileTypeDlg::Run()
{
    FileTypeRun(m_directory, m_files, m_debug, m_magicFirst != FALSE);
}

void CFileTypeDlg::IdentifyFile(const char* name)
{
    FileTypeIdentify(name, m_magicFirst != FALSE);
}

void CFileTypeDlg::ListRegistration()
{
    FileTypeListRegistration();
}

void CFileTypeDlg::ListMagic()
{
    FileTypeListMagic();
}
