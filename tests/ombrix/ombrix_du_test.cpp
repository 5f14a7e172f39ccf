#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "du.h"
#include "ombrix_test_support.h"
#include "outtext.h"

namespace {
unsigned long g_fakeSectors = 8;
unsigned long g_fakeBytes = 512;
bool g_fakeFails = false;
int g_geometryCalls = 0;

int FakeGeometry(unsigned long* sectorsPerCluster, unsigned long* bytesPerSector)
{
    ++g_geometryCalls;
    if (g_fakeFails)
        return 0;
    *sectorsPerCluster = g_fakeSectors;
    *bytesPerSector = g_fakeBytes;
    return 1;
}

class DuTest : public UtilityTest {
protected:
    DuTest()
    {
        SetDuDiskGeometryFunction(&FakeGeometry);
        Cluster(4096);
        g_fakeFails = false;
        g_geometryCalls = 0;
    }
    ~DuTest() override { SetDuDiskGeometryFunction(nullptr); }

    static void Cluster(unsigned long bytes)
    {
        g_fakeSectors = bytes / 512;
        g_fakeBytes = 512;
    }
    void Dir(const std::string& name) const { ASSERT_TRUE(CreateDirectoryA(m_dir.file(name).c_str(), nullptr)); }

    // Lines of a run over the test directory, with the root's path written
    // as "<root>".
    std::vector<std::string> Lines(const DuOptions& options, const std::string& suffix = "")
    {
        DuRun((m_dir.path() + suffix).c_str(), options);
        std::vector<std::string> lines = SplitLines(Output());
        std::string root = Lowered(m_dir.path() + suffix);
        for (std::string& line : lines) {
            size_t at = line.find(root);
            EXPECT_NE(std::string::npos, at) << line;
            if (at != std::string::npos)
                line.replace(at, root.size(), "<root>");
        }
        return lines;
    }

    // A tree of files of known sizes:
    //   a.txt (1 byte), Sub\B.bin (5000), Sub\e.txt (0), Sub\Deeper\c.txt (4096)
    void MakeTree()
    {
        Make("a.txt", "x");
        Dir("Sub");
        Make("Sub\\B.bin", std::string(5000, 'b'));
        Make("Sub\\e.txt", "");
        Dir("Sub\\Deeper");
        Make("Sub\\Deeper\\c.txt", std::string(4096, 'c'));
    }
};

// Every line names a path; the lines of what lies below a directory come
// before the directory's own line, and the root's line is last.
void ExpectPostOrder(const std::vector<std::string>& lines)
{
    std::vector<std::string> paths;
    for (const std::string& line : lines)
        paths.push_back(line.substr(line.find("<root>")));
    ASSERT_FALSE(paths.empty());
    EXPECT_EQ("<root>", paths.back());
    for (size_t i = 0; i < paths.size(); ++i)
        for (size_t j = i + 1; j < paths.size(); ++j)
            EXPECT_NE(0u, paths[j].rfind(paths[i] + "\\", 0)) << paths[j] << " after " << paths[i];
}

// The form of a path that may pass MAX_PATH (the names here are ASCII).
std::wstring LongForm(const std::string& path)
{
    return L"\\\\?\\" + std::wstring(path.begin(), path.end());
}

std::vector<std::string> Sorted(std::vector<std::string> lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST_F(DuTest, LinesForEachOption)
{
    MakeTree();
    struct Case {
        const char* label;
        DuOptions options;
        std::vector<std::string> lines;   // in post-order where it is fixed
    } cases[] = {
        {"directories only",
         {false, false, false, true},
         {"       4  <root>\\sub\\deeper", "      12  <root>\\sub", "      16  <root>"}},
        {"in 512-byte units",
         {false, false, false, false},
         {"       8  <root>\\sub\\deeper", "      24  <root>\\sub", "      32  <root>"}},
        {"with utilization",
         {false, false, true, true},
         {"       4  (100.0%)  <root>\\sub\\deeper", "      12  ( 74.0%)  <root>\\sub", "      16  ( 55.5%)  <root>"}},
        {"excluding subdirectories shows only the root, with everything counted",
         {true, true, false, true},
         {"      16  <root>"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.lines, Lines(c.options));
    }

    // All files: one line each as well, in the order the directory search
    // gives them, but always below-first.
    std::vector<std::string> all = Lines({true, false, true, true});
    ExpectPostOrder(all);
    EXPECT_EQ(Sorted({"       4  (  0.0%)  <root>\\a.txt",
                      "       8  ( 61.0%)  <root>\\sub\\b.bin",
                      "       0  (100.0%)  <root>\\sub\\e.txt",
                      "       4  (100.0%)  <root>\\sub\\deeper\\c.txt",
                      "       4  (100.0%)  <root>\\sub\\deeper",
                      "      12  ( 74.0%)  <root>\\sub",
                      "      16  ( 55.5%)  <root>"}),
              Sorted(all));
    EXPECT_TRUE(Messages().empty());
    // The cluster size was asked for every directory walked.
    EXPECT_GE(g_geometryCalls, 3);
}

TEST_F(DuTest, RoundingAndTheRootOfADrive)
{
    // 1536 bytes in clusters of 512 are 1.5 units of 1024, shown as 2.
    Cluster(512);
    Make("f.bin", std::string(1536, 'f'));
    EXPECT_EQ(std::vector<std::string>{"       2  <root>"}, Lines({false, false, false, true}));

    // A directory ending in a backslash joins names without a second one.
    std::vector<std::string> lines = Lines({true, false, false, true}, "\\");
    EXPECT_EQ((std::vector<std::string>{"       2  <root>f.bin", "       2  <root>"}), lines);

    // An empty tree.
    ASSERT_TRUE(DeleteFileA(m_dir.file("f.bin").c_str()));
    EXPECT_EQ(std::vector<std::string>{"       0  (100.0%)  <root>"}, Lines({true, false, true, true}));
}

TEST_F(DuTest, ADriveThatGivesNoClusterSizeCountsSingleBytes)
{
    Make("f.bin", std::string(1000, 'f'));
    struct Case {
        const char* label;
        bool fails;
        unsigned long sectors, bytes;
    } cases[] = {
        {"the call fails", true, 8, 512},
        {"no sectors per cluster", false, 0, 512},
        {"no bytes per sector", false, 8, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        g_fakeFails = c.fails;
        g_fakeSectors = c.sectors;
        g_fakeBytes = c.bytes;
        EXPECT_EQ(std::vector<std::string>{"       2  (100.0%)  <root>"}, Lines({false, false, true, false}));
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DuTest, FilesNearAndAbove4GBAreCountedInFull)
{
    // Sparse files: they take no room on the host.
    struct Case {
        const char* name;
        long long size;
        const char* line;
    } cases[] = {
        {"just-below-4g.bin", 4294967295LL, " 4194304  (100.0%)  <root>\\just-below-4g.bin"},
        {"above-4g.bin", 5368709121LL, " 5242884  (100.0%)  <root>\\above-4g.bin"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HANDLE file = CreateFileA(
            m_dir.file(c.name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        LARGE_INTEGER size;
        size.QuadPart = c.size;
        ASSERT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(file));
        CloseHandle(file);
        std::vector<std::string> lines = Lines({true, false, true, true});
        ASSERT_EQ(2u, lines.size());
        EXPECT_EQ(c.line, lines[0]);
        ASSERT_TRUE(DeleteFileA(m_dir.file(c.name).c_str()));
    }
}

TEST_F(DuTest, ADirectoryThatCannotBeEnteredCountsAsEmpty)
{
    DuRun(m_dir.file("missing").c_str(), {false, false, false, true});
    EXPECT_EQ(std::vector<std::string>{"Change directory fails - results unreliable"}, Messages());
    EXPECT_EQ("       0  " + Lowered(m_dir.file("missing")) + "\r\n", Output());
}

TEST_F(DuTest, PathsTooLongForTheRecordNeitherOverflowNorStopTheWalk)
{
    // Names that bring a path past 259 characters, made through the long
    // form of the path.
    Make("ok.txt", "x");
    std::string deep = m_dir.path();
    std::string longName(120, 'd');
    for (int i = 0; i < 2; ++i) {
        deep += "\\" + longName;
        ASSERT_TRUE(CreateDirectoryW(LongForm(deep).c_str(), nullptr)) << deep.size();
    }
    std::string longFile = std::string(200, 'f') + ".txt";
    HANDLE file = CreateFileW(LongForm(m_dir.file(longName) + "\\" + longFile).c_str(),
                              GENERIC_WRITE,
                              0,
                              nullptr,
                              CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, "12345", 5, &written, nullptr);
    CloseHandle(file);
    ASSERT_GT(m_dir.file(longName).size() + 1 + longFile.size(), 259u);

    std::vector<std::string> lines = Lines({true, false, false, true});
    // The directory too deep to enter is reported and counts nothing; the
    // file with the long path is counted, its path shown cut.
    EXPECT_EQ(std::vector<std::string>{"Change directory fails - results unreliable"}, Messages());
    EXPECT_EQ("       8  <root>", lines.back());
    bool cutShown = false;
    for (const std::string& line : lines)
        if (line.size() == 10 + 259 - m_dir.path().size() + 6 && line.find("\\ffff") != std::string::npos)
            cutShown = true;
    EXPECT_TRUE(cutShown);
    ASSERT_TRUE(DeleteFileW(LongForm(m_dir.file(longName) + "\\" + longFile).c_str()));
    ASSERT_TRUE(RemoveDirectoryW(LongForm(deep).c_str()));
    ASSERT_TRUE(RemoveDirectoryW(LongForm(m_dir.file(longName)).c_str()));
}

TEST_F(DuTest, TheSpillFileGoesWhereTheLastUtilitySetIt)
{
    // Enough lines to pass the cap.
    Dir("Tree");
    for (int i = 0; i < 400; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%03d", i);
        Make("Tree\\" + std::string(name) + std::string(70, 'n') + ".txt", "");
    }
    Dir("Spill Here");
    std::snprintf(g_outputDir, sizeof g_outputDir, "%s", m_dir.file("Spill Here").c_str());
    DuRun(m_dir.file("Tree").c_str(), {true, false, false, true});
    EXPECT_EQ(m_dir.file("Spill Here"), std::string(g_outputDir));
    std::string notice = Output();
    EXPECT_NE(std::string::npos, notice.find(m_dir.file("Spill Here") + "\\tm")) << notice;
    EXPECT_FALSE(g_output.Spilling());
    std::vector<std::string> spilled;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(m_dir.file("Spill Here\\tm*").c_str(), &entry);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    FindClose(search);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(m_dir.file("Spill Here\\") + entry.cFileName, bytes));
    EXPECT_EQ(401u, SplitLines(bytes).size());
}
}   // namespace
