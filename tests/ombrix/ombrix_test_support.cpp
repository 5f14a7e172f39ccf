#include "ombrix_test_support.h"

#include <cstdio>

#include "outtext.h"

UtilityTest::UtilityTest() : m_inside(m_dir.path())
{
    ResetOutput();
    // Spill files of engines called on their own land here, not in the
    // root of the drive.
    std::snprintf(g_outputDir, sizeof g_outputDir, "%s", m_dir.path().c_str());
}

UtilityTest::~UtilityTest()
{
    CloseOutputSpill();
    ResetOutput();
    g_outputDir[0] = 0;
}

void UtilityTest::Make(const std::string& name, const std::string& bytes) const
{
    WriteFileBytes(m_dir.file(name), bytes);
}

std::string UtilityTest::Read(const std::string& name) const
{
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(m_dir.file(name), bytes)) << "cannot read " << name;
    return bytes;
}

bool UtilityTest::Exists(const std::string& name) const
{
    return FileExists(m_dir.file(name));
}

std::vector<std::string> UtilityTest::Files(const std::string& pattern) const
{
    return FilesIn(m_dir.path(), pattern);
}

std::string UtilityTest::Output() const
{
    return std::string(static_cast<const char*>(g_outputText), static_cast<size_t>(g_outputText.GetLength()));
}

std::string UtilityTest::Everything() const
{
    bool spilled = g_output.Spilling();
    CloseOutputSpill();
    std::string text = Output();
    if (!spilled)
        return text;
    const std::string label = "**** Results written to file: ";
    size_t at = text.find(label);
    if (at == std::string::npos) {
        ADD_FAILURE() << "no spill notice in " << text;
        return text;
    }
    at += label.size();
    std::string name = text.substr(at, text.find("\r\n", at) - at);
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(name, bytes)) << "cannot read the spill file " << name;
    return bytes;
}

std::string NumberedLines(int first, int last, const std::string& end)
{
    std::string text;
    for (int i = first; i <= last; ++i)
        text += "line " + std::to_string(i) + end;
    return text;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(text.substr(at));
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}
