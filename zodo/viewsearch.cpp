// The view's search commands and Help Contents.
#include "regex.h"
#include "resource.h"
#include "search.h"
#include "searchdlg.h"
#include "settings.h"
#include "toolapp.h"
#include "zodoview.h"

namespace {

// The last search, for every window of the program; Repeat uses it again.
zodo::SearchOptions g_lastSearch;

}   // namespace

void CZodoView::Search(BOOL bForward, BOOL bRepeat)
{
    zodo::LineRecord* first = zodo::SearchStartLine(m_pTopLine, bForward != 0);
    if (!first) {
        AfxMessageBox(bForward ? "At end-of-file" : "At start-of-file");
        return;
    }
    if (g_lastSearch.expression.empty() || !bRepeat) {
        CSearchDlg dlg(this);
        dlg.m_expression = g_lastSearch.expression.c_str();
        dlg.m_anchorStart = g_lastSearch.anchorStart;
        dlg.m_anchorEnd = g_lastSearch.anchorEnd;
        dlg.m_ignoreCase = g_lastSearch.ignoreCase;
        dlg.m_using = g_lastSearch.renderedText ? 1 : 0;
        if (dlg.DoModal() != IDOK)
            return;
        g_lastSearch.expression = static_cast<const char*>(dlg.m_expression);
        g_lastSearch.anchorStart = dlg.m_anchorStart != 0;
        g_lastSearch.anchorEnd = dlg.m_anchorEnd != 0;
        g_lastSearch.ignoreCase = dlg.m_ignoreCase != 0;
        g_lastSearch.renderedText = dlg.m_using == 1;
    }

    zodo::RenderOptions render;
    render.lineNumbers = m_bLineNumbers != 0;
    render.hexadecimal = m_bHexadecimal != 0;
    render.tabLength = g_tabLength;
    zodo::LineRecord* found = nullptr;
    BeginWaitCursor();
    zodo::SearchOutcome outcome =
        zodo::SearchLines(GetDocument()->Index(), first, bForward != 0, g_lastSearch, render, &found);
    EndWaitCursor();
    if (outcome == zodo::SearchOutcome::InvalidPattern) {
        AfxMessageBox("Invalid search pattern\n\nConsult help");
        return;
    }
    if (!found) {
        AfxMessageBox("Search string not found");
        return;
    }
    JumpTo(found);
}

void CZodoView::OnSearchForward()
{
    g_searchForward = 1;
    Search(TRUE, FALSE);
}

void CZodoView::OnSearchBackward()
{
    g_searchForward = 0;
    Search(FALSE, FALSE);
}

void CZodoView::OnRepeatSearch()
{
    Search(g_searchForward, TRUE);
}

void CZodoView::OnHelpContents()
{
    ShowHelpContents(this);
}
