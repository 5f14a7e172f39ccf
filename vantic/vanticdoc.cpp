#include "vanticdoc.h"

#include <direct.h>

#include "engine.h"
#include "toolapp.h"
#include "vanticdlg.h"

IMPLEMENT_DYNCREATE(CVanticDoc, CDocument)

BOOL CVanticDoc::OnNewDocument()
{
    CVanticDlg dlg;
    if (!CDocument::OnNewDocument())
        return FALSE;

    char current[260] = "";
    if (!_getcwd(current, sizeof current))
        current[0] = 0;
    dlg.m_currentDir = current;
    dlg.m_currentDir.MakeLower();

    g_cmdLine = InputPresetFromCommandLine(g_cmdLine);
    dlg.m_inputFiles = g_cmdLine;

    dlg.DoModal();
    return FALSE;
}
