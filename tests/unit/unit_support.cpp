#include "unit_support.h"

#include <direct.h>
#include <windows.h>

#include <cstdio>
#include <stdexcept>

#include "message.h"

namespace {
std::vector<std::string> g_recorded;

void Record(const char* text)
{
    g_recorded.push_back(text);
}
}

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
        std::snprintf(name, sizeof name, "\\tamrel-unit-%lu-%u", static_cast<unsigned long>(GetCurrentProcessId()),
                      counter++);
        std::string candidate = root + name;
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary directory");
}

TempDir::~TempDir()
{
    RemoveTree(m_path);
}

CurrentDirectory::CurrentDirectory(const std::string& path)
{
    char previous[MAX_PATH];
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
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot write " + path);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    bytes.clear();
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, n);
    std::fclose(file);
    return true;
}

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
