#include "wcdlg.h"

BEGIN_MESSAGE_MAP(CWcDlg, CUtilityDlg)
    ON_LBN_DBLCLK(IDC_WC_DIRLIST, OnDblclkDirList)
END_MESSAGE_MAP()

CWcDlg::CWcDlg()
    : CUtilityDlg(kUtilityWc), m_countBytes(FALSE), m_countLines(FALSE), m_countWords(FALSE), m_totals{0, 0, 0}
{
    UsePicker(m_dirList, DirListStyle{false, false}, m_directory);
}

void CWcDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WC_DIRLIST, m_dirList);
    DDX_Check(pDX, IDC_WC_BYTES, m_countBytes);
    DDX_Text(pDX, IDC_WC_DIRECTORY, m_directory);
    DDX_Text(pDX, IDC_WC_FILENAMES, m_filenames);
    DDX_Check(pDX, IDC_WC_LINES, m_countLines);
    DDX_Check(pDX, IDC_WC_WORDS, m_countWords);
}

const char* CWcDlg::MissingInput() const
{
    return m_filenames.IsEmpty() ? "No input file specified" : nullptr;
}

WcOptions CWcDlg::Options() const
{
    WcOptions options;
    options.countLines = m_countLines != FALSE;
    options.countWords = m_countWords != FALSE;
    options.countBytes = m_countBytes != FALSE;
    return options;
}

void CWcDlg::Run()
{
    WcRun(m_directory, m_filenames, Options());
}

void CWcDlg::CountFile()
{
    WcCountFiles(m_filenames, Options(), m_totals);
}
