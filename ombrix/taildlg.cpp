#include "taildlg.h"

BEGIN_MESSAGE_MAP(CTailDlg, CUtilityDlg)
    ON_LBN_DBLCLK(IDC_TAIL_FILELIST, OnDblclkDirList)
END_MESSAGE_MAP()

CTailDlg::CTailDlg() : CUtilityDlg(kUtilityTail), m_program(-1), m_skipLines(0), m_lines(0)
{
    UsePicker(m_fileList, DirListStyle{true, true}, m_directory, &m_files);
}

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

const char* CTailDlg::MissingInput() const
{
    return m_files.IsEmpty() ? "No input file specified" : nullptr;
}

void CTailDlg::Run()
{
    TailRun(m_directory, m_files, {m_program, m_skipLines, m_lines});
}

void CTailDlg::HeadFile(const char* name)
{
    TailHeadFile(name, m_skipLines, m_lines);
}

void CTailDlg::TailFile(const char* name, long long size)
{
    TailTailFile(name, size, m_lines);
}
