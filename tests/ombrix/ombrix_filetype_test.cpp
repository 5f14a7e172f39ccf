#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "filetype.h"
#include "ombrix_test_support.h"
#include "outtext.h"

namespace {
// Keys under HKEY_CLASSES_ROOT with a default value each, removed again when
// the object goes.
class RegistryKeys {
public:
    ~RegistryKeys()
    {
        for (auto it = m_keys.rbegin(); it != m_keys.rend(); ++it)
            RegDeleteKeyA(HKEY_CLASSES_ROOT, it->c_str());
    }
    void Add(const std::string& key, const std::string& value)
    {
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), static_cast<DWORD>(value.size())))
            << key;
        m_keys.push_back(key);
    }

private:
    std::vector<std::string> m_keys;
};

std::string Padded(const std::string& name)
{
    std::string line = name;
    if (line.size() < 24)
        line.resize(24, ' ');
    return line + " ";
}

std::string TarHeader(size_t size)
{
    std::string bytes(size, '\0');
    bytes.replace(0, 8, "file.txt");
    if (size >= 262)
        bytes.replace(257, 5, "ustar");
    return bytes;
}

class FileTypeTest : public UtilityTest {
protected:
    std::string KindOf(const std::string& name, bool magicFirst)
    {
        ResetOutput();
        FileTypeIdentify(name.c_str(), magicFirst);
        std::string line = Output();
        EXPECT_EQ(Padded(name), line.substr(0, Padded(name).size()));
        EXPECT_EQ("\r\n", line.substr(line.size() - 2));
        return line.substr(Padded(name).size(), line.size() - Padded(name).size() - 2);
    }

    RegistryKeys m_registry;
};

TEST_F(FileTypeTest, ListMagicShowsEveryRow)
{
    FileTypeListMagic();
    std::vector<std::string> lines = SplitLines(Output());
    ASSERT_EQ(28u, lines.size());
    EXPECT_EQ("0\t1\t0xe9            \tDOS executable (.com)\r\n", Output().substr(0, lines[0].size() + 2));
    EXPECT_EQ("0\t1\t0x80            \tOMF object libray (Microsoft relocatable)", lines[4]);
    EXPECT_EQ("0\t2\tMZ              \tDOS executable (.exe)", lines[6]);
    EXPECT_EQ("0\t4\t0x706b0808      \tTurboC BGI file", lines[17]);
    EXPECT_EQ("1\t4\tFONT            \tDOS code-page information file", lines[21]);
    EXPECT_EQ("257\t5\tustar           \tUSTAR format tar archive", lines[22]);
    EXPECT_EQ("369\t9\tMICROSOFT       \tWindows PIF file", lines[27]);
    EXPECT_EQ(-1, g_magicTable[28].offset);
}

TEST_F(FileTypeTest, MagicNumbersAndTheTextTest)
{
    struct Case {
        const char* label;
        std::string bytes;
        const char* kind;
    } cases[] = {
        {"MZ", "MZ\x90\x00\x03", "DOS executable (.exe)"},
        {"ustar tar", TarHeader(1024), "USTAR format tar archive"},
        {"a tar of fewer than 262 bytes", TarHeader(261), "ASCII text file"},
        {"an earlier row wins over ustar", "\xe9" + TarHeader(1024).substr(1), "DOS executable (.com)"},
        {"ASCII", "plain words\r\nand more\r\n", "ASCII text file"},
        {"control characters and NUL are text", std::string("a\0\x01\x1b\x7f", 5), "ASCII text file"},
        {"empty", "", "ASCII text file"},
        {"a byte from 0x80 up is data", "hello \x80 there", "data file"},
        {"only the first 512 bytes are looked at", std::string(512, 'a') + "\xff", "ASCII text file"},
        {"0x80 first is a row of the table", "\x80hello", "OMF object libray (Microsoft relocatable)"},
        {"one byte short of a row", "PMC", "ASCII text file"},
        {"at offset 1", "xFONT", "DOS code-page information file"},
        {"PIF at 369", std::string(369, ' ') + "MICROSOFT", "Windows PIF file"},
        {"gzip", "\x1f\x8b\x08", "GNU gzip compressed file"},
        {"cpio", "070707000", "cpio archive with ASCII header"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Make("sample.zq9", c.bytes);
        for (bool magicFirst : {false, true})
            EXPECT_EQ(c.kind, KindOf("sample.zq9", magicFirst)) << "magic first " << magicFirst;
        Make("noextension", c.bytes);
        EXPECT_EQ(c.kind, KindOf("noextension", false));
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FileTypeTest, TheRegistryDescriptionComesFirstUnlessMagicIsAskedFirst)
{
    m_registry.Add(".tamrelq", "TamrelTest.Q");
    m_registry.Add("TamrelTest.Q", "Tamrel test document");
    m_registry.Add(".tamrelc", "TamrelTest.ClassOnly");
    m_registry.Add(".tamrele", "");
    // A cut name must not find this one: the extension below is longer.
    const std::string longExtension = "." + std::string(78, 'e');
    m_registry.Add(longExtension, "TamrelTest.Q");

    struct Case {
        const char* label;
        std::string name;
        std::string bytes;
        const char* registryFirst;
        const char* magicFirst;
    } cases[] = {
        {"registered, MZ", "prog.tamrelq", "MZ\x90", "Tamrel test document", "DOS executable (.exe)"},
        {"registered, text", "notes.TAMRELQ", "words\r\n", "Tamrel test document", "Tamrel test document"},
        {"registered, empty", "empty.tamrelq", "", "Tamrel test document", "Tamrel test document"},
        {"a class without a description", "x.tamrelc", "words", "TamrelTest.ClassOnly", "TamrelTest.ClassOnly"},
        {"an empty class is no result", "x.tamrele", "\xe9", "DOS executable (.com)", "DOS executable (.com)"},
        {"the last dot counts", "prog.tamrelq.bak9", "words", "ASCII text file", "ASCII text file"},
        {"an extension of 79 characters", "x" + longExtension, "words", "Tamrel test document", "Tamrel test document"},
        {"an extension too long for the key", "x" + longExtension + "e", "words", "ASCII text file", "ASCII text file"},
        {"a name of 30 characters is not cut",
         "a-name-of-thirty-characters.tamrelq",
         "",
         "Tamrel test document",
         "Tamrel test document"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Make(c.name, c.bytes);
        EXPECT_EQ(c.registryFirst, KindOf(c.name, false));
        EXPECT_EQ(c.magicFirst, KindOf(c.name, true));
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FileTypeTest, AFileThatCannotBeReadIsOfUnknownType)
{
    m_registry.Add(".tamrelq", "TamrelTest.Q");
    m_registry.Add("TamrelTest.Q", "Tamrel test document");
    Make("locked.zq9", "text");
    Make("locked.tamrelq", "text");
    HANDLE lock1 = CreateFileA(
        m_dir.file("locked.zq9").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE lock2 = CreateFileA(
        m_dir.file("locked.tamrelq").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ("(Unknown file type)", KindOf("locked.zq9", false));
    EXPECT_EQ("(Unknown file type)", KindOf("locked.zq9", true));
    // The registry answers without opening the file, unless magic comes first.
    EXPECT_EQ("Tamrel test document", KindOf("locked.tamrelq", false));
    EXPECT_EQ("(Unknown file type)", KindOf("locked.tamrelq", true));
    CloseHandle(lock1);
    CloseHandle(lock2);
}

TEST_F(FileTypeTest, ARunListsEveryFileInOrder)
{
    Make("b.zq9", "MZ");
    Make("A.ZQ9", "text");
    Make("c.other", "\x80");
    CreateDirectoryA(m_dir.file("dir.zq9").c_str(), nullptr);
    FileTypeRun(m_dir.path().c_str(), "*.zq9 c.other", {kFileTypeNone, false});
    EXPECT_EQ(Padded("a.zq9") + "ASCII text file\r\n" + Padded("b.zq9") + "DOS executable (.exe)\r\n" +
                  Padded("c.other") + "OMF object libray (Microsoft relocatable)\r\n",
              Output());
    EXPECT_EQ(m_dir.path(), std::string(g_outputDir));

    // The debug modes do not look at the files.
    FileTypeRun(m_dir.path().c_str(), "*.none", {kFileTypeMagic, false});
    EXPECT_EQ(28u, SplitLines(Output()).size());
    EXPECT_TRUE(Messages().empty());

    FileTypeRun(m_dir.path().c_str(), "*.none", {kFileTypeNone, false});
    EXPECT_EQ(std::vector<std::string>{"Cant open specified input file"}, Messages());
    EXPECT_EQ("", Output());
}

TEST_F(FileTypeTest, ListRegistrationShowsEveryExtensionWithClassAndDescription)
{
    m_registry.Add(".tamrelq", "TamrelTest.Q");
    m_registry.Add("TamrelTest.Q", "Tamrel test document");
    m_registry.Add(".tamrelc", "TamrelTest.ClassNameOfLength30");
    m_registry.Add(".tamrelz", "");
    // A name too long for the 80-byte buffer is passed over, and the
    // extensions after it are still listed.
    m_registry.Add(".tamrelm" + std::string(90, 'm'), "TamrelTest.Q");
    m_registry.Add(".tamreln", "TamrelTest.Q");
    m_registry.Add("TamrelTest.NotAnExtension", "x");

    FileTypeRun(m_dir.path().c_str(), "*.*", {kFileTypeRegistration, false});
    EXPECT_TRUE(Messages().empty());
    std::vector<std::string> lines = SplitLines(Output());
    std::vector<std::string> ours;
    for (const std::string& line : lines) {
        EXPECT_EQ('.', line[0]) << line;
        EXPECT_NE(std::string::npos, line.find(":\t")) << line;
        if (line.compare(0, 7, ".tamrel") == 0)
            ours.push_back(line);
    }
    std::sort(ours.begin(), ours.end());
    EXPECT_EQ((std::vector<std::string>{".tamrelc:\tTamrelTest.Class ",
                                        ".tamreln:\tTamrelTest.Q     Tamrel test document",
                                        ".tamrelq:\tTamrelTest.Q     Tamrel test document",
                                        ".tamrelz:\t                 "}),
              ours);
}
}   // namespace
