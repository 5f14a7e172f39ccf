#include "picker.h"

#include <cctype>
#include <direct.h>
#include <vector>

void FillDirList(CListBox& list, bool withFiles)
{
    list.ResetContent();
    list.Dir(withFiles ? (DDL_DRIVES | DDL_DIRECTORY) : (DDL_EXCLUSIVE | DDL_DRIVES | DDL_DIRECTORY), "*.*");
}

namespace {

int LowerLetter(char c)
{
    return std::tolower(static_cast<unsigned char>(c));
}

}   // namespace

// A drive is listed as "[-x-]". Only that exact shape with a letter is a
// drive: a directory whose name starts with '-' ("[-old]") is a directory.
void EnterDirListEntry(const CString& entry)
{
    if (entry.GetLength() < 2)
        return;
    CString name = entry.Mid(1, entry.GetLength() - 2);
    int letter = name.GetLength() == 3 ? LowerLetter(name[1]) : 0;
    if (letter >= 'a' && letter <= 'z' && name[0] == '-' && name[2] == '-') {
        _chdrive(letter - 'a' + 1);
        return;
    }
    _chdir(name);
}

CString CurrentDirectory(int bufferSize)
{
    std::vector<char> buffer(bufferSize > 0 ? bufferSize : 1, 0);
    if (!_getcwd(buffer.data(), static_cast<int>(buffer.size())))
        buffer[0] = 0;
    return buffer.data();
}

void PickFileListEntry(const CString& entry, CString& files)
{
    if (entry.IsEmpty())
        return;
    if (entry[0] == '[') {
        EnterDirListEntry(entry);
        files.Empty();
        return;
    }
    if (!files.IsEmpty())
        files += " ";
    files += entry;
}

void OnDirListDoubleClick(CDialog& dialog, CListBox& list, const DirListStyle& style, CString& directory,
                          CString* files)
{
    dialog.UpdateData(TRUE);
    int selected = list.GetCurSel();
    if (selected < 0)
        return;
    CString entry;
    list.GetText(selected, entry);
    if (style.withFiles && files)
        PickFileListEntry(entry, *files);
    else
        EnterDirListEntry(entry);
    directory = CurrentDirectory();
    if (style.lowerCase)
        directory.MakeLower();
    FillDirList(list, style.withFiles);
    dialog.UpdateData(FALSE);
}

bool BrowseForFile(CWnd* parent, CString& target)
{
    CFileDialog dlg(TRUE, nullptr, "*.*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, parent);
    if (dlg.DoModal() != IDOK)
        return false;
    target = dlg.GetPathName();
    target.MakeLower();
    return true;
}

void BrowseIntoField(CDialog& dialog, CString& field)
{
    CString path;
    if (!BrowseForFile(&dialog, path))
        return;
    dialog.UpdateData(TRUE);
    field = path;
    dialog.UpdateData(FALSE);
}
