#include "comparedlg.h"

#include "picker.h"
#include "resource.h"
#include "toolapp.h"

BEGIN_MESSAGE_MAP(CCompareDlg, CDialog)
    ON_BN_CLICKED(IDC_BROWSE1, OnBrowse1)
    ON_BN_CLICKED(IDC_BROWSE2, OnBrowse2)
    ON_BN_CLICKED(ID_HELP_BUTTON, OnHelp)
END_MESSAGE_MAP()

CCompareDlg::CCompareDlg(CWnd* pParent)
    : CDialog(IDD_COMPARE, pParent), m_ignoreCase(FALSE), m_ignoreWhiteSpace(FALSE), m_type(-1)
{
}

void CCompareDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FILE1, m_file1);
    DDX_Text(pDX, IDC_FILE2, m_file2);
    DDX_Check(pDX, IDC_IGNORE_CASE, m_ignoreCase);
    DDX_Check(pDX, IDC_IGNORE_WHITE_SPACE, m_ignoreWhiteSpace);
    DDX_Radio(pDX, IDC_TYPE_BINARY, m_type);
}

void CCompareDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_file1.IsEmpty() || m_file2.IsEmpty()) {
        AfxMessageBox("File1 and File2 must be specified");
        return;
    }
    EndDialog(IDOK);
}

void CCompareDlg::OnBrowse1()
{
    BrowseIntoField(*this, m_file1);
}

void CCompareDlg::OnBrowse2()
{
    BrowseIntoField(*this, m_file2);
}

void CCompareDlg::OnHelp()
{
    ShowHelpContents(this);
}
