#include "outview.h"

#include "toolapp.h"
#include "viewfile.h"

namespace {
// A command whose id the program chooses, so that it cannot stand in a
// message map compiled here: the shared classes look these up first and
// answer as a map entry would (run the handler, or only say it is there).
struct ProgramCommand {
    UINT id;
    AFX_PMSG handler;
};

BOOL DispatchProgramCommand(CCmdTarget* target, const ProgramCommand* commands, int count, UINT nID, int nCode,
                            AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nCode != CN_COMMAND || nID == 0)
        return FALSE;
    for (int i = 0; i < count; ++i) {
        if (commands[i].id != nID)
            continue;
        if (pHandlerInfo)
            pHandlerInfo->pTarget = target;
        else
            (target->*commands[i].handler)();
        return TRUE;
    }
    return FALSE;
}

bool IsPathChar(char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    switch (c) {
    case '\\':
    case '/':
    case ':':
    case '.':
    case '_':
    case '-':
    case '~':
    case '$':
        return true;
    }
    return false;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Words are runs of path characters; blanks separate words; any other
// character is a word of its own.
int CharClass(char c)
{
    return IsBlank(c) ? 0 : IsPathChar(c) ? 1 : 2;
}

// Set while the edit control handles a double-click: the word to select is
// the one at the caret, where Ctrl+Left and Ctrl+Right need the one before
// it and the one after it.
bool g_bSelectingWord = false;

int CALLBACK PathWordBreak(LPSTR text, int current, int length, int code)
{
    auto sameRun = [&](int a, int b) {
        int kind = CharClass(text[a]);
        return kind != 2 && kind == CharClass(text[b]);
    };
    if (code == WB_ISDELIMITER)
        return current >= 0 && current < length && IsBlank(text[current]);
    if (g_bSelectingWord && length > 0) {
        // The character right of the caret, or left of it at the end of a
        // word or the line.
        int at = current < length ? current : length - 1;
        if (at > 0 && (IsBlank(text[at]) || !IsPathChar(text[at])) && IsPathChar(text[at - 1]))
            --at;
        if (at < 0)
            return 0;
        int start = at;
        int end = at + 1;
        while (start > 0 && sameRun(start - 1, at))
            --start;
        while (end < length && sameRun(end, at))
            ++end;
        return code == WB_LEFT ? start : end;
    }
    if (code == WB_LEFT) {
        // The start of the word before the caret.
        int i = current;
        while (i > 0 && IsBlank(text[i - 1]))
            --i;
        if (i > 0) {
            --i;
            while (i > 0 && sameRun(i - 1, i))
                --i;
        }
        return i;
    }
    // WB_RIGHT: the start of the word after the one at the caret.
    int i = current;
    if (i < length && !IsBlank(text[i])) {
        int first = i++;
        while (i < length && sameRun(i, first))
            ++i;
    }
    while (i < length && IsBlank(text[i]))
        ++i;
    return i;
}
}

BOOL COutputDoc::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const ProgramCommand commands[] = {
        {CToolApp::Output().saveAs, static_cast<AFX_PMSG>(&COutputDoc::OnFileSaveAs)},
    };
    if (DispatchProgramCommand(this, commands, 1, nID, nCode, pHandlerInfo))
        return TRUE;
    return CDocument::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void COutputDoc::OnFileSaveAs()
{
    CFileDialog dlg(FALSE, nullptr, CToolApp::Output().saveAsName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr);
    if (dlg.DoModal() != IDOK)
        return;
    const CString& text = GetOutputText();
    SaveOutputText(dlg.GetPathName(), text, text.GetLength());
}

IMPLEMENT_DYNCREATE(COutputView, CEditView)

BEGIN_MESSAGE_MAP(COutputView, CEditView)
    ON_WM_LBUTTONDBLCLK()
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

BOOL COutputView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const OutputCommands& ids = CToolApp::Output();
    const ProgramCommand commands[] = {
        {ids.viewFile, static_cast<AFX_PMSG>(&COutputView::OnViewFile)},
        {ids.helpContents, static_cast<AFX_PMSG>(&COutputView::OnHelpContents)},
    };
    if (DispatchProgramCommand(this, commands, 2, nID, nCode, pHandlerInfo))
        return TRUE;
    return CEditView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// Runs after every File New that produced results, so the window always
// shows the latest run. The base class's update is not wanted: the edit
// control shows its own text.
void COutputView::OnInitialUpdate()
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(ANSI_FIXED_FONT)), TRUE);
    SetPrinterFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEVICE_DEFAULT_FONT))));
    SendMessage(EM_SETREADONLY, TRUE);
    SendMessage(EM_SETWORDBREAKPROC, 0, reinterpret_cast<LPARAM>(&PathWordBreak));
    const COutputDoc* document = dynamic_cast<const COutputDoc*>(m_pDocument);
    SetWindowText(document ? document->GetOutputText() : CString());
}

void COutputView::OnDraw(CDC*) {}

// Print and Print Preview show the whole text in the printer font set above.
BOOL COutputView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void COutputView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    CEditView::OnBeginPrinting(pDC, pInfo);
}

void COutputView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    CEditView::OnEndPrinting(pDC, pInfo);
}

void COutputView::OnLButtonDblClk(UINT, CPoint)
{
    g_bSelectingWord = true;
    Default();
    g_bSelectingWord = false;
}

void COutputView::OnViewFile()
{
    CString selection;
    GetSelectedText(selection);
    LaunchViewer(selection);
}

void COutputView::OnHelpContents()
{
    ShowHelpContents(this);
}
