#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit_support.h"
#include "viewfile.h"

namespace {
// The settings file the profile functions use for "winfile.ini".
std::string WinfileIniPath()
{
    char directory[MAX_PATH];
    UINT n = GetWindowsDirectoryA(directory, sizeof directory);
    if (n == 0 || n >= sizeof directory)
        return "";
    return std::string(directory) + "\\winfile.ini";
}

// Gives the test a [Tamrel] section of its own and puts the settings file
// back byte for byte afterwards, for the other tests of this prefix.
class TamrelSettings {
public:
    TamrelSettings() : m_path(WinfileIniPath()) { m_existed = ReadFileBytes(m_path, m_saved); }
    ~TamrelSettings()
    {
        // Flush and drop the profile functions' copy first, so nothing of
        // ours is written over the restored file later.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, "winfile.ini");
        if (m_existed)
            WriteFileBytes(m_path, m_saved);
        else
            DeleteFileA(m_path.c_str());
    }

    void RemoveSection() { WritePrivateProfileStringA("Tamrel", nullptr, nullptr, "winfile.ini"); }
    void Set(const char* key, const char* value) { WritePrivateProfileStringA("Tamrel", key, value, "winfile.ini"); }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
    std::string m_saved;
    bool m_existed;
};

class ViewFileTest : public ::testing::Test {
protected:
    TamrelSettings m_settings;
    MessageRecorder m_messages;
    TempDir m_dir;
};

TEST_F(ViewFileTest, LoadPathComesFromTheTamrelSection)
{
    struct Case {
        const char* label;
        std::vector<std::pair<const char*, const char*>> keys;   // after the section is removed
        const char* expected;
    } cases[] = {
        {"no section", {}, "c:\\tamrel"},
        {"section without the key", {{"Editor", "notepad.exe"}, {"Shell", "command.com"}}, "c:\\tamrel"},
        {"key as setup writes it", {{"Loadpath", "d:\\tools\\tamrel"}, {"Editor", "e.exe"}}, "d:\\tools\\tamrel"},
        {"key in another case", {{"LOADPATH", "e:\\Apps"}}, "e:\\Apps"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        m_settings.RemoveSection();
        for (const auto& key : c.keys)
            m_settings.Set(key.first, key.second);
        EXPECT_EQ(std::string(c.expected), std::string(ReadLoadPath()));
    }
    // The value read is the one in the Windows directory's settings file.
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(m_settings.path(), bytes));
    EXPECT_NE(std::string::npos, bytes.find("LOADPATH=e:\\Apps"));
}

TEST_F(ViewFileTest, ViewerCommandLineKeepsTheSelectionUnchanged)
{
    m_settings.RemoveSection();
    EXPECT_EQ(std::string("c:\\tamrel\\zodo.exe c:\\tmp\\tm012345"),
              std::string(BuildViewerCommandLine("c:\\tmp\\tm012345")));

    m_settings.Set("LoadPath", "d:\\suite");
    const char* selections[] = {"readme.txt", "two words  and more ", "first line\r\nsecond line", "\t\"quoted\"", ""};
    for (const char* selection : selections) {
        SCOPED_TRACE(selection);
        EXPECT_EQ(std::string("d:\\suite\\zodo.exe ") + selection, std::string(BuildViewerCommandLine(selection)));
    }
}

TEST_F(ViewFileTest, ViewWithoutSelectionSaysSo)
{
    LaunchViewer("");
    LaunchViewer(nullptr);
    EXPECT_EQ((std::vector<std::string>{"Error: no filename selected!", "Error: no filename selected!"}),
              m_messages.messages());
}

TEST_F(ViewFileTest, ViewerThatCannotStartIsReported)
{
    m_settings.RemoveSection();
    m_settings.Set("LoadPath", m_dir.file("absent").c_str());
    LaunchViewer("readme.txt");
    EXPECT_EQ(std::vector<std::string>{"Error: can't run file viewer!"}, m_messages.messages());
}

TEST_F(ViewFileTest, ViewStartsThePagerWithTheSelectionAsItsCommandLine)
{
    // The stand-in pager is built next to this test program.
    char self[MAX_PATH];
    ASSERT_NE(0u, GetModuleFileNameA(nullptr, self, sizeof self));
    std::string fake(self);
    fake = fake.substr(0, fake.rfind('\\') + 1) + "unit_fake_viewer.exe";
    std::string pager = m_dir.file("zodo.exe");
    ASSERT_TRUE(CopyFileA(fake.c_str(), pager.c_str(), FALSE)) << fake;

    m_settings.RemoveSection();
    m_settings.Set("LoadPath", m_dir.path().c_str());
    const char* selection = "c:\\some dir\\tm123456 extra\r\nsecond line";
    LaunchViewer(selection);
    EXPECT_TRUE(m_messages.messages().empty());

    // The pager runs on its own; wait for what it reports (a deadline
    // against a hang, not a measure of speed).
    std::string seen;
    std::string result = m_dir.file("viewer-cmdline.txt");
    for (int i = 0; i < 600 && !ReadFileBytes(result, seen); ++i)
        Sleep(100);
    EXPECT_EQ(m_dir.path() + "\\zodo.exe " + selection, seen);
    for (int i = 0; i < 100 && !DeleteFileA(pager.c_str()); ++i)
        Sleep(100);
}

TEST_F(ViewFileTest, SaveWritesTheBytesUnchanged)
{
    std::string path = m_dir.file("saved.out");
    WriteFileBytes(path, std::string(5000, '#'));   // an older, longer file is replaced
    struct Case {
        std::string text;
        int length;
        std::string expected;
    } cases[] = {
        {"line one\r\nline two\nbare\rend", 27, "line one\r\nline two\nbare\rend"},
        {"\x1a\xff\x80 after ctrl-z", 16, "\x1a\xff\x80 after ctrl-z"},
        {"only part of this", 9, "only part"},
        {"", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_TRUE(SaveOutputText(path.c_str(), c.text.c_str(), c.length));
        std::string written;
        ASSERT_TRUE(ReadFileBytes(path, written));
        EXPECT_EQ(c.expected, written);
    }
    EXPECT_TRUE(m_messages.messages().empty());
}

TEST_F(ViewFileTest, SaveToAPlaceThatCannotHoldAFileIsReported)
{
    EXPECT_FALSE(SaveOutputText(m_dir.file("missing\\saved.out").c_str(), "text", 4));
    EXPECT_FALSE(SaveOutputText(m_dir.path().c_str(), "text", 4));   // a directory
    EXPECT_EQ((std::vector<std::string>{"cant create output file", "cant create output file"}), m_messages.messages());
}
}   // namespace
