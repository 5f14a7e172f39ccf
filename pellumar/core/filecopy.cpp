#include "filecopy.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "fileout.h"
#include "listing.h"
#include "platform.h"

namespace {

const size_t kBlockSize = 512;

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

// Where the name part of path starts: after its last slash or backslash,
// or after a drive's colon ("a:x.txt").
size_t NameStart(const std::string& path)
{
    size_t cut = path.find_last_of("/\\");
    if (cut != std::string::npos)
        return cut + 1;
    size_t colon = path.find(':');
    return colon == std::string::npos ? 0 : colon + 1;
}

// The file the copy creates gets a lower-case name; its directory is left
// as the user spelled it.
std::string LowerLastComponent(const std::string& path)
{
    size_t start = NameStart(path);
    return path.substr(0, start) + LowerName(path.substr(start));
}

// Copies in blocks until the end of in; false when a write failed.
// readFailed tells whether the end came from a read error.
bool CopyBlocks(std::FILE* in, std::FILE* out, bool& readFailed)
{
    char block[kBlockSize];
    readFailed = false;
    for (;;) {
        size_t got = std::fread(block, 1, sizeof block, in);
        if (got > 0 && !WriteBytes(out, block, got))
            return false;
        if (got < sizeof block) {
            readFailed = std::ferror(in) != 0;
            return true;
        }
    }
}

std::string Format(const char* format, const std::string& text)
{
    std::string message = format;
    size_t at = message.find("%s");
    if (at != std::string::npos)
        message.replace(at, 2, text);
    return message;
}

}

bool ExpandNameList(const std::string& spec, std::vector<std::string>& names, FileCommandUi& ui)
{
    names.clear();
    size_t pos = 0;
    while (pos < spec.size()) {
        size_t end = spec.find(' ', pos);
        if (end == std::string::npos)
            end = spec.size();
        std::string word = spec.substr(pos, end - pos);
        pos = end;
        while (pos < spec.size() && (spec[pos] == ' ' || spec[pos] == '\t'))
            ++pos;
        if (word.empty() || names.size() >= kMaxNames)
            continue;
        std::string directory = word.substr(0, NameStart(word));
        std::vector<DirEntry> entries;
        platform::FindEntries(word, entries, SIZE_MAX);
        size_t first = names.size();
        for (const DirEntry& entry : entries) {
            if (names.size() >= kMaxNames)
                break;
            if (entry.directory)
                continue;
            // The name is kept as the system spells it, which opens it also
            // where letter case matters; what the user reads is lowered.
            names.push_back(directory + entry.name);
        }
        std::sort(names.begin() + static_cast<std::ptrdiff_t>(first),
                  names.end(),
                  [](const std::string& a, const std::string& b) { return CompareNamesNoCase(a, b) < 0; });
    }
    if (names.empty()) {
        ui.Message("Cant open specified input file");
        return false;
    }
    return true;
}

void CopyEngine::CopyFiles(const std::string& source, const std::string& destination)
{
    m_copySource = source;
    m_copyDestination = destination;
    m_copyInPlace = false;
    // An empty text means in place; a bare drive "a:" means that drive's
    // current directory.
    for (std::string* text : {&m_copySource, &m_copyDestination}) {
        if (text->empty()) {
            m_copyInPlace = true;
            break;
        }
        if (text->back() == ':')
            *text += ".";
    }
    m_sourceIsDirectory = !m_copySource.empty() && platform::IsDirectory(m_copySource);
    m_destinationIsDirectory = !m_copyDestination.empty() && platform::IsDirectory(m_copyDestination);
    if (!m_sourceIsDirectory)
        CopyFileList(m_copySource);
    else if (m_destinationIsDirectory)
        CopyDirectoryFiles(m_copySource);
    else
        m_ui.Message("usage: copy dir1 dir2");
}

void CopyEngine::CopyFileList(const std::string& source)
{
    std::vector<std::string> names;
    if (!ExpandNameList(source, names, m_ui))
        return;
    for (const std::string& name : names)
        CopyOneFile(name);
}

void CopyEngine::CopyDirectoryFiles(const std::string& directory)
{
    std::vector<DirEntry> entries;
    std::string pattern = directory;
    if (!IsSeparator(pattern.back()))
        pattern += "/";
    if (!platform::FindEntries(pattern + "*.*", entries, SIZE_MAX)) {
        if (!platform::IsDirectory(directory))
            m_ui.Message("cant change directory");
        return;
    }
    // Plain files only, hidden and read-only ones too; subdirectories are
    // never descended into.
    for (const DirEntry& entry : entries)
        if (!entry.directory)
            CopyOneFile(directory + "/" + entry.name);
}

std::string CopyEngine::TargetFor(const std::string& path) const
{
    if (m_copyInPlace)
        return path;
    if (m_destinationIsDirectory)
        return m_copyDestination + "/" + path.substr(NameStart(path));
    return m_copyDestination;
}

void CopyEngine::CopyOneFile(const std::string& path)
{
    // Every file a copy makes gets a lower-case name; in place the source's
    // own name is replaced first and lowered afterwards.
    std::string target = m_copyInPlace ? path : LowerLastComponent(TargetFor(path));

    // A copy onto itself would read what it has just emptied: refused, for
    // this file alone. In place the copy goes through a new file and is
    // meant to land on the source.
    if (!m_copyInPlace && platform::SameFile(path, target)) {
        m_ui.Message(Format("cant copy %s onto itself", path));
        return;
    }

    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) {
        m_ui.Message(Format("cant open %s", path));
        return;
    }
    // A device (nul, a printer or serial port) takes the bytes as they come:
    // nothing can be put in its place, and it holds nothing to lose.
    if (!m_copyInPlace && platform::IsCharacterDevice(target)) {
        std::FILE* out = std::fopen(target.c_str(), "wb");
        if (!out) {
            std::fclose(in);
            m_ui.Message(Format("cant open %s", target));
            return;
        }
        bool readFailed = false;
        bool written = CopyBlocks(in, out, readFailed);
        std::fclose(in);
        if (!CloseStream(out))
            written = false;
        if (readFailed || !written)
            m_ui.Message(readFailed ? Format("cant read %s", path) : Format("cant write %s", target));
        return;
    }
    // The copy is made complete in a new file beside the target and only
    // then put in the target's place, in one step: a failure at any point
    // leaves the target (and in place, the source) as it was.
    char temporary[260];
    std::FILE* out = CreateReplacement(target.c_str(), temporary);
    if (!out) {
        std::fclose(in);
        m_ui.Message(m_copyInPlace ? std::string("Can't create temporary file") : Format("cant open %s", target));
        return;
    }
    bool readFailed = false;
    bool written = CopyBlocks(in, out, readFailed);
    std::fclose(in);
    switch (FinishReplacement(out, temporary, target.c_str(), written && !readFailed)) {
    case Replacement::kDone:
        break;
    case Replacement::kWriteFailed:
        m_ui.Message(readFailed ? Format("cant read %s", path) : Format("cant write %s", target));
        return;
    case Replacement::kReplaceFailed:
        m_ui.Message(Format("cant write %s", target));
        return;
    }
    // In place the file has been replaced under its own name; the name then
    // goes to lower case (a rename only, the data is already safe).
    if (m_copyInPlace)
        platform::LowerLastComponent(target);
}

void CopyFiles(const std::string& source, const std::string& destination, FileCommandUi& ui)
{
    CopyEngine engine(ui);
    engine.CopyFiles(source, destination);
}

bool DeleteNamedFiles(const std::string& spec, bool confirm, FileCommandUi& ui)
{
    std::vector<std::string> names;
    if (!ExpandNameList(spec, names, ui))
        return false;
    for (const std::string& name : names) {
        if (confirm) {
            Answer answer = ui.Ask(LowerName("Delete file: " + name));
            if (answer == kAnswerCancel)
                return false;
            if (answer == kAnswerNo)
                continue;
        }
        if (!platform::RemoveFile(name))
            ui.Message("Cannot delete " + LowerName(name));
    }
    return true;
}
