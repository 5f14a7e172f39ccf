#include "afxfile.h"

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE) {}

CFile::CFile(const char* lpszFileName, UINT nOpenFlags) : m_hFile(INVALID_HANDLE_VALUE)
{
    Open(lpszFileName, nOpenFlags);
}

CFile::~CFile()
{
    Close();
}

BOOL CFile::Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    Close();
    DWORD access = 0;
    switch (nOpenFlags & 3) {
    case modeRead:
        access = GENERIC_READ;
        break;
    case modeWrite:
        access = GENERIC_WRITE;
        break;
    default:
        access = GENERIC_READ | GENERIC_WRITE;
        break;
    }
    DWORD share = 0;
    switch (nOpenFlags & 0x70) {
    case shareCompat:
    case shareDenyNone:
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    case shareDenyWrite:
        share = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        share = FILE_SHARE_WRITE;
        break;
    default:
        share = 0;
        break;
    }
    DWORD disposition = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        disposition = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};
    m_hFile = CreateFileA(lpszFileName, access, share, &sa, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE) {
        if (pError)
            pError->m_lOsError = GetLastError();
        return FALSE;
    }
    m_strFileName = lpszFileName;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    DWORD read = 0;
    if (m_hFile == INVALID_HANDLE_VALUE || !ReadFile(m_hFile, lpBuf, nCount, &read, nullptr))
        return 0;
    return read;
}

BOOL CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return TRUE;
    DWORD written = 0;
    if (m_hFile == INVALID_HANDLE_VALUE || !WriteFile(m_hFile, lpBuf, nCount, &written, nullptr))
        return FALSE;
    return written == nCount;
}

LONG CFile::Seek(LONG lOff, UINT nFrom)
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return -1;
    return static_cast<LONG>(SetFilePointer(m_hFile, lOff, nullptr, nFrom));
}

DWORD CFile::GetLength() const
{
    return m_hFile == INVALID_HANDLE_VALUE ? 0 : GetFileSize(m_hFile, nullptr);
}

BOOL CFile::Flush()
{
    return m_hFile != INVALID_HANDLE_VALUE && FlushFileBuffers(m_hFile);
}

BOOL CFile::Close()
{
    BOOL closed = m_hFile == INVALID_HANDLE_VALUE || CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_strFileName.Empty();
    return closed;
}
