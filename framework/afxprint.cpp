#include "afxwin.h"
#include "afxcomdlg.h"

#include <cstdio>
#include <vector>

namespace {
const char kNoPrinter[] = "No printer is installed.";
const char kPrinterFailed[] = "The printer could not be opened.";
const char kJobFailed[] = "The document could not be printed.";
const char kPrintToFileTitle[] = "Print to File";
const char kPrintToFileFilter[] = "Printer Files (*.prn)|*.prn|All Files (*.*)|*.*||";

// The job that runs now (there is one thread, and a job runs to its end
// inside one command): whether the user has cancelled it, and the dialog
// whose Cancel button says so.
BOOL g_bUserAbort = FALSE;
HWND g_hPrintingDlg = nullptr;

// A dialog template built in memory: the framework has no resources of its
// own, the programs' .rc files hold only theirs.
class DialogTemplate {
public:
    DialogTemplate(const char* caption, DWORD style, short cx, short cy)
    {
        AddDword(style | DS_SETFONT);
        AddDword(0);
        m_data.push_back(0);   // item count, set as items are added
        m_data.push_back(0);
        m_data.push_back(0);
        m_data.push_back(static_cast<WORD>(cx));
        m_data.push_back(static_cast<WORD>(cy));
        m_data.push_back(0);   // no menu
        m_data.push_back(0);   // the standard dialog class
        AddString(caption);
        m_data.push_back(8);
        AddString("MS Shell Dlg");
    }

    void AddItem(WORD classAtom, const char* text, WORD id, DWORD style, short x, short y, short cx, short cy)
    {
        if (m_data.size() % 2)
            m_data.push_back(0);   // items start on a DWORD
        AddDword(style | WS_CHILD | WS_VISIBLE);
        AddDword(0);
        m_data.push_back(static_cast<WORD>(x));
        m_data.push_back(static_cast<WORD>(y));
        m_data.push_back(static_cast<WORD>(cx));
        m_data.push_back(static_cast<WORD>(cy));
        m_data.push_back(id);
        m_data.push_back(0xFFFF);
        m_data.push_back(classAtom);
        AddString(text);
        m_data.push_back(0);   // no creation data
        ++m_data[4];
    }

    const void* Get() const { return m_data.data(); }

private:
    void AddDword(DWORD value)
    {
        m_data.push_back(LOWORD(value));
        m_data.push_back(HIWORD(value));
    }
    void AddString(const char* text)
    {
        int count = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
        std::vector<WCHAR> wide(static_cast<size_t>(count > 0 ? count : 1), 0);
        if (count > 0)
            MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), count);
        for (WCHAR ch : wide)
            m_data.push_back(static_cast<WORD>(ch));
    }

    std::vector<WORD> m_data;
};

const WORD kButtonAtom = 0x0080;
const WORD kStaticAtom = 0x0082;

// Shown while a job prints: the document, the printer, the page, and a
// Cancel button that stops the job after the page in progress.
class CPrintingDialog : public CDialog {
public:
    CPrintingDialog() : CDialog(0) {}

    BOOL Create(CWnd* pOwner, const char* lpszDocName, const char* lpszPrinter)
    {
        DialogTemplate tmpl(AfxGetAppName(), DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_VISIBLE, 160, 88);
        tmpl.AddItem(kStaticAtom, "Printing", static_cast<WORD>(IDC_STATIC), SS_CENTER, 8, 8, 144, 10);
        tmpl.AddItem(kStaticAtom, lpszDocName, AFX_IDC_PRINT_DOCNAME, SS_CENTER | SS_NOPREFIX, 8, 20, 144, 10);
        tmpl.AddItem(kStaticAtom, lpszPrinter, AFX_IDC_PRINT_PRINTER, SS_CENTER | SS_NOPREFIX, 8, 32, 144, 10);
        tmpl.AddItem(kStaticAtom, "", AFX_IDC_PRINT_PAGENUM, SS_CENTER, 8, 46, 144, 10);
        tmpl.AddItem(kButtonAtom, "Cancel", IDCANCEL, BS_DEFPUSHBUTTON | WS_TABSTOP, 55, 64, 50, 14);
        return CreateIndirect(tmpl.Get(), pOwner);
    }

    void SetPage(UINT nPage)
    {
        char text[32];
        std::snprintf(text, sizeof(text), "Page %u", nPage);
        SetDlgItemText(AFX_IDC_PRINT_PAGENUM, text);
    }

    virtual void OnCancel()
    {
        g_bUserAbort = TRUE;
        // Once is enough; the job ends after the page in progress.
        if (CWnd* pButton = GetDlgItem(IDCANCEL))
            pButton->EnableWindow(FALSE);
    }
};

BOOL CALLBACK AfxAbortProc(HDC, int)
{
    return AfxPrintPumpMessages();
}
}   // namespace

BOOL AfxPrintPumpMessages()
{
    MSG msg;
    while (!g_bUserAbort && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Not ours to take: the main loop ends once the job has.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!g_hPrintingDlg || !IsDialogMessageA(g_hPrintingDlg, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return !g_bUserAbort;
}

CRect AfxGetPageRect(HDC hDC)
{
    return CRect(0, 0, GetDeviceCaps(hDC, HORZRES), GetDeviceCaps(hDC, VERTRES));
}

HDC AfxCreateDC(HGLOBAL hDevNames, HGLOBAL hDevMode)
{
    if (!hDevNames)
        return nullptr;
    const DEVNAMES* names = static_cast<const DEVNAMES*>(GlobalLock(hDevNames));
    if (!names)
        return nullptr;
    const char* base = reinterpret_cast<const char*>(names);
    const DEVMODEA* mode = hDevMode ? static_cast<const DEVMODEA*>(GlobalLock(hDevMode)) : nullptr;
    HDC hDC = ::CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset, nullptr, mode);
    if (mode)
        GlobalUnlock(hDevMode);
    GlobalUnlock(hDevNames);
    return hDC;
}

// ------------------------------------------------------------ CPrintDialog

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) : m_pParentWnd(pParentWnd)
{
    ZeroMemory(&m_pd, sizeof(m_pd));
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = dwFlags;
    if (bPrintSetupOnly)
        m_pd.Flags |= PD_PRINTSETUP;
    else
        m_pd.Flags |= PD_RETURNDC;
    m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog()
{
    if (m_pd.hDC)
        ::DeleteDC(m_pd.hDC);
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.hwndOwner = AfxGetDialogOwner(m_pParentWnd);
    m_pd.hInstance = AfxGetInstanceHandle();
    if (m_pd.hDC) {
        ::DeleteDC(m_pd.hDC);
        m_pd.hDC = nullptr;
    }
    return AfxPrintDlg(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    DWORD flags = m_pd.Flags;
    m_pd.Flags = (flags & ~(PD_RETURNDC | PD_RETURNIC)) | PD_RETURNDEFAULT | PD_NOWARNING;
    m_pd.hDevMode = nullptr;
    m_pd.hDevNames = nullptr;
    BOOL ok = AfxPrintDlg(&m_pd);
    m_pd.Flags = flags;
    return ok;
}

HDC CPrintDialog::CreatePrinterDC()
{
    if (m_pd.hDC)
        ::DeleteDC(m_pd.hDC);
    m_pd.hDC = AfxCreateDC(m_pd.hDevNames, m_pd.hDevMode);
    return m_pd.hDC;
}

DEVMODEA* CPrintDialog::GetDevMode() const
{
    if (!m_pd.hDevMode)
        return nullptr;
    // Global memory of this process does not move unless it is reallocated,
    // so the address outlives the lock.
    DEVMODEA* mode = static_cast<DEVMODEA*>(GlobalLock(m_pd.hDevMode));
    GlobalUnlock(m_pd.hDevMode);
    return mode;
}

CString CPrintDialog::DevNamesPart(int part) const
{
    CString result;
    if (!m_pd.hDevNames)
        return result;
    const DEVNAMES* names = static_cast<const DEVNAMES*>(GlobalLock(m_pd.hDevNames));
    if (!names)
        return result;
    WORD offset = part == 0 ? names->wDriverOffset : part == 1 ? names->wDeviceOffset : names->wOutputOffset;
    result = reinterpret_cast<const char*>(names) + offset;
    GlobalUnlock(m_pd.hDevNames);
    return result;
}

CString CPrintDialog::GetDriverName() const
{
    return DevNamesPart(0);
}
CString CPrintDialog::GetDeviceName() const
{
    return DevNamesPart(1);
}
CString CPrintDialog::GetPortName() const
{
    return DevNamesPart(2);
}

int CPrintDialog::GetCopies() const
{
    if (m_pd.Flags & PD_USEDEVMODECOPIES) {
        if (const DEVMODEA* mode = GetDevMode())
            return mode->dmCopies;
    }
    return m_pd.nCopies;
}

// -------------------------------------------------------------- CPrintInfo

CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)),
      m_bDirect(FALSE),
      m_bPreview(FALSE),
      m_bContinuePrinting(TRUE),
      m_nCurPage(1),
      m_nNumPreviewPages(1),
      m_strPageDesc("Page %u\nPages %u-%u\n"),
      m_lpUserData(nullptr)
{
    SetMinPage(1);
    SetMaxPage(AFX_PAGE_UNKNOWN);
}

CPrintInfo::~CPrintInfo()
{
    delete m_pPD;
}

UINT CPrintInfo::GetFromPage() const
{
    return m_pPD->PrintRange() ? m_pPD->m_pd.nFromPage : GetMinPage();
}

UINT CPrintInfo::GetToPage() const
{
    return m_pPD->PrintRange() ? m_pPD->m_pd.nToPage : GetMaxPage();
}

// ----------------------------------------------------------- print targets

CPrinterTarget::CPrinterTarget(HDC hPrinterDC, const char* lpszOutput)
    : m_hDC(hPrinterDC), m_strOutput(lpszOutput ? lpszOutput : ""), m_bStarted(FALSE)
{
}

BOOL CPrinterTarget::StartDoc(const char* lpszDocName)
{
    // The printer calls back between bands and pages, so the Cancel button
    // works while the system is busy with a page too.
    ::SetAbortProc(m_hDC, &AfxAbortProc);
    DOCINFOA info = {};
    info.cbSize = sizeof(info);
    info.lpszDocName = lpszDocName;
    info.lpszOutput = m_strOutput.IsEmpty() ? nullptr : static_cast<const char*>(m_strOutput);
    m_bStarted = ::StartDocA(m_hDC, &info) > 0;
    return m_bStarted;
}

BOOL CPrinterTarget::StartPage()
{
    return ::StartPage(m_hDC) > 0;
}

BOOL CPrinterTarget::EndPage()
{
    return ::EndPage(m_hDC) > 0;
}

BOOL CPrinterTarget::EndDoc()
{
    m_bStarted = FALSE;
    return ::EndDoc(m_hDC) > 0;
}

void CPrinterTarget::AbortDoc()
{
    if (m_bStarted)
        ::AbortDoc(m_hDC);
    m_bStarted = FALSE;
}

CPageRecorder::CPageRecorder(HDC hReferenceDC)
    : m_hRefDC(hReferenceDC), m_hPageDC(nullptr), m_bEnded(FALSE), m_bAborted(FALSE)
{
}

CPageRecorder::~CPageRecorder()
{
    DropPageDC();
    for (HENHMETAFILE page : m_pages)
        DeleteEnhMetaFile(page);
}

BOOL CPageRecorder::StartDoc(const char* lpszDocName)
{
    m_strDocName = lpszDocName;
    return TRUE;
}

HDC CPageRecorder::PreparePage()
{
    DropPageDC();
    // The frame is in hundredths of a millimetre, measured as the metafile
    // measures the reference device, so it covers exactly its page.
    RECT frame = {0, 0, GetDeviceCaps(m_hRefDC, HORZSIZE) * 100, GetDeviceCaps(m_hRefDC, VERTSIZE) * 100};
    m_hPageDC = CreateEnhMetaFileA(m_hRefDC, nullptr, &frame, nullptr);
    return m_hPageDC;
}

BOOL CPageRecorder::StartPage()
{
    return m_hPageDC != nullptr;
}

BOOL CPageRecorder::EndPage()
{
    if (!m_hPageDC)
        return FALSE;
    HENHMETAFILE page = CloseEnhMetaFile(m_hPageDC);
    m_hPageDC = nullptr;
    if (!page)
        return FALSE;
    m_pages.push_back(page);
    return TRUE;
}

void CPageRecorder::DiscardPage()
{
    DropPageDC();
}

void CPageRecorder::DropPageDC()
{
    if (m_hPageDC)
        DeleteEnhMetaFile(CloseEnhMetaFile(m_hPageDC));
    m_hPageDC = nullptr;
}

BOOL CPageRecorder::EndDoc()
{
    m_bEnded = TRUE;
    return TRUE;
}

void CPageRecorder::AbortDoc()
{
    DropPageDC();
    m_bAborted = TRUE;
}

// ------------------------------------------------------- the view's side

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    CWinApp* pApp = AfxGetApp();
    CPrintDialog* pPD = pInfo->m_pPD;
    if (pInfo->m_bPreview || pInfo->m_bDirect) {
        // A caller may have chosen the device already.
        if (pPD->m_pd.hDC)
            return TRUE;
        if (!pApp || !pApp->GetPrinterDeviceDefaults(&pPD->m_pd)) {
            AfxMessageBox(kNoPrinter, MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
        if (!pPD->CreatePrinterDC()) {
            AfxMessageBox(kPrinterFailed, MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
        return TRUE;
    }

    // Without a printer the system's dialog would only complain in its own
    // words; the message is the same as for preview.
    if (pApp && !pApp->GetPrinterDeviceDefaults(&pPD->m_pd)) {
        AfxMessageBox(kNoPrinter, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    pPD->m_pd.nFromPage = static_cast<WORD>(pInfo->GetMinPage());
    pPD->m_pd.nToPage = static_cast<WORD>(pInfo->GetMaxPage());
    pPD->m_pd.Flags = (pPD->m_pd.Flags & ~PD_RETURNIC) | PD_RETURNDC | PD_NOWARNING;
    INT_PTR result = pApp ? pApp->DoPrintDialog(pPD) : pPD->DoModal();
    if (result != IDOK) {
        DWORD error = AfxCommDlgExtendedError();
        if (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES)
            AfxMessageBox(kNoPrinter, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (!pPD->m_pd.hDC && !pPD->CreatePrinterDC()) {
        AfxMessageBox(kPrinterFailed, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

BOOL CView::RunPrintJob(CPrintInfo* pInfo, CPrintTarget* pTarget)
{
    HDC hAttribDC = pTarget->GetAttribDC();
    CDC dc;
    dc.m_hDC = hAttribDC;
    dc.m_bPrinting = TRUE;
    const CRect page = AfxGetPageRect(hAttribDC);
    pInfo->m_rectDraw = page;

    CString docName;
    if (m_pDocument)
        docName = m_pDocument->GetTitle();
    if (docName.IsEmpty())
        docName = AfxGetAppName();
    CString printer = pInfo->m_pPD->GetDeviceName();
    if (!printer.IsEmpty())
        printer = "on " + printer;

    OnBeginPrinting(&dc, pInfo);

    // The program waits for the job; only the printing dialog answers.
    g_bUserAbort = FALSE;
    HWND hOwner = AfxGetDialogOwner(this);
    BOOL ownerWasEnabled = hOwner && ::IsWindowEnabled(hOwner);
    CPrintingDialog printingDlg;
    printingDlg.Create(hOwner ? CWnd::FromHandle(hOwner) : nullptr, docName, printer);
    g_hPrintingDlg = printingDlg.m_hWnd;
    if (ownerWasEnabled)
        ::EnableWindow(hOwner, FALSE);

    BOOL failed = !pTarget->StartDoc(docName);
    UINT from = pInfo->GetFromPage();
    UINT to = pInfo->GetToPage();
    if (pInfo->GetMaxPage() != AFX_PAGE_UNKNOWN && to > pInfo->GetMaxPage())
        to = pInfo->GetMaxPage();
    for (pInfo->m_nCurPage = from; !failed && pInfo->m_nCurPage <= to; ++pInfo->m_nCurPage) {
        dc.m_hDC = pTarget->PreparePage();
        if (!dc.m_hDC) {
            failed = TRUE;
            break;
        }
        pInfo->m_rectDraw = page;
        pInfo->m_bContinuePrinting = TRUE;
        OnPrepareDC(&dc, pInfo);
        if (!pInfo->m_bContinuePrinting || !AfxPrintPumpMessages()) {
            pTarget->DiscardPage();
            break;
        }
        if (printingDlg.m_hWnd)
            printingDlg.SetPage(pInfo->m_nCurPage);
        if (!pTarget->StartPage()) {
            failed = TRUE;
            break;
        }
        // The view may have changed the mapping mode: the page in its units.
        CRect logical = page;
        dc.DPtoLP(logical);
        pInfo->m_rectDraw = logical;
        OnPrint(&dc, pInfo);
        if (!pTarget->EndPage()) {
            failed = !g_bUserAbort;
            break;
        }
        if (!AfxPrintPumpMessages())
            break;
    }
    dc.m_hDC = hAttribDC;

    BOOL aborted = g_bUserAbort;
    BOOL ended = FALSE;
    if (failed || aborted)
        pTarget->AbortDoc();
    else
        ended = pTarget->EndDoc();

    if (ownerWasEnabled)
        ::EnableWindow(hOwner, TRUE);
    g_hPrintingDlg = nullptr;
    printingDlg.DestroyWindow();
    g_bUserAbort = FALSE;

    OnEndPrinting(&dc, pInfo);
    dc.m_hDC = nullptr;
    if (!ended && !aborted)
        AfxMessageBox(kJobFailed, MB_OK | MB_ICONEXCLAMATION);
    return ended;
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    if (!OnPreparePrinting(&info))
        return;
    if (!info.m_pPD->m_pd.hDC) {
        // A view whose OnPreparePrinting did not go through the dialog
        // prints on the current printer.
        CWinApp* pApp = AfxGetApp();
        if (!pApp || !pApp->GetPrinterDeviceDefaults(&info.m_pPD->m_pd)) {
            AfxMessageBox(kNoPrinter, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        if (!info.m_pPD->CreatePrinterDC()) {
            AfxMessageBox(kPrinterFailed, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    }
    CString output;
    if (info.m_pPD->PrintToFile()) {
        CFileDialog dlg(FALSE, "prn", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kPrintToFileFilter, this);
        dlg.m_ofn.lpstrTitle = kPrintToFileTitle;
        if (dlg.DoModal() != IDOK)
            return;
        output = dlg.GetPathName();
    }
    CPrinterTarget target(info.m_pPD->m_pd.hDC, output.IsEmpty() ? nullptr : static_cast<const char*>(output));
    RunPrintJob(&info, &target);
}
