// CFormView: a view made from a dialog template, a child of its frame that
// fills the frame's client area, holding controls (lists, fields) instead
// of drawing. Its controls' notifications (list double-click, set focus)
// reach its message map and then its document's; members are filled from
// and read back into the controls by DoDataExchange, first at the initial
// update. Keys go to the frame's accelerators before the form's own dialog
// keys (Tab, arrows, Enter to the default button), so Enter, Delete or F5
// in a form's list run the frame's commands.
#ifndef TAMREL_AFXFORM_H
#define TAMREL_AFXFORM_H

#include "afxview.h"

class CFormView : public CView {
public:
    explicit CFormView(UINT nIDTemplate);
    explicit CFormView(const char* lpszTemplateName);

    // Makes the window from the template as a child of pParentWnd with id
    // nID in rect; the template's caption, frame and pop-up styles are
    // dropped. Joins the context's document as every view does.
    virtual BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);

    // Fills the controls from the members (UpdateData(FALSE)), then the
    // view's update.
    virtual void OnInitialUpdate();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // A form draws nothing itself: its controls do.
    virtual void OnDraw(CDC* pDC);

    afx_msg void OnPaint();

protected:
    const char* m_lpszTemplateName;

    DECLARE_MESSAGE_MAP()
};

#endif
