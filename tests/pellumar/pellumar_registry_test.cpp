// The association lookup against the system's registry: the test registers
// its own file types under the root of file types and removes them again;
// and the short form of a path on the file system itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "launch.h"
#include "registry.h"

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
        for (const char* key : {"pellumartest.text\\shell\\open\\command", "pellumartest.text\\shell\\open",
                                "pellumartest.text\\shell", "pellumartest.text",
                                "pellumartest.program\\shell\\open\\command", "pellumartest.program\\shell\\open",
                                "pellumartest.program\\shell", "pellumartest.program", ".pmtxt", ".pmprg", ".pmnone"})
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
    struct Case {
        const char* name;
        bool found;
        const char* command;
        const char* file;
    } cases[] = {
        {"notes.pmtxt", true, "notepad.exe", "notes.pmtxt"},
        {"tool.pmprg", true, ".\\tool.pmprg", ""},
        {"x.pmnone", false, "", ""},
        {"x.pmunregistered", false, "", ""},
    };
    for (const Case& c : cases) {
        Association association;
        EXPECT_EQ(LookupAssociation(registry, c.name, association), c.found) << c.name;
        EXPECT_EQ(association.command, c.command) << c.name;
        EXPECT_EQ(association.file, c.file) << c.name;
    }
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
