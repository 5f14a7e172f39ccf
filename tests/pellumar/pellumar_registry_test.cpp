// The association lookup against the system's registry: the test registers
// its own file types under the root of file types and removes them again;
// the short form of a path and a bare drive on the file system itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filecopy.h"
#include "launch.h"
#include "registry.h"
#include "scratch.h"

namespace {

class RegisteredTypes {
public:
    RegisteredTypes()
    {
        Set(".pmtxt", "pellumartest.text");
        Set("pellumartest.text\\shell\\open\\command", "Notepad.EXE %1");
        Set(".pmprg", "pellumartest.program");
        Set("pellumartest.program\\shell\\open\\command", "\"%1\" %*");
        Set(".pmnone", "pellumartest.none");
    }
    ~RegisteredTypes()
    {
        for (const char* key : {"pellumartest.text\\shell\\open\\command",
                                "pellumartest.text\\shell\\open",
                                "pellumartest.text\\shell",
                                "pellumartest.text",
                                "pellumartest.program\\shell\\open\\command",
                                "pellumartest.program\\shell\\open",
                                "pellumartest.program\\shell",
                                "pellumartest.program",
                                ".pmtxt",
                                ".pmprg",
                                ".pmnone"})
            RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
    }
    void Set(const char* key, const std::string& value)
    {
        ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, value.c_str(), static_cast<DWORD>(value.size())),
                  ERROR_SUCCESS)
            << key;
    }
};

TEST(SystemRegistry, LookupOverRegisteredTypes)
{
    RegisteredTypes types;
    SystemRegistry registry;
    ExpectAssociations(registry,
                       {
                           {"notes.pmtxt", true, "notepad.exe", "notes.pmtxt"},
                           {"tool.pmprg", true, ".\\tool.pmprg", ""},
                           {"x.pmnone", false, "", ""},
                           {"x.pmunregistered", false, "", ""},
                       });
}

}

namespace {

// The short form on the file system itself: Wine and Windows make different
// aliases, so the expectation comes from the system's own short path.
TEST(ToShortName, UsesTheFileSystemsAlias)
{
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    std::string directory = std::string(temp) + "Pellumar Short Test";
    CreateDirectoryA(directory.c_str(), nullptr);
    std::string longName = directory + "\\Long File Name.txt";
    HANDLE file = CreateFileA(longName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    char shortPath[MAX_PATH];
    DWORD got = GetShortPathNameA(longName.c_str(), shortPath, MAX_PATH);
    std::string alias = got > 0 && got < MAX_PATH ? std::string(shortPath) : std::string();
    alias = alias.substr(alias.find_last_of('\\') + 1);

    std::string path = longName;
    ToShortName(path);
    if (alias.empty() || alias == "Long File Name.txt") {
        EXPECT_EQ(path, longName);   // no alias on this file system
    } else {
        std::string expected = directory + "\\" + alias;
        for (char& c : expected)
            c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(path, expected);
    }
    std::string plain = directory + "\\PLAIN.TXT";
    file = CreateFileA(plain.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    path = plain;
    ToShortName(path);
    EXPECT_EQ(path, plain);

    DeleteFileA(longName.c_str());
    DeleteFileA(plain.c_str());
    RemoveDirectoryA(directory.c_str());
}

}

namespace {

class QuietUi : public FileCommandUi {
public:
    void Message(const std::string& text) override { messages.push_back(text); }
    Answer Ask(const std::string&) override { return kAnswerYes; }
    std::vector<std::string> messages;
};

// A bare drive names the current directory of that drive.
TEST(CopyFiles, ABareDriveIsItsCurrentDirectory)
{
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    std::string directory = std::string(temp) + "Pellumar Drive Test";
    CreateDirectoryA(directory.c_str(), nullptr);
    CreateDirectoryA((directory + "\\sub").c_str(), nullptr);
    std::string source = directory + "\\sub\\Moved.TXT";
    HANDLE file = CreateFileA(source.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "moved", 5, &written, nullptr);
    CloseHandle(file);

    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(directory.c_str());
    QuietUi ui;
    CopyFiles("sub\\moved.txt", directory.substr(0, 2), ui);
    SetCurrentDirectoryA(previous);

    EXPECT_TRUE(ui.messages.empty());
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "\\moved.txt").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    EXPECT_STREQ(found.cFileName, "moved.txt");   // created lower-case
    EXPECT_EQ(found.nFileSizeLow, 5u);

    // In place the file keeps its content and gets a lower-case name.
    SetCurrentDirectoryA(directory.c_str());
    CopyFiles("sub\\Moved.TXT", "", ui);
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(ui.messages.empty());
    search = FindFirstFileA((directory + "\\sub\\moved.txt").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    EXPECT_STREQ(found.cFileName, "moved.txt");
    EXPECT_EQ(found.nFileSizeLow, 5u);

    DeleteFileA((directory + "\\moved.txt").c_str());
    DeleteFileA(source.c_str());
    RemoveDirectoryA((directory + "\\sub").c_str());
    RemoveDirectoryA(directory.c_str());
}

}
