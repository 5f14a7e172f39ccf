#include "diffdoc.h"

#include <sys/stat.h>

#include "cmdline.h"
#include "comparedlg.h"
#include "dircmp.h"
#include "linediff.h"
#include "toolapp.h"

IMPLEMENT_DYNCREATE(CDiffDoc, COutputDoc)

namespace {
// Examines name as the byte comparison needs it; false after "cant access".
bool StatName(const CString& name, bool* isDirectory)
{
    struct _stat64 status;
    if (_stat64(name, &status) != 0) {
        CString message("cant access ");
        message += name;
        AfxMessageBox(message);
        return false;
    }
    *isDirectory = (status.st_mode & _S_IFDIR) != 0;
    return true;
}
}

CDiffDoc::CDiffDoc() {}

BOOL CDiffDoc::OnNewDocument()
{
    CCompareDlg dlg;
    if (!CDocument::OnNewDocument())
        return FALSE;

    DiffPreset preset = PresetFromCommandLine(g_cmdLine);
    dlg.m_type = preset.type;
    dlg.m_file1 = preset.file1;
    if (dlg.DoModal() != IDOK)
        return FALSE;

    m_result.Empty();
    if (dlg.m_type == kCompareText) {
        g_cmdLine = "-u";
        SetTitle("diff");
        DiffOptions options;
        options.ignoreWhiteSpace = dlg.m_ignoreWhiteSpace != FALSE;
        options.ignoreCase = dlg.m_ignoreCase != FALSE;
        BeginWaitCursor();
        m_result = DiffFiles(dlg.m_file1, dlg.m_file2, options);
        EndWaitCursor();
        return !m_result.IsEmpty();
    }

    g_cmdLine = "-c";
    SetTitle("cmp");
    bool directory1 = false, directory2 = false;
    if (!StatName(dlg.m_file1, &directory1) || !StatName(dlg.m_file2, &directory2))
        return FALSE;
    BeginWaitCursor();
    BOOL ok = directory1 && directory2 ? CompareDirectories(dlg.m_file1, dlg.m_file2)
                                       : CompareFiles(dlg.m_file1, dlg.m_file2);
    EndWaitCursor();
    return ok;
}

BOOL CDiffDoc::CompareFiles(const char* name0, const char* name1)
{
    return CompareFilesInto(m_result, name0, name1);
}

BOOL CDiffDoc::CompareDirectories(const char* dir0, const char* dir1)
{
    return CompareDirectoriesInto(m_result, dir0, dir1);
}

const CString& CDiffDoc::GetOutputText() const
{
    return m_result;
}
