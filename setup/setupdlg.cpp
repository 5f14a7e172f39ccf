#include "setupdlg.h"

#include "install.h"
#include "picker.h"
#include "toolapp.h"

BEGIN_MESSAGE_MAP(CSetupDlg, CDialog)
    ON_BN_CLICKED(ID_HELP_BUTTON, OnHelp)
    ON_BN_CLICKED(IDC_ABOUT_BUTTON, OnAbout)
    ON_BN_CLICKED(IDC_BROWSE_EDITOR, OnBrowseEditor)
    ON_BN_CLICKED(IDC_BROWSE_SHELL, OnBrowseShell)
    ON_BN_CLICKED(IDC_BROWSE_GZIP, OnBrowseGzip)
    ON_BN_CLICKED(IDC_UNINSTALL, OnUninstall)
END_MESSAGE_MAP()

namespace {

// The shell reads the Shell value into a 260-byte buffer.
const int kMaxShellChars = 259;

}   // namespace

CSetupDlg::CSetupDlg()
    : CDialog(IDD_SETUP),
      m_addToFileManager(TRUE),
      m_setViewer(FALSE),
      m_setPrinter(FALSE),
      m_addToExplorer(TRUE),
      m_uninstall(FALSE)
{
}

void CSetupDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DIRECTORY, m_directory);
    DDX_Text(pDX, IDC_EDITOR, m_editor);
    DDX_Check(pDX, IDC_ADD_TO_FM, m_addToFileManager);
    DDX_Text(pDX, IDC_SHELL, m_shellCommand);
    DDV_MaxChars(pDX, m_shellCommand, kMaxShellChars);
    DDX_Check(pDX, IDC_SET_VIEWER, m_setViewer);
    DDX_Check(pDX, IDC_SET_PRINTER, m_setPrinter);
    DDX_Text(pDX, IDC_GZIP, m_gzip);
    DDX_Check(pDX, IDC_ADD_TO_EXPLORER, m_addToExplorer);
}

void CSetupDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // Refused here, before anything is written, so the user can mend it.
    if (const char* refusal = DirectoryRefusal(static_cast<const char*>(m_directory))) {
        AfxMessageBox(refusal);
        CWnd* field = GetDlgItem(IDC_DIRECTORY);
        if (field)
            GotoDlgCtrl(field);
        return;
    }
    EndDialog(IDOK);
}

void CSetupDlg::OnHelp()
{
    ShowHelpContents(this);
}

void CSetupDlg::OnAbout()
{
    // The dialog has no About of its own; the command goes on to the
    // application.
    SendMessage(WM_COMMAND, ID_APP_ABOUT, 0);
}

void CSetupDlg::OnBrowseEditor()
{
    BrowseIntoField(*this, m_editor);
}

void CSetupDlg::OnBrowseShell()
{
    BrowseIntoField(*this, m_shellCommand);
}

void CSetupDlg::OnBrowseGzip()
{
    BrowseIntoField(*this, m_gzip);
}

void CSetupDlg::OnUninstall()
{
    if (AfxMessageBox("Uninstall - are you sure?", MB_YESNO) != IDYES)
        return;
    if (!UpdateData(TRUE))
        return;
    m_uninstall = TRUE;
    EndDialog(IDOK);
}
