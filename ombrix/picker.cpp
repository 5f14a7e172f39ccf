#include "picker.h"

#include <cctype>
#include <direct.h>

void FillDirList(CListBox& list, bool withFiles)
{
    list.ResetContent();
    list.Dir(withFiles ? (DDL_DRIVES | DDL_DIRECTORY) : (DDL_EXCLUSIVE | DDL_DRIVES | DDL_DIRECTORY), "*.*");
}

void EnterDirListEntry(const CString& entry)
{
    if (entry.GetLength() < 2)
        return;
    CString name = entry.Mid(1, entry.GetLength() - 2);
    int letter = name.GetLength() == 3 ? std::tolower(static_cast<unsigned char>(name[1])) : 0;
    if (letter >= 'a' && letter <= 'z' && name[0] == '-' && name[2] == '-') {
        _chdrive(letter - 'a' + 1);
        return;
    }
    _chdir(name);
}

CString CurrentDirectory()
{
    char buffer[260] = "";
    if (!_getcwd(buffer, sizeof(buffer)))
        buffer[0] = 0;
    return buffer;
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

bool BrowseForFile(CWnd* parent, CString& target)
{
    CFileDialog dlg(TRUE, nullptr, "*.*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, parent);
    if (dlg.DoModal() != IDOK)
        return false;
    target = dlg.GetPathName();
    target.MakeLower();
    return true;
}
