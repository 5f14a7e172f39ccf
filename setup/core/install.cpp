#include "install.h"

#include <cctype>
#include <vector>

#include "names.h"

const char kProfileFile[] = "winfile.ini";
const char kTamrelSection[] = "Tamrel";
const char kAddOnsSection[] = "AddOns";
const char kDirectoryTooLong[] = "Directory name too long - sorry!";
const char kDirectoryMissing[] = "Directory name missing - sorry!";

namespace {

const char kFolderVerbKey[] = "Folder\\shell\\Tamrel";
const char kFolderVerbCommand[] = "Folder\\shell\\Tamrel\\command";
const char kOpenVerb[] = "txtfile\\shell\\open";
const char kPrintVerb[] = "txtfile\\shell\\print";
const char kAddOnsKey[] = "UNIX Tools";

const char kProfileWriteFails[] = "Cannot write winfile.ini - sorry!";
const char kShellRegistrationFails[] = "Tamrel shell registration fails - sorry!";
const char kTextRegistrationFails[] = "Text file registration fails - sorry!";

bool StartsWithNoCase(const std::string& value, const std::string& prefix)
{
    return value.size() >= prefix.size() && LowerName(value.substr(0, prefix.size())) == LowerName(prefix);
}

SetupOutcome Failure(const char* message)
{
    return SetupOutcome{false, message};
}

// Points an existing text-file verb at the pager; the verb's key must be
// there already (text files are the platform's to register).
bool SetTextVerb(SetupStore& store, const char* verb, const std::string& command)
{
    return store.KeyExists(verb) && store.SetValue(std::string(verb) + "\\command", command);
}

// Puts a verb that still starts prefix back to the editor. False when that
// was needed and could not be written.
bool RestoreTextVerb(SetupStore& store, const char* verb, const std::string& prefix, const char* editorCommand)
{
    std::string path = std::string(verb) + "\\command";
    std::string value;
    StoreResult read = store.QueryValue(path, &value);
    if (read == StoreResult::failed)
        return false;
    if (read == StoreResult::absent || !StartsWithNoCase(value, prefix))
        return true;
    return store.SetValue(path, editorCommand);
}

}   // namespace

SetupChoices ReadSetupChoices(SetupStore& store, const std::string& ownDirectory)
{
    SetupChoices choices;
    choices.directory = store.ReadProfile(kTamrelSection, "LoadPath").substr(0, kMaxValueLength);
    if (choices.directory.empty())
        choices.directory = ownDirectory;
    choices.directory = LowerName(choices.directory);
    const std::pair<const char*, std::string*> tools[] = {
        {"Editor", &choices.editor}, {"Shell", &choices.shell}, {"Gzip", &choices.gzip}};
    for (const auto& tool : tools) {
        std::string stored = store.ReadProfile(kTamrelSection, tool.first);
        *tool.second = stored.substr(0, kMaxValueLength);
        if (stored.size() > kMaxValueLength)
            choices.cutPresets[tool.first] = *tool.second;
    }
    return choices;
}

std::string InstallDirectory(const std::string& typed)
{
    if (typed.find_first_not_of(" \t") == std::string::npos)
        return std::string();
    std::string directory = typed;
    while (!directory.empty() && directory.back() == '\\')
        directory.pop_back();
    return directory;
}

bool DirectoryFits(const std::string& directory)
{
    return directory.size() + std::string("\\zodo.exe /p %1").size() <= kMaxValueLength;
}

const char* DirectoryRefusal(const std::string& typed)
{
    std::string directory = InstallDirectory(typed);
    if (directory.empty())
        return kDirectoryMissing;
    return DirectoryFits(directory) ? nullptr : kDirectoryTooLong;
}

SetupOutcome Install(SetupStore& store, const SetupChoices& choices)
{
    if (const char* refusal = DirectoryRefusal(choices.directory))
        return Failure(refusal);
    const std::string dir = InstallDirectory(choices.directory);

    if (!store.WriteProfile(kTamrelSection, "Loadpath", dir.c_str()))
        return Failure(kProfileWriteFails);
    if (choices.addToFileManager) {
        std::string library = dir + "\\kelsomb.dll";
        if (!store.WriteProfile(kAddOnsSection, kAddOnsKey, library.c_str()))
            return Failure(kProfileWriteFails);
    }
    if (choices.addToExplorer) {
        if (!store.CreateKey(kFolderVerbCommand) || !store.SetValue(kFolderVerbCommand, dir + "\\pellumar.exe"))
            return Failure(kShellRegistrationFails);
    }
    // An emptied field leaves what an earlier install stored, and so does a
    // field that still holds a preset cut from a longer stored value.
    const std::pair<const char*, const std::string*> tools[] = {
        {"Editor", &choices.editor}, {"Shell", &choices.shell}, {"Gzip", &choices.gzip}};
    for (const auto& tool : tools) {
        if (tool.second->empty())
            continue;
        auto cut = choices.cutPresets.find(tool.first);
        if (cut != choices.cutPresets.end() && cut->second == *tool.second)
            continue;
        if (!store.WriteProfile(kTamrelSection, tool.first, tool.second->c_str()))
            return Failure(kProfileWriteFails);
    }
    if (choices.setViewer && !SetTextVerb(store, kOpenVerb, dir + "\\zodo.exe %1"))
        return Failure(kTextRegistrationFails);
    if (choices.setPrinter && !SetTextVerb(store, kPrintVerb, dir + "\\zodo.exe /p %1"))
        return Failure(kTextRegistrationFails);
    return SetupOutcome{true, "Setup complete"};
}

SetupOutcome Uninstall(SetupStore& store, const std::string& directory)
{
    // Each step runs whatever became of the ones before; what could not be
    // undone is named in the one message at the end.
    std::vector<std::string> failures;

    // The pager keeps its profile where the platform keeps winfile.ini.
    std::string windows = store.WindowsDirectory();
    std::string pagerProfile = windows + "\\zodo.ini";
    if (windows.empty() || store.RemoveFile(pagerProfile) == StoreResult::failed)
        failures.push_back("cant remove " + pagerProfile);

    const std::pair<const char*, const char*> keys[] = {{kAddOnsSection, kAddOnsKey},
                                                        {kTamrelSection, "Loadpath"},
                                                        {kTamrelSection, "Editor"},
                                                        {kTamrelSection, "Shell"},
                                                        {kTamrelSection, "Gzip"},
                                                        {kTamrelSection, "ShowPrint"}};
    for (const auto& key : keys) {
        if (!store.WriteProfile(key.first, key.second, nullptr))
            failures.push_back(std::string("cant remove [") + key.first + "] " + key.second + " from " + kProfileFile);
    }

    // A key with a subkey cannot be deleted: the command goes first.
    if (store.DeleteKey(kFolderVerbCommand) == StoreResult::failed ||
        store.DeleteKey(kFolderVerbKey) == StoreResult::failed)
        failures.push_back(std::string("cant remove ") + kFolderVerbKey);

    // A trailing backslash typed into the field would miss the verbs that
    // install wrote without it.
    std::string prefix = InstallDirectory(directory) + "\\zodo.exe";
    if (store.KeyExists(kOpenVerb) && !RestoreTextVerb(store, kOpenVerb, prefix, "notepad.exe %1"))
        failures.push_back(std::string("cant restore ") + kOpenVerb);
    if (store.KeyExists(kPrintVerb) && !RestoreTextVerb(store, kPrintVerb, prefix, "notepad.exe /p %1"))
        failures.push_back(std::string("cant restore ") + kPrintVerb);

    if (failures.empty())
        return SetupOutcome{true, "Uninstall complete"};
    std::string message = "Uninstall incomplete - sorry!";
    for (const std::string& failure : failures)
        message += "\n" + failure;
    return SetupOutcome{false, message};
}
