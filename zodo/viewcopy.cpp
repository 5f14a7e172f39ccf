// The view's line-range Copy: the dialog (preset from the row band), then
// the range's lines to the clipboard or to a file.
#include <cstring>

#include "copydlg.h"
#include "linecopy.h"
#include "resource.h"
#include "viewrows.h"
#include "zodoview.h"

namespace {

// The lines as the document holds them and as the view shows them.
zodo::CopySource CopySourceOf(CZodoView& view)
{
    const CZodoDoc* doc = view.GetDocument();
    zodo::CopySource source;
    source.rawLength = [doc](const zodo::LineRecord* line) { return doc->GetLineLength(doc->m_pText + line->offset); };
    source.bytes = [doc](const zodo::LineRecord* line) { return doc->m_pText + line->offset; };
    source.render = [&view](const zodo::LineRecord* line) -> const std::string& {
        view.RenderLine(line);
        return view.m_lineText;
    };
    return source;
}

}   // namespace

void CZodoView::OnEditCopy()
{
    CZodoDoc* doc = GetDocument();
    if (!m_pTopLine || !doc->m_pLastLine)
        return;
    CCopyDlg dlg(this);
    const RECT& band = m_selectionBand;
    if (band.left || band.top || band.right || band.bottom) {
        zodo::BandLines lines =
            zodo::LinesInBand(m_pTopLine, band.top, band.bottom, ViewRowMetrics(*this), ViewDisplayLength(*this));
        dlg.m_from.Format("%ld", lines.first->lineNumber);
        dlg.m_to.Format("%ld", lines.last->lineNumber);
    }
    dlg.m_copyTo = 0;
    dlg.m_using = 0;
    if (dlg.DoModal() != IDOK)
        return;

    zodo::RangeContext context;
    context.marks = m_marks;
    context.top = m_pTopLine;
    context.lastLine = doc->m_pLastLine->lineNumber;
    long first = 0, last = 0;
    zodo::RangeStatus status = zodo::ParseRange(dlg.m_from, dlg.m_to, context, &first, &last);
    if (status != zodo::RangeStatus::kOk) {
        AfxMessageBox(zodo::RangeMessage(status));
        return;
    }
    const zodo::LineRecord* from = doc->Index().Line(first);
    const zodo::LineRecord* to = doc->Index().Line(last);
    const int use = dlg.m_using == 1 ? 1 : 0;
    if (dlg.m_copyTo == 1)
        CopyLinesToFile(from, to, use);
    else
        CopyLinesToClipboard(from, to, use);
}

void CZodoView::CopyLinesToFile(const zodo::LineRecord* from, const zodo::LineRecord* to, int use)
{
    CFileDialog save(FALSE, nullptr, "*.*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr);
    if (save.DoModal() != IDOK)
        return;
    CString path = save.GetPathName();
    zodo::FileCopyStatus status;
    {
        CWaitCursor wait;
        status = zodo::CopyLinesToFile(path, from, to, static_cast<zodo::CopyUsing>(use), CopySourceOf(*this));
    }
    if (status != zodo::FileCopyStatus::kDone)
        AfxMessageBox(zodo::FileCopyMessage(status));
}

// The text goes in a movable block, unlocked before the clipboard takes it;
// a block the clipboard refuses is freed here.
void CZodoView::CopyLinesToClipboard(const zodo::LineRecord* from, const zodo::LineRecord* to, int use)
{
    if (!::OpenClipboard(m_hWnd)) {
        AfxMessageBox("Cannot open the Clipboard");
        return;
    }
    const char* failure = nullptr;
    {
        CWaitCursor wait;
        ::EmptyClipboard();
        std::string text;
        if (!zodo::GatherClipboardText(from, to, static_cast<zodo::CopyUsing>(use), CopySourceOf(*this), text)) {
            failure = "Copy action cannot be greater than 32k";
        } else if (HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
            if (char* p = static_cast<char*>(::GlobalLock(block))) {
                std::memcpy(p, text.c_str(), text.size() + 1);
                ::GlobalUnlock(block);
                if (!::SetClipboardData(CF_TEXT, block)) {
                    ::GlobalFree(block);
                    failure = "Copy to Clipboard fails";
                }
            } else {
                ::GlobalFree(block);
                failure = "Cannot lock global memory";
            }
        } else {
            failure = "Out of global memory";
        }
        ::CloseClipboard();
    }
    // Told once the clipboard is free again for other programs.
    if (failure)
        AfxMessageBox(failure);
}
