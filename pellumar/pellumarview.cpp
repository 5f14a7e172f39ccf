#include "pellumarview.h"

#include <commctrl.h>
#include <windows.h>

#include <new>
#include <string>

#include "dialogs.h"
#include "launch.h"
#include "listcopy.h"
#include "listing.h"
#include "registry.h"
#include "toolapp.h"

IMPLEMENT_DYNCREATE(CPellumarView, CFormView)

BEGIN_MESSAGE_MAP(CPellumarView, CFormView)
    ON_WM_SIZE()
    ON_WM_CONTEXTMENU()
    ON_LBN_SETFOCUS(IDC_LONG_LIST, OnListSetFocus)
    ON_LBN_SETFOCUS(IDC_SHORT_LIST, OnShortListSetFocus)
    ON_LBN_DBLCLK(IDC_LONG_LIST, RunSelectedEntry)
    ON_LBN_DBLCLK(IDC_SHORT_LIST, OnShortListDblClk)
    ON_COMMAND(ID_VIEW_SHOW_ALL, OnViewShowAll)
    ON_COMMAND(ID_VIEW_SHOW_DIRS, OnViewShowDirs)
    ON_COMMAND(ID_VIEW_SHOW_FILES, OnViewShowFiles)
    ON_COMMAND(ID_VIEW_SORT_NAME, OnViewSortByName)
    ON_COMMAND(ID_VIEW_SORT_SIZE, OnViewSortBySize)
    ON_COMMAND(ID_VIEW_SORT_TIME, OnViewSortByTime)
    ON_COMMAND(ID_VIEW_LONG_LISTING, OnViewLongListing)
    ON_COMMAND(ID_VIEW_PATTERN, OnViewPattern)
    ON_UPDATE_COMMAND_UI(ID_VIEW_SHOW_ALL, OnUpdateViewShowAll)
    ON_UPDATE_COMMAND_UI(ID_VIEW_SHOW_DIRS, OnUpdateViewShowDirs)
    ON_UPDATE_COMMAND_UI(ID_VIEW_SHOW_FILES, OnUpdateViewShowFiles)
    ON_UPDATE_COMMAND_UI(ID_VIEW_SORT_NAME, OnUpdateViewSortByName)
    ON_UPDATE_COMMAND_UI(ID_VIEW_SORT_SIZE, OnUpdateViewSortBySize)
    ON_UPDATE_COMMAND_UI(ID_VIEW_SORT_TIME, OnUpdateViewSortByTime)
    ON_UPDATE_COMMAND_UI(ID_VIEW_LONG_LISTING, OnUpdateViewLongListing)
    ON_COMMAND(ID_EDIT_COPY_ALL, OnEditCopyAll)
    ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
END_MESSAGE_MAP()

namespace {

// The filter of the change watch: names, attributes and sizes; neither new
// directories nor bare time stamps.
const DWORD kWatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE;

struct Column {
    const char* text;
    int characters;   // 0: what remains of the width
    int format;
};
const Column kColumns[4] = {
    {"Mode", 7, HDF_CENTER},
    {"Size", 10, HDF_CENTER},
    {"Modified", 18, HDF_CENTER},
    {" Name", 0, HDF_LEFT},
};

}

CPellumarView::CPellumarView()
    : CFormView(IDD_PELLUMAR_FORM),
      m_changeHandle(INVALID_HANDLE_VALUE),
      m_showMode(kShowAll),
      m_sortKey(kSortByName),
      m_pattern("*.*"),
      m_forceRunDialog(0),
      m_longListing(1)
{
    ZeroMemory(&m_fixedFont, sizeof m_fixedFont);
}

CPellumarView::~CPellumarView()
{
    if (m_changeHandle != INVALID_HANDLE_VALUE)
        FindCloseChangeNotification(m_changeHandle);
}

void CPellumarView::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SHORT_LIST, m_shortList);
    DDX_Control(pDX, IDC_LONG_LIST, m_longList);
}

void CPellumarView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    CRect client;
    GetClientRect(&client);
    HGDIOBJ fixed = GetStockObject(ANSI_FIXED_FONT);
    GetObjectA(fixed, sizeof m_fixedFont, &m_fixedFont);
    if (m_fixedFont.lfWidth <= 0 || m_fixedFont.lfHeight <= 0) {
        // Some systems describe the stock font without its cell size; the
        // font's own metrics give it. Every column width depends on it.
        HDC dc = ::GetDC(m_hWnd);
        HGDIOBJ old = SelectObject(dc, fixed);
        TEXTMETRICA metrics = {};
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        ::ReleaseDC(m_hWnd, dc);
        if (m_fixedFont.lfWidth <= 0)
            m_fixedFont.lfWidth = metrics.tmAveCharWidth > 0 ? metrics.tmAveCharWidth : 8;
        if (m_fixedFont.lfHeight <= 0)
            m_fixedFont.lfHeight = metrics.tmHeight > 0 ? metrics.tmHeight : 16;
    }
    m_longList.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(fixed), TRUE);
    m_shortList.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(fixed), TRUE);
    if (!m_header.GetSafeHwnd()) {
        CRect headerRect(0, 0, client.Width(), m_fixedFont.lfHeight + 2);
        if (!m_header.Create(WS_CHILD | WS_VISIBLE | CCS_TOP | CCS_NORESIZE | HDS_HORZ, headerRect, this, IDC_HEADER)) {
            AfxMessageBox("Can't create header control");
            return;
        }
        m_header.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(fixed), TRUE);
        for (int i = 0; i < 4; ++i) {
            HDITEMA item = {};
            item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
            item.pszText = const_cast<char*>(kColumns[i].text);
            item.cxy = kColumns[i].characters * m_fixedFont.lfWidth;
            item.fmt = kColumns[i].format | HDF_STRING;
            m_header.InsertItem(i, &item);
        }
    }
    m_shortList.ShowWindow(SW_HIDE);
    Layout(client.Width(), client.Height());
    ListDirectory();
}

void CPellumarView::SetColumnWidths(int width)
{
    int used = 0;
    for (int i = 0; i < 4; ++i) {
        HDITEMA item = {};
        item.mask = HDI_WIDTH;
        item.cxy = kColumns[i].characters ? kColumns[i].characters * m_fixedFont.lfWidth : width - used;
        if (item.cxy < 0)
            item.cxy = 0;
        used += item.cxy;
        m_header.SetItem(i, &item);
    }
}

void CPellumarView::Layout(int width, int height)
{
    int headerHeight = m_fixedFont.lfHeight;
    if (m_header.GetSafeHwnd()) {
        m_header.MoveWindow(0, 0, width, headerHeight + 2);
        SetColumnWidths(width);
    }
    m_shortList.MoveWindow(0, 0, width, height);
    m_longList.MoveWindow(0, headerHeight + 1, width, height - headerHeight - 3);
}

void CPellumarView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    if (m_longList.GetSafeHwnd() && (nType == SIZE_RESTORED || nType == SIZE_MAXIMIZED || nType == SIZE_MAXSHOW))
        Layout(cx, cy);
}

void CPellumarView::ListDirectory()
{
    m_longList.ResetContent();
    m_shortList.ResetContent();
    int charWidth = m_fixedFont.lfWidth;
    m_shortList.SendMessage(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(14 * charWidth));
    Listing listing;
    try {
        listing = BuildListing(std::string(m_pattern), m_showMode, m_sortKey);
    } catch (const std::bad_alloc&) {
        AfxMessageBox("Out of Memory");
        return;
    }
    m_longList.AddString(listing.longLines[0].c_str());
    size_t widest = 12;
    for (size_t i = 0; i < listing.shortLines.size(); ++i) {
        int added = m_longList.AddString(listing.longLines[i + 1].c_str());
        if (added == LB_ERR || added == LB_ERRSPACE) {
            AfxMessageBox("Too many files!\r\nOutput truncated");
            break;
        }
        const std::string& entry = listing.shortLines[i];
        if (entry.size() > widest) {
            widest = entry.size();
            m_shortList.SendMessage(LB_SETCOLUMNWIDTH, static_cast<WPARAM>((widest + 2) * charWidth));
        }
        m_shortList.AddString(entry.c_str());
    }
    // Every listing watches the directory it shows, also one that found
    // nothing, so a file made there later still brings a refresh.
    if (m_changeHandle != INVALID_HANDLE_VALUE)
        FindCloseChangeNotification(m_changeHandle);
    m_watchDir = platform::CurrentDirectory().c_str();
    m_changeHandle = FindFirstChangeNotificationA(m_watchDir, FALSE, kWatchedChanges);
}

void CPellumarView::RefreshIfChanged()
{
    if (m_changeHandle == INVALID_HANDLE_VALUE)
        return;
    if (WaitForSingleObject(m_changeHandle, 0) != WAIT_TIMEOUT)
        ListDirectory();
}

void CPellumarView::OnListSetFocus()
{
    RefreshIfChanged();
}

void CPellumarView::OnShortListSetFocus()
{
    RefreshIfChanged();
}

BOOL CPellumarView::GetSelectedLine(CString& line) const
{
    int index = SelectedLongLine(m_longListing != 0, m_longList.GetCurSel(), m_shortList.GetCurSel());
    if (index < 0 || index >= m_longList.GetCount())
        return FALSE;
    m_longList.GetText(index, line);
    return TRUE;
}

void CPellumarView::OnShortListDblClk()
{
    RunSelectedEntry();
}

void CPellumarView::OnUpdate(CView*, LPARAM, CObject*)
{
    m_forceRunDialog = 1;
    RunSelectedEntry();
    m_forceRunDialog = 0;
}

void CPellumarView::RunSelectedEntry()
{
    CPellumarDoc* doc = GetDocument();
    CString line;
    std::string mode, name;
    if (!GetSelectedLine(line) || !SplitListLine(std::string(line), mode, name))
        return;
    if (mode[0] == 'd') {
        // A directory that cannot be entered lists the same one again.
        platform::ChangeDirectory(name);
        doc->ReadCurrentDirectory();
        ListDirectory();
        return;
    }
    if (mode[0] != '-')
        return;

    CRunCommandDlg dialog;
    SystemRegistry registry;
    Association association;
    if (LookupAssociation(registry, name, association)) {
        dialog.m_command = association.command.c_str();
        dialog.m_file = association.file.c_str();
    }
    if (!dialog.m_command.IsEmpty()) {
        dialog.m_option = kRunExecute;
    } else if (IsProgramName(name)) {
        dialog.m_option = kRunExecute;
        dialog.m_command = name.c_str();
    } else {
        dialog.m_option = kRunWithZodo;
        dialog.m_file = name.c_str();
    }
    if (dialog.m_command.IsEmpty() || m_forceRunDialog) {
        // Browse may move the process; the shell stays where it lists.
        std::string before = platform::CurrentDirectory();
        INT_PTR result = dialog.DoModal();
        platform::ChangeDirectory(before);
        if (result != IDOK)
            return;
    }
    std::string commandLine = RunCommandLine(dialog.m_option,
                                             std::string(dialog.m_command),
                                             std::string(dialog.m_file),
                                             std::string(doc->m_loadPath),
                                             std::string(doc->m_cwd));
    if (WinExec(commandLine.c_str(), SW_SHOW) < 32)
        AfxMessageBox("Error: WinExec failed");
}

void CPellumarView::PopupMenuAt(int x, int y)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_POPUP))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    // The commands go to the frame, which routes them back to the view.
    CWnd* owner = this;
    while (owner->GetParent() && (GetWindowLongA(owner->m_hWnd, GWL_STYLE) & WS_CHILD))
        owner = owner->GetParent();
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, x, y, owner);
}

void CPellumarView::OnContextMenu(CWnd*, CPoint point)
{
    if (point.x == -1 && point.y == -1) {
        // From the keyboard: the view's corner, as Shift+F10 does.
        CRect client;
        GetClientRect(&client);
        ClientToScreen(&client);
        PopupMenuAt(client.left + 5, client.top + 5);
        return;
    }
    PopupMenuAt(point.x, point.y);
}

BOOL CPellumarView::PreTranslateMessage(MSG* pMsg)
{
    bool shiftF10 = (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) && pMsg->wParam == VK_F10 &&
                    (GetKeyState(VK_SHIFT) & 0x8000);
    if (shiftF10 || pMsg->message == WM_CONTEXTMENU) {
        CRect client;
        GetClientRect(&client);
        ClientToScreen(&client);
        PopupMenuAt(client.left + 5, client.top + 5);
        return TRUE;
    }
    return CFormView::PreTranslateMessage(pMsg);
}

void CPellumarView::OnViewShowAll()
{
    m_showMode = kShowAll;
    ListDirectory();
}

void CPellumarView::OnViewShowDirs()
{
    m_showMode = kShowDirectories;
    ListDirectory();
}

void CPellumarView::OnViewShowFiles()
{
    m_showMode = kShowFiles;
    ListDirectory();
}

void CPellumarView::OnViewSortByName()
{
    m_sortKey = kSortByName;
    ListDirectory();
}

void CPellumarView::OnViewSortBySize()
{
    m_sortKey = kSortBySize;
    ListDirectory();
}

void CPellumarView::OnViewSortByTime()
{
    m_sortKey = kSortByTime;
    ListDirectory();
}

void CPellumarView::OnUpdateViewShowAll(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_showMode == kShowAll);
}

void CPellumarView::OnUpdateViewShowDirs(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_showMode == kShowDirectories);
}

void CPellumarView::OnUpdateViewShowFiles(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_showMode == kShowFiles);
}

void CPellumarView::OnUpdateViewSortByName(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_sortKey == kSortByName);
}

void CPellumarView::OnUpdateViewSortBySize(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_sortKey == kSortBySize);
}

void CPellumarView::OnUpdateViewSortByTime(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_sortKey == kSortByTime);
}

void CPellumarView::OnUpdateViewLongListing(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_longListing == 1);
}

void CPellumarView::OnViewLongListing()
{
    m_longListing = !m_longListing;
    // What goes is hidden before what comes is shown.
    CWnd& shown = m_longListing ? static_cast<CWnd&>(m_longList) : m_shortList;
    CWnd& hidden = m_longListing ? static_cast<CWnd&>(m_shortList) : m_longList;
    hidden.ShowWindow(SW_HIDE);
    if (m_header.GetSafeHwnd())
        m_header.ShowWindow(m_longListing ? SW_SHOW : SW_HIDE);
    shown.ShowWindow(SW_SHOW);
}

void CPellumarView::OnViewPattern()
{
    CPatternDlg dialog;
    dialog.m_pattern = m_pattern;
    if (dialog.DoModal() != IDOK)
        return;
    dialog.m_pattern.MakeLower();
    m_pattern = dialog.m_pattern;
    ListDirectory();
}

void CPellumarView::OnEditCopyAll()
{
    CListBox& shown = m_longListing ? m_longList : m_shortList;
    CopyListBoxToClipboard(m_hWnd, shown.m_hWnd);
}

void CPellumarView::OnHelpContents()
{
    ShowHelpContents(this);
}

BOOL CPellumarView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The Manual menu: one table, one command line each; the help viewer's
    // own failure is not ours to report.
    if (nCode == CN_COMMAND) {
        if (const Manual* manual = FindManual(static_cast<int>(nID))) {
            if (pHandlerInfo) {
                pHandlerInfo->pTarget = this;
                return TRUE;
            }
            WinExec(ManualCommandLine(std::string(GetDocument()->m_loadPath), *manual).c_str(), SW_SHOW);
            return TRUE;
        }
    }
    return CFormView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
