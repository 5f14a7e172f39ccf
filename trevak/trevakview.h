// The form view: one list box (1000) of the archive's members, line i the
// member of the (i+1)-th header, never sorted.
#ifndef TREVAK_TREVAKVIEW_H
#define TREVAK_TREVAKVIEW_H

#include "afxwin.h"
#include "afxform.h"

#include <string>

#include "arcfs.h"

class CTrevakDoc;

class CTrevakView : public CFormView {
    DECLARE_DYNCREATE(CTrevakView)
protected:
    CTrevakView();

public:
    CTrevakDoc* GetDocument() const;

    // Adds the member's line; the list box's index of it, or LB_ERRSPACE
    // when the list has no room.
    virtual int AddEntry(const std::string& name, const ArcStatus& st);

    virtual void OnInitialUpdate();
    virtual void DoDataExchange(CDataExchange* pDX);

    int m_verbose;
    CListBox m_members;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnVerbose();
    afx_msg void OnUpdateVerbose(CCmdUI* pCmdUI);

private:
    void FitList(BOOL repaint);

    DECLARE_MESSAGE_MAP()
};

#endif
