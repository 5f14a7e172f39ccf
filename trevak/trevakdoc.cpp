#include "trevakdoc.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <cstring>
#include <ctime>
#include <vector>

#include "arcextract.h"
#include "arcreader.h"
#include "arcwrite.h"
#include "dialogs.h"
#include "listcopy.h"
#include "picker.h"
#include "resource.h"
#include "trevakview.h"

IMPLEMENT_DYNCREATE(CTrevakDoc, CDocument)

BEGIN_MESSAGE_MAP(CTrevakDoc, CDocument)
    ON_COMMAND(ID_CLOSE_ARCHIVE, OnCloseArchive)
    ON_COMMAND(ID_DETAILS, OnDetails)
    ON_COMMAND(ID_READ_ARCHIVE, OnReadArchive)
    ON_COMMAND(ID_WRITE_ARCHIVE, OnWriteArchive)
    ON_COMMAND(ID_SELECT_ALL, OnSelectAll)
    ON_COMMAND(ID_DESELECT_ALL, OnDeselectAll)
    ON_COMMAND(ID_COPY_ALL, OnCopyAll)
    ON_UPDATE_COMMAND_UI(ID_DETAILS, OnUpdateNeedsArchive)
    ON_UPDATE_COMMAND_UI(ID_READ_ARCHIVE, OnUpdateNeedsArchive)
    ON_UPDATE_COMMAND_UI(ID_WRITE_ARCHIVE, OnUpdateNeedsArchive)
    ON_UPDATE_COMMAND_UI(ID_SELECT_ALL, OnUpdateNeedsArchive)
    ON_UPDATE_COMMAND_UI(ID_DESELECT_ALL, OnUpdateNeedsArchive)
    ON_UPDATE_COMMAND_UI(ID_COPY_ALL, OnUpdateNeedsArchive)
END_MESSAGE_MAP()

namespace {

const char kNoArchive[] = "[No Archive]";

// The engine's questions and messages as the program's message boxes and
// dialogs.
class DocUi : public ArcUi {
public:
    explicit DocUi(CProgressDlg* progress) : progress_(progress) {}
    void Message(const std::string& text) override { AfxMessageBox(text.c_str()); }
    Answer AskYesNoCancel(const std::string& text) override
    {
        switch (AfxMessageBox(text.c_str(), MB_YESNOCANCEL)) {
        case IDYES:
            return kYes;
        case IDNO:
            return kNo;
        default:
            return kCancel;
        }
    }
    bool AskRename(const std::string& from, std::string* to) override
    {
        CRenameDlg dlg;
        dlg.m_from = from.c_str();
        if (dlg.DoModal() != IDOK)
            return false;
        *to = static_cast<const char*>(dlg.m_to);
        return true;
    }
    void Progress(const std::string& name) override
    {
        // Repainted at most every 50 ms: faster than anyone can read, a
        // repaint for every small file would cost more than its copy.
        DWORD now = GetTickCount();
        if (progress_ && (!shown_ || now - lastShown_ >= 50)) {
            progress_->ShowName(name.c_str());
            shown_ = true;
            lastShown_ = now;
        }
    }

private:
    CProgressDlg* progress_;
    bool shown_ = false;
    DWORD lastShown_ = 0;
};

std::string BaseName(const CString& path)
{
    std::string p = static_cast<const char*>(path);
    size_t cut = p.find_last_of("\\/:");
    return cut == std::string::npos ? p : p.substr(cut + 1);
}

}   // namespace

CTrevakDoc::CTrevakDoc()
    : m_archiveType(kArcUstar),
      m_firstNew(1),
      m_selectedOnly(0),
      m_rename(0),
      m_noOverwrite(0),
      m_ignoreOlder(0),
      m_restoreTimes(0),
      m_descend(0),
      m_append(0)
{
}

CTrevakView* CTrevakDoc::View() const
{
    POSITION pos = GetFirstViewPosition();
    return pos ? static_cast<CTrevakView*>(GetNextView(pos)) : nullptr;
}

void CTrevakDoc::ResetArchive()
{
    if (IsModified())
        SetModifiedFlag(FALSE);
    if (CTrevakView* view = View()) {
        if (view->m_members.m_hWnd)
            view->m_members.ResetContent();
    }
    m_archivePath.Empty();
    m_archiveType = kArcUstar;
    SetTitle(kNoArchive);
}

BOOL CTrevakDoc::OnNewDocument()
{
    CFileDialog dlg(FALSE, nullptr, "*.*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    if (!m_firstNew)
        ResetArchive();
    if (!CDocument::OnNewDocument())
        return FALSE;
    if (m_firstNew) {
        m_firstNew = 0;
        m_archiveType = kArcUstar;
        SetTitle(kNoArchive);
        return TRUE;
    }
    if (dlg.DoModal() != IDOK) {
        m_archiveType = kArcUstar;
        SetTitle(kNoArchive);
        return TRUE;
    }
    CString path = dlg.GetPathName();
    std::unique_ptr<ArcStream> out = SystemFs().Create(static_cast<const char*>(path));
    if (!out || !out->Close()) {
        AfxMessageBox(CString("cant create ") + path);
        ResetArchive();
        return TRUE;
    }
    m_archivePath = path;
    m_archiveType = kArcUstar;
    SetTitle(BaseName(path).c_str());
    return TRUE;
}

BOOL CTrevakDoc::OnOpenDocument(const char* lpszPathName)
{
    ResetArchive();
    DocUi ui(nullptr);
    int type = OpenArchiveType(lpszPathName, SystemFs(), ui);
    if (type == kArcUnknown) {
        ResetArchive();
        return FALSE;
    }
    m_archivePath = lpszPathName;
    m_archiveType = type;
    return TRUE;
}

void CTrevakDoc::ReloadListing()
{
    CTrevakView* view = View();
    if (!view)
        return;
    std::unique_ptr<ArcStream> in = SystemFs().OpenRead(static_cast<const char*>(m_archivePath));
    if (!in) {
        AfxMessageBox(CString("cant open ") + m_archivePath);
        return;
    }
    CWaitCursor wait;
    DocUi ui(nullptr);
    // One repaint at the end rather than one for every line added.
    view->m_members.SendMessage(WM_SETREDRAW, FALSE);
    ListArchive(
        *in, m_archiveType, [view](const ArcMember& m) { return view->AddEntry(m.name, m.st) >= 0; }, ui);
    view->m_members.SendMessage(WM_SETREDRAW, TRUE);
    view->m_members.Invalidate();
    in->Close();
}

void CTrevakDoc::OnCloseArchive()
{
    ResetArchive();
}

void CTrevakDoc::OnUpdateNeedsArchive(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_archivePath.IsEmpty());
}

void CTrevakDoc::OnDetails()
{
    CArchiveInfoDlg dlg;
    // A status that cannot be read shows as zeros, never a stale record.
    struct _stat64 st = {};
    bool known = _stat64(m_archivePath, &st) == 0;
    dlg.m_name = m_archivePath;
    dlg.m_format = m_archiveType == kArcCpio ? "cpio" : m_archiveType == kArcUstar ? "ustar" : "tar";
    CTrevakView* view = View();
    dlg.m_members = view ? static_cast<UINT>(view->m_members.GetCount()) : 0;
    dlg.m_size = known ? static_cast<long long>(st.st_size) : 0;
    if (known) {
        __time64_t t = st.st_mtime;
        char text[64];
        if (_ctime64_s(text, sizeof text, &t) == 0) {
            text[strcspn(text, "\n")] = 0;
            dlg.m_updated = text;
        }
    }
    dlg.DoModal();
}

void CTrevakDoc::OnSelectAll()
{
    if (CTrevakView* view = View())
        view->m_members.SetSel(-1, TRUE);
}

void CTrevakDoc::OnDeselectAll()
{
    if (CTrevakView* view = View())
        view->m_members.SetSel(-1, FALSE);
}

void CTrevakDoc::OnCopyAll()
{
    if (CTrevakView* view = View())
        CopyListBoxToClipboard(view->m_hWnd, view->m_members.m_hWnd);
}

void CTrevakDoc::OnReadArchive()
{
    CTrevakView* view = View();
    if (!view)
        return;
    CReadArchiveDlg dlg;
    for (;;) {
        dlg.m_target = CurrentDirectory();
        dlg.m_extractChoice = view->m_members.GetSelCount() > 0 ? 1 : 0;
        if (dlg.DoModal() != IDOK)
            return;
        m_workDir = dlg.m_target;
        m_selectedOnly = dlg.m_extractChoice == 1;
        m_rename = dlg.m_rename;
        m_noOverwrite = dlg.m_noOverwrite;
        m_ignoreOlder = dlg.m_ignoreOlder;
        m_restoreTimes = dlg.m_restoreTimes;
        if (EnterDirectory(dlg.m_target))
            break;
        AfxMessageBox("Cant access specified directory");
    }
    std::unique_ptr<ArcStream> in = SystemFs().OpenRead(static_cast<const char*>(m_archivePath));
    if (!in) {
        AfxMessageBox(CString("cant open ") + m_archivePath);
        return;
    }
    ExtractOptions options;
    options.selectedOnly = m_selectedOnly != 0;
    if (options.selectedOnly) {
        int n = view->m_members.GetSelCount();
        if (n > 0) {
            if (!AllocateSelection(static_cast<size_t>(n), &options.selected)) {
                AfxMessageBox(kExtractOutOfMemory);
                return;
            }
            view->m_members.GetSelItems(n, options.selected.data());
        }
    }
    options.rename = m_rename != 0;
    options.noOverwrite = m_noOverwrite != 0;
    options.ignoreOlder = m_ignoreOlder != 0;
    options.restoreTimes = m_restoreTimes != 0;
    CWaitCursor wait;
    CReadingDlg reading(AfxGetMainWnd());
    DocUi ui(&reading);
    ExtractArchive(*in, m_archiveType, static_cast<const char*>(CurrentDirectory()), options, SystemFs(), ui);
    in->Close();
}

void CTrevakDoc::OnWriteArchive()
{
    CTrevakView* view = View();
    if (!view)
        return;
    CWriteArchiveDlg dlg;
    for (;;) {
        dlg.m_source = CurrentDirectory(512);
        dlg.m_files = "*.*";
        dlg.m_format = m_archiveType;
        dlg.m_action = 0;
        dlg.m_descend = 1;
        if (dlg.DoModal() != IDOK)
            return;
        m_workDir = dlg.m_source;
        m_filePattern = dlg.m_files;
        m_descend = dlg.m_descend;
        m_append = dlg.m_action == 1;
        if (EnterDirectory(dlg.m_source))
            break;
        AfxMessageBox("Cant access specified directory");
    }
    WriteOptions options;
    options.source = static_cast<const char*>(CurrentDirectory(512));
    options.pattern = static_cast<const char*>(m_filePattern);
    options.descend = m_descend != 0;
    options.append = m_append != 0;
    // Appending keeps the archive's format; a new archive takes the chosen
    // one once it is written and in place.
    options.type = m_append ? m_archiveType : dlg.m_format;
    {
        CWaitCursor wait;
        CWritingDlg writing(AfxGetMainWnd());
        DocUi ui(&writing);
        if (WriteArchive(static_cast<const char*>(m_archivePath), options, SystemFs(), ui) && !m_append)
            m_archiveType = options.type;
    }
    view->m_members.ResetContent();
    ReloadListing();
}
