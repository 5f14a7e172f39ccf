// The installer's work, free of windows: reading the [Tamrel] settings that
// preset the dialog, installing (winfile.ini [Tamrel] and [AddOns], the
// folder verb and the text-file verbs under HKEY_CLASSES_ROOT) and
// uninstalling. Every profile and registry call goes through SetupStore, so
// the unit tests run the same steps over a store whose writes they can make
// fail, and the program runs them over the real winfile.ini and registry.
#ifndef SETUP_INSTALL_H
#define SETUP_INSTALL_H

#include <map>
#include <string>

// What a removal found.
enum class StoreResult {
    done,     // it was there and is gone (or, for a query, it was read)
    absent,   // there was nothing to remove or read
    failed,   // it is there and could not be removed or read
};

// winfile.ini and the registry under HKEY_CLASSES_ROOT, one call each.
// Profile key names match without regard to case; registry paths are
// relative to HKEY_CLASSES_ROOT and values are the key's default value.
class SetupStore {
public:
    virtual ~SetupStore() {}

    // The value, or empty when the key is absent.
    virtual std::string ReadProfile(const std::string& section, const std::string& key) = 0;
    // True when written to the file; a null value deletes the key.
    virtual bool WriteProfile(const std::string& section, const std::string& key, const char* value) = 0;

    // Opens the key, creating it and its parents when missing.
    virtual bool CreateKey(const std::string& path) = 0;
    // True when the key exists (it is opened, never created).
    virtual bool KeyExists(const std::string& path) = 0;
    // Sets the default value of path, creating that key (not its parent)
    // when missing.
    virtual bool SetValue(const std::string& path, const std::string& value) = 0;
    virtual StoreResult QueryValue(const std::string& path, std::string* value) = 0;
    // Deletes a key that has no subkeys.
    virtual StoreResult DeleteKey(const std::string& path) = 0;

    // The directory the platform keeps its profile files in.
    virtual std::string WindowsDirectory() = 0;
    virtual StoreResult RemoveFile(const std::string& path) = 0;
};

// The dialog's fields and check boxes as the user leaves them.
struct SetupChoices {
    std::string directory;   // installation directory as typed (see InstallDirectory)
    std::string editor;
    std::string shell;
    std::string gzip;
    bool addToFileManager = true;
    bool addToExplorer = true;
    bool setViewer = false;
    bool setPrinter = false;
    // The tool fields ("Editor", "Shell", "Gzip") whose stored value was
    // longer than a preset holds, with the cut preset they were given. A
    // field that still holds its cut preset leaves the stored value as it
    // was, so that a cut value never overwrites the whole one.
    std::map<std::string, std::string> cutPresets;
};

// The longest value built from the directory is the print verb,
// directory + "\zodo.exe /p %1"; its readers keep 259 characters, and so
// do the presets of the dialog.
constexpr size_t kMaxValueLength = 259;

// The presets of the dialog: [Tamrel] LoadPath, Editor, Shell and Gzip, each
// cut to kMaxValueLength characters, with ownDirectory (setup's own) when
// LoadPath is empty; the directory is lower-cased. Check boxes keep their
// defaults.
SetupChoices ReadSetupChoices(SetupStore& store, const std::string& ownDirectory);

// The directory as it is written: without a trailing backslash, as every
// value built from it adds its own ("c:\" becomes "c:", whose "c:\zodo.exe"
// is the root's); empty when the text names no directory (nothing but
// blanks, which the profile reader drops, or backslashes).
std::string InstallDirectory(const std::string& typed);

// Whether the values built from directory fit their readers.
bool DirectoryFits(const std::string& directory);

// The messages shown when the directory is refused.
extern const char kDirectoryTooLong[];
extern const char kDirectoryMissing[];

// Why the typed directory cannot be installed to (one of the messages
// above), or null when it can.
const char* DirectoryRefusal(const std::string& typed);

struct SetupOutcome {
    bool ok;
    std::string message;   // what the program shows, success or failure
};

// Writes the settings and registrations in order, stopping at the first
// write that fails; "Setup complete" only when everything was written.
SetupOutcome Install(SetupStore& store, const SetupChoices& choices);

// Removes what Install wrote and puts the text-file verbs that still start
// the directory's pager back to the editor. Every step runs even when an
// earlier one failed; "Uninstall complete" only when nothing failed.
SetupOutcome Uninstall(SetupStore& store, const std::string& directory);

// The profile file the suite's settings live in, and its sections.
extern const char kProfileFile[];
extern const char kTamrelSection[];
extern const char kAddOnsSection[];

#endif
