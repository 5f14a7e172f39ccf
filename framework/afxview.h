// Views: the child window in a frame's client area that shows a document.
// CEditView is a multi-line edit control; the edit paints and selects by
// itself, the view adds the document link and the Copy command.
#ifndef TAMREL_AFXVIEW_H
#define TAMREL_AFXVIEW_H

#include "afxctl.h"
#include "afxdoc.h"

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

    // The view's own map first, then its document's.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

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

    afx_msg void OnPaint();
    afx_msg void OnEditCopy();
    afx_msg void OnUpdateNeedSel(CCmdUI* pCmdUI);

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual void PostNcDestroy();

private:
    mutable CEdit m_edit;   // shares m_hWnd; never bound, so it never owns the window
    HFONT m_hPrinterFont;

    DECLARE_MESSAGE_MAP()
};

#endif
