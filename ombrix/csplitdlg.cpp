#include "csplitdlg.h"

BEGIN_MESSAGE_MAP(CCsplitDlg, CUtilityDlg)
    ON_BN_CLICKED(IDC_CSPLIT_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CCsplitDlg::CCsplitDlg() : CUtilityDlg(kUtilityCsplit), m_digits(0) {}

void CCsplitDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CSPLIT_ARGUMENTS, m_arguments);
    DDX_Text(pDX, IDC_CSPLIT_FILENAME, m_filename);
    DDX_Text(pDX, IDC_CSPLIT_PREFIX, m_prefix);
    DDX_Text(pDX, IDC_CSPLIT_DIGITS, m_digits);
    DDV_MinMaxInt(pDX, m_digits, 1, 8);
}

const char* CCsplitDlg::MissingInput() const
{
    if (m_filename.IsEmpty())
        return "No Filename specified!";
    if (m_arguments.IsEmpty())
        return "You must specify at least 1 argument";
    return nullptr;
}

void CCsplitDlg::OnBrowse()
{
    BrowseIntoField(*this, m_filename);
}

void CCsplitDlg::Run()
{
    CsplitRun(m_filename, m_arguments, m_prefix, m_digits);
}
