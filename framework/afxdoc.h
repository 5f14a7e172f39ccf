// Documents and document templates. A template knows the runtime classes of
// a program's document, frame and view and the resource id of its menu,
// accelerators and document string; File New goes through it.
#ifndef TAMREL_AFXDOC_H
#define TAMREL_AFXDOC_H

#include <vector>

#include "afxframe.h"

class CView;
class CDocTemplate;

// Walks a document's views: GetFirstViewPosition, then GetNextView until
// the position is null.
typedef struct tagPOSITION* POSITION;

class CDocument : public CCmdTarget {
public:
    CDocument();
    virtual ~CDocument();

    const CString& GetTitle() const { return m_strTitle; }
    // Frames showing the document refresh their captions at idle time.
    virtual void SetTitle(const char* lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(const char* lpszPathName);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    int GetViewCount() const { return static_cast<int>(m_viewList.size()); }
    CView* GetView(int nIndex) const { return m_viewList[static_cast<size_t>(nIndex)]; }
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& rPosition) const;
    // Calls OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

    // File New: empties the document. A program's override runs its work and
    // returns FALSE when there is to be no document.
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const char* lpszPathName);
    // Destroys the frames that show the document, then deletes it.
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    // Nothing in these programs saves a document through the framework, so
    // there is no question to ask: a modified document is let go.
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // The frames that show the document, in the order of their views.
    std::vector<CFrameWnd*> GetFrames() const;

    // File Close: the active document goes with all its windows.
    afx_msg void OnFileClose();

    CDocTemplate* m_pDocTemplate;
    BOOL m_bAutoDelete;

protected:
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified;
    std::vector<CView*> m_viewList;

    DECLARE_MESSAGE_MAP()
};

class CDocTemplate : public CCmdTarget {
public:
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);
    virtual ~CDocTemplate() {}

    // One "\n"-separated part of the document string; FALSE when it is empty.
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

    // lpszPathName null: File New.
    virtual CDocument* OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    // The template's open documents.
    virtual std::vector<CDocument*> GetDocuments() const = 0;
    // Closes every document (the main window's end); FALSE when one of
    // them refuses.
    virtual BOOL CloseAllDocuments(BOOL bEndSession);

    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;

protected:
    // File New (no path: default title, OnNewDocument) or opening a path
    // (OnOpenDocument, then the path and title); FALSE when it failed.
    BOOL LoadDocument(CDocument* pDoc, const char* lpszPathName);

    CString m_strDocStrings;
};

class CSingleDocTemplate : public CDocTemplate {
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);

    // The first File New creates document, frame and view; a later one keeps
    // them, resets the title and asks the document again. When the document
    // says no, a new frame is destroyed and an old one keeps what it shows.
    virtual CDocument* OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* pDocument);
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual std::vector<CDocument*> GetDocuments() const;

    CDocument* m_pOnlyDoc;
};

#endif
