#include "vanticdlg.h"

#include "fileout.h"
#include "picker.h"
#include "toolapp.h"

#include <direct.h>

#include <cctype>
#include <cstdio>

BEGIN_MESSAGE_MAP(CVanticDlg, CDialog)
    ON_BN_CLICKED(IDC_PASTE_FROM, OnPasteFrom)
    ON_BN_CLICKED(IDC_COPY_TO, OnCopyTo)
    ON_LBN_DBLCLK(IDC_DIR_LIST, OnDblclkDirList)
    ON_BN_CLICKED(ID_HELP_BUTTON, OnHelp)
END_MESSAGE_MAP()

namespace {

const DWORD kFileDialogFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

}   // namespace

CVanticDlg::CVanticDlg() : CDialog(IDD_VANTIC), m_suppressOutput(FALSE), m_developmentMode(FALSE) {}

void CVanticDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DIR_LIST, m_dirList);
    DDX_Text(pDX, IDC_CURRENT_DIR, m_currentDir);
    DDX_Text(pDX, IDC_INPUT_FILES, m_inputFiles);
    DDX_Text(pDX, IDC_OUTPUT_FILE, m_outputFile);
    DDX_Text(pDX, IDC_SCRIPT, m_script);
    DDX_Check(pDX, IDC_SUPPRESS_OUTPUT, m_suppressOutput);
    DDX_Check(pDX, IDC_DEVELOPMENT_MODE, m_developmentMode);
}

BOOL CVanticDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillDirList(m_dirList, true);
    return TRUE;
}

void CVanticDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_inputFiles.IsEmpty()) {
        AfxMessageBox("No input file specified");
        return;
    }
    if (m_script.IsEmpty()) {
        AfxMessageBox("At least one edit command must be specified");
        return;
    }
    BeginWaitCursor();
    int result = EditFiles();
    EndWaitCursor();
    // A failed run, or any run in development mode, leaves every field as it
    // was so that the script can be changed and run again.
    if (result == 0 && !m_developmentMode)
        EndDialog(IDOK);
}

int CVanticDlg::EditFiles()
{
    VanticOptions options;
    options.suppressOutput = m_suppressOutput != FALSE;
    return ::EditFiles(m_inputFiles, m_outputFile, m_script, options) ? 0 : 1;
}

void CVanticDlg::RestoreCurrentDirectory()
{
    if (m_currentDir.IsEmpty())
        return;
    int letter = std::tolower(static_cast<unsigned char>(m_currentDir[0]));
    if (letter >= 'a' && letter <= 'z')
        _chdrive(letter - 'a' + 1);
    _chdir(m_currentDir);
}

void CVanticDlg::OnPasteFrom()
{
    CFileDialog dlg(TRUE, nullptr, "*.*", kFileDialogFlags, nullptr, this);
    INT_PTR answer = dlg.DoModal();
    UpdateData(TRUE);
    if (answer == IDOK) {
        FILE* file = std::fopen(dlg.GetPathName(), "rb");
        if (!file) {
            AfxMessageBox("cant open input file");
        } else {
            // Pieces as they come, line ends and all.
            m_script.Empty();
            char piece[512];
            while (std::fgets(piece, sizeof piece, file))
                m_script += piece;
            std::fclose(file);
        }
    }
    RestoreCurrentDirectory();
    UpdateData(FALSE);
}

void CVanticDlg::OnCopyTo()
{
    CFileDialog dlg(FALSE, nullptr, "*.*", kFileDialogFlags, nullptr, this);
    INT_PTR answer = dlg.DoModal();
    UpdateData(TRUE);
    if (answer == IDOK) {
        // The script file takes the chosen name only once it is whole.
        CString path = dlg.GetPathName();
        char temporary[260];
        FILE* file = CreateReplacement(path, temporary);
        if (!file) {
            AfxMessageBox("cant create output file");
        } else {
            bool written =
                WriteBytes(file, static_cast<const char*>(m_script), static_cast<size_t>(m_script.GetLength()));
            ReportReplacement(FinishReplacement(file, temporary, path, written), path);
        }
    }
    RestoreCurrentDirectory();
}

void CVanticDlg::OnDblclkDirList()
{
    OnDirListDoubleClick(*this, m_dirList, DirListStyle{true, true}, m_currentDir, &m_inputFiles);
}

void CVanticDlg::OnHelp()
{
    ShowHelpContents(this);
}
