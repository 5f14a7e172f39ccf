// A stand-in for a program that the suite starts: it records how it was
// started and ends at once, showing nothing. Tests install it under the name
// of the program they expect to be started (zodo.exe, say) and read the log
// it leaves beside itself.
//
// Each start appends one entry to "recorder.log" in the directory of the
// executable: the whole command line, the tail that a C runtime hands to
// WinMain, and the current directory. Every field is written as its length in
// decimal, a colon, the bytes and a line feed, so that blanks, quotes and line
// breaks in a command line come back unchanged.
#include <windows.h>

#include <string>

namespace {

// The command line without the program name, as the C runtime cuts it: a
// quoted name runs to the closing quote, an unquoted one to the first blank
// or control character; the blanks after it go too.
const char* CommandTail(const char* line)
{
    const char* p = line;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
    } else {
        while (static_cast<unsigned char>(*p) > ' ')
            ++p;
    }
    while (*p && static_cast<unsigned char>(*p) <= ' ')
        ++p;
    return p;
}

void AddField(std::string* entry, const std::string& value)
{
    *entry += std::to_string(value.size());
    *entry += ':';
    *entry += value;
    *entry += '\n';
}

}   // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const char* line = GetCommandLineA();

    char exe[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return 2;
    std::string log(exe, n);
    log = log.substr(0, log.find_last_of('\\') + 1) + "recorder.log";

    char cwd[MAX_PATH];
    DWORD c = GetCurrentDirectoryA(MAX_PATH, cwd);
    if (c >= MAX_PATH)
        c = 0;

    std::string entry;
    AddField(&entry, line);
    AddField(&entry, CommandTail(line));
    AddField(&entry, std::string(cwd, c));

    // One write per entry, so that a reader never sees half of one for long
    // and two recorders started together do not interleave.
    HANDLE f = CreateFileA(log.c_str(),
                           FILE_APPEND_DATA,
                           FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr,
                           OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return 3;
    DWORD written = 0;
    BOOL ok = WriteFile(f, entry.data(), static_cast<DWORD>(entry.size()), &written, nullptr);
    CloseHandle(f);
    return ok && written == entry.size() ? 0 : 4;
}
