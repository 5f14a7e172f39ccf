// The hex view: the document's bytes as rows of 16 (hexrows.h), scrolled
// by rows, half pages and pages, searched, marked, and printed under a
// header line.
#ifndef OLMET_OLMETVIEW_H
#define OLMET_OLMETVIEW_H

#include <climits>

#include "afxwin.h"
#include "afxinput.h"
#include "hexrows.h"

class COlmetDoc;

class COlmetView : public CView {
    DECLARE_DYNCREATE(COlmetView)
protected:
    COlmetView();

public:
    virtual ~COlmetView();

    COlmetDoc* GetDocument() const;

    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    virtual void OnInitialUpdate();
    virtual void OnDraw(CDC* pDC);
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);

    // Scrolls whole rows until `pixels` are used; the exposed strip is
    // painted at once.
    void ScrollRows(bool forward, int pixels);
    // Search in a direction; a repeat asks for a pattern only when none
    // was entered yet.
    void Search(bool forward, bool repeat);

protected:
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnSearchForward();
    afx_msg void OnSearchBackward();
    afx_msg void OnRepeatSearch();
    afx_msg void OnSetMark();
    afx_msg void OnSkipToMark();
    afx_msg void OnShowMarks();
    afx_msg void OnGoToOffset();
    afx_msg void OnPageForward();
    afx_msg void OnPageBackward();
    afx_msg void OnHalfPageForward();
    afx_msg void OnHalfPageBackward();
    afx_msg void OnLineForward();
    afx_msg void OnLineBackward();
    afx_msg void OnStartOfFile();
    afx_msg void OnEndOfFile();
    afx_msg void OnHelpContents();

private:
    const unsigned char* Data() const;
    olmet::Offset Size() const;
    // The display font's metrics and the client's size as scrolling needs them.
    olmet::RowGeometry Geometry(int* clientHeight);
    // Shows row `top` at the top, everything repainted.
    void Jump(olmet::Offset top);
    // The mark a dialog with this caption names; -1 after a message or Cancel.
    int AskMark(const char* caption);

    olmet::ScrollModel m_model;
    olmet::Offset m_topRow;
    olmet::Offset m_lastRow;
    CFont m_displayFont;
    CFont m_printerFont;
    TEXTMETRICA m_tm;
    int m_bandTop;
    int m_bandBottom;
    olmet::Offset m_marks[olmet::kMarkCount];
    // The rows of the page being printed: its first and the next to print;
    // -1 when the job has run out of rows.
    olmet::Offset m_printStartRow;
    olmet::Offset m_printRow;
    int m_printRowsPerPage;
    TEXTMETRICA m_printTm;

    DECLARE_MESSAGE_MAP()
};

#endif
