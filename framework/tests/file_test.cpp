// CFile tells its caller when bytes did not reach the disk.
#include <gtest/gtest.h>

#include <string>

#include "afxwin.h"

TEST(File, WriteFlushAndCloseSayTheyWorked)
{
    char dir[MAX_PATH], name[MAX_PATH];
    ASSERT_NE(GetTempPathA(sizeof dir, dir), 0u);
    ASSERT_NE(GetTempFileNameA(dir, "cf", 0, name), 0u);
    CFile file;
    ASSERT_TRUE(file.Open(name, CFile::modeCreate | CFile::modeWrite));
    EXPECT_TRUE(file.Write("abc", 3));
    EXPECT_TRUE(file.Write("", 0));
    EXPECT_TRUE(file.Flush());
    EXPECT_TRUE(file.Close());

    ASSERT_TRUE(file.Open(name, CFile::modeRead));
    char back[8] = {};
    EXPECT_EQ(file.Read(back, sizeof back), 3u);
    EXPECT_EQ(std::string(back), "abc");
    file.Close();
    DeleteFileA(name);
}

TEST(File, AWriteTheDiskRefusesIsReported)
{
    // Wine shows the host's full device as z:\dev\full; Windows has none.
    const char* full = "z:\\dev\\full";
    if (GetFileAttributesA(full) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no device that is always full on this system";
    CFile file;
    ASSERT_TRUE(file.Open(full, CFile::modeWrite | CFile::shareDenyNone));
    std::string block(65536, 'x');
    EXPECT_FALSE(file.Write(block.data(), static_cast<UINT>(block.size())));
}

TEST(File, AClosedFileRefusesWrites)
{
    CFile file;
    EXPECT_FALSE(file.Write("x", 1));
    EXPECT_FALSE(file.Flush());
}
