#include "optionsdlg.h"

#include "resource.h"

CSetTabsDlg::CSetTabsDlg(CWnd* pParent) : CDialog(IDD_SET_TABS, pParent), m_tabLength(8) {}

void CSetTabsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SETTING_VALUE, m_tabLength);
    DDV_MinMaxInt(pDX, m_tabLength, 1, 16);
}

CPrinterMarginDlg::CPrinterMarginDlg(CWnd* pParent) : CDialog(IDD_PRINTER_MARGIN, pParent), m_margin(0) {}

void CPrinterMarginDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SETTING_VALUE, m_margin);
    DDV_MinMaxInt(pDX, m_margin, 0, 32);
}

CRunCommandDlg::CRunCommandDlg(CWnd* pParent) : CDialog(IDD_RUN_COMMAND, pParent) {}

void CRunCommandDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SETTING_VALUE, m_commandName);
    DDV_MaxChars(pDX, m_commandName, 80);
    DDX_Text(pDX, IDC_RUN_ARGUMENTS, m_arguments);
    DDV_MaxChars(pDX, m_arguments, 80);
}

BEGIN_MESSAGE_MAP(CSetEditorDlg, CDialog)
    ON_BN_CLICKED(IDC_EDITOR_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CSetEditorDlg::CSetEditorDlg(CWnd* pParent) : CDialog(IDD_SET_EDITOR, pParent) {}

void CSetEditorDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SETTING_VALUE, m_programName);
    DDV_MaxChars(pDX, m_programName, 40);
}

void CSetEditorDlg::OnBrowse()
{
    CFileDialog dlg(TRUE, nullptr, "*.*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, this);
    if (dlg.DoModal() != IDOK)
        return;
    UpdateData(TRUE);
    CString path = dlg.GetPathName();
    path.MakeLower();
    m_programName = path;
    UpdateData(FALSE);
}
