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
