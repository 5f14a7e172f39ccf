#include "olmetdlg.h"

#include "hexrows.h"

CSearchDlg::CSearchDlg(CWnd* pParent)
    : CDialog(IDD_SEARCH, pParent), m_anchorStart(0), m_anchorEnd(0), m_ignoreCase(0)
{
}

void CSearchDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PATTERN, m_pattern);
    DDV_MaxChars(pDX, m_pattern, olmet::kPatternMax);
    DDX_Check(pDX, IDC_ANCHOR_START, m_anchorStart);
    DDX_Check(pDX, IDC_ANCHOR_END, m_anchorEnd);
    DDX_Check(pDX, IDC_IGNORE_CASE, m_ignoreCase);
}

COffsetDlg::COffsetDlg(CWnd* pParent) : CDialog(IDD_OFFSET, pParent), m_offset(0) {}

void COffsetDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_OFFSET, m_offset);
    DDV_MinMaxLong(pDX, m_offset, 0, 9999999);
}
