#include "ombrixview.h"

#include "outtext.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(COmbrixView, COutputView)

BEGIN_MESSAGE_MAP(COmbrixView, COutputView)
    ON_COMMAND(ID_VIEW_FILE, COutputView::OnViewFile)
    ON_COMMAND(ID_HELP_CONTENTS, COutputView::OnHelpContents)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

const CString& COmbrixView::GetOutputText() const
{
    return g_outputText;
}
