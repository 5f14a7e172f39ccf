// The Options commands of the pager's view (fonts, colour, tabs, margin,
// saving them to the profile) and the editor launch.
#include <string>
#include <vector>

#include "fileout.h"
#include "optionsdlg.h"
#include "options.h"
#include "resource.h"
#include "settings.h"
#include "zodoview.h"

namespace {

// Height and width of a font description moved from the units of one
// device to those of another; MulDiv rounds to the nearest integer.
void ScaleLogFont(LOGFONTA* font, CDC* source, CDC* target)
{
    font->lfHeight = ::MulDiv(font->lfHeight, target->GetDeviceCaps(LOGPIXELSY), source->GetDeviceCaps(LOGPIXELSY));
    font->lfWidth = ::MulDiv(font->lfWidth, target->GetDeviceCaps(LOGPIXELSX), source->GetDeviceCaps(LOGPIXELSX));
}

// Makes the new font before letting the old one go, so that a description
// the system cannot make leaves the font in use as it was.
bool ReplaceFont(CFont& font, const LOGFONTA& description)
{
    HFONT made = ::CreateFontIndirectA(&description);
    if (!made)
        return false;
    return font.Attach(made) != FALSE;
}

// The font a description came out as on a device: its real face, cell
// height less internal leading (a negative height, as the font dialog reads
// it), weight, slant and character set, the rest kept. A face the system
// had to replace would open the font dialog on no face at all.
void DescribeFontInUse(CFont& font, CDC* dc, LOGFONTA* description)
{
    HGDIOBJ previous = ::SelectObject(dc->m_hDC, font.m_hObject);
    if (!previous)
        return;
    char face[LF_FACESIZE] = "";
    TEXTMETRICA metrics;
    if (::GetTextFaceA(dc->m_hDC, LF_FACESIZE, face) > 0 && ::GetTextMetricsA(dc->m_hDC, &metrics)) {
        lstrcpynA(description->lfFaceName, face, LF_FACESIZE);
        description->lfHeight = -(metrics.tmHeight - metrics.tmInternalLeading);
        description->lfWidth = 0;
        description->lfWeight = metrics.tmWeight;
        description->lfItalic = metrics.tmItalic;
        description->lfCharSet = metrics.tmCharSet;
    }
    ::SelectObject(dc->m_hDC, previous);
}

std::string ProfilePath()
{
    char dir[MAX_PATH];
    UINT n = ::GetWindowsDirectoryA(dir, MAX_PATH);
    std::string path(dir, n < MAX_PATH ? n : 0);
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path + AfxGetApp()->m_pszProfileName;
}

// Writes the entries into a copy of the profile beside it and puts the copy
// in the profile's place in one step, so the profile is never left half
// written. FALSE, with the profile as it was, when any step fails.
bool ReplaceProfileEntries(const std::string& profile, const std::vector<zodo::ProfileEntry>& entries)
{
    char temp[MAX_PATH];
    FILE* made = CreateReplacement(profile.c_str(), temp);
    if (!made)
        return false;
    bool ok = CloseStream(made);
    if (ok && ::GetFileAttributesA(profile.c_str()) != INVALID_FILE_ATTRIBUTES)
        ok = ::CopyFileA(profile.c_str(), temp, FALSE) != FALSE;
    // A read-only profile would come back writable from its copy.
    if (ok)
        ok = ::SetFileAttributesA(temp, FILE_ATTRIBUTE_NORMAL) != FALSE;
    for (size_t i = 0; ok && i < entries.size(); ++i)
        ok = ::WritePrivateProfileStringA(
                 entries[i].section.c_str(), entries[i].key.c_str(), entries[i].value.c_str(), temp) != FALSE;
    if (ok)
        ok = ReplaceWithFile(temp, profile.c_str());
    if (!ok)
        ::DeleteFileA(temp);
    return ok;
}

}   // namespace

void CZodoView::OnSetFont()
{
    LOGFONTA chosen = g_displayFont;
    if (m_displayFont.m_hObject) {
        CDC screenDC;
        screenDC.m_hDC = ::GetDC(nullptr);
        DescribeFontInUse(m_displayFont, &screenDC, &chosen);
        ::ReleaseDC(nullptr, screenDC.m_hDC);
        screenDC.m_hDC = nullptr;
    }
    CFontDialog dlg(&chosen, CF_SCREENFONTS | CF_EFFECTS, nullptr, this);
    if (g_textColor != 0)
        dlg.m_cf.rgbColors = g_textColor;
    if (dlg.DoModal() != IDOK)
        return;
    dlg.GetCurrentFont(&chosen);
    if (ReplaceFont(m_displayFont, chosen)) {
        g_displayFont = chosen;
        TakeDisplayMetrics();
    }
    g_textColor = dlg.GetColor();
    ::SetRectEmpty(&m_selectionBand);
    Invalidate(TRUE);
}

void CZodoView::OnSetPrinterFont()
{
    LOGFONTA chosen = g_printerFont;
    CPrintDialog printer(FALSE);
    if (!AfxGetApp()->GetPrinterDeviceDefaults(&printer.m_pd)) {
        AfxMessageBox("cant get printer device defaults");
        return;
    }
    // The dialog object deletes this context when it goes.
    HDC printerHandle = printer.CreatePrinterDC();
    if (!printerHandle) {
        AfxMessageBox("cant get printer DC");
        return;
    }
    // Wrappers that do not own their contexts.
    CDC printerDC;
    printerDC.m_hDC = printerHandle;
    CDC screenDC;
    screenDC.m_hDC = ::GetDC(nullptr);
    if (m_printerFont.m_hObject)
        DescribeFontInUse(m_printerFont, &printerDC, &chosen);
    ScaleLogFont(&chosen, &printerDC, &screenDC);
    CFontDialog dlg(&chosen, CF_PRINTERFONTS, &printerDC, this);
    if (dlg.DoModal() == IDOK) {
        dlg.GetCurrentFont(&chosen);
        ScaleLogFont(&chosen, &screenDC, &printerDC);
        if (ReplaceFont(m_printerFont, chosen))
            g_printerFont = chosen;
        else
            AfxMessageBox("cant create printer font");
    }
    // Neither context is the wrappers' to delete: the screen's is released,
    // the printer's goes with the print dialog object.
    ::ReleaseDC(nullptr, screenDC.m_hDC);
    screenDC.m_hDC = nullptr;
    printerDC.m_hDC = nullptr;
}

void CZodoView::OnSetTabs()
{
    CSetTabsDlg dlg(this);
    dlg.m_tabLength = g_tabLength;
    if (dlg.DoModal() != IDOK)
        return;
    g_tabLength = dlg.m_tabLength;
    ::SetRectEmpty(&m_selectionBand);
    Invalidate(TRUE);
}

void CZodoView::OnSetPrinterMargin()
{
    CPrinterMarginDlg dlg(this);
    dlg.m_margin = g_printMargin;
    if (dlg.DoModal() != IDOK)
        return;
    g_printMargin = dlg.m_margin;
}

void CZodoView::OnSaveOptions()
{
    CWaitCursor wait;
    CRect frame;
    AfxGetMainWnd()->GetWindowRect(&frame);
    zodo::WindowPosition position;
    position.left = frame.left;
    position.top = frame.top;
    position.right = frame.right;
    position.bottom = frame.bottom;
    const std::string profile = ProfilePath();
    if (!ReplaceProfileEntries(profile, zodo::OptionsEntries(CurrentDisplaySettings(), position))) {
        std::string message = "cant write " + profile;
        AfxMessageBox(message.c_str());
    }
}

void CZodoView::OnInvokeEditor()
{
    CRunCommandDlg dlg(this);
    dlg.m_commandName = g_editorCommand;
    dlg.m_arguments = GetDocument()->m_strPath;
    if (dlg.DoModal() != IDOK)
        return;
    std::string line =
        zodo::EditorCommandLine(static_cast<const char*>(dlg.m_commandName), static_cast<const char*>(dlg.m_arguments));
    if (::WinExec(line.c_str(), SW_SHOW) < 32)
        AfxMessageBox("Error: WinExec failed");
}

void CZodoView::OnSetEditor()
{
    CSetEditorDlg dlg(this);
    dlg.m_programName = g_editorCommand;
    if (dlg.DoModal() != IDOK)
        return;
    zodo::FitText(g_editorCommand, sizeof g_editorCommand, static_cast<const char*>(dlg.m_programName));
}
