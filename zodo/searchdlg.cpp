#include "searchdlg.h"

#include "resource.h"
#include "search.h"

CSearchDlg::CSearchDlg(CWnd* pParent)
    : CDialog(IDD_SEARCH, pParent), m_anchorStart(0), m_anchorEnd(0), m_ignoreCase(0), m_using(0)
{
}

void CSearchDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SEARCH_EXPRESSION, m_expression);
    DDV_MaxChars(pDX, m_expression, zodo::kSearchExpressionMax);
    DDX_Check(pDX, IDC_SEARCH_ANCHOR_START, m_anchorStart);
    DDX_Check(pDX, IDC_SEARCH_ANCHOR_END, m_anchorEnd);
    DDX_Check(pDX, IDC_SEARCH_IGNORE_CASE, m_ignoreCase);
    DDX_Radio(pDX, IDC_SEARCH_ORIGINAL, m_using);
}
