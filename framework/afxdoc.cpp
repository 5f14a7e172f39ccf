#include "afxwin.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
END_MESSAGE_MAP()

CDocument::CDocument() : m_pDocTemplate(nullptr), m_bAutoDelete(TRUE), m_bModified(FALSE) {}

CDocument::~CDocument()
{
    // Views outlive a document only when it is deleted by hand; they must
    // not point at it afterwards.
    for (CView* pView : m_viewList)
        pView->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(const char* lpszTitle)
{
    m_strTitle = lpszTitle;
    for (CView* pView : m_viewList) {
        if (CFrameWnd* pFrame = pView->GetParentFrame())
            pFrame->DelayUpdateFrameTitle();
    }
}

void CDocument::SetPathName(const char* lpszPathName)
{
    m_strPathName = lpszPathName;
    CString title = m_strPathName;
    int slash = title.ReverseFind('\\');
    SetTitle(title.Mid(slash + 1));
}

void CDocument::AddView(CView* pView)
{
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    m_viewList.erase(std::remove(m_viewList.begin(), m_viewList.end(), pView), m_viewList.end());
    pView->m_pDocument = nullptr;
}

// A position is the index of the next view plus one, so that null ends the walk.
POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(1));
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    size_t index = static_cast<size_t>(reinterpret_cast<INT_PTR>(rPosition)) - 1;
    CView* pView = index < m_viewList.size() ? m_viewList[index] : nullptr;
    rPosition = index + 1 < m_viewList.size() ? reinterpret_cast<POSITION>(static_cast<INT_PTR>(index + 2)) : nullptr;
    return pView;
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    for (CView* pView : m_viewList) {
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char*)
{
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

std::vector<CFrameWnd*> CDocument::GetFrames() const
{
    std::vector<CFrameWnd*> frames;
    for (CView* pView : m_viewList) {
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame && std::find(frames.begin(), frames.end(), pFrame) == frames.end())
            frames.push_back(pFrame);
    }
    return frames;
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnCloseDocument()
{
    // Destroying a frame removes its views from the list, so collect the
    // frames first.
    for (CFrameWnd* pFrame : GetFrames())
        pFrame->DestroyWindow();
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

void CDocument::DeleteContents() {}

BOOL CDocument::SaveModified()
{
    return TRUE;
}

BOOL CDocument::CanCloseFrame(CFrameWnd*)
{
    return SaveModified();
}

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
    m_strDocStrings = AfxLoadString(nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString.Empty();
    int start = 0;
    for (int i = 0; i < index; ++i) {
        int newline = m_strDocStrings.Find('\n', start);
        if (newline < 0)
            return FALSE;
        start = newline + 1;
    }
    int end = m_strDocStrings.Find('\n', start);
    rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
    return !rString.IsEmpty();
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = nullptr;
}

BOOL CDocTemplate::CloseAllDocuments(BOOL)
{
    for (CDocument* pDoc : GetDocuments()) {
        if (!pDoc->SaveModified())
            return FALSE;
        pDoc->OnCloseDocument();
    }
    return TRUE;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CObject* pObject = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    CDocument* pDoc = dynamic_cast<CDocument*>(pObject);
    if (!pDoc) {
        delete pObject;
        return nullptr;
    }
    AddDocument(pDoc);
    return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd*)
{
    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewDocTemplate = this;
    CObject* pObject = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(pObject);
    if (!pFrame) {
        delete pObject;
        return nullptr;
    }
    // A failed LoadFrame that made a window has deleted the frame already.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW, nullptr, &context))
        return nullptr;
    return pFrame;
}

BOOL CDocTemplate::LoadDocument(CDocument* pDoc, const char* lpszPathName)
{
    if (!lpszPathName) {
        SetDefaultTitle(pDoc);
        return pDoc->OnNewDocument();
    }
    if (!pDoc->OnOpenDocument(lpszPathName))
        return FALSE;
    pDoc->SetPathName(lpszPathName);
    return TRUE;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(nullptr)
{
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = nullptr;
}

std::vector<CDocument*> CSingleDocTemplate::GetDocuments() const
{
    std::vector<CDocument*> docs;
    if (m_pOnlyDoc)
        docs.push_back(m_pOnlyDoc);
    return docs;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (!GetDocString(title, docName))
        title = "Untitled";
    pDocument->SetTitle(title);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDoc = m_pOnlyDoc;
    CFrameWnd* pFrame = nullptr;
    bool createdDoc = false;
    bool createdFrame = false;
    if (pDoc) {
        if (!pDoc->SaveModified())
            return nullptr;
        if (pDoc->GetViewCount() > 0)
            pFrame = pDoc->GetView(0)->GetParentFrame();
    } else {
        pDoc = CreateNewDocument();
        if (!pDoc)
            return nullptr;
        createdDoc = true;
    }
    if (!pFrame) {
        pFrame = CreateNewFrame(pDoc, nullptr);
        if (!pFrame) {
            if (createdDoc)
                delete pDoc;
            return nullptr;
        }
        createdFrame = true;
        CWinApp* pApp = AfxGetApp();
        if (pApp && !pApp->m_pMainWnd)
            pApp->m_pMainWnd = pFrame;
    }

    if (!LoadDocument(pDoc, lpszPathName)) {
        // What this call made goes again; an existing frame keeps showing
        // what it showed.
        if (createdFrame)
            pFrame->DestroyWindow();
        if (createdDoc)
            delete pDoc;
        return nullptr;
    }
    InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
    return pDoc;
}
