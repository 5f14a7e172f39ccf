// The program's profile and its recent-file list. The profile is an ini
// file named after the program ("<program>.INI") in the Windows directory,
// read and written through the system's private-profile calls; the recent
// files are kept there under "Recent File List", keys "File1", "File2"...
#ifndef TAMREL_AFXPROFILE_H
#define TAMREL_AFXPROFILE_H

#include <windows.h>

#include <vector>

#include "afxstr.h"

class CRecentFileList {
public:
    // nStart: the number of the first key; lpszEntryFormat makes the key
    // names ("File%d"); nSize: how many names the list keeps.
    CRecentFileList(UINT nStart, const char* lpszSection, const char* lpszEntryFormat, int nSize);

    int GetSize() const { return m_nSize; }
    int GetCount() const { return static_cast<int>(m_names.size()); }
    const CString& operator[](int nIndex) const { return m_names[static_cast<size_t>(nIndex)]; }

    // Puts the name first; the same name (in any case) further down goes,
    // and the oldest falls off when the list is full.
    void Add(const char* lpszPathName);
    void Remove(int nIndex);

    // From and to the profile file lpszProfile (a bare name: the Windows
    // directory). Writing removes the keys of names no longer listed;
    // FALSE when a write failed.
    void ReadList(const char* lpszProfile);
    BOOL WriteList(const char* lpszProfile) const;

private:
    CString Key(int nIndex) const;

    UINT m_nStart;
    CString m_strSection;
    CString m_strEntryFormat;
    int m_nSize;
    std::vector<CString> m_names;
};

#endif
