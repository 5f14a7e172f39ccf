#include "zododoc.h"

#include "names.h"

IMPLEMENT_DYNCREATE(CZodoDoc, CDocument)

BEGIN_MESSAGE_MAP(CZodoDoc, CDocument)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CZodoDoc::CZodoDoc() : m_pFirstLine(nullptr), m_pLastLine(nullptr), m_pText(nullptr), m_lTextSize(0) {}

CZodoDoc::~CZodoDoc() {}

BOOL CZodoDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}

BOOL CZodoDoc::OnOpenDocument(const char* lpszPathName)
{
    m_strPath += LowerName(lpszPathName).c_str();
    SetTitle(m_strPath);

    zodo::LoadStatus status;
    {
        CWaitCursor wait;
        status = m_index.Load(lpszPathName);
    }
    switch (status) {
    case zodo::LoadStatus::Loaded:
        break;
    case zodo::LoadStatus::CantOpen: {
        CString message;
        message.Format("cant open %s", lpszPathName);
        AfxMessageBox(message);
        return FALSE;
    }
    case zodo::LoadStatus::ZeroLength:
        AfxMessageBox("Zero length file!");
        return FALSE;
    case zodo::LoadStatus::OutOfMemory:
        AfxMessageBox("Out of memory");
        return FALSE;
    case zodo::LoadStatus::CantLock:
        AfxMessageBox("Cant lock global memory - get help");
        return FALSE;
    }
    m_pFirstLine = m_index.FirstLine();
    m_pLastLine = m_index.LastLine();
    m_pText = m_index.Text();
    m_lTextSize = m_index.TextSize();
    return TRUE;
}

void CZodoDoc::OnCloseDocument()
{
    m_pFirstLine = m_pLastLine = nullptr;
    m_pText = nullptr;
    m_lTextSize = 0;
    m_index.Clear();
    CDocument::OnCloseDocument();
}

int CZodoDoc::GetLineLength(const char* p) const
{
    return zodo::LineLength(p, m_pText + m_lTextSize);
}

void CZodoDoc::OnFileSaveAs()
{
    CFileDialog dlg(FALSE, nullptr, "*.*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr);
    if (dlg.DoModal() != IDOK)
        return;
    CString path = dlg.GetPathName();
    BOOL saved;
    {
        CWaitCursor wait;
        saved = m_index.SaveAs(path);
    }
    if (!saved) {
        // Nothing half written stays behind: the old file, if any, is intact.
        CString message;
        message.Format("cant create %s\n", static_cast<const char*>(path));
        AfxMessageBox(message);
    }
}
