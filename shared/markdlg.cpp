#include "markdlg.h"

CMarkDlg::CMarkDlg(const char* caption, CWnd* pParent) : CDialog(IDD_MARK, pParent), m_caption(caption) {}

void CMarkDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_MARK_LETTER, m_letter);
    DDV_MaxChars(pDX, m_letter, 1);
}

BOOL CMarkDlg::OnInitDialog()
{
    BOOL result = CDialog::OnInitDialog();
    SetWindowText(m_caption);
    return result;
}

BEGIN_MESSAGE_MAP(CShowMarksDlg, CDialog)
    ON_BN_CLICKED(IDC_CLEAR_ALL, OnClearAll)
END_MESSAGE_MAP()

CShowMarksDlg::CShowMarksDlg(CWnd* pParent) : CDialog(IDD_SHOW_MARKS, pParent) {}

void CShowMarksDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_MARKS_TEXT, m_list);
}

void CShowMarksDlg::OnClearAll()
{
    EndDialog(IDC_CLEAR_ALL);
}
