// A window on one pager document: lines from a top line down, wrapped
// where wider than the window, with scrolling, the two display toggles and
// printing.
#ifndef ZODO_ZODOVIEW_H
#define ZODO_ZODOVIEW_H

#include <string>

#include "afxwin.h"
#include "lineindex.h"
#include "zododoc.h"

class CZodoView : public CView {
    DECLARE_DYNCREATE(CZodoView)
public:
    CZodoView();
    virtual ~CZodoView();
    CZodoDoc* GetDocument() const { return static_cast<CZodoDoc*>(m_pDocument); }

    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    virtual void OnInitialUpdate();
    virtual void OnDraw(CDC* pDC);
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // Scrolls by at least pixels (forward: towards the end), by whole lines.
    virtual void ScrollLines(BOOL bForward, int nPixels);

    // Replaces m_lineText with the display text of the line.
    void RenderLine(const zodo::LineRecord* pLine);

    int m_bLineNumbers;
    int m_bHexadecimal;
    int m_bLineScrollModel;
    zodo::LineRecord* m_pTopLine;
    zodo::LineRecord* m_pLastDrawnLine;
    CFont m_displayFont;
    CFont m_printerFont;
    TEXTMETRICA m_tm;
    RECT m_selectionBand;
    int m_nPaintBandTop;
    int m_nPaintBandBottom;
    zodo::LineRecord* m_marks[26];
    std::string m_lineText;
    zodo::LineRecord* m_pPrintPosition;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPageForward();
    afx_msg void OnPageBackward();
    afx_msg void OnHalfPageForward();
    afx_msg void OnHalfPageBackward();
    afx_msg void OnLineForward();
    afx_msg void OnLineBackward();
    afx_msg void OnStartOfFile();
    afx_msg void OnEndOfFile();
    afx_msg void OnGoTo();
    afx_msg void OnToggleLineNumbers();
    afx_msg void OnToggleHexadecimal();
    afx_msg void OnUpdateToggleLineNumbers(CCmdUI* pCmdUI);
    afx_msg void OnUpdateToggleHexadecimal(CCmdUI* pCmdUI);

    // Search and help
public:
    // Finds the next (or previous) line matching the last search, asking for
    // it first unless repeating one, and makes it the top line.
    virtual void Search(BOOL bForward, BOOL bRepeat);

protected:
    afx_msg void OnSearchForward();
    afx_msg void OnSearchBackward();
    afx_msg void OnRepeatSearch();
    afx_msg void OnHelpContents();

    // Marks, row selection and copy
    afx_msg void OnSetMark();
    afx_msg void OnSkipToMark();
    afx_msg void OnShowMarks();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnEditCopy();
    // The mark the user names in the letter dialog; false after Cancel or a
    // refused letter (the user has been told).
    bool AskMark(const char* caption, int* index);
    // use: 0 the lines' own bytes, 1 their display text.
    void CopyLinesToFile(const zodo::LineRecord* from, const zodo::LineRecord* to, int use);
    void CopyLinesToClipboard(const zodo::LineRecord* from, const zodo::LineRecord* to, int use);

    // Display settings and the editor
    afx_msg void OnSetFont();
    afx_msg void OnSetPrinterFont();
    afx_msg void OnSetTabs();
    afx_msg void OnSetPrinterMargin();
    afx_msg void OnSaveOptions();
    afx_msg void OnInvokeEditor();
    afx_msg void OnSetEditor();

private:
    void JumpTo(zodo::LineRecord* pLine);
    void TakeDisplayMetrics();
    int RowHeight() const { return m_tm.tmHeight > 0 ? m_tm.tmHeight : 1; }
    int ClientWidth() const;
    int ClientHeight() const;
    TEXTMETRICA m_printTm;
    DECLARE_MESSAGE_MAP()
};

#endif
