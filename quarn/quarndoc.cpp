#include "quarndoc.h"

#include <direct.h>

#include "quarndlg.h"
#include "toolapp.h"

IMPLEMENT_DYNCREATE(CQuarnDoc, COutputDoc)

BOOL CQuarnDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    ResetResults();

    CQuarnDlg dlg;
    char current[512];
    if (!_getcwd(current, sizeof current))
        current[0] = 0;
    dlg.m_directory = current;
    dlg.m_fileMasks = MaskPreset(g_cmdLine);
    if (dlg.DoModal() != IDOK)
        return FALSE;

    // The directory list may have moved the current directory; the search
    // starts wherever it is now.
    CString directory = CurrentDirectoryLower();
    SetTitle(directory);

    m_fileMasks = dlg.m_fileMasks;
    m_patternsText = dlg.m_patternsText;
    m_ignoreCase = dlg.m_ignoreCase;
    m_lineNumbers = dlg.m_lineNumbers;
    m_descend = dlg.m_descend;
    m_unmatched = dlg.m_unmatched;
    m_directory = dlg.m_directory;

    SplitPatterns();

    BeginWaitCursor();
    int result = RunSearch(directory);
    EndWaitCursor();
    return result ? TRUE : FALSE;
}

const CString& CQuarnDoc::GetOutputText() const
{
    return m_resultText;
}
