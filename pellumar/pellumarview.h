// The shell's window: a form with the long listing under its header, or the
// short multi-column list, of the current directory; the View commands,
// Copy all, the pop-up menu, running the selected entry and the manuals.
#ifndef PELLUMAR_PELLUMARVIEW_H
#define PELLUMAR_PELLUMARVIEW_H

#include "afxwin.h"
#include "pellumardoc.h"
#include "resource.h"

class CPellumarView : public CFormView {
    DECLARE_DYNCREATE(CPellumarView)
protected:
    CPellumarView();

public:
    virtual ~CPellumarView();
    CPellumarDoc* GetDocument() const { return static_cast<CPellumarDoc*>(m_pDocument); }

    CHeaderCtrl m_header;
    LOGFONT m_fixedFont;
    HANDLE m_changeHandle;
    CString m_watchDir;
    int m_showMode;
    int m_sortKey;
    CString m_pattern;
    int m_forceRunDialog;
    int m_longListing;
    CListBox m_shortList;
    CListBox m_longList;

    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    // Fills both lists from m_pattern in the current directory and watches
    // the directory shown.
    virtual void ListDirectory();

    // The long-list line of the selected entry (in short mode the short
    // entry's line); FALSE when the list shown has no selection.
    BOOL GetSelectedLine(CString& line) const;
    void RunSelectedEntry();

    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnListSetFocus();
    afx_msg void OnShortListSetFocus();
    afx_msg void OnShortListDblClk();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnViewShowAll();
    afx_msg void OnViewShowDirs();
    afx_msg void OnViewShowFiles();
    afx_msg void OnViewSortByName();
    afx_msg void OnViewSortBySize();
    afx_msg void OnViewSortByTime();
    afx_msg void OnViewLongListing();
    afx_msg void OnViewPattern();
    afx_msg void OnUpdateViewShowAll(CCmdUI* pCmdUI);
    afx_msg void OnUpdateViewShowDirs(CCmdUI* pCmdUI);
    afx_msg void OnUpdateViewShowFiles(CCmdUI* pCmdUI);
    afx_msg void OnUpdateViewSortByName(CCmdUI* pCmdUI);
    afx_msg void OnUpdateViewSortBySize(CCmdUI* pCmdUI);
    afx_msg void OnUpdateViewSortByTime(CCmdUI* pCmdUI);
    afx_msg void OnUpdateViewLongListing(CCmdUI* pCmdUI);
    afx_msg void OnEditCopyAll();
    afx_msg void OnHelpContents();

private:
    void Layout(int width, int height);
    void SetColumnWidths(int width);
    void PopupMenuAt(int x, int y);
    void RefreshIfChanged();
    DECLARE_MESSAGE_MAP()
};

#endif
