#include "dialogs.h"

#include <direct.h>

#include <cstdio>

#include "names.h"
#include "picker.h"
#include "resource.h"

namespace {

const char kCantAccess[] = "Cant access specified directory";

}   // namespace

// The Browse button of Read and Write: the dialog's directory field is
// entered and offered in the Browse dialog; OK takes the directory chosen
// there. Cancel leaves the field, but the current directory stays where
// the walk left it.
static void BrowseDirectoryInto(CDialog& dialog, CString& field)
{
    dialog.UpdateData(TRUE);
    if (!EnterDirectory(field)) {
        AfxMessageBox(kCantAccess);
        return;
    }
    CBrowseDirDlg dlg;
    dlg.m_currentDir = field;
    if (dlg.DoModal() == IDOK) {
        field = dlg.m_currentDir;
        dialog.UpdateData(FALSE);
    }
}

bool EnterDirectory(const CString& dir)
{
    if (dir.GetLength() >= 2 && dir[1] == ':') {
        char letter = LowerLetter(dir[0]);
        if (letter >= 'a' && letter <= 'z')
            _chdrive(letter - 'a' + 1);
    }
    return SetCurrentDirectoryA(dir) != 0;
}

// ---------------------------------------------------------------- Read Archive

BEGIN_MESSAGE_MAP(CReadArchiveDlg, CDialog)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
    ON_BN_CLICKED(IDC_CREATE_DIR, OnCreateDir)
END_MESSAGE_MAP()

CReadArchiveDlg::CReadArchiveDlg()
    : CDialog(IDD_READ_ARCHIVE), m_ignoreOlder(0), m_noOverwrite(0), m_rename(0), m_extractChoice(-1), m_restoreTimes(0)
{
}

void CReadArchiveDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DIRECTORY, m_target);
    DDX_Check(pDX, IDC_IGNORE_OLDER, m_ignoreOlder);
    DDX_Check(pDX, IDC_NO_OVERWRITE, m_noOverwrite);
    DDX_Check(pDX, IDC_RENAME, m_rename);
    DDX_Radio(pDX, IDC_ALL_FILES, m_extractChoice);
    DDX_Check(pDX, IDC_RESTORE_TIMES, m_restoreTimes);
}

void CReadArchiveDlg::OnBrowse()
{
    BrowseDirectoryInto(*this, m_target);
}

void CReadArchiveDlg::OnCreateDir()
{
    UpdateData(TRUE);
    if (!EnterDirectory(m_target)) {
        AfxMessageBox(kCantAccess);
        return;
    }
    CMakeDirDlg dlg;
    if (dlg.DoModal() != IDOK)
        return;
    if (_mkdir(dlg.m_name) != 0) {
        AfxMessageBox("Cant create directory - sorry");
        return;
    }
    if (SetCurrentDirectoryA(dlg.m_name)) {
        m_target = CurrentDirectory();
        UpdateData(FALSE);
    }
}

// ---------------------------------------------------------------- Write Archive

BEGIN_MESSAGE_MAP(CWriteArchiveDlg, CDialog)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CWriteArchiveDlg::CWriteArchiveDlg() : CDialog(IDD_WRITE_ARCHIVE), m_action(-1), m_format(-1), m_descend(0) {}

void CWriteArchiveDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_CREATE, m_action);
    DDX_Text(pDX, IDC_FILES, m_files);
    DDX_Radio(pDX, IDC_CPIO, m_format);
    DDX_Check(pDX, IDC_DESCEND, m_descend);
    DDX_Text(pDX, IDC_DIRECTORY, m_source);
}

void CWriteArchiveDlg::OnBrowse()
{
    BrowseDirectoryInto(*this, m_source);
}

// ---------------------------------------------------------------- Archive Information

namespace {

// A byte count in a field, in all its 64 bits; the field only shows it.
void DDX_Size(CDataExchange* pDX, int nIDC, long long& value)
{
    HWND field = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        return;
    char text[32];
    snprintf(text, sizeof text, "%lld", value);
    SetWindowTextA(field, text);
}

}   // namespace

CArchiveInfoDlg::CArchiveInfoDlg() : CDialog(IDD_ARCHIVE_INFO), m_size(0), m_members(0) {}

void CArchiveInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Size(pDX, IDC_INFO_SIZE, m_size);
    DDX_Text(pDX, IDC_INFO_FORMAT, m_format);
    DDX_Text(pDX, IDC_INFO_MEMBERS, m_members);
    DDX_Text(pDX, IDC_INFO_UPDATED, m_updated);
    DDX_Text(pDX, IDC_INFO_NAME, m_name);
}

// ---------------------------------------------------------------- Browse

BEGIN_MESSAGE_MAP(CBrowseDirDlg, CDialog)
    ON_LBN_DBLCLK(IDC_DIR_LIST, OnDirDoubleClick)
END_MESSAGE_MAP()

CBrowseDirDlg::CBrowseDirDlg() : CDialog(IDD_BROWSE_DIR) {}

void CBrowseDirDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DIR_LIST, m_dirList);
    DDX_Text(pDX, IDC_CURRENT_DIR, m_currentDir);
}

BOOL CBrowseDirDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillDirList(m_dirList, false);
    return TRUE;
}

void CBrowseDirDlg::OnDirDoubleClick()
{
    const DirListStyle style = {false, true};
    OnDirListDoubleClick(*this, m_dirList, style, m_currentDir);
}

// ---------------------------------------------------------------- Make Directory, Rename

CMakeDirDlg::CMakeDirDlg() : CDialog(IDD_MAKE_DIR) {}

void CMakeDirDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NEW_DIR, m_name);
}

CRenameDlg::CRenameDlg() : CDialog(IDD_RENAME) {}

void CRenameDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_RENAME_FROM, m_from);
    DDX_Text(pDX, IDC_RENAME_TO, m_to);
}

// ---------------------------------------------------------------- Reading...., Writing....

CProgressDlg::CProgressDlg(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent)
{
    Create(nIDTemplate, pParent);
    ShowName("");
}

CProgressDlg::~CProgressDlg()
{
    if (m_hWnd)
        DestroyWindow();
}

void CProgressDlg::ShowName(const char* name)
{
    if (!m_hWnd)
        return;
    ShowWindow(SW_SHOW);
    SetDlgItemText(IDC_PROGRESS_NAME, name);
    UpdateWindow();
}

CReadingDlg::CReadingDlg(CWnd* pParent) : CProgressDlg(IDD_READING, pParent) {}

CWritingDlg::CWritingDlg(CWnd* pParent) : CProgressDlg(IDD_WRITING, pParent) {}
