#include "quarndoc.h"

#include <direct.h>

#include "quarn.h"
#include "quarndlg.h"
#include "viewfile.h"

IMPLEMENT_DYNCREATE(CQuarnDoc, CDocument)

BEGIN_MESSAGE_MAP(CQuarnDoc, CDocument)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

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

void CQuarnDoc::OnFileSaveAs()
{
    CFileDialog dlg(FALSE, nullptr, "quarn.out", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr);
    if (dlg.DoModal() != IDOK)
        return;
    SaveOutputText(dlg.GetPathName(), m_resultText, m_resultText.GetLength());
}
