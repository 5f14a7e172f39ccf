#include "stringsdlg.h"

BEGIN_MESSAGE_MAP(CStringsDlg, CUtilityDlg)
    ON_LBN_DBLCLK(IDC_STRINGS_FILELIST, OnDblclkDirList)
END_MESSAGE_MAP()

CStringsDlg::CStringsDlg() : CUtilityDlg(kUtilityStrings), m_minLength(0), m_offsets(-1)
{
    UsePicker(m_fileList, DirListStyle{true, true}, m_directory, &m_files);
}

void CStringsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STRINGS_FILELIST, m_fileList);
    DDX_Text(pDX, IDC_STRINGS_DIRECTORY, m_directory);
    DDX_Text(pDX, IDC_STRINGS_FILES, m_files);
    DDX_Text(pDX, IDC_STRINGS_LENGTH, m_minLength);
    DDX_Radio(pDX, IDC_STRINGS_OFF_NONE, m_offsets);
}

const char* CStringsDlg::MissingInput() const
{
    return m_files.IsEmpty() ? "No input file specified" : nullptr;
}

void CStringsDlg::Run()
{
    StringsRun(m_directory, m_files, {m_minLength, m_offsets});
}

bool CStringsDlg::ScanFile(const char* name)
{
    return StringsScanFile(name, m_minLength, m_offsets);
}
