#include "diff_test_support.h"

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <stdexcept>

#include "message.h"

namespace {
std::vector<std::string> g_messages;

void RecordMessage(const char* text)
{
    g_messages.push_back(text);
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}
}

ScratchDir::ScratchDir()
{
    m_previous = CurrentDirectoryName();
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string base = temp;
    if (!base.empty() && base.back() == '\\')
        base.pop_back();
    for (unsigned n = GetTickCount() ^ GetCurrentProcessId();; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "\\difft%08x", n);
        if (CreateDirectoryA((base + name).c_str(), nullptr)) {
            m_path = base + name;
            break;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot make a scratch directory");
    }
    // Read the name back as the system spells it (long form).
    char full[MAX_PATH];
    DWORD n = GetLongPathNameA(m_path.c_str(), full, sizeof full);
    if (n > 0 && n < sizeof full)
        m_path = full;
}

ScratchDir::~ScratchDir()
{
    SetCurrentDirectoryA(m_previous.c_str());
    RemoveTree(m_path);
}

void ScratchDir::enter() const
{
    SetCurrentDirectoryA(m_path.c_str());
}

Messages::Messages()
{
    g_messages.clear();
    SetToolMessageHandler(&RecordMessage);
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

void WriteBytes(const std::string& path, const std::string& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot write " + path);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::string ReadBytes(const std::string& path)
{
    std::string bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    char block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        bytes.append(block, got);
    std::fclose(file);
    return bytes;
}

void MakeDirectory(const std::string& path)
{
    if (!CreateDirectoryA(path.c_str(), nullptr))
        throw std::runtime_error("cannot make " + path);
}

std::string CurrentDirectoryName()
{
    char name[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(sizeof name, name);
    return n > 0 && n < sizeof name ? std::string(name) : std::string();
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}
