// The installer's store over the platform: the profile functions on
// winfile.ini (a bare name, so the Windows directory's file) and the
// registry under HKEY_CLASSES_ROOT; its one file call, the removal, is the
// tool library's filesys seam.
#ifndef SETUP_WINSTORE_H
#define SETUP_WINSTORE_H

#include "install.h"

class WindowsSetupStore : public SetupStore {
public:
    std::string ReadProfile(const std::string& section, const std::string& key) override;
    bool WriteProfile(const std::string& section, const std::string& key, const char* value) override;
    bool CreateKey(const std::string& path) override;
    bool KeyExists(const std::string& path) override;
    bool SetValue(const std::string& path, const std::string& value) override;
    StoreResult QueryValue(const std::string& path, std::string* value) override;
    StoreResult DeleteKey(const std::string& path) override;
    std::string WindowsDirectory() override;
    StoreResult RemoveFile(const std::string& path) override;
};

#endif
