// Views: the child window in a frame's client area that shows a document.
// CEditView is a multi-line edit control; the edit paints and selects by
// itself, the view adds the document link, the Copy command and printing of
// its whole text.
//
// A view prints through virtual functions that the job loop (RunPrintJob)
// and print preview call in this order: OnPreparePrinting (once; shows the
// Print dialog through DoPreparePrinting), OnBeginPrinting (once, with the
// printer's DC), then for each page OnPrepareDC and OnPrint, and at the end
// OnEndPrinting (OnEndPrintPreview after a preview).
#ifndef TAMREL_AFXVIEW_H
#define TAMREL_AFXVIEW_H

#include <vector>

#include "afxctl.h"
#include "afxdoc.h"
#include "afxprint.h"

class CView : public CWnd {
public:
    CView();
    virtual ~CView();

    CDocument* GetDocument() const { return m_pDocument; }

    // Creates the window and joins the context's document.
    virtual BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);

    // After File New has filled the document; by default an update.
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC) = 0;
    // Before every paint and every printed or previewed page (pInfo null
    // when painting). For a page, the base decides whether there is one:
    // with a known page count while the page is within it, with none only
    // for page 1, so a view that prints until it runs out clears
    // m_bContinuePrinting itself.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);

    // The view's own map first, then its document's.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Printing. The base OnPreparePrinting asks DoPreparePrinting, which
    // shows the Print dialog (in preview and direct printing only takes the
    // current printer); FALSE means nothing is to be printed.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    // Draws page pInfo->m_nCurPage in pInfo->m_rectDraw; by default OnDraw.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo);

    // The job loop: runs the pages pInfo asks for into pTarget, with the
    // printing dialog whose Cancel stops the job. TRUE when the document
    // was ended; FALSE when it was cancelled or failed (failures are told).
    BOOL RunPrintJob(CPrintInfo* pInfo, CPrintTarget* pTarget);

    // File Print (Print dialog, then the job on the chosen printer) and File
    // Print Preview (a preview window in place of the view). A view binds
    // them to ID_FILE_PRINT and ID_FILE_PRINT_PREVIEW in its message map.
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();

    afx_msg void OnPaint();

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual void PostNcDestroy();

    CDocument* m_pDocument;

private:
    friend class CDocument;

    DECLARE_MESSAGE_MAP()
};

class CEditView : public CView {
    DECLARE_DYNCREATE(CEditView)
public:
    CEditView();

    // The same window seen as an edit control.
    CEdit& GetEditCtrl() const { return m_edit; }
    void GetSelectedText(CString& strResult) const;
    // The font that printing will use; the screen font is the window's own.
    void SetPrinterFont(CFont* pFont);
    CFont* GetPrinterFont() const;

    virtual BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    virtual void OnDraw(CDC* pDC);

    // Printing of the whole window text in the printer font (the window's
    // own font when none is set). OnBeginPrinting lays the text out for the
    // page: lines too wide for it wrap, at a blank where one fits; every
    // page holds as many rows as fit, at least one; the page count is set.
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);

    afx_msg void OnPaint();
    afx_msg void OnEditCopy();
    afx_msg void OnUpdateNeedSel(CCmdUI* pCmdUI);

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual void PostNcDestroy();

private:
    HFONT PrintFont() const;

    mutable CEdit m_edit;   // shares m_hWnd; never bound, so it never owns the window
    HFONT m_hPrinterFont;

    // The layout of the job in progress: rows of m_strPrintText.
    struct PrintRow {
        int start;
        int length;
    };
    CString m_strPrintText;
    std::vector<PrintRow> m_printRows;
    int m_nRowsPerPage;
    int m_nRowHeight;

    DECLARE_MESSAGE_MAP()
};

#endif
