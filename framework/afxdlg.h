// Modal dialogs from dialog resources, and dialog data exchange: the
// DDX_ functions move a member to or from its control, the DDV_ functions
// check the value just read. A failed check tells the user, puts the focus
// (and the selection) on the field and leaves the dialog open.
#ifndef TAMREL_AFXDLG_H
#define TAMREL_AFXDLG_H

#include "afxwnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;   // TRUE: controls to members, with checks
    CWnd* m_pDlgWnd;

    // Note the control that the following DDV_ call is about.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Focus the last prepared control, select an edit's text, and abandon
    // the exchange (UpdateData returns FALSE).
    [[noreturn]] void Fail();

    int m_idLastControl;
    BOOL m_bEditLastControl;
};

// What Fail throws; UpdateData catches it.
struct CUserException {};

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Runs the dialog until EndDialog and returns its code (-1 when the
    // resource cannot be loaded).
    virtual INT_PTR DoModal();
    // A modeless dialog from a template in memory; it lives until
    // DestroyWindow (or the object goes).
    BOOL CreateIndirect(const void* lpDialogTemplate, CWnd* pParentWnd = nullptr);
    // A modeless dialog from a dialog resource, owned by pParentWnd (by
    // default the main window). It shows itself when its template says
    // WS_VISIBLE, else on ShowWindow. Work that runs without a message loop
    // keeps it painted by calling UpdateWindow after each change; OK and
    // Cancel destroy it rather than end a modal loop.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL Create(const char* lpszTemplateName, CWnd* pParentWnd = nullptr);
    // Dialog units of this dialog's font to pixels.
    void MapDialogRect(LPRECT lpRect) const;
    // A modeless dialog takes its keyboard navigation (Tab, arrows, Enter)
    // from the main message loop here.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // By default fills the controls from the members.
    virtual BOOL OnInitDialog();
    // By default: members from controls; on success EndDialog(IDOK).
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);
    void GotoDlgCtrl(CWnd* pWndCtrl);

    // The dialog's own map first; a command it does not handle goes on to
    // the application, so a dialog's button can send a command (About, say)
    // that only the application's map knows.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // After OnInitDialog every dialog is centred over its owner (over the
    // screen when it has none, or the owner is hidden or minimised), unless
    // OnInitDialog moved or showed it, or its template places it: a
    // position other than 0, 0, DS_ABSALIGN, DS_CENTER, DS_CENTERMOUSE or
    // WS_CHILD. rectBefore is where the system put it.
    void PlaceAfterInit(const RECT& rectBefore);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    BOOL m_bModeless;         // made by Create or CreateIndirect
    BOOL m_bTemplatePlaces;   // the template says where the dialog goes

protected:
    DECLARE_MESSAGE_MAP()
};

// The top-level window that owns a dialog shown for pParentWnd: the
// parent's top-level window, or with none given the main window's last
// active pop-up (a dialog already open over it).
HWND AfxGetDialogOwner(CWnd* pParentWnd);

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
// 0 off, 1 on, 2 indeterminate.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first radio button of a group; value is the position of the
// checked one, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// Binds (and subclasses) the control to rControl the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
// Also limits typing in the field to nChars when the dialog is filled.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);

// The number rules of DDX_Text: blanks around, an optional sign for signed
// values, digits, and a value that fits; FALSE otherwise.
BOOL AfxTextToLong(const char* lpszText, long* pValue);
BOOL AfxTextToULong(const char* lpszText, unsigned long* pValue);

// lpszFormat with "%1" replaced by lpsz1 (and "%2" by lpsz2).
CString AfxFormatString1(const char* lpszFormat, const char* lpsz1);
CString AfxFormatString2(const char* lpszFormat, const char* lpsz1, const char* lpsz2);

#endif
