#include "wcdlg.h"

#include "dispatch.h"
#include "picker.h"

namespace {
const int kWordCount = 6;
}

BEGIN_MESSAGE_MAP(CWcDlg, CDialog)
    ON_LBN_DBLCLK(IDC_WC_DIRLIST, OnDblclkDirList)
    ON_BN_CLICKED(ID_HELP_BUTTON, OnHelp)
END_MESSAGE_MAP()

CWcDlg::CWcDlg()
    : CDialog(IDD_WC), m_countBytes(FALSE), m_countLines(FALSE), m_countWords(FALSE), m_totals{0, 0, 0}
{
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

BOOL CWcDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillDirList(m_dirList, false);
    return TRUE;
}

void CWcDlg::OnDblclkDirList()
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

void CWcDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_filenames.IsEmpty()) {
        AfxMessageBox("No input file specified");
        return;
    }
    BeginWaitCursor();
    Run();
    EndWaitCursor();
    EndDialog(IDOK);
}

void CWcDlg::OnHelp()
{
    ::WinHelp(m_hWnd, AfxGetApp()->m_pszHelpFilePath, HELP_CONTEXT, g_utilityTable[kWordCount].helpContext);
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
