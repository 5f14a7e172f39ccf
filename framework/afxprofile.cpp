#include "afxwin.h"

#include <cstdio>

CRecentFileList::CRecentFileList(UINT nStart, const char* lpszSection, const char* lpszEntryFormat, int nSize)
    : m_nStart(nStart), m_strSection(lpszSection), m_strEntryFormat(lpszEntryFormat), m_nSize(nSize > 0 ? nSize : 0)
{
}

void CRecentFileList::Add(const char* lpszPathName)
{
    if (!lpszPathName || !*lpszPathName || m_nSize == 0)
        return;
    for (size_t i = 0; i < m_names.size(); ++i) {
        if (lstrcmpiA(m_names[i], lpszPathName) == 0) {
            m_names.erase(m_names.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    m_names.insert(m_names.begin(), CString(lpszPathName));
    if (m_names.size() > static_cast<size_t>(m_nSize))
        m_names.resize(static_cast<size_t>(m_nSize));
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex >= 0 && nIndex < GetCount())
        m_names.erase(m_names.begin() + nIndex);
}

CString CRecentFileList::Key(int nIndex) const
{
    char key[64];
    std::snprintf(key, sizeof(key), m_strEntryFormat, static_cast<int>(m_nStart) + nIndex);
    return key;
}

void CRecentFileList::ReadList(const char* lpszProfile)
{
    m_names.clear();
    for (int i = 0; i < m_nSize; ++i) {
        char value[MAX_PATH + 1] = "";
        GetPrivateProfileStringA(m_strSection, Key(i), "", value, sizeof(value), lpszProfile);
        if (value[0])
            m_names.push_back(value);
    }
}

BOOL CRecentFileList::WriteList(const char* lpszProfile) const
{
    BOOL ok = TRUE;
    for (int i = 0; i < m_nSize; ++i) {
        const char* value = i < GetCount() ? static_cast<const char*>(m_names[static_cast<size_t>(i)]) : nullptr;
        // A key without a name is removed, so no stale name comes back.
        if (!WritePrivateProfileStringA(m_strSection, Key(i), value, lpszProfile) && value)
            ok = FALSE;
    }
    return ok;
}
