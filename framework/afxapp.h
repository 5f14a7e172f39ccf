// CWinApp: the one application object of a program, its start-up, its
// message loop and the commands that belong to no window.
#ifndef TAMREL_AFXAPP_H
#define TAMREL_AFXAPP_H

#include <commdlg.h>

#include <vector>

#include "afxwnd.h"

class CDocTemplate;
class CDocument;
class CPrintDialog;
class CRecentFileList;

// How OpenDocumentFile treats double quotes in a name: kept as part of it,
// or one leading quote removed and the name cut at its last quote (so
// that "c:\my files\a.txt" with its quotes opens c:\my files\a.txt).
enum AfxQuoteHandling { AFX_QUOTES_KEEP, AFX_QUOTES_STRIP };

class CWinApp : public CCmdTarget {
public:
    // The program's global application object registers itself here; the
    // framework's WinMain then drives it.
    explicit CWinApp(const char* lpszAppName = nullptr);
    virtual ~CWinApp();

    HINSTANCE m_hInstance;
    // The command line after the program name: blanks after the name
    // skipped, the rest kept whole, trailing blanks included.
    const char* m_lpCmdLine;
    int m_nCmdShow;   // for the main window's first show; -1 once used
    CWnd* m_pMainWnd;
    const char* m_pszAppName;        // message box captions
    const char* m_pszExeName;        // program name without directory or extension
    const char* m_pszHelpFilePath;   // the program's path with ".HLP" for its extension

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop; ends the program at once when there is no main window.
    virtual int Run();
    // Offers the message to the window it is for and to each parent up to
    // the main window (where the accelerators are).
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Idle-time work after the queue empties; TRUE asks for more calls.
    virtual BOOL OnIdle(LONG lCount);

    // Grey dialogs: every dialog and message box of the program paints with
    // these colours.
    void SetDialogBkColor(COLORREF clrCtlBk = RGB(192, 192, 192), COLORREF clrCtlText = RGB(0, 0, 0));
    // Opens a document by name: the name is cleaned as m_nQuoteHandling
    // says, cut to MAX_PATH characters and made a full path; a path that is
    // already open activates its first window instead of a second load. A
    // document that opens joins the recent-file list.
    virtual CDocument* OpenDocumentFile(const char* lpszFileName);
    AfxQuoteHandling m_nQuoteHandling;
    CString MakeDocumentPath(const char* lpszFileName) const;
    // The open document whose path is lpszPathName (in any case), or null.
    CDocument* FindOpenDocument(const char* lpszPathName) const;
    virtual void AddToRecentFileList(const char* lpszPathName);

    // The profile "<program>.INI" in the Windows directory.
    const char* m_pszProfileName;
    UINT GetProfileInt(const char* lpszSection, const char* lpszEntry, int nDefault);
    CString GetProfileString(const char* lpszSection, const char* lpszEntry, const char* lpszDefault = nullptr);
    BOOL WriteProfileInt(const char* lpszSection, const char* lpszEntry, int nValue);
    BOOL WriteProfileString(const char* lpszSection, const char* lpszEntry, const char* lpszValue);
    // Reads the recent-file list (nMaxMRU names) and the preview's page
    // count; ExitInstance writes them back (the page count once chosen).
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    BOOL SaveStdProfileSettings();
    CRecentFileList* m_pRecentFileList;

    void AddDocTemplate(CDocTemplate* pTemplate);
    // Takes a template back; the caller owns it again.
    void RemoveDocTemplate(CDocTemplate* pTemplate);
    // Closes every open document of every template; FALSE when one refuses.
    virtual BOOL CloseAllDocuments(BOOL bEndSession);
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnAppExit();

    // The printer that jobs and previews use, with its settings (paper,
    // orientation...): the default printer's until the user picks another
    // in Print Setup or the Print dialog, then that one for the rest of the
    // program's run. Null while there is no printer.
    HGLOBAL m_hDevMode;
    HGLOBAL m_hDevNames;
    // Pages side by side in print preview as the user last had them; 0
    // before the user has chosen.
    UINT m_nNumPreviewPages;

    // File Print Setup: the system's Print Setup dialog on the current
    // printer; OK keeps the choice for later jobs.
    afx_msg void OnFilePrintSetup();
    // Shows pPD on the current printer and keeps the printer and settings
    // the user leaves it with.
    INT_PTR DoPrintDialog(CPrintDialog* pPD);
    // Hands the current printer (the application's handles, not copies) to
    // pPrintDlg; FALSE when there is no printer.
    BOOL GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg);
    // A DC for the current printer; FALSE when there is none or it fails.
    BOOL CreatePrinterDC(CDC& dc);
    // Makes the selection current; the application owns the handles from now.
    void SelectPrinter(HGLOBAL hDevNames, HGLOBAL hDevMode, BOOL bFreeOld = TRUE);
    // Takes the system's default printer when none is current (always with
    // bForceDefaults).
    void UpdatePrinterSelection(BOOL bForceDefaults);

    // Sets the members above from the process; WinMain calls it first.
    void InitApplication(HINSTANCE hInstance, int nCmdShow);

protected:
    std::vector<CDocTemplate*> m_templateList;
    int m_nExitCode;

private:
    CString m_strCmdLine;
    CString m_strAppName;
    CString m_strExeName;
    CString m_strHelpFilePath;
    CString m_strProfileName;
    bool m_bStdProfileLoaded = false;   // only then does exit write the profile

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
const char* AfxGetAppName();

// What follows the program name in a full command line: the name is quoted
// or ends at the first blank or tab; blanks and tabs after it are skipped.
const char* AfxCommandLineTail(const char* lpszCommandLine);

// The text of string resource nID, empty when there is none.
CString AfxLoadString(UINT nID);

#endif
