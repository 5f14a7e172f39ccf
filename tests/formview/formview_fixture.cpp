// A small program on the framework with one form view: a list whose
// double-click, Enter, Delete and F5 go through the framework's routes, a
// context menu from the mouse or the keyboard whose items follow update
// handlers, a modeless progress window shown while work runs without a
// message loop, a dialog whose About button reaches the application, and
// the font dialog. Each event is a line of "formfix.log" in the current
// directory, which the end-to-end tests read.
#include <cstdio>
#include <string>

#include "afxwin.h"
#include "resource.h"

namespace {

// Appends one line and flushes it, so a test sees it while the program
// still runs; a line that cannot be written ends the program with an error.
void Log(const std::string& line)
{
    FILE* file = std::fopen("formfix.log", "ab");
    bool ok = file != nullptr;
    if (ok) {
        std::string text = line + "\r\n";
        ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
        ok = std::fflush(file) == 0 && ok;
        ok = std::fclose(file) == 0 && ok;
    }
    if (!ok) {
        AfxMessageBox("cant write formfix.log");
        ExitProcess(2);
    }
}

std::string Hex(unsigned long value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%08lx", value);
    return text;
}

class CFormFixApp : public CWinApp {
public:
    CFormFixApp() : CWinApp("Form Fixture") {}
    virtual BOOL InitInstance();
    afx_msg void OnAppAbout() { Log("app about"); }
    DECLARE_MESSAGE_MAP()
};

class CFormFixDoc : public CDocument {
    DECLARE_DYNCREATE(CFormFixDoc)
};
IMPLEMENT_DYNCREATE(CFormFixDoc, CDocument)

// Logs the state of every item of a pop-up as the update handlers leave it.
class CFixFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CFixFrame)
public:
    afx_msg LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam)
    {
        LRESULT result = CFrameWnd::OnInitMenuPopup(wParam, lParam);
        CMenu* popup = CMenu::FromHandle(reinterpret_cast<HMENU>(wParam));
        std::string line = "popup";
        for (UINT i = 0; i < popup->GetMenuItemCount(); ++i) {
            UINT state = popup->GetMenuState(i, MF_BYPOSITION);
            if (state & MF_SEPARATOR)
                continue;
            CString text;
            popup->GetMenuString(i, text, MF_BYPOSITION);
            line += std::string(" ") + static_cast<const char*>(text) + ((state & MF_GRAYED) ? ":grayed" : ":enabled") +
                    ((state & MF_CHECKED) ? ":checked" : "");
        }
        Log(line);
        return result;
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CFixFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CFixFrame, CFrameWnd)
    ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopup)
END_MESSAGE_MAP()

class COptionsDlg : public CDialog {
public:
    COptionsDlg() : CDialog(IDD_OPTIONS) {}
    // What an About button of a dialog does: it sends the About command to
    // its own dialog, which hands it to the application.
    afx_msg void OnAbout() { SendMessage(WM_COMMAND, ID_APP_ABOUT); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COptionsDlg, CDialog)
    ON_BN_CLICKED(IDC_OPTIONS_ABOUT, OnAbout)
END_MESSAGE_MAP()

class CProgressDlg : public CDialog {
public:
    CProgressDlg() : CDialog(IDD_PROGRESS) {}
};

class CFormFixView : public CFormView {
    DECLARE_DYNCREATE(CFormFixView)
public:
    CFormFixView() : CFormView(IDD_FORM) {}
    CListBox m_list;

    virtual void DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, IDC_LIST, m_list); }
    virtual void OnInitialUpdate()
    {
        CFormView::OnInitialUpdate();
        m_list.ResetContent();
        for (const char* name : {"alpha", "beta", "gamma", "delta"})
            m_list.AddString(name);
        FitList();
    }

    void FitList()
    {
        if (!m_list.m_hWnd)
            return;
        CRect client;
        GetClientRect(client);
        m_list.MoveWindow(client);
    }

    std::string Selected() const
    {
        int index = -1;
        if (m_list.GetSelItems(1, &index) != 1)
            return "(none)";
        CString text;
        m_list.GetText(index, text);
        return static_cast<const char*>(text);
    }

    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        CFormView::OnSize(nType, cx, cy);
        if (nType != SIZE_MINIMIZED)
            FitList();
    }
    afx_msg void OnDblclkList() { Log("dblclk " + Selected()); }
    afx_msg void OnListFocus() { Log("list focus"); }
    afx_msg void OnRun() { Log("run " + Selected()); }
    afx_msg void OnDelete() { Log("delete " + Selected()); }
    afx_msg void OnRefresh() { Log("refresh"); }
    afx_msg void OnPopEnabled() { Log("popup enabled"); }
    afx_msg void OnPopDisabled() { Log("popup disabled"); }
    afx_msg void OnUpdatePopDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnPopChecked() { Log("popup checked"); }
    afx_msg void OnUpdatePopChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }

    afx_msg void OnContextMenu(CWnd*, CPoint point)
    {
        Log("context " + std::to_string(point.x) + "," + std::to_string(point.y));
        if (point.x == -1 && point.y == -1) {
            // From the keyboard: at the view's top left corner.
            CRect rect;
            GetClientRect(rect);
            ClientToScreen(rect);
            point = CPoint(rect.left + 5, rect.top + 5);
        }
        CMenu menu;
        if (!menu.LoadMenu(IDR_POPUP))
            return;
        menu.GetSubMenu(0)->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, GetParentFrame());
    }

    // Three steps of work with no message loop: each shows its name in the
    // progress window, repaints it, and waits for the test's go-ahead.
    afx_msg void OnWork()
    {
        HANDLE step = OpenEventA(SYNCHRONIZE, FALSE, "TamrelFormFixtureStep");
        CProgressDlg progress;
        if (!progress.Create(IDD_PROGRESS, this)) {
            Log("work: no progress window");
            return;
        }
        CRect place(34, 22, 0, 0);
        progress.MapDialogRect(place);
        CPoint origin(0, 0);
        GetParentFrame()->ClientToScreen(&origin);
        ::SetWindowPos(progress.m_hWnd,
                       nullptr,
                       origin.x + place.left,
                       origin.y + place.top,
                       0,
                       0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        progress.ShowWindow(SW_SHOWNA);
        BeginWaitCursor();
        for (const char* name : {"one.txt", "two.txt", "three.txt"}) {
            progress.SetDlgItemText(IDC_PROGRESS_NAME, name);
            progress.UpdateWindow();
            CString shown;
            progress.GetDlgItemText(IDC_PROGRESS_NAME, shown);
            Log(std::string("working ") + name + " field=" + static_cast<const char*>(shown) +
                " visible=" + (progress.IsWindowVisible() ? "1" : "0"));
            if (step)
                WaitForSingleObject(step, 20000);
            else
                Sleep(100);
        }
        EndWaitCursor();
        progress.DestroyWindow();
        if (step)
            CloseHandle(step);
        Log("work done");
    }

    afx_msg void OnOptions()
    {
        COptionsDlg dlg;
        Log(dlg.DoModal() == IDOK ? "options ok" : "options cancelled");
    }

    afx_msg void OnFont()
    {
        LOGFONTA lf = {};
        GetObjectA(GetStockObject(ANSI_FIXED_FONT), sizeof(lf), &lf);
        CFontDialog dlg(&lf, CF_SCREENFONTS | CF_EFFECTS);
        dlg.m_cf.rgbColors = RGB(0, 0, 255);
        if (dlg.DoModal() != IDOK) {
            Log("font cancelled");
            return;
        }
        Log("font face=" + std::string(static_cast<const char*>(dlg.GetFaceName())) + " color=" + Hex(dlg.GetColor()) +
            " size=" + std::to_string(dlg.GetSize()));
    }

    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CFormFixView, CFormView)

BEGIN_MESSAGE_MAP(CFormFixView, CFormView)
    ON_WM_SIZE()
    ON_WM_CONTEXTMENU()
    ON_LBN_DBLCLK(IDC_LIST, OnDblclkList)
    ON_LBN_SETFOCUS(IDC_LIST, OnListFocus)
    ON_COMMAND(ID_RUN, OnRun)
    ON_COMMAND(ID_DELETE, OnDelete)
    ON_COMMAND(ID_REFRESH, OnRefresh)
    ON_COMMAND(ID_WORK, OnWork)
    ON_COMMAND(ID_OPTIONS, OnOptions)
    ON_COMMAND(ID_FONT, OnFont)
    ON_COMMAND(ID_POP_ENABLED, OnPopEnabled)
    ON_COMMAND(ID_POP_DISABLED, OnPopDisabled)
    ON_UPDATE_COMMAND_UI(ID_POP_DISABLED, OnUpdatePopDisabled)
    ON_COMMAND(ID_POP_CHECKED, OnPopChecked)
    ON_UPDATE_COMMAND_UI(ID_POP_CHECKED, OnUpdatePopChecked)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CFormFixApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

BOOL CFormFixApp::InitInstance()
{
    SetDialogBkColor();
    AddDocTemplate(new CSingleDocTemplate(
        IDR_MAINFRAME, RUNTIME_CLASS(CFormFixDoc), RUNTIME_CLASS(CFixFrame), RUNTIME_CLASS(CFormFixView)));
    OnFileNew();
    Log("started");
    return TRUE;
}

CFormFixApp theApp;

}   // namespace
