// An in-memory winfile.ini, registry and Windows directory for the
// installer's unit tests. It behaves as the platform does where the
// installer depends on it (profile keys match without regard to case, a
// registry key with subkeys cannot be deleted, RegSetValue creates the key
// it names), logs every write in order, and fails the writes a test names.
#ifndef TESTS_SETUP_FAKE_STORE_H
#define TESTS_SETUP_FAKE_STORE_H

#include <map>
#include <set>
#include <string>
#include <vector>

#include "install.h"

class FakeStore : public SetupStore {
public:
    // Every write as "op target[=value]": "profile [Tamrel] Editor=x",
    // "profile [Tamrel] Editor deleted", "create path", "set path=value",
    // "delete path", "remove path". Failed writes are logged too.
    std::vector<std::string> writes;
    // Writes that fail, named as in the log without "=value".
    std::set<std::string> failing;

    std::string windowsDirectory = "D:\\WinNT";

    // Setting up and reading back, without logging.
    void PutProfile(const std::string& section, const std::string& key, const std::string& value);
    bool HasProfile(const std::string& section, const std::string& key) const;
    std::string Profile(const std::string& section, const std::string& key) const;
    void PutKey(const std::string& path, const std::string& value = "");
    bool HasKey(const std::string& path) const;
    std::string Value(const std::string& path) const;
    void PutFile(const std::string& path);
    bool HasFile(const std::string& path) const;

    std::string ReadProfile(const std::string& section, const std::string& key) override;
    bool WriteProfile(const std::string& section, const std::string& key, const char* value) override;
    bool CreateKey(const std::string& path) override;
    bool KeyExists(const std::string& path) override;
    bool SetValue(const std::string& path, const std::string& value) override;
    StoreResult QueryValue(const std::string& path, std::string* value) override;
    StoreResult DeleteKey(const std::string& path) override;
    std::string WindowsDirectory() override;
    StoreResult RemoveFile(const std::string& path) override;

private:
    bool Attempt(const std::string& op, const std::string& value = std::string(), bool withValue = false);

    std::map<std::string, std::string> m_profile;   // "section\nkey", lower case
    std::map<std::string, std::string> m_keys;      // path, lower case -> default value
    std::set<std::string> m_files;                  // lower case
};

#endif
