#include "olmetdlg.h"

#include <climits>
#include <cstdio>

CSearchDlg::CSearchDlg(CWnd* pParent) : CDialog(IDD_SEARCH, pParent), m_anchorStart(0), m_anchorEnd(0), m_ignoreCase(0)
{
}

void CSearchDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PATTERN, m_pattern);
    DDV_MaxChars(pDX, m_pattern, olmet::kPatternMax);
    DDX_Check(pDX, IDC_ANCHOR_START, m_anchorStart);
    DDX_Check(pDX, IDC_ANCHOR_END, m_anchorEnd);
    DDX_Check(pDX, IDC_IGNORE_CASE, m_ignoreCase);
}

COffsetDlg::COffsetDlg(CWnd* pParent) : CDialog(IDD_OFFSET, pParent), m_offset(0) {}

namespace {

const long kOffsetMax = 9999999;

// Whether text is an integer by the framework's rules for a number field
// (blanks around, an optional sign, digits), however many digits.
bool IsInteger(const char* text, bool* negative)
{
    const char* p = text;
    while (*p == ' ' || *p == '\t')
        ++p;
    *negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    const char* digits = p;
    while (*p >= '0' && *p <= '9')
        ++p;
    if (p == digits)
        return false;
    while (*p == ' ' || *p == '\t')
        ++p;
    return *p == 0;
}

}   // namespace

void COffsetDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    if (!pDX->m_bSaveAndValidate) {
        char preset[32];
        std::snprintf(preset, sizeof preset, "%lld", static_cast<long long>(m_offset));
        CString text(preset);
        DDX_Text(pDX, IDC_OFFSET, text);
        return;
    }
    // A number too long for a long (the preset near the end of a large
    // file, left as it was) is out of the bounds, and is told so.
    CString text;
    DDX_Text(pDX, IDC_OFFSET, text);
    long typed = 0;
    if (!AfxTextToLong(text, &typed)) {
        bool negative = false;
        if (!IsInteger(text, &negative))
            DDX_Text(pDX, IDC_OFFSET, typed);   // the framework's "not a number"; does not return
        typed = negative ? LONG_MIN : LONG_MAX;
    }
    DDV_MinMaxLong(pDX, typed, 0, kOffsetMax);
    m_offset = typed;
}
