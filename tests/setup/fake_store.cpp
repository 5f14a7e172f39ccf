#include "fake_store.h"

#include <cctype>

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string ProfileId(const std::string& section, const std::string& key)
{
    return Lower(section) + "\n" + Lower(key);
}

}   // namespace

bool FakeStore::Attempt(const std::string& op, const std::string& value, bool withValue)
{
    writes.push_back(withValue ? op + "=" + value : op);
    return failing.count(op) == 0;
}

void FakeStore::PutProfile(const std::string& section, const std::string& key, const std::string& value)
{
    m_profile[ProfileId(section, key)] = value;
}

bool FakeStore::HasProfile(const std::string& section, const std::string& key) const
{
    return m_profile.count(ProfileId(section, key)) != 0;
}

std::string FakeStore::Profile(const std::string& section, const std::string& key) const
{
    auto it = m_profile.find(ProfileId(section, key));
    return it == m_profile.end() ? std::string() : it->second;
}

void FakeStore::PutKey(const std::string& path, const std::string& value)
{
    // Parents come with the key, as RegCreateKey makes them.
    std::string lower = Lower(path);
    for (size_t slash = lower.find('\\'); slash != std::string::npos; slash = lower.find('\\', slash + 1))
        m_keys.emplace(lower.substr(0, slash), "");
    m_keys[lower] = value;
}

bool FakeStore::HasKey(const std::string& path) const
{
    return m_keys.count(Lower(path)) != 0;
}

std::string FakeStore::Value(const std::string& path) const
{
    auto it = m_keys.find(Lower(path));
    return it == m_keys.end() ? std::string() : it->second;
}

void FakeStore::PutFile(const std::string& path)
{
    m_files.insert(Lower(path));
}

bool FakeStore::HasFile(const std::string& path) const
{
    return m_files.count(Lower(path)) != 0;
}

std::string FakeStore::ReadProfile(const std::string& section, const std::string& key)
{
    return Profile(section, key);
}

bool FakeStore::WriteProfile(const std::string& section, const std::string& key, const char* value)
{
    std::string op = "profile [" + section + "] " + key + (value ? "" : " deleted");
    if (!Attempt(op, value ? value : "", value != nullptr))
        return false;
    if (value)
        PutProfile(section, key, value);
    else
        m_profile.erase(ProfileId(section, key));
    return true;
}

bool FakeStore::CreateKey(const std::string& path)
{
    if (!Attempt("create " + path))
        return false;
    if (!HasKey(path))
        PutKey(path);
    return true;
}

bool FakeStore::KeyExists(const std::string& path)
{
    return HasKey(path);
}

bool FakeStore::SetValue(const std::string& path, const std::string& value)
{
    if (!Attempt("set " + path, value, true))
        return false;
    PutKey(path, value);
    return true;
}

StoreResult FakeStore::QueryValue(const std::string& path, std::string* value)
{
    if (!HasKey(path))
        return StoreResult::absent;
    *value = Value(path);
    return StoreResult::done;
}

StoreResult FakeStore::DeleteKey(const std::string& path)
{
    if (!Attempt("delete " + path))
        return StoreResult::failed;
    std::string lower = Lower(path);
    if (!HasKey(path))
        return StoreResult::absent;
    std::string below = lower + "\\";
    auto next = m_keys.lower_bound(below);
    if (next != m_keys.end() && next->first.compare(0, below.size(), below) == 0)
        return StoreResult::failed;   // it still has a subkey
    m_keys.erase(lower);
    return StoreResult::done;
}

std::string FakeStore::WindowsDirectory()
{
    return windowsDirectory;
}

StoreResult FakeStore::RemoveFile(const std::string& path)
{
    if (!Attempt("remove " + path))
        return StoreResult::failed;
    return m_files.erase(Lower(path)) ? StoreResult::done : StoreResult::absent;
}
