// CFile: an unbuffered file through the system's handles.
#ifndef TAMREL_AFXFILE_H
#define TAMREL_AFXFILE_H

#include <windows.h>

#include "afxstr.h"

// Why Open failed, for callers that want to say more than "cannot".
struct CFileException {
    DWORD m_lOsError = 0;
};

class CFile {
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,       // make the file, emptying one that exists
        modeNoTruncate = 0x2000,   // with modeCreate: keep an existing file as it is
        typeText = 0x4000,         // accepted and ignored: bytes pass unchanged
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile();
    CFile(const char* lpszFileName, UINT nOpenFlags);   // check m_hFile for failure
    virtual ~CFile();

    virtual BOOL Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    virtual UINT Read(void* lpBuf, UINT nCount);
    // FALSE when not every byte was written (a full disk, a lost handle).
    virtual BOOL Write(const void* lpBuf, UINT nCount);
    virtual LONG Seek(LONG lOff, UINT nFrom);
    virtual DWORD GetLength() const;
    // FALSE when the system could not put the file's data on disk or close it.
    virtual BOOL Flush();
    virtual BOOL Close();
    CString GetFilePath() const { return m_strFileName; }

    HANDLE m_hFile;

private:
    CString m_strFileName;
};

#endif
