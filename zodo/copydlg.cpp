#include "copydlg.h"

#include "resource.h"

CCopyDlg::CCopyDlg(CWnd* pParent) : CDialog(IDD_COPY, pParent), m_copyTo(-1), m_using(-1) {}

void CCopyDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_COPY_FROM, m_from);
    DDX_Text(pDX, IDC_COPY_TO, m_to);
    DDX_Radio(pDX, IDC_COPY_CLIPBOARD, m_copyTo);
    DDX_Radio(pDX, IDC_COPY_ORIGINAL, m_using);
}
