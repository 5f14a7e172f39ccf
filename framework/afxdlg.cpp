#include "afxwin.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {
const char kNotAnInteger[] = "Please enter an integer.";
const char kIntegerRange[] = "Please enter an integer between %1 and %2.";
const char kTooManyChars[] = "Please enter no more than %1 characters.";

// The dialog's own procedure sees only WM_INITDIALOG: every other message
// has already been through the CDialog's message map, which sits in front
// as the window's subclass.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG) {
        CDialog* pDlg = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
        if (!pDlg)
            return TRUE;
        RECT before;
        ::GetWindowRect(hWnd, &before);
        BOOL result = pDlg->OnInitDialog();
        if (::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == pDlg)
            pDlg->PlaceAfterInit(before);
        return result;
    }
    return FALSE;
}

// A template's header, in either form, says where the dialog goes: at x, y
// (relative to the owner's client area, or the screen with DS_ABSALIGN),
// centred by the system (DS_CENTER, DS_CENTERMOUSE), or inside its parent
// (WS_CHILD). Only 0, 0 with none of these leaves the place to us.
BOOL TemplateChoosesPlace(const void* lpTemplate)
{
    if (!lpTemplate)
        return FALSE;
    const BYTE* bytes = static_cast<const BYTE*>(lpTemplate);
    WORD version = 0;
    WORD signature = 0;
    std::memcpy(&version, bytes, sizeof(version));
    std::memcpy(&signature, bytes + 2, sizeof(signature));
    DWORD style = 0;
    short x = 0;
    short y = 0;
    if (version == 1 && signature == 0xFFFF) {
        // DLGTEMPLATEEX: version, signature, help id, extended style, style,
        // item count, x, y.
        std::memcpy(&style, bytes + 12, sizeof(style));
        std::memcpy(&x, bytes + 18, sizeof(x));
        std::memcpy(&y, bytes + 20, sizeof(y));
    } else {
        // DLGTEMPLATE: style, extended style, item count, x, y.
        std::memcpy(&style, bytes, sizeof(style));
        std::memcpy(&x, bytes + 10, sizeof(x));
        std::memcpy(&y, bytes + 12, sizeof(y));
    }
    if (style & (WS_CHILD | DS_ABSALIGN | DS_CENTER | DS_CENTERMOUSE))
        return TRUE;
    return x != 0 || y != 0;
}

BOOL ResourceChoosesPlace(const char* lpszTemplateName)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = FindResourceA(hInst, lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource ? LoadResource(hInst, hResource) : nullptr;
    return TemplateChoosesPlace(hTemplate ? LockResource(hTemplate) : nullptr);
}

const char* SkipBlanks(const char* p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

// Digits up to limit; FALSE on no digit, trailing junk or overflow.
BOOL ParseDigits(const char* p, unsigned long long limit, unsigned long long* pValue)
{
    if (!std::isdigit(static_cast<unsigned char>(*p)))
        return FALSE;
    unsigned long long value = 0;
    while (std::isdigit(static_cast<unsigned char>(*p))) {
        value = value * 10 + static_cast<unsigned>(*p - '0');
        if (value > limit)
            return FALSE;
        ++p;
    }
    if (*SkipBlanks(p) != 0)
        return FALSE;
    *pValue = value;
    return TRUE;
}

void ReadControlText(HWND hCtl, CString& text)
{
    int length = GetWindowTextLengthA(hCtl);
    char* buffer = text.GetBuffer(length);
    GetWindowTextA(hCtl, buffer, length + 1);
    text.ReleaseBuffer();
}

void NumberFailure(CDataExchange* pDX)
{
    AfxMessageBox(kNotAnInteger, MB_ICONEXCLAMATION);
    pDX->Fail();
}
}

HWND AfxGetDialogOwner(CWnd* pParentWnd)
{
    HWND hOwner = nullptr;
    if (pParentWnd)
        hOwner = pParentWnd->m_hWnd;
    else if (CWnd* pMain = AfxGetMainWnd())
        hOwner = GetLastActivePopup(pMain->m_hWnd);
    while (hOwner && (GetWindowLongPtrA(hOwner, GWL_STYLE) & WS_CHILD))
        hOwner = ::GetParent(hOwner);
    return hOwner;
}

BOOL AfxTextToLong(const char* lpszText, long* pValue)
{
    const char* p = SkipBlanks(lpszText);
    bool negative = false;
    if (*p == '-' || *p == '+') {
        negative = *p == '-';
        ++p;
    }
    unsigned long long magnitude = 0;
    if (!ParseDigits(p, negative ? 2147483648ULL : 2147483647ULL, &magnitude))
        return FALSE;
    *pValue = negative ? static_cast<long>(-static_cast<long long>(magnitude)) : static_cast<long>(magnitude);
    return TRUE;
}

BOOL AfxTextToULong(const char* lpszText, unsigned long* pValue)
{
    const char* p = SkipBlanks(lpszText);
    if (*p == '+')
        ++p;
    unsigned long long value = 0;
    if (!ParseDigits(p, 4294967295ULL, &value))
        return FALSE;
    *pValue = static_cast<unsigned long>(value);
    return TRUE;
}

CString AfxFormatString2(const char* lpszFormat, const char* lpsz1, const char* lpsz2)
{
    CString result;
    for (const char* p = lpszFormat; *p; ++p) {
        if (p[0] == '%' && (p[1] == '1' || (p[1] == '2' && lpsz2))) {
            result += p[1] == '1' ? lpsz1 : lpsz2;
            ++p;
        } else {
            result += *p;
        }
    }
    return result;
}

CString AfxFormatString1(const char* lpszFormat, const char* lpsz1)
{
    return AfxFormatString2(lpszFormat, lpsz1, nullptr);
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_idLastControl(0), m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hCtl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hCtl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate) {
        HWND hCtl = ::GetDlgItem(m_pDlgWnd->m_hWnd, m_idLastControl);
        if (hCtl) {
            // WM_NEXTDLGCTL rather than SetFocus keeps the default button right.
            ::SendMessageA(m_pDlgWnd->m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hCtl), TRUE);
            if (m_bEditLastControl)
                ::SendMessageA(hCtl, EM_SETSEL, 0, -1);
        }
    }
    throw CUserException();
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd), m_bModeless(FALSE), m_bTemplatePlaces(FALSE)
{
}

void CDialog::PlaceAfterInit(const RECT& rectBefore)
{
    // A dialog that showed itself, or moved itself, is where it wants to be.
    if (m_bTemplatePlaces || ::IsWindowVisible(m_hWnd) || (GetStyle() & WS_CHILD))
        return;
    RECT rect;
    GetWindowRect(&rect);
    if (rect.left != rectBefore.left || rect.top != rectBefore.top)
        return;
    CenterWindow();
}

INT_PTR CDialog::DoModal()
{
    HWND hParent = nullptr;
    if (m_pParentWnd)
        hParent = m_pParentWnd->m_hWnd;
    else if (CWnd* pMain = AfxGetMainWnd())
        hParent = GetLastActivePopup(pMain->m_hWnd);
    else
        hParent = GetActiveWindow();
    while (hParent && (GetWindowLongPtrA(hParent, GWL_STYLE) & WS_CHILD))
        hParent = ::GetParent(hParent);

    m_bTemplatePlaces = ResourceChoosesPlace(MAKEINTRESOURCEA(m_nIDTemplate));
    AfxHookWindowCreate(this);
    INT_PTR result = DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), hParent, &AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    return result;
}

BOOL CDialog::CreateIndirect(const void* lpDialogTemplate, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    m_bModeless = TRUE;
    m_bTemplatePlaces = TemplateChoosesPlace(lpDialogTemplate);
    AfxHookWindowCreate(this);
    HWND hWnd = CreateDialogIndirectParamA(AfxGetResourceHandle(),
                                           static_cast<LPCDLGTEMPLATEA>(lpDialogTemplate),
                                           pParentWnd ? pParentWnd->m_hWnd : nullptr,
                                           &AfxDlgProc,
                                           0);
    AfxUnhookWindowCreate();
    return hWnd != nullptr && m_hWnd == hWnd;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(const char* lpszTemplateName, CWnd* pParentWnd)
{
    if (m_hWnd)
        return FALSE;
    if (!pParentWnd)
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    m_bModeless = TRUE;
    // A dialog owned by a child window would be owned by its frame anyway.
    HWND hOwner = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    while (hOwner && (GetWindowLongPtrA(hOwner, GWL_STYLE) & WS_CHILD))
        hOwner = ::GetParent(hOwner);
    m_bTemplatePlaces = ResourceChoosesPlace(lpszTemplateName);
    AfxHookWindowCreate(this);
    HWND hWnd = CreateDialogParamA(AfxGetResourceHandle(), lpszTemplateName, hOwner, &AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    return hWnd != nullptr && m_hWnd == hWnd;
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    ::MapDialogRect(m_hWnd, lpRect);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (!m_bModeless || !m_hWnd || pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int nResult)
{
    // A modeless dialog has no modal loop to end: it goes.
    if (m_bModeless)
        DestroyWindow();
    else
        ::EndDialog(m_hWnd, nResult);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hCtl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        ReadControlText(hCtl, value);
    else
        SetWindowTextA(hCtl, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    long wide = value;
    DDX_Text(pDX, nIDC, wide);
    value = static_cast<int>(wide);
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    HWND hCtl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        CString text;
        ReadControlText(hCtl, text);
        if (!AfxTextToLong(text, &value))
            NumberFailure(pDX);
    } else {
        char buffer[32];
        std::snprintf(buffer, sizeof(buffer), "%ld", value);
        SetWindowTextA(hCtl, buffer);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    HWND hCtl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        CString text;
        ReadControlText(hCtl, text);
        unsigned long parsed = 0;
        if (!AfxTextToULong(text, &parsed))
            NumberFailure(pDX);
        value = parsed;
    } else {
        char buffer[32];
        std::snprintf(buffer, sizeof(buffer), "%lu", static_cast<unsigned long>(value));
        SetWindowTextA(hCtl, buffer);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    DWORD wide = value;
    DDX_Text(pDX, nIDC, wide);
    value = static_cast<UINT>(wide);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hCtl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(hCtl, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(hCtl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hCtl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    // The group runs from nIDC to the next control that starts a group.
    int index = 0;
    while (hCtl) {
        if (::SendMessageA(hCtl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(hCtl, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
                    value = index;
            } else {
                ::SendMessageA(hCtl, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        hCtl = ::GetWindow(hCtl, GW_HWNDNEXT);
        if (hCtl && (GetWindowLongPtrA(hCtl, GWL_STYLE) & WS_GROUP))
            break;
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (!rControl.m_hWnd)
        rControl.SubclassDlgItem(static_cast<UINT>(nIDC), pDX->m_pDlgWnd);
    pDX->PrepareCtrl(nIDC);
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    char low[32];
    char high[32];
    std::snprintf(low, sizeof(low), "%ld", minVal);
    std::snprintf(high, sizeof(high), "%ld", maxVal);
    AfxMessageBox(AfxFormatString2(kIntegerRange, low, high), MB_ICONEXCLAMATION);
    pDX->Fail();
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    DDV_MinMaxLong(pDX, value, minVal, maxVal);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate) {
        HWND hCtl = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, pDX->m_idLastControl);
        if (hCtl)
            ::SendMessageA(hCtl, EM_SETLIMITTEXT, static_cast<WPARAM>(nChars), 0);
        return;
    }
    if (value.GetLength() <= nChars)
        return;
    char count[32];
    std::snprintf(count, sizeof(count), "%d", nChars);
    AfxMessageBox(AfxFormatString1(kTooManyChars, count), MB_ICONEXCLAMATION);
    pDX->Fail();
}
