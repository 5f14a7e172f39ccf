#include "selectdlg.h"

#include "toolapp.h"

BEGIN_MESSAGE_MAP(CUtilitySelectDlg, CDialog)
    ON_BN_CLICKED(ID_HELP_BUTTON, OnHelp)
END_MESSAGE_MAP()

CUtilitySelectDlg::CUtilitySelectDlg() : CDialog(IDD_SELECT_UTILITY), m_nUtility(-1) {}

void CUtilitySelectDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_UTIL_CSPLIT, m_nUtility);
}

void CUtilitySelectDlg::OnHelp()
{
    ShowHelpContents(this);
}
