#include "afxwin.h"
#include "afxcomdlg.h"
#include "afxfontdlg.h"

#include <cstring>

CFontDialog::CFontDialog(const LOGFONTA* lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd)
{
    std::memset(&m_cf, 0, sizeof(m_cf));
    std::memset(&m_lf, 0, sizeof(m_lf));
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = dwFlags;
    if (lplfInitial) {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (pdcPrinter) {
        m_cf.hDC = pdcPrinter->m_hDC;
        // Printer fonts are listed only for the printer's context.
        if (!(m_cf.Flags & (CF_SCREENFONTS | CF_PRINTERFONTS)))
            m_cf.Flags |= CF_PRINTERFONTS;
    }
}

INT_PTR CFontDialog::DoModal()
{
    m_cf.hwndOwner = AfxGetDialogOwner(m_pParentWnd);
    m_cf.hInstance = AfxGetInstanceHandle();
    // The structure may have been copied with the object: it points at our
    // own LOGFONT again.
    m_cf.lpLogFont = &m_lf;
    return AfxChooseFont(&m_cf) ? IDOK : IDCANCEL;
}
