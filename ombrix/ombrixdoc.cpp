#include "ombrixdoc.h"

#include <direct.h>

#include "csplitdlg.h"
#include "dispatch.h"
#include "dudlg.h"
#include "filetypedlg.h"
#include "outtext.h"
#include "resource.h"
#include "selectdlg.h"
#include "splitdlg.h"
#include "stringsdlg.h"
#include "taildlg.h"
#include "toolapp.h"
#include "wcdlg.h"

int g_utility = -1;

namespace {
// Presets and runs the utility's dialog. TRUE when the user chose OK.
BOOL RunUtility(Utility utility, const CString& directory, const CString& argument)
{
    switch (utility) {
    case kUtilityCsplit: {
        CCsplitDlg dlg;
        dlg.m_filename = argument;
        dlg.m_prefix = "xx";
        dlg.m_digits = 2;
        return dlg.DoModal() == IDOK;
    }
    case kUtilityDu: {
        CDuDlg dlg;
        dlg.m_directory = directory;
        dlg.m_units = 0;
        return dlg.DoModal() == IDOK;
    }
    case kUtilityFile: {
        // The argument is not used: the files are all of the directory.
        CFileTypeDlg dlg;
        dlg.m_directory = directory;
        dlg.m_files = "*.*";
        dlg.m_debug = 0;
        return dlg.DoModal() == IDOK;
    }
    case kUtilitySplit: {
        CSplitDlg dlg;
        dlg.m_filename = argument;
        dlg.m_extension = "xaa";
        dlg.m_unitsPerFile = 1000;
        dlg.m_type = 0;
        dlg.m_units = 0;
        return dlg.DoModal() == IDOK;
    }
    case kUtilityStrings: {
        CStringsDlg dlg;
        dlg.m_directory = directory;
        dlg.m_files = argument;
        dlg.m_minLength = 4;
        dlg.m_offsets = 0;
        return dlg.DoModal() == IDOK;
    }
    case kUtilityTail: {
        CTailDlg dlg;
        dlg.m_directory = directory;
        dlg.m_files = argument;
        dlg.m_lines = 10;
        dlg.m_program = 1;
        dlg.m_skipLines = 0;
        return dlg.DoModal() == IDOK;
    }
    case kUtilityWc: {
        CWcDlg dlg;
        dlg.m_directory = directory;
        dlg.m_filenames = WcFilenamesPreset(argument);
        dlg.m_countLines = TRUE;
        dlg.m_countWords = TRUE;
        dlg.m_countBytes = TRUE;
        return dlg.DoModal() == IDOK;
    }
    case kUtilityCount:
        break;
    }
    return FALSE;
}
}

IMPLEMENT_DYNCREATE(COmbrixDoc, COutputDoc)

BEGIN_MESSAGE_MAP(COmbrixDoc, COutputDoc)
    ON_COMMAND(ID_FILE_SWITCH_TO, OnSwitchTo)
END_MESSAGE_MAP()

BOOL COmbrixDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;

    if (g_utility == -1) {
        int utility = UtilityFromCommandLine(g_cmdLine);
        if (utility < 0) {
            CUtilitySelectDlg dlg;
            dlg.m_nUtility = kUtilityCsplit;
            if (dlg.DoModal() != IDOK || dlg.m_nUtility < 0 || dlg.m_nUtility >= kUtilityCount)
                return FALSE;
            utility = dlg.m_nUtility;
        }
        g_utility = utility;
    }

    CString directory = CurrentDirectoryLower();
    g_cmdLine = ArgumentFromCommandLine(g_cmdLine);

    Utility utility = static_cast<Utility>(g_utility);
    if (!RunUtility(utility, directory, g_cmdLine) || !g_utilityTable[utility].hasResults)
        return FALSE;

    // The title shows where the run ended up, after any change of directory
    // in the dialog, in the case the system gives.
    char current[260] = "";
    if (!_getcwd(current, sizeof(current)))
        current[0] = 0;
    SetTitle(current);
    g_cmdLine.Empty();
    return TRUE;
}

void COmbrixDoc::OnSwitchTo()
{
    g_utility = -1;
    AfxGetMainWnd()->PostMessage(WM_COMMAND, ID_FILE_NEW, 0);
}

const CString& COmbrixDoc::GetOutputText() const
{
    return g_outputText;
}
