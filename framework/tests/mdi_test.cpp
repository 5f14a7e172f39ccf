// Tests of the multiple-document frame in this process: the command route
// through the active child, the menus with and without a document, window
// numbers in the captions, New Window, File Close and closing windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <algorithm>

#include "afxwin.h"

#include <shlobj.h>
#include "framework_test.h"
#include "window_test_support.h"

namespace {

std::string g_log;
int g_docsAlive = 0;

class MdiDoc : public CDocument {
    DECLARE_DYNCREATE(MdiDoc)
public:
    MdiDoc() { ++g_docsAlive; }
    ~MdiDoc() { --g_docsAlive; }
    afx_msg void OnAll() { g_log += "doc "; }
    afx_msg void OnDocUp() { g_log += "doc "; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(MdiDoc, CDocument)
BEGIN_MESSAGE_MAP(MdiDoc, CDocument)
    ON_COMMAND(ID_MDI_ALL, OnAll)
    ON_COMMAND(ID_MDI_DOC_UP, OnDocUp)
END_MESSAGE_MAP()

class MdiView : public CView {
    DECLARE_DYNCREATE(MdiView)
public:
    virtual void OnDraw(CDC*) {}
    afx_msg void OnAll() { g_log += "view "; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(MdiView, CView)
BEGIN_MESSAGE_MAP(MdiView, CView)
    ON_COMMAND(ID_MDI_ALL, OnAll)
END_MESSAGE_MAP()

class MdiChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(MdiChild)
public:
    afx_msg void OnAny() { g_log += "child "; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(MdiChild, CMDIChildWnd)
BEGIN_MESSAGE_MAP(MdiChild, CMDIChildWnd)
    ON_COMMAND(ID_MDI_ALL, OnAny)
    ON_COMMAND(ID_MDI_DOC_UP, OnAny)
    ON_COMMAND(ID_MDI_CHILD_UP, OnAny)
END_MESSAGE_MAP()

class MdiMain : public CMDIFrameWnd {
public:
    afx_msg void OnAny() { g_log += "main "; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(MdiMain, CMDIFrameWnd)
    ON_COMMAND(ID_MDI_ALL, OnAny)
    ON_COMMAND(ID_MDI_DOC_UP, OnAny)
    ON_COMMAND(ID_MDI_CHILD_UP, OnAny)
    ON_COMMAND(ID_MDI_MAIN_UP, OnAny)
END_MESSAGE_MAP()

std::string Caption(HWND hWnd)
{
    char text[256] = "";
    GetWindowTextA(hWnd, text, sizeof(text));
    return text;
}

struct Mdi : ::testing::Test {
    MdiMain* main = nullptr;
    CMultiDocTemplate* docTemplate = nullptr;
    CWnd* savedMain = nullptr;

    void SetUp() override
    {
        if (!WindowsAvailable())
            GTEST_SKIP() << "no window system";
        g_log.clear();
        g_appLog.clear();
        CWinApp* pApp = AfxGetApp();
        savedMain = pApp->m_pMainWnd;
        docTemplate = new CMultiDocTemplate(
            IDR_TEST_MDIDOC, RUNTIME_CLASS(MdiDoc), RUNTIME_CLASS(MdiChild), RUNTIME_CLASS(MdiView));
        pApp->AddDocTemplate(docTemplate);
        main = new MdiMain;
        ASSERT_TRUE(main->LoadFrame(IDR_TEST_MDIFRAME));
        pApp->m_pMainWnd = main;
        main->ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        CWinApp* pApp = AfxGetApp();
        if (main && main->m_hWnd)
            main->SendMessage(WM_CLOSE);
        DrainQueue();
        if (docTemplate) {
            pApp->RemoveDocTemplate(docTemplate);
            delete docTemplate;
        }
        pApp->m_pMainWnd = savedMain;
    }
    CDocument* NewDocument() { return docTemplate->OpenDocumentFile(nullptr); }
    std::vector<std::string> ChildCaptions() const
    {
        std::vector<std::string> captions;
        for (CMDIChildWnd* pChild : main->GetChildFrames())
            captions.push_back(Caption(pChild->m_hWnd));
        std::sort(captions.begin(), captions.end());
        return captions;
    }
    std::string FirstMenuTitle() const
    {
        char text[64] = "";
        GetMenuStringA(::GetMenu(main->m_hWnd), 0, text, sizeof(text), MF_BYPOSITION);
        return text + std::string("/") + std::to_string(GetMenuItemCount(::GetMenu(main->m_hWnd)));
    }
};

TEST_F(Mdi, CommandsGoViewDocumentChildMainFrameApplication)
{
    ASSERT_NE(NewDocument(), nullptr);
    const struct {
        UINT id;
        const char* view;
        const char* app;
    } cases[] = {
        {ID_MDI_ALL, "view ", ""},
        {ID_MDI_DOC_UP, "doc ", ""},
        {ID_MDI_CHILD_UP, "child ", ""},
        {ID_MDI_MAIN_UP, "main ", ""},
        {ID_MDI_APP, "", "app "},
    };
    for (const auto& c : cases) {
        g_log.clear();
        g_appLog.clear();
        // As the menu sends it, to the main frame.
        main->SendMessage(WM_COMMAND, c.id, 0);
        EXPECT_EQ(g_log, c.view) << c.id;
        EXPECT_EQ(g_appLog, c.app) << c.id;
    }
    // A command that reaches the child window itself takes the same route.
    g_log.clear();
    main->MDIGetActive()->SendMessage(WM_COMMAND, ID_MDI_MAIN_UP, 0);
    EXPECT_EQ(g_log, "main ");
}

TEST_F(Mdi, WithoutADocumentOnlyTheFrameAndApplicationAnswer)
{
    main->SendMessage(WM_COMMAND, ID_MDI_ALL, 0);
    EXPECT_EQ(g_log, "main ");
    CCmdUI state;
    state.m_nID = ID_WINDOW_CASCADE;
    state.DoUpdate(main, TRUE);
    EXPECT_FALSE(state.m_bEnabled);
}

TEST_F(Mdi, FrameMenuWithoutADocumentTemplateMenuWithOne)
{
    EXPECT_EQ(FirstMenuTitle(), "&File/1");
    CDocument* pDoc = NewDocument();
    ASSERT_NE(pDoc, nullptr);
    main->OnIdleUpdateCmdUI();
    EXPECT_EQ(FirstMenuTitle(), "&File/2");
    main->SendMessage(WM_COMMAND, ID_FILE_CLOSE, 0);
    main->OnIdleUpdateCmdUI();
    EXPECT_EQ(FirstMenuTitle(), "&File/1");
    EXPECT_EQ(g_docsAlive, 0);
}

TEST_F(Mdi, NewWindowNumbersTheDocumentsWindows)
{
    CDocument* pDoc = NewDocument();
    ASSERT_NE(pDoc, nullptr);
    std::string title = static_cast<const char*>(pDoc->GetTitle());
    EXPECT_EQ(title, "Page1");
    EXPECT_EQ(ChildCaptions(), std::vector<std::string>({"Page1"}));

    main->SendMessage(WM_COMMAND, ID_WINDOW_NEW, 0);
    EXPECT_EQ(pDoc->GetViewCount(), 2);
    EXPECT_EQ(ChildCaptions(), std::vector<std::string>({"Page1:1", "Page1:2"}));
    main->SendMessage(WM_COMMAND, ID_WINDOW_NEW, 0);
    EXPECT_EQ(ChildCaptions(), std::vector<std::string>({"Page1:1", "Page1:2", "Page1:3"}));

    // Closing one window keeps the document and renumbers the others.
    main->MDIGetActive()->SendMessage(WM_CLOSE);
    EXPECT_EQ(g_docsAlive, 1);
    EXPECT_EQ(ChildCaptions(), std::vector<std::string>({"Page1:1", "Page1:2"}));
    main->MDIGetActive()->SendMessage(WM_CLOSE);
    EXPECT_EQ(ChildCaptions(), std::vector<std::string>({"Page1"}));
    // The last window takes the document with it.
    main->MDIGetActive()->SendMessage(WM_CLOSE);
    EXPECT_EQ(g_docsAlive, 0);
    EXPECT_TRUE(main->GetChildFrames().empty());
}

TEST_F(Mdi, FileCloseClosesTheActiveDocumentWithAllItsWindows)
{
    CDocument* first = NewDocument();
    ASSERT_NE(first, nullptr);
    main->SendMessage(WM_COMMAND, ID_WINDOW_NEW, 0);
    CDocument* second = NewDocument();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(main->GetActiveDocument(), second);
    EXPECT_EQ(g_docsAlive, 2);
    main->SendMessage(WM_COMMAND, ID_FILE_CLOSE, 0);
    EXPECT_EQ(g_docsAlive, 1);
    EXPECT_EQ(main->GetActiveDocument(), first);
    EXPECT_EQ(ChildCaptions(), std::vector<std::string>({"Page1:1", "Page1:2"}));
}

TEST_F(Mdi, TileAndCascadeKeepEveryChildVisibleInsideTheClient)
{
    for (int i = 0; i < 3; ++i)
        ASSERT_NE(NewDocument(), nullptr);
    for (UINT command : {ID_WINDOW_TILE_HORZ, ID_WINDOW_TILE_VERT, ID_WINDOW_CASCADE}) {
        main->SendMessage(WM_COMMAND, command, 0);
        RECT client;
        ::GetClientRect(main->m_hWndMDIClient, &client);
        std::vector<RECT> rects;
        for (CMDIChildWnd* pChild : main->GetChildFrames()) {
            EXPECT_TRUE(pChild->IsWindowVisible()) << command;
            RECT rect;
            pChild->GetWindowRect(&rect);
            MapWindowPoints(nullptr, main->m_hWndMDIClient, reinterpret_cast<POINT*>(&rect), 2);
            EXPECT_GE(rect.left, client.left) << command;
            EXPECT_GE(rect.top, client.top) << command;
            EXPECT_LE(rect.right, client.right) << command;
            EXPECT_LE(rect.bottom, client.bottom) << command;
            rects.push_back(rect);
        }
        // Tiled windows do not overlap; cascaded ones start at different places.
        for (size_t a = 0; a < rects.size(); ++a) {
            for (size_t b = a + 1; b < rects.size(); ++b) {
                RECT overlap;
                if (command == ID_WINDOW_CASCADE)
                    EXPECT_NE(rects[a].top, rects[b].top) << command;
                else
                    EXPECT_FALSE(IntersectRect(&overlap, &rects[a], &rects[b])) << command;
            }
        }
    }
}

TEST_F(Mdi, ClosingTheMainFrameClosesEveryDocument)
{
    ASSERT_NE(NewDocument(), nullptr);
    ASSERT_NE(NewDocument(), nullptr);
    main->SendMessage(WM_CLOSE);
    EXPECT_EQ(g_docsAlive, 0);
    main = nullptr;
}

TEST_F(Mdi, ViewBarCommandsActOnTheMainFramesBarsWhileAChildIsActive)
{
    CStatusBar* status = new CStatusBar;
    ASSERT_TRUE(status->Create(main));
    const UINT indicators[] = {ID_SEPARATOR};
    ASSERT_TRUE(status->SetIndicators(indicators, 1));
    ASSERT_NE(NewDocument(), nullptr);
    ASSERT_NE(main->MDIGetActive(), nullptr);
    CCmdUI state;
    state.m_nID = ID_VIEW_STATUS_BAR;
    state.DoUpdate(main, TRUE);
    EXPECT_TRUE(state.m_bEnabled);
    EXPECT_EQ(state.m_nCheck, 1);
    main->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR, 0);
    EXPECT_FALSE(GetWindowLongPtrA(status->m_hWnd, GWL_STYLE) & WS_VISIBLE);
    state.DoUpdate(main, TRUE);
    EXPECT_EQ(state.m_nCheck, 0);
    // The status bar goes with the frame; the object is the test's.
    main->SendMessage(WM_CLOSE);
    main = nullptr;
    delete status;
}

// Documents opened by name: the open path is kept by the document.
TEST_F(Mdi, OpeningAnOpenPathActivatesItsWindowInsteadOfLoadingItAgain)
{
    CWinApp* app = AfxGetApp();
    CDocument* first = app->OpenDocumentFile("c:\\data\\one.txt");
    ASSERT_NE(first, nullptr);
    CDocument* second = app->OpenDocumentFile("c:\\data\\two.txt");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(main->GetActiveDocument(), second);
    EXPECT_EQ(app->OpenDocumentFile("C:\\DATA\\ONE.TXT"), first);
    EXPECT_EQ(g_docsAlive, 2);
    EXPECT_EQ(main->GetActiveDocument(), first);
    EXPECT_EQ(ChildCaptions(), std::vector<std::string>({"one.txt", "two.txt"}));
}

// An HDROP as the shell makes it, for files dropped at (10, 10).
HGLOBAL MakeDrop(const std::vector<std::string>& names)
{
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& name : names)
        size += name.size() + 1;
    HGLOBAL hDrop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(hDrop));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt.x = 10;
    drop->pt.y = 10;
    drop->fWide = FALSE;
    char* p = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
    for (const std::string& name : names) {
        memcpy(p, name.c_str(), name.size() + 1);
        p += name.size() + 1;
    }
    GlobalUnlock(hDrop);
    return hDrop;
}

TEST_F(Mdi, DroppedFilesOpenAsFromTheOpenDialog)
{
    CWinApp* app = AfxGetApp();
    ASSERT_NE(app->OpenDocumentFile("c:\\drop\\b.txt"), nullptr);
    delete app->m_pRecentFileList;
    app->m_pRecentFileList = new CRecentFileList(1, "Recent File List", "File%d", 4);
    main->DragAcceptFiles(TRUE);
    main->SendMessage(WM_DROPFILES,
                      reinterpret_cast<WPARAM>(MakeDrop({"c:\\drop\\a.txt", "c:\\drop\\b.txt", "c:\\drop\\c d.txt"})),
                      0);
    // b.txt was open already: its window comes forward, no second copy.
    EXPECT_EQ(g_docsAlive, 3);
    EXPECT_EQ(ChildCaptions(), std::vector<std::string>({"a.txt", "b.txt", "c d.txt"}));
    ASSERT_EQ(app->m_pRecentFileList->GetCount(), 2);
    EXPECT_STREQ((*app->m_pRecentFileList)[0], "c:\\drop\\c d.txt");
    EXPECT_STREQ((*app->m_pRecentFileList)[1], "c:\\drop\\a.txt");
    delete app->m_pRecentFileList;
    app->m_pRecentFileList = nullptr;
}

}   // namespace
