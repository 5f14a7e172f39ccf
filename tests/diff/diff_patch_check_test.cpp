// Checks the hunks against GNU patch: for generated pairs of files that
// differ by a few inserted, deleted and changed lines, the output with its
// "$" ranges written out must turn the first file into the second exactly.
// The test runs under Wine, which starts the Linux patch program directly.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "diff_test_support.h"
#include "linediff.h"

namespace {
typedef char*(__cdecl* UnixNameFunction)(const wchar_t*);

// The Linux path of a Windows path, or "" when not running under Wine.
std::string UnixName(const std::string& path)
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    UnixNameFunction toUnix = kernel ? reinterpret_cast<UnixNameFunction>(
                                           reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")))
                                     : nullptr;
    if (!toUnix)
        return "";
    std::wstring wide(path.begin(), path.end());
    char* name = toUnix(wide.c_str());
    if (!name)
        return "";
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Runs a shell script through Linux /bin/sh and returns its exit code, -1
// when it cannot start or does not finish. Wine starts Linux programs
// without a process handle to wait on, so the script leaves its exit code
// in a file that appears only once it is complete.
int RunShellScript(const ScratchDir& dir, const std::string& unixDir, const std::string& script)
{
    std::string status = dir.file("status");
    std::remove(status.c_str());
    WriteFileBytes(dir.file("run.sh"),
                   script + "\necho $? >\"" + unixDir + "/status.part\"\nmv \"" + unixDir + "/status.part\" \"" +
                       unixDir + "/status\"\n");
    std::string commandLine = "/bin/sh \"" + unixDir + "/run.sh\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back(0);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    for (int waited = 0; waited < 60000; waited += 10) {
        if (GetFileAttributesA(status.c_str()) != INVALID_FILE_ATTRIBUTES)
            return std::atoi(ReadFileBytes(status).c_str());
        Sleep(10);
    }
    return -1;
}

// A small linear congruential generator: the same pairs on every run.
class Random {
public:
    explicit Random(unsigned seed) : m_state(seed) {}
    unsigned below(unsigned n)
    {
        m_state = m_state * 1103515245u + 12345u;
        return (m_state >> 8) % n;
    }

private:
    unsigned m_state;
};

std::string Line(Random& random, int serial)
{
    // Some lines repeat (blank lines, braces), as in real text.
    switch (random.below(8)) {
    case 0:
        return "";
    case 1:
        return "}";
    default:
        return "line " + std::to_string(serial) + " " +
               std::string(random.below(40), 'a' + static_cast<char>(random.below(26)));
    }
}

std::string Join(const std::vector<std::string>& lines, const char* end)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + end;
    return text;
}

// Replaces the "$" of every hunk header by the last line of its file.
std::string WithEndsWrittenOut(const std::string& output, size_t lines0, size_t lines1)
{
    std::string result;
    size_t at = 0;
    while (at < output.size()) {
        size_t end = output.find('\n', at);
        end = end == std::string::npos ? output.size() : end + 1;
        std::string line = output.substr(at, end - at);
        if (!line.empty() && line[0] >= '0' && line[0] <= '9') {
            size_t letter = line.find_first_of("acd");
            std::string left = line.substr(0, letter);
            std::string right = line.substr(letter + 1);
            size_t dollar;
            if ((dollar = left.find('$')) != std::string::npos)
                left.replace(dollar, 1, std::to_string(lines0));
            if ((dollar = right.find('$')) != std::string::npos)
                right.replace(dollar, 1, std::to_string(lines1));
            line = left + line[letter] + right;
        }
        result += line;
        at = end;
    }
    return result;
}

TEST(DiffPatchCheck, GnuPatchTurnsTheFirstFileIntoTheSecond)
{
    ScratchDir dir;
    dir.enter();
    std::string unixDir = UnixName(dir.path());
    if (unixDir.empty())
        GTEST_SKIP() << "not running under Wine";
    if (GetFileAttributesA("Z:\\usr\\bin\\patch") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "GNU patch is not installed (/usr/bin/patch)";

    int hunksSeen = 0, endRangesSeen = 0;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        Random random(seed);
        int serial = 0;
        std::vector<std::string> first;
        size_t count = 1 + random.below(seed % 5 == 0 ? 5 : 300);
        for (size_t n = 0; n < count; ++n)
            first.push_back(Line(random, serial++));

        // A few edits of up to eight lines each, far enough apart that the
        // files agree again well within the look-ahead.
        std::vector<std::string> second;
        size_t at = 0;
        while (at < first.size()) {
            unsigned roll = random.below(20);
            if (roll == 0) {   // insert
                for (unsigned k = 1 + random.below(8); k > 0; --k)
                    second.push_back(Line(random, serial++));
            } else if (roll == 1) {   // delete
                at += 1 + random.below(8);
                continue;
            } else if (roll == 2) {   // change
                size_t old = 1 + random.below(8);
                for (unsigned k = 1 + random.below(8); k > 0; --k)
                    second.push_back(Line(random, serial++));
                at += old;
                continue;
            }
            second.push_back(first[at++]);
        }
        if (seed % 7 == 0)   // appended at the end
            for (unsigned k = 1 + random.below(5); k > 0; --k)
                second.push_back(Line(random, serial++));

        // Windows line ends, and every third pair Unix ones.
        bool unixEnds = seed % 3 == 0;
        const char* end = unixEnds ? "\n" : "\r\n";
        WriteFileBytes(dir.file("old.txt"), Join(first, end));
        WriteFileBytes(dir.file("new.txt"), Join(second, end));
        std::remove(dir.file("out.txt").c_str());

        CString result = DiffFiles(dir.file("old.txt").c_str(), dir.file("new.txt").c_str());
        std::string output(result, static_cast<size_t>(result.GetLength()));
        ASSERT_EQ(output.find("cant resync"), std::string::npos) << "seed " << seed;
        if (first == second) {
            EXPECT_EQ(output, "diff: files are the same\r\n") << "seed " << seed;
            continue;
        }
        for (size_t p = 0; (p = output.find("\n", p)) != std::string::npos; ++p)
            hunksSeen += p + 1 < output.size() && output[p + 1] >= '0' && output[p + 1] <= '9';
        endRangesSeen += output.find('$') != std::string::npos;
        WriteFileBytes(dir.file("hunks.txt"), WithEndsWrittenOut(output, first.size(), second.size()));

        std::string command = "/usr/bin/patch -s --normal " + std::string(unixEnds ? "" : "--binary ") + "-o \"" +
                              unixDir + "/out.txt\" \"" + unixDir + "/old.txt\" \"" + unixDir + "/hunks.txt\"";
        ASSERT_EQ(RunShellScript(dir, unixDir, command), 0) << "seed " << seed << "\n" << output;
        EXPECT_EQ(ReadFileBytes(dir.file("out.txt")), Join(second, end)) << "seed " << seed << "\n" << output;
    }
    // The generated pairs did exercise several hunks and "$" ranges.
    EXPECT_GT(hunksSeen, 100);
    EXPECT_GT(endRangesSeen, 5);
}
}
