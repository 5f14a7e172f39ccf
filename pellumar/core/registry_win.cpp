#include "registry.h"

#include <windows.h>

#include <vector>

bool SystemRegistry::DefaultValue(const std::string& key, std::string& value)
{
    // The value is read into a buffer of the size the registry names, so a
    // long type name or command is read whole rather than cut or refused.
    LONG size = 0;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, &size) != ERROR_SUCCESS)
        return false;
    std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
    LONG got = static_cast<LONG>(buffer.size());
    if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), buffer.data(), &got) != ERROR_SUCCESS)
        return false;
    buffer.back() = 0;
    value = buffer.data();
    return true;
}
