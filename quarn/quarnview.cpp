#include "quarnview.h"

#include "quarndoc.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CQuarnView, COutputView)

BEGIN_MESSAGE_MAP(CQuarnView, COutputView)
    ON_COMMAND(ID_VIEW_FILE, COutputView::OnViewFile)
    ON_COMMAND(ID_HELP_CONTENTS, COutputView::OnHelpContents)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

const CString& CQuarnView::GetOutputText() const
{
    return static_cast<CQuarnDoc*>(m_pDocument)->m_resultText;
}
