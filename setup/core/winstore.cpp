#include "winstore.h"

#include <windows.h>

#include <vector>

#include "filesys.h"

namespace {

bool IsAbsence(LONG error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}   // namespace

std::string WindowsSetupStore::ReadProfile(const std::string& section, const std::string& key)
{
    // The whole value, however long: a buffer the value filled may have cut
    // it, so the read is tried again with twice the room.
    std::vector<char> value(512);
    for (;;) {
        DWORD got = GetPrivateProfileStringA(
            section.c_str(), key.c_str(), "", value.data(), static_cast<DWORD>(value.size()), kProfileFile);
        if (got + 1 < value.size() || value.size() >= 1u << 20)
            return std::string(value.data(), got < value.size() ? got : value.size() - 1);
        value.resize(value.size() * 2);
    }
}

bool WindowsSetupStore::WriteProfile(const std::string& section, const std::string& key, const char* value)
{
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value, kProfileFile) != FALSE;
}

bool WindowsSetupStore::CreateKey(const std::string& path)
{
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_CLASSES_ROOT, path.c_str(), &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool WindowsSetupStore::KeyExists(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_CLASSES_ROOT, path.c_str(), &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool WindowsSetupStore::SetValue(const std::string& path, const std::string& value)
{
    return RegSetValueA(HKEY_CLASSES_ROOT, path.c_str(), REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1)) ==
           ERROR_SUCCESS;
}

StoreResult WindowsSetupStore::QueryValue(const std::string& path, std::string* value)
{
    LONG size = 0;
    LONG error = RegQueryValueA(HKEY_CLASSES_ROOT, path.c_str(), nullptr, &size);
    if (IsAbsence(error))
        return StoreResult::absent;
    if (error != ERROR_SUCCESS || size < 0)
        return StoreResult::failed;
    // The value may grow between the two calls; a second short read is a
    // failure rather than a cut value.
    std::vector<char> buffer(static_cast<size_t>(size) + 1, 0);
    size = static_cast<LONG>(buffer.size());
    error = RegQueryValueA(HKEY_CLASSES_ROOT, path.c_str(), buffer.data(), &size);
    if (IsAbsence(error))
        return StoreResult::absent;
    if (error != ERROR_SUCCESS)
        return StoreResult::failed;
    buffer.back() = 0;
    *value = buffer.data();
    return StoreResult::done;
}

StoreResult WindowsSetupStore::DeleteKey(const std::string& path)
{
    LONG error = RegDeleteKeyA(HKEY_CLASSES_ROOT, path.c_str());
    if (error == ERROR_SUCCESS)
        return StoreResult::done;
    return IsAbsence(error) ? StoreResult::absent : StoreResult::failed;
}

std::string WindowsSetupStore::WindowsDirectory()
{
    char path[MAX_PATH] = "";
    UINT length = GetWindowsDirectoryA(path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return std::string();
    return path;
}

StoreResult WindowsSetupStore::RemoveFile(const std::string& path)
{
    if (filesys::Remove(path))
        return StoreResult::done;
    return filesys::LastError() == filesys::Error::kMissing ? StoreResult::absent : StoreResult::failed;
}
