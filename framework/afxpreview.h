// Print preview: a window that takes the place of a view in its frame and
// shows that view's pages as they would print. Each page is drawn by the
// view's own OnPrepareDC and OnPrint into a metafile made for the printer
// (so text is measured and laid out as on paper) and played back scaled to
// the screen. A bar of buttons along the frame's top (a control bar, in
// place of the frame's own bars while the preview lasts) pages through the
// document, shows one or two pages side by side, zooms, prints and closes.
#ifndef TAMREL_AFXPREVIEW_H
#define TAMREL_AFXPREVIEW_H

#include <map>
#include <vector>

#include "afxview.h"

class CPreviewView : public CView {
public:
    CPreviewView();
    virtual ~CPreviewView();

    // Takes the place of pPrintView (hidden meanwhile) in its frame. FALSE
    // when the view has nothing to preview or there is no printer; the
    // object is then the caller's to delete.
    BOOL Start(CView* pPrintView);
    // Gives the frame back to the view and destroys the preview.
    void Close();

    CView* GetPrintView() const { return m_pPrintView; }
    CPrintInfo* GetPrintInfo() const { return m_pInfo; }
    UINT GetCurrentPage() const { return m_nCurrentPage; }
    UINT GetPagesShown() const { return m_nPagesShown; }
    int GetZoom() const { return m_nZoom; }
    // The bar that holds the buttons (ids AFX_ID_PREVIEW_*) and the page text.
    CControlBar* GetBar() const { return m_pBar; }
    // Whether the view has page nPage; draws it to find out.
    BOOL PageExists(UINT nPage);
    // The recorded page (drawn now if it was not yet), or null.
    HENHMETAFILE GetPage(UINT nPage);

    virtual void OnDraw(CDC* pDC);
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    afx_msg void OnPreviewPrint();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnNumPage();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnPreviewClose();
    afx_msg void OnUpdateDisable(CCmdUI* pCmdUI);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHScroll(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseWheel(WPARAM wParam, LPARAM lParam);

    // Zoom levels: 0 shows whole pages, each level in enlarges once more.
    static const int kMaxZoom = 2;

protected:
    // The window owns the object once Start has made it.
    virtual void PostNcDestroy();

private:
    friend class CPreviewBar;
    void EndPreview();
    void UpdateControls();
    void LayOut();
    void Scroll(int bar, int code, int thumb);
    // Screen rectangles of the pages shown, in client coordinates.
    void PageRects(CRect* rects, UINT count) const;
    CSize ZoomedPageSize() const;

    CView* m_pPrintView;
    HWND m_hPrintView;
    CPrintInfo* m_pInfo;
    CDC m_dcPrint;   // the printer's; the pages' metafiles are made for it
    CPageRecorder* m_pRecorder;
    std::map<UINT, int> m_pages;   // page number to recorded index, -1 when the view has no such page
    BOOL m_bBegun;
    BOOL m_bEnded;
    BOOL m_bWindowOwned;

    UINT m_nCurrentPage;
    UINT m_nPagesShown;
    int m_nZoom;
    int m_nScrollX;
    int m_nScrollY;
    CControlBar* m_pBar;
    std::vector<HWND> m_hiddenBars;   // the frame's bars, shown again at the end

    DECLARE_MESSAGE_MAP()
};

#endif
