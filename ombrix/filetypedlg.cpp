#include "filetypedlg.h"

BEGIN_MESSAGE_MAP(CFileTypeDlg, CUtilityDlg)
    ON_LBN_DBLCLK(IDC_FILE_DIRLIST, OnDblclkDirList)
END_MESSAGE_MAP()

CFileTypeDlg::CFileTypeDlg() : CUtilityDlg(kUtilityFile), m_magicFirst(FALSE), m_debug(-1)
{
    UsePicker(m_dirList, DirListStyle{false, true}, m_directory);
}

void CFileTypeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILE_DIRLIST, m_dirList);
    DDX_Check(pDX, IDC_FILE_MAGICFIRST, m_magicFirst);
    DDX_Radio(pDX, IDC_FILE_DEBUG_NONE, m_debug);
    DDX_Text(pDX, IDC_FILE_DIRECTORY, m_directory);
    DDX_Text(pDX, IDC_FILE_FILES, m_files);
}

const char* CFileTypeDlg::MissingInput() const
{
    // Also in the debug modes, which do not use the field.
    return m_files.IsEmpty() ? "No input file specified" : nullptr;
}

void CFileTypeDlg::Run()
{
    FileTypeRun(m_directory, m_files, {m_debug, m_magicFirst != FALSE});
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
