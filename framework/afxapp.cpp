#include "afxwin.h"

#include <algorithm>

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}
CWnd* AfxGetMainWnd()
{
    return g_pApp ? g_pApp->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_pApp && g_pApp->m_hInstance ? g_pApp->m_hInstance : GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetInstanceHandle();
}

const char* AfxGetAppName()
{
    return g_pApp && g_pApp->m_pszAppName ? g_pApp->m_pszAppName : "";
}

const char* AfxCommandLineTail(const char* lpszCommandLine)
{
    const char* p = lpszCommandLine ? lpszCommandLine : "";
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

CString AfxLoadString(UINT nID)
{
    // LoadString has no way to ask for the length, so grow until it fits.
    CString text;
    for (int size = 256; size <= 65536; size *= 2) {
        char* buffer = text.GetBuffer(size);
        int length = LoadStringA(AfxGetResourceHandle(), nID, buffer, size + 1);
        text.ReleaseBuffer(length > 0 ? length : 0);
        if (length < size)
            break;
    }
    return text;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* lpszAppName)
    : m_hInstance(nullptr),
      m_lpCmdLine(""),
      m_nCmdShow(SW_SHOWNORMAL),
      m_pMainWnd(nullptr),
      m_pszAppName(nullptr),
      m_pszExeName(""),
      m_pszHelpFilePath(""),
      m_nQuoteHandling(AFX_QUOTES_KEEP),
      m_pszProfileName(""),
      m_pRecentFileList(nullptr),
      m_hDevMode(nullptr),
      m_hDevNames(nullptr),
      m_nNumPreviewPages(0),
      m_nExitCode(0)
{
    g_pApp = this;
    if (lpszAppName) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
    }
}

CWinApp::~CWinApp()
{
    SelectPrinter(nullptr, nullptr, TRUE);
    delete m_pRecentFileList;
    for (CDocTemplate* pTemplate : m_templateList)
        delete pTemplate;
    if (g_pApp == this)
        g_pApp = nullptr;
}

void CWinApp::InitApplication(HINSTANCE hInstance, int nCmdShow)
{
    m_hInstance = hInstance;
    m_nCmdShow = nCmdShow;
    // Taken from the process rather than from the runtime's argument, whose
    // treatment of trailing blanks is not the one the programs rely on.
    m_strCmdLine = AfxCommandLineTail(GetCommandLineA());
    m_lpCmdLine = m_strCmdLine;

    char path[MAX_PATH] = "";
    GetModuleFileNameA(hInstance, path, MAX_PATH);
    CString module = path;
    int slash = module.ReverseFind('\\');
    CString name = module.Mid(slash + 1);
    int dot = name.ReverseFind('.');
    m_strExeName = dot >= 0 ? name.Left(dot) : name;
    m_pszExeName = m_strExeName;
    m_strProfileName = m_strExeName + ".INI";
    m_pszProfileName = m_strProfileName;

    int moduleDot = module.ReverseFind('.');
    m_strHelpFilePath = (moduleDot > slash ? module.Left(moduleDot) : module) + ".HLP";
    m_pszHelpFilePath = m_strHelpFilePath;

    if (!m_pszAppName) {
        m_strAppName = AfxLoadString(AFX_IDS_APP_TITLE);
        if (m_strAppName.IsEmpty())
            m_strAppName = m_strExeName;
        m_pszAppName = m_strAppName;
    }
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return m_nExitCode;
}

int CWinApp::Run()
{
    if (!m_pMainWnd)
        return ExitInstance();
    MSG msg;
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            m_nExitCode = got == 0 ? static_cast<int>(msg.wParam) : -1;
            return ExitInstance();
        }
        if (!PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        // Painting and timer ticks change no command state.
        if (msg.message != WM_PAINT && msg.message != WM_TIMER && msg.message != 0x0118) {
            bIdle = TRUE;
            lIdleCount = 0;
        }
    }
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    HWND hMain = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    for (HWND hWnd = pMsg->hwnd; hWnd;) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hMain || !(GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD))
            break;
        hWnd = ::GetParent(hWnd);
    }
    return FALSE;
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount == 0) {
        if (CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(m_pMainWnd))
            pFrame->OnIdleUpdateCmdUI();
        CWnd::DeleteTempMap();
    }
    return FALSE;
}

void CWinApp::SetDialogBkColor(COLORREF clrCtlBk, COLORREF clrCtlText)
{
    AfxSetDialogColors(clrCtlBk, clrCtlText);
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    m_templateList.push_back(pTemplate);
}

void CWinApp::RemoveDocTemplate(CDocTemplate* pTemplate)
{
    m_templateList.erase(std::remove(m_templateList.begin(), m_templateList.end(), pTemplate), m_templateList.end());
}

BOOL CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (CDocTemplate* pTemplate : m_templateList) {
        if (!pTemplate->CloseAllDocuments(bEndSession))
            return FALSE;
    }
    return TRUE;
}

CString CWinApp::MakeDocumentPath(const char* lpszFileName) const
{
    CString name = lpszFileName ? lpszFileName : "";
    if (m_nQuoteHandling == AFX_QUOTES_STRIP) {
        if (name.GetLength() > 0 && name[0] == '"')
            name = name.Mid(1);
        int last = name.ReverseFind('"');
        if (last >= 0)
            name = name.Left(last);
    }
    if (name.GetLength() > MAX_PATH)
        name = name.Left(MAX_PATH);
    if (name.IsEmpty())
        return name;
    char full[MAX_PATH + 1] = "";
    DWORD length = GetFullPathNameA(name, sizeof(full), full, nullptr);
    return length > 0 && length < sizeof(full) ? CString(full) : name;
}

CDocument* CWinApp::FindOpenDocument(const char* lpszPathName) const
{
    for (CDocTemplate* pTemplate : m_templateList) {
        for (CDocument* pDoc : pTemplate->GetDocuments()) {
            if (!pDoc->GetPathName().IsEmpty() && lstrcmpiA(pDoc->GetPathName(), lpszPathName) == 0)
                return pDoc;
        }
    }
    return nullptr;
}

CDocument* CWinApp::OpenDocumentFile(const char* lpszFileName)
{
    if (m_templateList.empty())
        return nullptr;
    CString path = MakeDocumentPath(lpszFileName);
    if (CDocument* pOpen = FindOpenDocument(path)) {
        std::vector<CFrameWnd*> frames = pOpen->GetFrames();
        if (!frames.empty())
            frames.front()->ActivateFrame();
        return pOpen;
    }
    CDocument* pDoc = m_templateList.front()->OpenDocumentFile(path);
    if (pDoc)
        AddToRecentFileList(pDoc->GetPathName().IsEmpty() ? static_cast<const char*>(path)
                                                          : static_cast<const char*>(pDoc->GetPathName()));
    return pDoc;
}

void CWinApp::AddToRecentFileList(const char* lpszPathName)
{
    if (m_pRecentFileList)
        m_pRecentFileList->Add(lpszPathName);
}

UINT CWinApp::GetProfileInt(const char* lpszSection, const char* lpszEntry, int nDefault)
{
    return GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

CString CWinApp::GetProfileString(const char* lpszSection, const char* lpszEntry, const char* lpszDefault)
{
    // The call cannot say how long the value is; grow until it fits.
    CString value;
    for (DWORD size = 256; size <= 65536; size *= 2) {
        char* buffer = value.GetBuffer(static_cast<int>(size));
        DWORD length = GetPrivateProfileStringA(
            lpszSection, lpszEntry, lpszDefault ? lpszDefault : "", buffer, size + 1, m_pszProfileName);
        value.ReleaseBuffer(static_cast<int>(length));
        if (length < size)
            break;
    }
    return value;
}

BOOL CWinApp::WriteProfileInt(const char* lpszSection, const char* lpszEntry, int nValue)
{
    char text[16];
    wsprintfA(text, "%d", nValue);
    return WritePrivateProfileStringA(lpszSection, lpszEntry, text, m_pszProfileName);
}

BOOL CWinApp::WriteProfileString(const char* lpszSection, const char* lpszEntry, const char* lpszValue)
{
    return WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

namespace {
const char kRecentSection[] = "Recent File List";
const char kRecentEntry[] = "File%d";
const char kSettingsSection[] = "Settings";
const char kPreviewPagesEntry[] = "PreviewPages";
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (nMaxMRU > 0) {
        m_pRecentFileList = new CRecentFileList(1, kRecentSection, kRecentEntry, static_cast<int>(nMaxMRU));
        m_pRecentFileList->ReadList(m_pszProfileName);
    }
    m_nNumPreviewPages = GetProfileInt(kSettingsSection, kPreviewPagesEntry, 0);
    m_bStdProfileLoaded = true;
}

BOOL CWinApp::SaveStdProfileSettings()
{
    if (!m_bStdProfileLoaded)
        return TRUE;
    BOOL ok = TRUE;
    if (m_pRecentFileList && !m_pRecentFileList->WriteList(m_pszProfileName))
        ok = FALSE;
    if (m_nNumPreviewPages != 0 &&
        !WriteProfileInt(kSettingsSection, kPreviewPagesEntry, static_cast<int>(m_nNumPreviewPages)))
        ok = FALSE;
    return ok;
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    ::WinHelpA(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, m_pszHelpFilePath, nCmd, dwData);
}

void CWinApp::OnFileNew()
{
    if (!m_templateList.empty())
        m_templateList.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CFileDialog dlg(TRUE);
    if (dlg.DoModal() == IDOK)
        OpenDocumentFile(dlg.GetPathName());
}

void CWinApp::SelectPrinter(HGLOBAL hDevNames, HGLOBAL hDevMode, BOOL bFreeOld)
{
    if (bFreeOld) {
        if (m_hDevNames && m_hDevNames != hDevNames)
            GlobalFree(m_hDevNames);
        if (m_hDevMode && m_hDevMode != hDevMode)
            GlobalFree(m_hDevMode);
    }
    m_hDevNames = hDevNames;
    m_hDevMode = hDevMode;
}

void CWinApp::UpdatePrinterSelection(BOOL bForceDefaults)
{
    if (m_hDevNames && !bForceDefaults)
        return;
    CPrintDialog dlg(FALSE);
    if (dlg.GetDefaults())
        SelectPrinter(dlg.m_pd.hDevNames, dlg.m_pd.hDevMode, TRUE);
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg)
{
    UpdatePrinterSelection(FALSE);
    if (!m_hDevNames)
        return FALSE;
    pPrintDlg->hDevNames = m_hDevNames;
    pPrintDlg->hDevMode = m_hDevMode;
    return TRUE;
}

BOOL CWinApp::CreatePrinterDC(CDC& dc)
{
    UpdatePrinterSelection(FALSE);
    HDC hDC = AfxCreateDC(m_hDevNames, m_hDevMode);
    if (!hDC)
        return FALSE;
    dc.DeleteDC();
    return dc.Attach(hDC);
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* pPD)
{
    UpdatePrinterSelection(FALSE);
    pPD->m_pd.hDevNames = m_hDevNames;
    pPD->m_pd.hDevMode = m_hDevMode;
    INT_PTR result = pPD->DoModal();
    // The dialog frees the handles it replaces (another printer, changed
    // settings), so the application takes back whatever it now holds, also
    // after Cancel.
    SelectPrinter(pPD->m_pd.hDevNames, pPD->m_pd.hDevMode, FALSE);
    return result;
}

void CWinApp::OnFilePrintSetup()
{
    CPrintDialog dlg(TRUE);
    DoPrintDialog(&dlg);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->PostMessage(WM_CLOSE);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return 1;
    pApp->InitApplication(hInstance, nCmdShow);
    if (!pApp->InitInstance())
        return pApp->ExitInstance();
    return pApp->Run();
}
