// olmet's loading rules: the whole file in one block, every failure's
// message, and a document that a failed load leaves whole.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <direct.h>
#include <process.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "hexfile.h"

using namespace olmet;

namespace {

// Files of one test, removed at the end. They are made in a directory of
// this process's own, made current meanwhile, so that the tests keep their
// plain relative names while the instrumented copy of this program runs at
// the same time from the same working directory.
class Files {
public:
    Files() : m_directory("olmet_files_" + std::to_string(GetPid()))
    {
        EXPECT_EQ(MakeDir(m_directory.c_str()), 0) << m_directory;
        EXPECT_EQ(ChangeDir(m_directory.c_str()), 0) << m_directory;
    }
    ~Files()
    {
        for (const std::string& name : m_names)
            std::remove(name.c_str());
        ChangeDir("..");
        RemoveDir(m_directory.c_str());
    }
    std::string Write(const std::string& name, const std::string& bytes)
    {
        std::FILE* f = std::fopen(name.c_str(), "wb");
        EXPECT_NE(f, nullptr) << name;
        if (f) {
            EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
            EXPECT_EQ(std::fclose(f), 0);
        }
        m_names.push_back(name);
        return name;
    }

private:
#ifdef _WIN32
    static int GetPid()
    {
        return _getpid();
    }
    static int MakeDir(const char* path)
    {
        return _mkdir(path);
    }
    static int ChangeDir(const char* path)
    {
        return _chdir(path);
    }
    static int RemoveDir(const char* path)
    {
        return _rmdir(path);
    }
#else
    static int GetPid()
    {
        return static_cast<int>(getpid());
    }
    static int MakeDir(const char* path)
    {
        return mkdir(path, 0777);
    }
    static int ChangeDir(const char* path)
    {
        return chdir(path);
    }
    static int RemoveDir(const char* path)
    {
        return rmdir(path);
    }
#endif

    std::string m_directory;
    std::vector<std::string> m_names;
};

std::string Pattern(size_t n)
{
    std::string bytes(n, 0);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xff);
    return bytes;
}

std::string Held(const HexFile& file)
{
    return std::string(reinterpret_cast<const char*>(file.Data()), static_cast<size_t>(file.Size()));
}

// The program's memory, made to fail on demand and its blocks counted, so
// that a test sees none is lost or kept twice.
class CountingSeam : public MemorySeam {
public:
    bool failAllocate = false;
    bool failLock = false;
    int live = 0;

    void* Allocate(Offset size) override
    {
        if (failAllocate)
            return nullptr;
        void* block = MemorySeam::Allocate(size);
        if (block)
            ++live;
        return block;
    }
    unsigned char* Lock(void* block) override { return failLock ? nullptr : MemorySeam::Lock(block); }
    void Free(void* block) override
    {
        --live;
        MemorySeam::Free(block);
    }
};

// A load of the file at path as if its status had given statSize.
LoadError LoadClaiming(HexFile& file, const std::string& path, Offset statSize)
{
    filesys::File open;
    EXPECT_TRUE(open.Open(path, filesys::Mode::kRead)) << path;
    return file.Load(open, statSize, path.c_str());
}

TEST(OlmetFile, TheWholeFileLoadsWhatEverItsSize)
{
    Files files;
    for (size_t size : {size_t(1), size_t(512), size_t(513), size_t(3 << 20) + 5, size_t(9 << 20) + 7}) {
        std::string name = files.Write("olmet_size_" + std::to_string(size) + ".bin", Pattern(size));
        HexFile file;
        ASSERT_EQ(file.Load(name.c_str()), LoadError::None) << size;
        EXPECT_EQ(file.Size(), static_cast<Offset>(size));
        EXPECT_TRUE(Held(file) == Pattern(size)) << "bytes differ for size " << size;
    }
}

TEST(OlmetFile, ThePathIsKeptInLowerCase)
{
    Files files;
    std::string name = files.Write("Olmet_Case_File.BIN", "x");
    HexFile file;
    ASSERT_EQ(file.Load(name.c_str()), LoadError::None);
    EXPECT_EQ(file.Path(), "olmet_case_file.bin");
}

TEST(OlmetFile, FailuresNameTheirCause)
{
    Files files;
    std::string empty = files.Write("olmet_empty.bin", "");
    std::string good = files.Write("olmet_one.bin", "1");
    struct Case {
        const char* what;
        std::string path;
        bool failAllocate, failLock;
        LoadError error;
        std::string message;
    } cases[] = {
        {"missing", "olmet_No Such File.bin", false, false, LoadError::CantOpen, "cant open olmet_No Such File.bin"},
        {"quoted", "\"olmet_one.bin\"", false, false, LoadError::CantOpen, "cant open \"olmet_one.bin\""},
        {"empty", empty, false, false, LoadError::ZeroLength, "Zero length file!"},
        {"no memory", good, true, false, LoadError::OutOfMemory, "Out of memory"},
        {"no lock", good, false, true, LoadError::CantLock, "Cant lock global memory - get help"},
    };
    for (const Case& c : cases) {
        CountingSeam seam;
        seam.failAllocate = c.failAllocate;
        seam.failLock = c.failLock;
        {
            HexFile file(seam);
            LoadError error = file.Load(c.path.c_str());
            EXPECT_EQ(error, c.error) << c.what;
            EXPECT_EQ(LoadMessage(error, c.path), c.message) << c.what;
            EXPECT_FALSE(file.Loaded()) << c.what;
            EXPECT_EQ(file.Size(), 0) << c.what;
        }
        EXPECT_EQ(seam.live, 0) << c.what << ": a block was left behind";
    }
}

TEST(OlmetFile, AFailedLoadLeavesTheLoadedFileWhole)
{
    Files files;
    std::string first = files.Write("olmet_first.bin", Pattern(100));
    std::string empty = files.Write("olmet_empty2.bin", "");
    std::string second = files.Write("olmet_second.bin", Pattern(40));
    CountingSeam seam;
    HexFile file(seam);
    ASSERT_EQ(file.Load(first.c_str()), LoadError::None);
    const unsigned char* data = file.Data();

    struct Step {
        const char* what;
        std::string path;
        bool failAllocate, failLock;
    } steps[] = {
        {"missing", "olmet_gone.bin", false, false},
        {"empty", empty, false, false},
        {"no memory", second, true, false},
        {"no lock", second, false, true},
    };
    for (const Step& s : steps) {
        seam.failAllocate = s.failAllocate;
        seam.failLock = s.failLock;
        EXPECT_NE(file.Load(s.path.c_str()), LoadError::None) << s.what;
        EXPECT_EQ(file.Data(), data) << s.what;
        EXPECT_EQ(file.Size(), 100) << s.what;
        EXPECT_EQ(file.Path(), first) << s.what;
        EXPECT_TRUE(Held(file) == Pattern(100)) << s.what;
        EXPECT_EQ(seam.live, 1) << s.what;
    }

    seam.failAllocate = seam.failLock = false;
    ASSERT_EQ(file.Load(second.c_str()), LoadError::None);
    EXPECT_EQ(file.Size(), 40);
    EXPECT_TRUE(Held(file) == Pattern(40));
    EXPECT_EQ(file.Path(), second);
    EXPECT_EQ(seam.live, 1) << "the first file's block was not freed";
}

TEST(OlmetFile, AFileShorterThanItsStatusShowsOnlyWhatWasRead)
{
    Files files;
    std::string name = files.Write("olmet_shrunk.bin", "0123456789");
    CountingSeam seam;
    {
        HexFile file(seam);
        ASSERT_EQ(LoadClaiming(file, name, 100), LoadError::None);
        EXPECT_EQ(file.Size(), 10);
        EXPECT_EQ(Held(file), "0123456789");
    }
    EXPECT_EQ(seam.live, 0);

    // A file that grew is read only as far as its status said.
    HexFile grown(seam);
    ASSERT_EQ(LoadClaiming(grown, name, 4), LoadError::None);
    EXPECT_EQ(Held(grown), "0123");

    // The same past the first megabytes, which are read while the pages of
    // the rest are still being faulted in.
    const std::string large = Pattern((9 << 20) + 7);
    std::string big = files.Write("olmet_shrunk_big.bin", large);
    HexFile shrunk(seam);
    ASSERT_EQ(LoadClaiming(shrunk, big, 13 << 20), LoadError::None);
    EXPECT_EQ(shrunk.Size(), static_cast<Offset>(large.size()));
    EXPECT_TRUE(Held(shrunk) == large);
    HexFile cut(seam);
    ASSERT_EQ(LoadClaiming(cut, big, (5 << 20) + 3), LoadError::None);
    EXPECT_TRUE(Held(cut) == large.substr(0, (5 << 20) + 3));
}

// A read that fails, or a status that cannot be had, is reported as the
// pager reports it; the block goes, and the file shown before stays shown,
// whole.
TEST(OlmetFile, AReadErrorKeepsNoPartOfTheFile)
{
    Files files;
    std::string shown = files.Write("olmet_shown.bin", Pattern(64));
    std::string next = files.Write("olmet_unreadable.bin", Pattern(3000));
    struct Case {
        const char* what;
        Offset statSize;
        bool closeFirst;
    } cases[] = {
        {"read after close", 3000, true},
        {"no status", -1, false},
    };
    for (const Case& c : cases) {
        CountingSeam seam;
        {
            HexFile file(seam);
            ASSERT_EQ(file.Load(shown.c_str()), LoadError::None) << c.what;
            filesys::File open;
            ASSERT_TRUE(open.Open(next, filesys::Mode::kRead)) << c.what;
            if (c.closeFirst) {
                ASSERT_TRUE(open.Close()) << c.what;
            }
            LoadError error = file.Load(open, c.statSize, next.c_str());
            EXPECT_EQ(error, LoadError::CantOpen) << c.what;
            EXPECT_EQ(LoadMessage(error, next), "cant open " + next) << c.what;
            EXPECT_EQ(file.Path(), shown) << c.what;
            EXPECT_TRUE(Held(file) == Pattern(64)) << c.what;
            EXPECT_EQ(seam.live, 1) << c.what << ": the failed load's block was kept";
        }
        EXPECT_EQ(seam.live, 0) << c.what;
    }
}

}   // namespace
