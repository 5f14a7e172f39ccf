#include "splitdlg.h"

#include "dispatch.h"
#include "picker.h"

namespace {
const int kSplitUtility = 3;
}

BEGIN_MESSAGE_MAP(CSplitDlg, CDialog)
    ON_BN_CLICKED(IDC_SPLIT_BROWSE, OnBrowse)
    ON_BN_CLICKED(ID_HELP_BUTTON, OnHelp)
END_MESSAGE_MAP()

CSplitDlg::CSplitDlg() : CDialog(IDD_SPLIT), m_type(-1), m_units(-1), m_unitsPerFile(0) {}

void CSplitDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SPLIT_EXTENSION, m_extension);
    DDX_Text(pDX, IDC_SPLIT_FILENAME, m_filename);
    DDX_Radio(pDX, IDC_SPLIT_SPLIT, m_type);
    DDX_Radio(pDX, IDC_SPLIT_LINES, m_units);
    DDX_Text(pDX, IDC_SPLIT_COUNT, m_unitsPerFile);
}

void CSplitDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_filename.IsEmpty()) {
        AfxMessageBox("No Filename specified!");
        return;
    }
    if (m_extension.GetLength() != 3) {
        AfxMessageBox("Extension must be 3-characters!");
        return;
    }
    BeginWaitCursor();
    Run();
    EndWaitCursor();
    EndDialog(IDOK);
}

void CSplitDlg::OnBrowse()
{
    CString path;
    if (!BrowseForFile(this, path))
        return;
    UpdateData(TRUE);
    m_filename = path;
    UpdateData(FALSE);
}

void CSplitDlg::OnHelp()
{
    ::WinHelp(m_hWnd, AfxGetApp()->m_pszHelpFilePath, HELP_CONTEXT, g_utilityTable[kSplitUtility].helpContext);
}

void CSplitDlg::Run()
{
    m_extension.MakeLower();
    char base[1024];
    SplitBaseName(m_filename, base, sizeof base);
    m_baseName = base;
    if (m_type == kUnsplit)
        UnsplitFile(m_filename);
    else
        SplitFile(m_filename);
}

void CSplitDlg::SplitFile(const char* input)
{
    // Megabytes are counted as 1024 blocks of 1024 bytes, in 64 bits.
    long long perFile = m_unitsPerFile;
    if (m_units == kSplitMegabytes)
        perFile *= 1024;
    SplitIntoParts(input, m_baseName, m_extension, m_units, perFile);
}

void CSplitDlg::UnsplitFile(const char* output)
{
    SplitJoinParts(output, m_baseName, m_extension);
}

bool CSplitDlg::NextPartName(char* name)
{
    return ::NextPartName(name);
}
