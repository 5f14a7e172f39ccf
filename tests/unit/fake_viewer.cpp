// Stands in for the pager in the View tests: writes the command line it was
// started with next to itself, then ends. The file appears whole (written
// under another name, then renamed) so the test never reads half of it.
#include <windows.h>

#include <cstring>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, sizeof self);
    if (n == 0 || n >= sizeof self)
        return 1;
    char* slash = std::strrchr(self, '\\');
    if (!slash)
        return 1;
    slash[1] = 0;
    std::string partial = std::string(self) + "viewer-cmdline.part";
    std::string done = std::string(self) + "viewer-cmdline.txt";
    const char* commandLine = GetCommandLineA();
    HANDLE file =
        CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, commandLine, static_cast<DWORD>(std::strlen(commandLine)), &written, nullptr);
    CloseHandle(file);
    MoveFileA(partial.c_str(), done.c_str());
    return 0;
}
