#include "trevakview.h"

#include "arcformat.h"
#include "resource.h"
#include "trevakdoc.h"

IMPLEMENT_DYNCREATE(CTrevakView, CFormView)

BEGIN_MESSAGE_MAP(CTrevakView, CFormView)
    ON_WM_SIZE()
    ON_COMMAND(ID_VERBOSE, OnVerbose)
    ON_UPDATE_COMMAND_UI(ID_VERBOSE, OnUpdateVerbose)
END_MESSAGE_MAP()

CTrevakView::CTrevakView() : CFormView(IDD_TREVAK_FORM), m_verbose(1) {}

CTrevakDoc* CTrevakView::GetDocument() const
{
    return static_cast<CTrevakDoc*>(m_pDocument);
}

void CTrevakView::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MEMBERS, m_members);
}

void CTrevakView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    FitList(FALSE);
    m_members.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), TRUE);
    m_members.ResetContent();
    if (!GetDocument()->m_archivePath.IsEmpty())
        GetDocument()->ReloadListing();
}

void CTrevakView::FitList(BOOL repaint)
{
    if (!m_members.m_hWnd)
        return;
    RECT rc;
    GetClientRect(&rc);
    m_members.MoveWindow(0, 0, rc.right, rc.bottom, repaint);
}

void CTrevakView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    if (nType == SIZE_RESTORED || nType == SIZE_MAXIMIZED || nType == SIZE_MAXSHOW)
        FitList(TRUE);
}

int CTrevakView::AddEntry(const std::string& name, const ArcStatus& st)
{
    std::string line = FormatMemberLine(name, st, m_verbose != 0);
    return m_members.AddString(line.c_str());
}

void CTrevakView::OnVerbose()
{
    m_verbose = !m_verbose;
    m_members.ResetContent();
    if (!GetDocument()->m_archivePath.IsEmpty())
        GetDocument()->ReloadListing();
}

void CTrevakView::OnUpdateVerbose(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(m_verbose != 0);
}
