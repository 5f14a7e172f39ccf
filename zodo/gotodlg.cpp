#include "gotodlg.h"

#include "resource.h"

CGoToDlg::CGoToDlg(CWnd* pParent) : CDialog(IDD_GOTO, pParent), m_line(1) {}

void CGoToDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_GOTO_LINE, m_line);
    DDV_MinMaxLong(pDX, m_line, 1, 9999999);
}
