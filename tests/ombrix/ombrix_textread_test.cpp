#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "ombrix_test_support.h"
#include "textread.h"

namespace {
class LineReaderTest : public UtilityTest {
protected:
    // The lines the C runtime's fgets gives with a buffer of size, the file
    // opened in mode; each cut at its first NUL, as fgets leaves no length.
    std::vector<std::string> RuntimeLines(const std::string& name, const char* mode, size_t size) const
    {
        std::vector<std::string> lines;
        FILE* file = std::fopen(m_dir.file(name).c_str(), mode);
        EXPECT_NE(nullptr, file);
        if (!file)
            return lines;
        std::vector<char> line(size);
        while (std::fgets(line.data(), static_cast<int>(size), file))
            lines.push_back(line.data());
        std::fclose(file);
        return lines;
    }

    std::vector<std::string> ReaderLines(const std::string& name, bool text, size_t size) const
    {
        std::vector<std::string> lines;
        FILE* file = std::fopen(m_dir.file(name).c_str(), "rb");
        EXPECT_NE(nullptr, file);
        if (!file)
            return lines;
        LineReader reader(file, text);
        std::vector<char> line(size);
        size_t length = 0;
        while (reader.ReadLine(line.data(), size, &length)) {
            EXPECT_EQ(0, line[length]);
            lines.push_back(line.data());
        }
        std::fclose(file);
        return lines;
    }
};

// Text with every kind of line end, long lines, NUL bytes and carriage
// returns, often placed across the reader's 64 KB buffers.
std::string Mixed(unsigned seed, size_t size, bool withTextEnd)
{
    std::mt19937 random(seed);
    const std::string pieces[] = {"\r\n", "\n", "\r", "\r\r\n", "a", "word ", "\t", std::string(1, '\0')};
    std::string text;
    while (text.size() < size) {
        unsigned pick = random() % 20;
        if (pick < 8) {
            text += pieces[pick];
        } else if (pick < 10) {
            text += std::string(random() % 1200, 'x');
        } else {
            text += "text " + std::to_string(random());
        }
    }
    if (withTextEnd)
        text[size / 2] = '\x1a';
    return text;
}

TEST_F(LineReaderTest, GivesTheLinesTheRuntimeGives)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        std::string text = Mixed(seed, 300000, seed % 2 == 0);
        // A carriage return and line feed pair across the first buffer
        // boundary, and a carriage return as the last byte of it.
        text.replace(65535, 2, seed % 3 == 0 ? "\r\n" : "\ra");
        Make("mixed.txt", text);
        for (size_t size : {512u, 80u}) {
            SCOPED_TRACE(size);
            EXPECT_EQ(RuntimeLines("mixed.txt", "r", size), ReaderLines("mixed.txt", true, size));
            EXPECT_EQ(RuntimeLines("mixed.txt", "rb", size), ReaderLines("mixed.txt", false, size));
        }
    }
    for (const char* ending : {"",
                               "\r",
                               "\r\n",
                               "abc\r",
                               "\x1a"
                               "after"}) {
        SCOPED_TRACE(ending);
        Make("end.txt", std::string("one\r\ntwo") + ending);
        EXPECT_EQ(RuntimeLines("end.txt", "r", 512), ReaderLines("end.txt", true, 512));
        EXPECT_EQ(RuntimeLines("end.txt", "rb", 512), ReaderLines("end.txt", false, 512));
    }
}

TEST_F(LineReaderTest, PositionsAreBytesOfTheFile)
{
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "line " + std::to_string(i) + (i % 2 ? "\n" : "\r\n");
    Make("lines.txt", text);
    FILE* file = std::fopen(m_dir.file("lines.txt").c_str(), "rb");
    ASSERT_NE(nullptr, file);
    LineReader reader(file, true);
    char line[512];
    size_t length = 0;
    for (int i = 0; i < 5; ++i)
        reader.ReadLine(line, sizeof line, &length);
    long long kept = reader.Tell();
    EXPECT_EQ(static_cast<long long>(text.find("line 5\n")), kept);
    // Far past the buffer that held the place kept, then back.
    for (int i = 0; i < 15000; ++i)
        reader.ReadLine(line, sizeof line, &length);
    EXPECT_EQ(static_cast<long long>(text.find("line 15005\n")), reader.Tell());
    reader.Seek(kept);
    ASSERT_TRUE(reader.ReadLine(line, sizeof line, &length));
    EXPECT_STREQ("line 5\n", line);
    EXPECT_EQ(7u, length);
    // And back within the current buffer.
    kept = reader.Tell();
    reader.ReadLine(line, sizeof line, &length);
    reader.Seek(kept);
    ASSERT_TRUE(reader.ReadLine(line, sizeof line, &length));
    EXPECT_STREQ("line 6\n", line);
    std::fclose(file);
}
}   // namespace
