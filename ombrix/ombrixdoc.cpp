#include "ombrixdoc.h"

#include <direct.h>

#include "csplitdlg.h"
#include "dispatch.h"
#include "dudlg.h"
#include "filetypedlg.h"
#include "ombrix.h"
#include "outtext.h"
#include "selectdlg.h"
#include "splitdlg.h"
#include "stringsdlg.h"
#include "taildlg.h"
#include "viewfile.h"
#include "wcdlg.h"

int g_utility = -1;

namespace {
enum Utility { kContextSplit, kDiskUsage, kFileType, kSplit, kStrings, kTail, kWordCount };

// Presets and runs the utility's dialog. TRUE when the user chose OK.
BOOL RunUtility(int utility, const CString& directory, const CString& argument)
{
    switch (utility) {
    case kContextSplit: {
        CCsplitDlg dlg;
        dlg.m_filename = argument;
        dlg.m_prefix = "xx";
        dlg.m_digits = 2;
        return dlg.DoModal() == IDOK;
    }
    case kDiskUsage: {
        CDuDlg dlg;
        dlg.m_directory = directory;
        dlg.m_units = 0;
        return dlg.DoModal() == IDOK;
    }
    case kFileType: {
        // The argument is not used: the files are all of the directory.
        CFileTypeDlg dlg;
        dlg.m_directory = directory;
        dlg.m_files = "*.*";
        dlg.m_debug = 0;
        return dlg.DoModal() == IDOK;
    }
    case kSplit: {
        CSplitDlg dlg;
        dlg.m_filename = argument;
        dlg.m_extension = "xaa";
        dlg.m_unitsPerFile = 1000;
        dlg.m_type = 0;
        dlg.m_units = 0;
        return dlg.DoModal() == IDOK;
    }
    case kStrings: {
        CStringsDlg dlg;
        dlg.m_directory = directory;
        dlg.m_files = argument;
        dlg.m_minLength = 4;
        dlg.m_offsets = 0;
        return dlg.DoModal() == IDOK;
    }
    case kTail: {
        CTailDlg dlg;
        dlg.m_directory = directory;
        dlg.m_files = argument;
        dlg.m_lines = 10;
        dlg.m_program = 1;
        dlg.m_skipLines = 0;
        return dlg.DoModal() == IDOK;
    }
    case kWordCount: {
        CWcDlg dlg;
        dlg.m_directory = directory;
        dlg.m_filenames = WcFilenamesPreset(argument);
        dlg.m_countLines = TRUE;
        dlg.m_countWords = TRUE;
        dlg.m_countBytes = TRUE;
        return dlg.DoModal() == IDOK;
    }
    default:
        return FALSE;
    }
}
}

IMPLEMENT_DYNCREATE(COmbrixDoc, CDocument)

BEGIN_MESSAGE_MAP(COmbrixDoc, CDocument)
    ON_COMMAND(ID_FILE_SWITCH_TO, OnSwitchTo)
    ON_COMMAND(ID_FILE_SAVE_OUTPUT, OnFileSaveAs)
END_MESSAGE_MAP()

BOOL COmbrixDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;

    if (g_utility == -1) {
        int utility = UtilityFromCommandLine(g_cmdLine);
        if (utility < 0) {
            CUtilitySelectDlg dlg;
            dlg.m_nUtility = 0;
            if (dlg.DoModal() != IDOK || dlg.m_nUtility < 0 || dlg.m_nUtility > 6)
                return FALSE;
            utility = dlg.m_nUtility;
        }
        g_utility = utility;
    }

    CString directory = CurrentDirectoryLower();
    g_cmdLine = ArgumentFromCommandLine(g_cmdLine);

    if (!RunUtility(g_utility, directory, g_cmdLine) || !g_utilityTable[g_utility].hasResults)
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

void COmbrixDoc::OnFileSaveAs()
{
    CFileDialog dlg(FALSE, nullptr, "*.*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr);
    if (dlg.DoModal() != IDOK)
        return;
    SaveOutputText(dlg.GetPathName(), g_outputText, g_outputText.GetLength());
}
