#include "utilitydlg.h"

BEGIN_MESSAGE_MAP(CUtilityDlg, CDialog)
    ON_BN_CLICKED(ID_HELP_BUTTON, OnHelp)
END_MESSAGE_MAP()

CUtilityDlg::CUtilityDlg(Utility utility)
    : CDialog(g_utilityTable[utility].dialogId),
      m_utility(utility),
      m_pickerList(nullptr),
      m_pickerStyle{false, false},
      m_pickerDirectory(nullptr),
      m_pickerFiles(nullptr)
{
}

void CUtilityDlg::UsePicker(CListBox& list, const DirListStyle& style, CString& directory, CString* files)
{
    m_pickerList = &list;
    m_pickerStyle = style;
    m_pickerDirectory = &directory;
    m_pickerFiles = files;
}

BOOL CUtilityDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pickerList)
        FillDirList(*m_pickerList, m_pickerStyle.withFiles);
    return TRUE;
}

void CUtilityDlg::OnDblclkDirList()
{
    if (m_pickerList)
        OnDirListDoubleClick(*this, *m_pickerList, m_pickerStyle, *m_pickerDirectory, m_pickerFiles);
}

void CUtilityDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (const char* message = MissingInput()) {
        AfxMessageBox(message);
        return;
    }
    BeginWaitCursor();
    Run();
    EndWaitCursor();
    EndDialog(IDOK);
}

void CUtilityDlg::OnHelp()
{
    ::WinHelp(m_hWnd, AfxGetApp()->m_pszHelpFilePath, HELP_CONTEXT, g_utilityTable[m_utility].helpContext);
}
