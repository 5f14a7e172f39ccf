#include "diffview.h"

#include "diffdoc.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CDiffView, COutputView)

BEGIN_MESSAGE_MAP(CDiffView, COutputView)
    ON_COMMAND(ID_VIEW_FILE, COutputView::OnViewFile)
    ON_COMMAND(ID_HELP_CONTENTS, COutputView::OnHelpContents)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

const CString& CDiffView::GetOutputText() const
{
    return static_cast<CDiffDoc*>(m_pDocument)->m_result;
}
