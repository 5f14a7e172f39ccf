#include "unit_support.h"

#ifdef _WIN32
#include <direct.h>
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "message.h"
#include "sysio.h"

namespace {
std::vector<std::string> g_recorded;

void Record(const char* text)
{
    g_recorded.push_back(text);
}

void WriteFileIn(const char* mode, const std::string& path, const std::string& bytes)
{
    FILE* file = std::fopen(path.c_str(), mode);
    if (!file)
        throw std::runtime_error("cannot write " + path);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

bool ReadFileIn(const char* mode, const std::string& path, std::string& bytes)
{
    FILE* file = std::fopen(path.c_str(), mode);
    if (!file)
        return false;
    bytes.clear();
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, n);
    std::fclose(file);
    return true;
}

std::string ReadWholeFileIn(const char* mode, const std::string& path)
{
    std::string bytes;
    if (!ReadFileIn(mode, path, bytes))
        throw std::runtime_error("cannot read " + path);
    return bytes;
}
}

#ifdef _WIN32
TempDir::TempDir()
{
    char base[MAX_PATH];
    DWORD n = GetTempPathA(sizeof base, base);
    if (n == 0 || n >= sizeof base)
        throw std::runtime_error("no temporary directory");
    std::string root(base);
    if (!root.empty() && root.back() == '\\')
        root.pop_back();
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char name[64];
        std::snprintf(
            name, sizeof name, "\\tamrel-unit-%lu-%u", static_cast<unsigned long>(GetCurrentProcessId()), counter++);
        std::string candidate = root + name;
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            m_path = candidate;
            char full[MAX_PATH];
            DWORD length = GetLongPathNameA(m_path.c_str(), full, sizeof full);
            if (length > 0 && length < sizeof full)
                m_path = full;
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary directory");
}

#else
TempDir::TempDir()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/tamrel-unit-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back(0);
    if (!mkdtemp(name.data()))
        throw std::runtime_error("cannot make a temporary directory");
    m_path = name.data();
}

#endif

TempDir::~TempDir()
{
    RemoveTree(m_path);
}

CurrentDirectory::CurrentDirectory(const std::string& path)
{
    char previous[4096];
    if (_getcwd(previous, sizeof previous))
        m_previous = previous;
    if (_chdir(path.c_str()) != 0)
        throw std::runtime_error("cannot change to " + path);
}

CurrentDirectory::~CurrentDirectory()
{
    if (!m_previous.empty())
        _chdir(m_previous.c_str());
}

MessageRecorder::MessageRecorder()
{
    g_recorded.clear();
    SetToolMessageHandler(&Record);
}

MessageRecorder::~MessageRecorder()
{
    SetToolMessageHandler(nullptr);
    g_recorded.clear();
}

const std::vector<std::string>& MessageRecorder::messages() const
{
    return g_recorded;
}

void MessageRecorder::clear()
{
    g_recorded.clear();
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    WriteFileIn("wb", path, bytes);
}

bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    return ReadFileIn("rb", path, bytes);
}

std::string ReadFileBytes(const std::string& path)
{
    return ReadWholeFileIn("rb", path);
}

void WriteFileText(const std::string& path, const std::string& text)
{
    WriteFileIn("wt", path, text);
}

std::string ReadFileText(const std::string& path)
{
    return ReadWholeFileIn("rt", path);
}

#ifdef _WIN32
bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::string& path)
{
    if (path.empty())
        return;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

void MakeDirectory(const std::string& path)
{
    if (!CreateDirectoryA(path.c_str(), nullptr))
        throw std::runtime_error("cannot make " + path);
}

std::vector<std::string> FilesIn(const std::string& directory, const std::string& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((directory + "\\" + pattern).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::string CurrentDirectoryName()
{
    char name[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(sizeof name, name);
    return n > 0 && n < sizeof name ? std::string(name) : std::string();
}

#else
bool FileExists(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

void RemoveTree(const std::string& path)
{
    if (path.empty())
        return;
    if (DIR* dir = opendir(path.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "/" + name;
            struct stat status;
            if (lstat(child.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
                RemoveTree(child);
            } else {
                chmod(child.c_str(), 0644);
                unlink(child.c_str());
            }
        }
        closedir(dir);
    }
    rmdir(path.c_str());
}

void MakeDirectory(const std::string& path)
{
    if (mkdir(path.c_str(), 0755) != 0)
        throw std::runtime_error("cannot make " + path);
}

std::vector<std::string> FilesIn(const std::string& directory, const std::string& pattern)
{
    std::vector<std::string> names;
    if (DIR* dir = opendir(directory.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string child = directory + "/" + entry->d_name;
            struct stat status;
            if (stat(child.c_str(), &status) == 0 && !S_ISDIR(status.st_mode) &&
                WildcardMatches(pattern.c_str(), entry->d_name))
                names.push_back(entry->d_name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string CurrentDirectoryName()
{
    char name[4096];
    return getcwd(name, sizeof name) ? std::string(name) : std::string();
}

#endif

std::string Lowered(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}
