// The view's marks and its row band: Set Mark, Skip to Mark, Show all
// Marks, and the band of whole rows chosen with the mouse.
#include "zodoview.h"

#include "markdlg.h"
#include "marks.h"
#include "resource.h"
#include "viewrows.h"

zodo::RowMetrics ViewRowMetrics(const CZodoView& view)
{
    CRect client;
    view.GetClientRect(&client);
    zodo::RowMetrics metrics;
    metrics.rowHeight = view.m_tm.tmHeight;
    metrics.charWidth = view.m_tm.tmExternalLeading + view.m_tm.tmAveCharWidth;
    metrics.clientWidth = client.Width();
    return metrics;
}

std::function<int(const zodo::LineRecord*)> ViewDisplayLength(CZodoView& view)
{
    return [&view](const zodo::LineRecord* line) {
        view.RenderLine(line);
        return static_cast<int>(view.m_lineText.size());
    };
}

bool CZodoView::AskMark(const char* caption, int* index)
{
    CMarkDlg dlg(caption, this);
    if (dlg.DoModal() != IDOK)
        return false;
    *index = zodo::MarkIndex(dlg.m_letter);
    if (*index < 0) {
        AfxMessageBox("Marks must be in the range a-z");
        return false;
    }
    return true;
}

void CZodoView::OnSetMark()
{
    if (!m_pTopLine)
        return;
    // The band is read before the dialog opens: closing the dialog repaints
    // the view, and a repaint drops the band.
    zodo::LineRecord* line = m_pTopLine;
    if (!::IsRectEmpty(&m_selectionBand))
        line = zodo::LineAtBandTop(m_pTopLine, m_selectionBand.top, ViewRowMetrics(*this), ViewDisplayLength(*this));
    int index;
    if (AskMark("Set Mark", &index))
        m_marks[index] = line;
}

void CZodoView::OnSkipToMark()
{
    int index;
    if (AskMark("Skip to Mark", &index) && m_marks[index])
        JumpTo(m_marks[index]);
}

void CZodoView::OnShowMarks()
{
    CShowMarksDlg dlg(this);
    dlg.m_list = zodo::MarksText(m_marks).c_str();
    if (dlg.DoModal() == IDC_CLEAR_ALL)
        for (auto& mark : m_marks)
            mark = nullptr;
}

void CZodoView::OnLButtonDown(UINT, CPoint point)
{
    SetCapture();
    CClientDC dc(this);
    if (!::IsRectEmpty(&m_selectionBand))
        dc.InvertRect(&m_selectionBand);
    const int row = RowHeight();
    const int top = row * (point.y / row);
    ::SetRect(&m_selectionBand, 0, top, ClientWidth(), top + row);
    dc.InvertRect(&m_selectionBand);
}

void CZodoView::OnMouseMove(UINT nFlags, CPoint point)
{
    if (GetCapture() != this) {
        CView::OnMouseMove(nFlags, point);
        return;
    }
    // A repaint during the drag dropped the band; it is not grown again from
    // nothing.
    if (::IsRectEmpty(&m_selectionBand))
        return;
    const int row = RowHeight();
    int r = row * (point.y / row);
    CClientDC dc(this);
    if (r < m_selectionBand.top) {
        // Above the band: the row under the pointer joins it.
        if (r < 0)
            r = 0;
        RECT strip = {0, r, m_selectionBand.right, m_selectionBand.top};
        dc.InvertRect(&strip);
        m_selectionBand.top = r;
    } else if (r > m_selectionBand.bottom) {
        // Below: the band reaches down to the top of the row under the pointer.
        const int height = ClientHeight();
        if (r > height)
            r = height;
        RECT strip = {0, m_selectionBand.bottom, m_selectionBand.right, r};
        dc.InvertRect(&strip);
        m_selectionBand.bottom = r;
    }
}

void CZodoView::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (GetCapture() == this)
        ::ReleaseCapture();
    else
        CView::OnLButtonUp(nFlags, point);
}
