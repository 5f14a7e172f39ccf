// Printing: the system's print and print setup dialog (CPrintDialog), what
// a job knows about itself while it runs (CPrintInfo), and where its pages
// go (CPrintTarget): a printer, or a recorder that keeps every page as an
// enhanced metafile drawn for a reference device. Print preview draws its
// pages through the recorder; tests read the pages it keeps.
//
// The job loop itself is CView::RunPrintJob (afxview.h): OnBeginPrinting,
// StartDoc, then for each page OnPrepareDC, StartPage, OnPrint and EndPage,
// then EndDoc (AbortDoc when cancelled or failed) and OnEndPrinting.
#ifndef TAMREL_AFXPRINT_H
#define TAMREL_AFXPRINT_H

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "afxdc.h"
#include "afxstr.h"

class CWnd;

// A page count a view does not know yet.
const UINT AFX_PAGE_UNKNOWN = 0xFFFF;

class CPrintDialog {
public:
    // bPrintSetupOnly: the Print Setup dialog (printer, paper, orientation)
    // instead of the Print dialog.
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                          PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    // Deletes the printer DC the dialog or CreatePrinterDC made. The printer
    // selection (hDevMode, hDevNames) is the caller's: the application keeps
    // its own for all jobs.
    virtual ~CPrintDialog();

    PRINTDLGA m_pd;

    // IDOK or IDCANCEL (also when there is no printer at all, see
    // CommDlgExtendedError).
    INT_PTR DoModal();
    // The default printer's selection, without showing anything; FALSE when
    // there is no printer. The new handles belong to the caller.
    BOOL GetDefaults();
    // A DC for the selected printer and its settings, kept in m_pd.hDC (an
    // earlier one is deleted); null when the printer cannot be opened.
    HDC CreatePrinterDC();
    HDC GetPrinterDC() const { return m_pd.hDC; }

    // Valid while m_pd.hDevMode is neither freed nor replaced.
    DEVMODEA* GetDevMode() const;
    CString GetDriverName() const;
    CString GetDeviceName() const;
    CString GetPortName() const;

    int GetCopies() const;
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }
    BOOL PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) != 0; }
    int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
    int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }

private:
    CString DevNamesPart(int part) const;

    CWnd* m_pParentWnd;

    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;
};

// Builds the DC of a printer selection; null when it cannot.
HDC AfxCreateDC(HGLOBAL hDevNames, HGLOBAL hDevMode);

// The font a page really prints hFont with on hDC. A program that asks for
// the printer's own default font (the stock DEVICE_DEFAULT_FONT, or a font
// made from its description) gets it, unless the device makes it smaller
// than 6 points, as a 300-dot printer does with a 16-dot default: then a
// fixed-pitch font of 10 points for that device, so the page stays
// readable. A font the program chose itself is always used as chosen.
// CDC::SelectObject(CFont*) applies it on every printing DC.
HFONT AfxLegiblePrinterFont(HDC hDC, HFONT hFont);

// What a print job or a print preview passes to the view's printing
// functions. Pages are numbered from 1; the view may set the page range in
// OnPreparePrinting or OnBeginPrinting when it knows it.
class CPrintInfo {
public:
    CPrintInfo();
    ~CPrintInfo();

    CPrintDialog* m_pPD;        // the Print dialog and, after it, the printer DC
    BOOL m_bDirect;             // print at once with the current printer, no dialog
    BOOL m_bPreview;            // the pages are for print preview
    BOOL m_bContinuePrinting;   // OnPrepareDC clears it when there is no such page
    UINT m_nCurPage;            // the page being prepared or drawn
    UINT m_nNumPreviewPages;    // pages side by side in preview: 1 or 2
    CString m_strPageDesc;      // preview's page text: "one page\ntwo pages" formats
    void* m_lpUserData;         // the view's own
    CRect m_rectDraw;           // the page's printable area, in the DC's logical units

    void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage); }
    void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(nMaxPage); }
    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    // The range the user asked for in the Print dialog, else all pages.
    UINT GetFromPage() const;
    UINT GetToPage() const;

private:
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;
};

// Where the pages of a job go. The job asks for the DC of a page before it
// starts it, so that the view can say in OnPrepareDC that there is no such
// page; such a page is discarded and never started.
class CPrintTarget {
public:
    virtual ~CPrintTarget() {}

    // The device the pages are laid out for: page size and text metrics.
    virtual HDC GetAttribDC() const = 0;
    virtual BOOL StartDoc(const char* lpszDocName) = 0;
    virtual HDC PreparePage() = 0;
    virtual BOOL StartPage() = 0;
    virtual BOOL EndPage() = 0;
    virtual void DiscardPage() = 0;
    virtual BOOL EndDoc() = 0;
    virtual void AbortDoc() = 0;
};

// A printer's DC. With lpszOutput the job goes to that file (print to file).
class CPrinterTarget : public CPrintTarget {
public:
    CPrinterTarget(HDC hPrinterDC, const char* lpszOutput = nullptr);

    virtual HDC GetAttribDC() const { return m_hDC; }
    virtual BOOL StartDoc(const char* lpszDocName);
    virtual HDC PreparePage() { return m_hDC; }
    virtual BOOL StartPage();
    virtual BOOL EndPage();
    virtual void DiscardPage() {}
    virtual BOOL EndDoc();
    virtual void AbortDoc();

private:
    HDC m_hDC;
    CString m_strOutput;
    BOOL m_bStarted;
};

// Records every page as an enhanced metafile whose frame is the reference
// device's whole printable area, so that playing it into a rectangle
// scales the page to fit.
class CPageRecorder : public CPrintTarget {
public:
    explicit CPageRecorder(HDC hReferenceDC);
    virtual ~CPageRecorder();

    virtual HDC GetAttribDC() const { return m_hRefDC; }
    virtual BOOL StartDoc(const char* lpszDocName);
    virtual HDC PreparePage();
    virtual BOOL StartPage();
    virtual BOOL EndPage();
    virtual void DiscardPage();
    virtual BOOL EndDoc();
    virtual void AbortDoc();

    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    HENHMETAFILE GetPage(int nIndex) const { return m_pages[static_cast<size_t>(nIndex)]; }
    const CString& GetDocName() const { return m_strDocName; }
    BOOL IsEnded() const { return m_bEnded; }
    BOOL IsAborted() const { return m_bAborted; }

private:
    void DropPageDC();

    HDC m_hRefDC;
    HDC m_hPageDC;
    std::vector<HENHMETAFILE> m_pages;
    CString m_strDocName;
    BOOL m_bEnded;
    BOOL m_bAborted;

    CPageRecorder(const CPageRecorder&) = delete;
    CPageRecorder& operator=(const CPageRecorder&) = delete;
};

// The printable area of a printer (or reference) DC in device units.
CRect AfxGetPageRect(HDC hDC);

// While a job runs: lets the program's messages through (the Cancel button
// of the printing dialog among them); FALSE once the user has cancelled.
BOOL AfxPrintPumpMessages();

#endif
