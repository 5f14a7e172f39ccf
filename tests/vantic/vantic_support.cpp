#include "vantic_support.h"

#include <direct.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "message.h"

namespace {

std::vector<std::string> g_messages;

void Record(const char* text)
{
    g_messages.push_back(text);
}

std::string ReadFile(const std::string& path, const char* mode)
{
    FILE* f = std::fopen(path.c_str(), mode);
    if (!f)
        throw std::runtime_error("cannot read " + path);
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    std::fclose(f);
    return text;
}

void WriteFile(const std::string& path, const std::string& text, const char* mode)
{
    FILE* f = std::fopen(path.c_str(), mode);
    if (!f)
        throw std::runtime_error("cannot write " + path);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

}  // namespace

ScratchDir::ScratchDir()
{
    char base[MAX_PATH];
    DWORD n = GetTempPathA(sizeof base, base);
    if (n == 0 || n >= sizeof base)
        throw std::runtime_error("no temporary directory");
    std::string root(base);
    if (!root.empty() && root.back() == '\\')
        root.pop_back();
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 1000 && m_path.empty(); ++attempt) {
        char name[64];
        std::snprintf(name, sizeof name, "\\vantic-test-%lu-%u", static_cast<unsigned long>(GetCurrentProcessId()),
                      counter++);
        if (CreateDirectoryA((root + name).c_str(), nullptr))
            m_path = root + name;
    }
    if (m_path.empty())
        throw std::runtime_error("cannot make a scratch directory");
    char previous[MAX_PATH];
    if (_getcwd(previous, sizeof previous))
        m_previous = previous;
    if (_chdir(m_path.c_str()) != 0)
        throw std::runtime_error("cannot enter " + m_path);
}

ScratchDir::~ScratchDir()
{
    if (!m_previous.empty())
        _chdir(m_previous.c_str());
    for (const std::string& name : files()) {
        std::string path = file(name);
        _chmod(path.c_str(), _S_IREAD | _S_IWRITE);
        std::remove(path.c_str());
    }
    RemoveDirectoryA(m_path.c_str());
}

std::vector<std::string> ScratchDir::files() const
{
    std::vector<std::string> names;
    struct _finddata_t entry;
    intptr_t search = _findfirst(file("*").c_str(), &entry);
    if (search == -1)
        return names;
    do {
        if (!(entry.attrib & _A_SUBDIR))
            names.push_back(entry.name);
    } while (_findnext(search, &entry) == 0);
    _findclose(search);
    std::sort(names.begin(), names.end());
    return names;
}

Messages::Messages()
{
    g_messages.clear();
    SetToolMessageHandler(&Record);
}

Messages::~Messages()
{
    SetToolMessageHandler(nullptr);
    g_messages.clear();
}

const std::vector<std::string>& Messages::all() const
{
    return g_messages;
}

void Messages::clear()
{
    g_messages.clear();
}

void WriteText(const std::string& path, const std::string& text)
{
    WriteFile(path, text, "wt");
}

std::string ReadText(const std::string& path)
{
    return ReadFile(path, "rt");
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    WriteFile(path, bytes, "wb");
}

std::string ReadBytes(const std::string& path)
{
    return ReadFile(path, "rb");
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}
