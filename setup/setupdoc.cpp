#include "setupdoc.h"

#include "install.h"
#include "setupdlg.h"
#include "winstore.h"

IMPLEMENT_DYNCREATE(CSetupDoc, CDocument)

namespace {

// setup's own directory: its help file sits beside the program.
std::string OwnDirectory()
{
    std::string path = AfxGetApp()->m_pszHelpFilePath ? AfxGetApp()->m_pszHelpFilePath : "";
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}   // namespace

BOOL CSetupDoc::OnNewDocument()
{
    CSetupDlg dlg;
    if (!CDocument::OnNewDocument())
        return FALSE;

    WindowsSetupStore store;
    SetupChoices preset = ReadSetupChoices(store, OwnDirectory());
    dlg.m_directory = preset.directory.c_str();
    dlg.m_editor = preset.editor.c_str();
    dlg.m_shellCommand = preset.shell.c_str();
    dlg.m_gzip = preset.gzip.c_str();
    dlg.m_addToFileManager = preset.addToFileManager;
    dlg.m_addToExplorer = preset.addToExplorer;
    dlg.m_setViewer = preset.setViewer;
    dlg.m_setPrinter = preset.setPrinter;
    dlg.m_uninstall = FALSE;

    if (dlg.DoModal() != IDOK)
        return FALSE;
    if (dlg.m_uninstall) {
        Uninstall(dlg.m_directory);
        return FALSE;
    }

    // The presets go along, so that a field left as a cut preset writes
    // nothing.
    SetupChoices choices = preset;
    choices.directory = static_cast<const char*>(dlg.m_directory);
    choices.editor = static_cast<const char*>(dlg.m_editor);
    choices.shell = static_cast<const char*>(dlg.m_shellCommand);
    choices.gzip = static_cast<const char*>(dlg.m_gzip);
    choices.addToFileManager = dlg.m_addToFileManager != FALSE;
    choices.addToExplorer = dlg.m_addToExplorer != FALSE;
    choices.setViewer = dlg.m_setViewer != FALSE;
    choices.setPrinter = dlg.m_setPrinter != FALSE;
    AfxMessageBox(::Install(store, choices).message.c_str());
    return FALSE;
}

void CSetupDoc::Uninstall(const CString& directory)
{
    WindowsSetupStore store;
    AfxMessageBox(::Uninstall(store, static_cast<const char*>(directory)).message.c_str());
}
