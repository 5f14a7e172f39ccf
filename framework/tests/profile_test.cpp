// Tests of the program's profile (round trip through the ini file in the
// Windows directory) and of the recent-file list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afxwin.h"

namespace {

const char kProfile[] = "tamrel_fwtest.ini";

std::string WindowsIni(const char* name)
{
    char dir[MAX_PATH] = "";
    GetWindowsDirectoryA(dir, sizeof(dir));
    return std::string(dir) + "\\" + name;
}

std::string ReadIni(const char* section, const char* key)
{
    char value[512] = "";
    GetPrivateProfileStringA(section, key, "<none>", value, sizeof(value), WindowsIni(kProfile).c_str());
    return value;
}

struct Profile : ::testing::Test {
    const char* savedName = nullptr;
    UINT savedPages = 0;
    void SetUp() override
    {
        DeleteFileA(WindowsIni(kProfile).c_str());
        savedName = AfxGetApp()->m_pszProfileName;
        savedPages = AfxGetApp()->m_nNumPreviewPages;
        AfxGetApp()->m_pszProfileName = kProfile;
    }
    void TearDown() override
    {
        AfxGetApp()->m_pszProfileName = savedName;
        AfxGetApp()->m_nNumPreviewPages = savedPages;
        DeleteFileA(WindowsIni(kProfile).c_str());
    }
};

TEST_F(Profile, ValuesWrittenAreReadBackFromTheFileInTheWindowsDirectory)
{
    CWinApp* app = AfxGetApp();
    EXPECT_TRUE(app->WriteProfileInt("tabbing", "length", 12));
    EXPECT_TRUE(app->WriteProfileInt("tabbing", "margin", -3));
    EXPECT_TRUE(app->WriteProfileString("tools", "editor", "c:\\bin\\my editor.exe"));
    EXPECT_EQ(ReadIni("tabbing", "length"), "12");
    EXPECT_EQ(ReadIni("tabbing", "margin"), "-3");
    EXPECT_EQ(ReadIni("tools", "editor"), "c:\\bin\\my editor.exe");

    EXPECT_EQ(app->GetProfileInt("tabbing", "length", 8), 12u);
    EXPECT_EQ(static_cast<int>(app->GetProfileInt("tabbing", "margin", 0)), -3);
    EXPECT_STREQ(app->GetProfileString("tools", "editor", "notepad.exe"), "c:\\bin\\my editor.exe");
    // Key names match in any case; missing keys give the default.
    EXPECT_EQ(app->GetProfileInt("TABBING", "Length", 8), 12u);
    EXPECT_EQ(app->GetProfileInt("tabbing", "width", 8), 8u);
    EXPECT_STREQ(app->GetProfileString("tools", "shell", "notepad.exe"), "notepad.exe");
    EXPECT_STREQ(app->GetProfileString("tools", "shell"), "");
    // A value longer than the first buffer comes back whole.
    std::string longValue(700, 'x');
    EXPECT_TRUE(app->WriteProfileString("tools", "long", longValue.c_str()));
    EXPECT_EQ(std::string(app->GetProfileString("tools", "long")), longValue);
}

TEST(RecentFiles, NewestFirstNoDuplicatesAtMostTheSize)
{
    const struct {
        std::vector<const char*> added;
        std::vector<const char*> listed;
    } cases[] = {
        {{"c:\\a"}, {"c:\\a"}},
        {{"c:\\a", "c:\\b", "c:\\c"}, {"c:\\c", "c:\\b", "c:\\a"}},
        // Opening a listed file again moves it up; case does not matter.
        {{"c:\\a", "c:\\b", "C:\\A"}, {"C:\\A", "c:\\b"}},
        // The oldest falls off a full list.
        {{"c:\\1", "c:\\2", "c:\\3", "c:\\4", "c:\\5"}, {"c:\\5", "c:\\4", "c:\\3", "c:\\2"}},
        {{"c:\\1", "c:\\2", "c:\\3", "c:\\4", "c:\\1"}, {"c:\\1", "c:\\4", "c:\\3", "c:\\2"}},
        {{"", "c:\\a"}, {"c:\\a"}},
    };
    for (const auto& c : cases) {
        CRecentFileList list(1, "Recent File List", "File%d", 4);
        for (const char* name : c.added)
            list.Add(name);
        std::vector<std::string> listed;
        for (int i = 0; i < list.GetCount(); ++i)
            listed.push_back(static_cast<const char*>(list[i]));
        EXPECT_EQ(listed, std::vector<std::string>(c.listed.begin(), c.listed.end())) << c.added.size();
    }
}

TEST_F(Profile, StandardSettingsAreReadAtStartAndWrittenAtExit)
{
    CWinApp* app = AfxGetApp();
    app->WriteProfileString("Recent File List", "File1", "c:\\old\\one.txt");
    app->WriteProfileString("Recent File List", "File2", "c:\\old\\two.txt");
    app->WriteProfileString("Recent File List", "File3", "c:\\old\\three.txt");
    app->WriteProfileInt("Settings", "PreviewPages", 2);
    app->m_nNumPreviewPages = 0;
    app->LoadStdProfileSettings(3);
    ASSERT_NE(app->m_pRecentFileList, nullptr);
    EXPECT_EQ(app->m_pRecentFileList->GetCount(), 3);
    EXPECT_STREQ((*app->m_pRecentFileList)[1], "c:\\old\\two.txt");
    EXPECT_EQ(app->m_nNumPreviewPages, 2u);

    app->AddToRecentFileList("c:\\new\\four.txt");
    app->m_nNumPreviewPages = 1;
    EXPECT_TRUE(app->SaveStdProfileSettings());
    EXPECT_EQ(ReadIni("Recent File List", "File1"), "c:\\new\\four.txt");
    EXPECT_EQ(ReadIni("Recent File List", "File2"), "c:\\old\\one.txt");
    EXPECT_EQ(ReadIni("Recent File List", "File3"), "c:\\old\\two.txt");
    EXPECT_EQ(ReadIni("Recent File List", "File4"), "<none>");
    EXPECT_EQ(ReadIni("Settings", "PreviewPages"), "1");

    // A shorter list read later leaves no stale names behind when written.
    app->m_pRecentFileList->Remove(0);
    app->m_pRecentFileList->Remove(0);
    EXPECT_TRUE(app->SaveStdProfileSettings());
    EXPECT_EQ(ReadIni("Recent File List", "File1"), "c:\\old\\two.txt");
    EXPECT_EQ(ReadIni("Recent File List", "File2"), "<none>");
    delete app->m_pRecentFileList;
    app->m_pRecentFileList = nullptr;
}

TEST(DocumentPath, QuotesAreKeptOrStrippedAsTheProgramChooses)
{
    char cwd[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(cwd), cwd);
    std::string here = cwd;
    if (here.back() != '\\')
        here += '\\';
    const struct {
        AfxQuoteHandling quotes;
        const char* name;
        std::string path;
    } cases[] = {
        {AFX_QUOTES_STRIP, "\"c:\\my files\\a.txt\"", "c:\\my files\\a.txt"},
        {AFX_QUOTES_STRIP, "c:\\my files\\a.txt", "c:\\my files\\a.txt"},
        {AFX_QUOTES_STRIP, "\"c:\\a.txt\" extra", "c:\\a.txt"},
        {AFX_QUOTES_STRIP, "rel.txt", here + "rel.txt"},
        {AFX_QUOTES_KEEP, "\"x.tar\"", here + "\"x.tar\""},
        {AFX_QUOTES_KEEP, "c:\\dir\\..\\x.tar", "c:\\x.tar"},
        {AFX_QUOTES_KEEP, "", ""},
    };
    CWinApp* app = AfxGetApp();
    AfxQuoteHandling saved = app->m_nQuoteHandling;
    for (const auto& c : cases) {
        app->m_nQuoteHandling = c.quotes;
        EXPECT_EQ(std::string(app->MakeDocumentPath(c.name)), c.path) << c.name;
    }
    app->m_nQuoteHandling = saved;
}

}   // namespace
