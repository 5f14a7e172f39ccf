// CFontDialog: the system's font dialog. Screen fonts with effects offer
// strike-out, underline and a colour; printer fonts list what the printer
// device context given can print.
#ifndef TAMREL_AFXFONTDLG_H
#define TAMREL_AFXFONTDLG_H

#include <commdlg.h>

#include "afxwnd.h"

class CFontDialog {
public:
    // lplfInitial presets the choice (null: the dialog's own default).
    // dwFlags are CF_ flags: CF_SCREENFONTS or CF_PRINTERFONTS (with
    // pdcPrinter), CF_EFFECTS for strike-out, underline and colour.
    explicit CFontDialog(const LOGFONTA* lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);

    // IDOK with the choice in m_lf and m_cf, or IDCANCEL.
    INT_PTR DoModal();

    void GetCurrentFont(LOGFONTA* lplf) const { *lplf = m_lf; }
    CString GetFaceName() const { return m_lf.lfFaceName; }
    // In tenths of a point.
    int GetSize() const { return m_cf.iPointSize; }
    // The colour chosen (preset it through m_cf.rgbColors).
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return static_cast<int>(m_lf.lfWeight); }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }
    BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }

    CHOOSEFONTA m_cf;
    LOGFONTA m_lf;   // the font shown first, then the one chosen

private:
    CWnd* m_pParentWnd;
};

#endif
