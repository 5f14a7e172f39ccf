#include "pellumardoc.h"

#include <direct.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "dialogs.h"
#include "drive.h"
#include "filecopy.h"
#include "launch.h"
#include "listing.h"
#include "pellumarview.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CPellumarDoc, CDocument)

BEGIN_MESSAGE_MAP(CPellumarDoc, CDocument)
    ON_COMMAND(ID_FILE_CHANGE_DIR, OnFileChangeDir)
    ON_COMMAND(ID_FILE_MAKE_DIR, OnFileMakeDir)
    ON_COMMAND(ID_FILE_REMOVE_DIR, OnFileRemoveDir)
    ON_COMMAND(ID_FILE_COPY, OnFileCopy)
    ON_COMMAND(ID_FILE_DELETE, OnFileDelete)
    ON_COMMAND(ID_FILE_RENAME, OnFileRename)
    ON_COMMAND(ID_FILE_DETAILS, OnFileDetails)
    ON_COMMAND(ID_FILE_REFRESH, OnFileRefresh)
    ON_COMMAND(ID_FILE_RUN_COMMAND, OnFileRunCommand)
    ON_COMMAND(ID_FILE_EDITOR, OnFileEditor)
    ON_COMMAND(ID_FILE_SHELL, OnFileShell)
    ON_COMMAND(ID_FILE_SETUP, OnFileSetup)
    ON_COMMAND(ID_UTILITIES_CAL, OnUtilitiesCal)
END_MESSAGE_MAP()

namespace {

// A [Tamrel] setting of winfile.ini, read whole however long it is.
CString ProfileString(const char* key, const char* fallback)
{
    std::vector<char> buffer(260);
    for (;;) {
        DWORD got = GetPrivateProfileStringA(
            "Tamrel", key, fallback, buffer.data(), static_cast<DWORD>(buffer.size()), "winfile.ini");
        if (got + 1 < buffer.size())
            return CString(buffer.data());
        buffer.resize(buffer.size() * 2);
    }
}

// The file commands' messages and questions as message boxes.
class MessageBoxUi : public FileCommandUi {
public:
    void Message(const std::string& text) override { AfxMessageBox(text.c_str()); }
    Answer Ask(const std::string& prompt) override
    {
        switch (AfxMessageBox(prompt.c_str(), MB_YESNOCANCEL)) {
        case IDYES:
            return kAnswerYes;
        case IDNO:
            return kAnswerNo;
        default:
            return kAnswerCancel;
        }
    }
};

CString Formatted(const char* format, const CString& text)
{
    CString message = format;
    int at = message.Find("%s");
    return at < 0 ? message : message.Left(at) + text + message.Mid(at + 2);
}

}

BOOL CPellumarDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    ReadCurrentDirectory();
    m_loadPath = ProfileString("LoadPath", "");
    m_editor = ProfileString("Editor", "notepad.exe");
    m_shell = ProfileString("Shell", "command.com");
    if (m_loadPath.IsEmpty()) {
        // The program's own directory, without a trailing backslash.
        CString helpPath = AfxGetApp()->m_pszHelpFilePath;
        int cut = helpPath.ReverseFind('\\');
        m_loadPath = cut >= 0 ? helpPath.Left(cut) : helpPath;
    }
    return TRUE;
}

void CPellumarDoc::ReadCurrentDirectory()
{
    m_cwd = platform::CurrentDirectory().c_str();
    SetTitle(m_cwd);
}

CPellumarView* CPellumarDoc::GetView() const
{
    return GetViewCount() > 0 ? static_cast<CPellumarView*>(CDocument::GetView(0)) : nullptr;
}

void CPellumarDoc::Relist()
{
    if (CPellumarView* view = GetView())
        view->ListDirectory();
}

BOOL CPellumarDoc::GetSelectedFile(CString& path)
{
    CPellumarView* view = GetView();
    CString line;
    if (!view || !view->GetSelectedLine(line))
        return FALSE;
    std::string full;
    if (!SelectedFilePath(std::string(m_cwd), std::string(line), full))
        return FALSE;
    path = full.c_str();
    return TRUE;
}

void CPellumarDoc::ToShortName(CString& path)
{
    std::string text(path);
    ::ToShortName(text);
    path = text.c_str();
}

void CPellumarDoc::Start(const CString& commandLine)
{
    if (WinExec(commandLine, SW_SHOW) < 32)
        AfxMessageBox("Error: WinExec failed");
}

BOOL CPellumarDoc::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nCode == CN_COMMAND && FindLauncher(static_cast<int>(nID))) {
        if (pHandlerInfo) {
            pHandlerInfo->pTarget = this;
            return TRUE;
        }
        RunLauncher(static_cast<int>(nID));
        return TRUE;
    }
    return CDocument::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CPellumarDoc::RunLauncher(int id)
{
    const Launcher* launcher = FindLauncher(id);
    CString selected;
    GetSelectedFile(selected);
    std::string file = FileForLauncher(std::string(selected), launcher->form, platform::ShortAlias);
    Start(LauncherCommandLine(std::string(m_loadPath), *launcher, file).c_str());
}

void CPellumarDoc::OnFileEditor()
{
    CString selected;
    if (!GetSelectedFile(selected))
        selected.Empty();
    Start(EditorCommandLine(std::string(m_editor), std::string(selected)).c_str());
}

void CPellumarDoc::OnFileShell()
{
    Start(m_shell);
}

void CPellumarDoc::OnFileSetup()
{
    Start(SetupCommandLine(std::string(m_loadPath)).c_str());
}

void CPellumarDoc::OnUtilitiesCal()
{
    CCalDlg dialog;
    dialog.DoModal();
}

void CPellumarDoc::OnFileChangeDir()
{
    CChangeDirDlg dialog;
    dialog.m_dir = m_cwd;
    if (dialog.DoModal() == IDOK)
        m_cwd = dialog.m_dir;
    // Also after Cancel: the dialog's list may have moved the process, and
    // the shell goes back to the directory it shows. Only a drive-letter
    // path sets a drive; a UNC path carries its own.
    if (m_cwd.GetLength() >= 2 && m_cwd[1] == ':') {
        char letter = static_cast<char>(tolower(static_cast<unsigned char>(m_cwd[0])));
        if (letter >= 'a' && letter <= 'z')
            _chdrive(letter - 'a' + 1);
    }
    platform::ChangeDirectory(std::string(m_cwd));
    ReadCurrentDirectory();
    Relist();
}

void CPellumarDoc::OnFileMakeDir()
{
    CDirNameDlg dialog("Make Directory");
    dialog.m_currentDir = m_cwd;
    if (dialog.DoModal() != IDOK)
        return;
    if (_mkdir(dialog.m_dirName) != 0) {
        AfxMessageBox(Formatted("Cant create %s", dialog.m_dirName));
        return;
    }
    Relist();
}

void CPellumarDoc::OnFileRemoveDir()
{
    CDirNameDlg dialog("Remove Directory");
    dialog.m_currentDir = m_cwd;
    CPellumarView* view = GetView();
    CString line;
    std::string mode, name;
    if (view && view->GetSelectedLine(line) && SplitListLine(std::string(line), mode, name) && mode[0] == 'd')
        dialog.m_dirName = name.c_str();
    if (dialog.DoModal() != IDOK)
        return;
    if (_rmdir(dialog.m_dirName) != 0) {
        AfxMessageBox(Formatted("Cant remove %s", dialog.m_dirName));
        return;
    }
    Relist();
}

void CPellumarDoc::OnFileCopy()
{
    CFromToDlg dialog("Copy File(s)");
    CString selected;
    if (GetSelectedFile(selected)) {
        ToShortName(selected);
        dialog.m_from = NamePart(std::string(selected)).c_str();
    }
    if (dialog.DoModal() != IDOK)
        return;
    {
        CWaitCursor wait;
        MessageBoxUi ui;
        CopyFiles(std::string(dialog.m_from), std::string(dialog.m_to), ui);
    }
    Relist();
}

void CPellumarDoc::OnFileDelete()
{
    CDeleteDlg dialog;
    CString selected;
    if (GetSelectedFile(selected)) {
        ToShortName(selected);
        dialog.m_files = NamePart(std::string(selected)).c_str();
    }
    dialog.m_confirm = 1;
    if (dialog.DoModal() != IDOK)
        return;
    MessageBoxUi ui;
    // Cancel in the middle leaves the listing as it was, deletions and all,
    // until the next refresh.
    if (DeleteNamedFiles(std::string(dialog.m_files), dialog.m_confirm != 0, ui))
        Relist();
}

void CPellumarDoc::OnFileRename()
{
    CFromToDlg dialog("Rename File or Directory");
    CString selected;
    if (GetSelectedFile(selected))
        dialog.m_from = NamePart(std::string(selected)).c_str();
    if (dialog.DoModal() != IDOK)
        return;
    if (std::rename(dialog.m_from, dialog.m_to) != 0) {
        AfxMessageBox("Cannot rename " + dialog.m_from);
        return;
    }
    Relist();
}

void CPellumarDoc::OnFileDetails()
{
    CDriveDetailsDlg dialog;
    dialog.m_driveType = DriveTypeText(GetDriveTypeA(nullptr)).c_str();
    dialog.m_currentDir = platform::CurrentDirectory().c_str();
    DWORD sectors = 0, bytes = 0, freeClusters = 0, totalClusters = 0;
    if (!GetDiskFreeSpaceA(nullptr, &sectors, &bytes, &freeClusters, &totalClusters))
        sectors = bytes = freeClusters = totalClusters = 0;
    dialog.m_sectorsPerCluster = sectors;
    dialog.m_bytesPerSector = bytes;
    dialog.m_freeClusters = freeClusters;
    dialog.m_totalClusters = totalClusters;
    DriveFigures figures = ComputeDriveFigures(sectors, bytes, freeClusters, totalClusters);
    dialog.m_totalMegabytes = std::to_string(figures.totalMegabytes).c_str();
    dialog.m_freeMegabytes = std::to_string(figures.freeMegabytes).c_str();
    dialog.m_percentUsed = figures.percentUsed.c_str();
    dialog.DoModal();
}

void CPellumarDoc::OnFileRefresh()
{
    Relist();
}

void CPellumarDoc::OnFileRunCommand()
{
    CPellumarView* view = GetView();
    CString line;
    std::string mode, name;
    if (!view || !view->GetSelectedLine(line) || !SplitListLine(std::string(line), mode, name) || mode[0] != '-') {
        AfxMessageBox("No file selected - sorry");
        return;
    }
    UpdateAllViews(nullptr);
}
