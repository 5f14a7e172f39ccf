// Archive creation and appending: the directory walk and the member writer.
#include "arcwrite.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "arcformat.h"
#include "arcreader.h"
#include "names.h"

namespace {

const size_t kCopyChunk = 1 << 16;

bool LessNoCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return LowerLetter(x) < LowerLetter(y); });
}

class Writer {
public:
    // skip: the files never to be archived, the archive being written and
    // the one it replaces.
    Writer(const std::vector<ArcFileId>& skip, const WriteOptions& options, ArcStream& out, ArcFs& fs, ArcUi& ui)
        : skip_(skip), options_(options), out_(out), fs_(fs), ui_(ui), buffer_(kCopyChunk)
    {
    }

    // Writes the members of the source; false after a message.
    bool Run()
    {
        std::vector<ArcDirEntry> entries;
        if (!fs_.ListDir(options_.source, &entries)) {
            ui_.Message("Cant access specified directory");
            return false;
        }
        return Directory(options_.source, "", entries);
    }

    bool WriteEnd()
    {
        if (options_.type == kArcCpio) {
            std::string t = CpioTrailer();
            return out_.Write(t.data(), t.size());
        }
        static const unsigned char zero[2 * kTarBlock] = {};
        return out_.Write(zero, sizeof zero);
    }

private:
    bool Directory(const std::string& dir, const std::string& prefix, const std::vector<ArcDirEntry>& entries)
    {
        for (const std::string& name : ExpandPattern(options_.pattern, entries)) {
            if (!File(dir + "/" + name, Member(prefix, name)))
                return false;
        }
        if (!options_.descend)
            return true;
        std::vector<std::string> subdirs;
        for (const ArcDirEntry& e : entries) {
            // A link is never followed: it could lead back up the tree.
            if (e.isDir && !e.isLink)
                subdirs.push_back(e.name);
        }
        std::sort(subdirs.begin(), subdirs.end(), LessNoCase);
        for (const std::string& name : subdirs) {
            std::string path = dir + "/" + name;
            std::string member = Member(prefix, name);
            std::vector<ArcDirEntry> sub;
            ArcStatus st;
            if (!fs_.ListDir(path, &sub) || !fs_.Stat(path, &st)) {
                ui_.Message("cant access directory " + member + " - skipped");
                continue;
            }
            st.isDir = true;
            if (!Header(member, st) || !Directory(path, member, sub))
                return false;
        }
        return true;
    }

    static std::string Member(const std::string& prefix, const std::string& name)
    {
        return LowerName(prefix.empty() ? name : prefix + "/" + name);
    }

    bool File(const std::string& path, const std::string& member)
    {
        // Opened and its status read through the open file before its header
        // is written, so the header describes the file that is copied.
        std::unique_ptr<ArcStream> in = fs_.OpenRead(path);
        ArcStatus st;
        if (!in || !in->Status(&st)) {
            ui_.Message("cant open file " + member + "\r\nAbandoning archive");
            return false;
        }
        ArcFileId id = in->Identity();
        for (const ArcFileId& skip : skip_) {
            if (id == skip)
                return true;
        }
        st.isDir = false;
        ui_.Progress(member);
        if (!Header(member, st))
            return false;
        long long left = st.size;
        while (left > 0) {
            size_t n = left < static_cast<long long>(buffer_.size()) ? static_cast<size_t>(left) : buffer_.size();
            if (in->Read(buffer_.data(), n) < n) {
                ui_.Message("I/O error reading input file");
                return false;
            }
            left -= static_cast<long long>(n);
            if (options_.type != kArcCpio && left == 0 && n % kTarBlock) {
                // The last block is padded with zero bytes.
                size_t padded = (n + kTarBlock - 1) / kTarBlock * kTarBlock;
                memset(buffer_.data() + n, 0, padded - n);
                n = padded;
            }
            if (!out_.Write(buffer_.data(), n)) {
                ui_.Message(kWriteError);
                return false;
            }
        }
        in->Close();
        return true;
    }

    bool Header(const std::string& member, const ArcStatus& st)
    {
        HeaderResult r;
        std::string bytes;
        if (options_.type == kArcCpio) {
            r = FormatCpioHeader(member, st, &bytes);
        } else {
            unsigned char block[kTarBlock];
            r = FormatTarHeader(member, st, options_.type, block);
            bytes.assign(reinterpret_cast<const char*>(block), sizeof block);
        }
        switch (r) {
        case kHeaderOk:
            break;
        case kHeaderNameTooLong:
            ui_.Message("tar: filename > 100 characters.");
            return false;
        case kHeaderNameUnstorable:
            ui_.Message("cant store the name " + member + " - archive abandoned");
            return false;
        case kHeaderTooLarge:
            ui_.Message(member + ": file too large - archive abandoned");
            return false;
        }
        if (!out_.Write(bytes.data(), bytes.size())) {
            ui_.Message(options_.type == kArcCpio ? "Error writing cpio header - archive abandoned"
                                                  : "Error writing tar header - archive abandoned");
            return false;
        }
        return true;
    }

    static const char kWriteError[];

    std::vector<ArcFileId> skip_;
    const WriteOptions& options_;
    ArcStream& out_;
    ArcFs& fs_;
    ArcUi& ui_;
    std::vector<char> buffer_;
};

const char Writer::kWriteError[] = "Error writing archive - archive abandoned";

bool Create(const std::string& archive, const WriteOptions& options, ArcFs& fs, ArcUi& ui)
{
    std::string temp;
    ArcStatus st;
    for (int n = 0;; n++) {
        temp = archive + ".trevak~" + std::to_string(n);
        if (!fs.Stat(temp, &st))
            break;
    }
    std::unique_ptr<ArcStream> out = fs.Create(temp);
    if (!out) {
        ui.Message("cant create " + archive);
        return false;
    }
    Writer w({out->Identity(), fs.Identity(archive)}, options, *out, fs, ui);
    if (!w.Run() || !w.WriteEnd()) {
        out->Close();
        fs.Remove(temp);
        return false;
    }
    if (!out->Close() || !fs.Replace(temp, archive)) {
        fs.Remove(temp);
        ui.Message("Error writing archive - archive abandoned");
        return false;
    }
    return true;
}

bool Append(const std::string& archive, const WriteOptions& options, ArcFs& fs, ArcUi& ui)
{
    std::unique_ptr<ArcStream> out = fs.OpenUpdate(archive);
    if (!out) {
        ui.Message("cant open " + archive);
        return false;
    }
    // The true end of the archive, not the member list's count: a damaged or
    // cut archive is refused rather than written over.
    ArcReader reader(*out, options.type);
    ArcMember m;
    ArcReader::Result r;
    while ((r = reader.Next(&m)) == ArcReader::kMember) {
    }
    if (r == ArcReader::kCorrupt || reader.Truncated()) {
        out->Close();
        ui.Message(kCorruptArchive);
        return false;
    }
    long long end = reader.EndOffset();
    // What the new members will write over, kept to be put back if they stop.
    long long oldSize = end;
    std::vector<char> oldTail;
    if (out->Seek(end)) {
        std::vector<char> chunk(kCopyChunk);
        size_t got;
        while ((got = out->Read(chunk.data(), chunk.size())) > 0)
            oldTail.insert(oldTail.end(), chunk.begin(), chunk.begin() + static_cast<long>(got));
        oldSize = end + static_cast<long long>(oldTail.size());
    }
    if (!out->Seek(end)) {
        out->Close();
        ui.Message("cant open " + archive);
        return false;
    }
    Writer w({out->Identity()}, options, *out, fs, ui);
    if (w.Run() && w.WriteEnd()) {
        if (out->Close())
            return true;
        ui.Message("Error writing archive - archive abandoned");
        return false;
    }
    // Stopped: the file goes back to its old length and its old end marker,
    // so the archive reads exactly as before.
    bool restored = out->Truncate(oldSize) && out->Seek(end) &&
                    (oldTail.empty() || out->Write(oldTail.data(), oldTail.size()));
    if (!out->Close() || !restored)
        ui.Message("Error writing archive - archive abandoned");
    return false;
}

}  // namespace

std::vector<std::string> ExpandPattern(const std::string& pattern, const std::vector<ArcDirEntry>& entries)
{
    std::vector<std::string> names;
    size_t pos = 0;
    while (pos < pattern.size()) {
        size_t blank = pattern.find(' ', pos);
        if (blank == std::string::npos)
            blank = pattern.size();
        std::string word = pattern.substr(pos, blank - pos);
        pos = blank;
        while (pos < pattern.size() && (pattern[pos] == ' ' || pattern[pos] == '\t'))
            pos++;
        if (word.empty())
            continue;
        size_t first = names.size();
        for (const ArcDirEntry& e : entries) {
            if (!e.isDir && WildcardMatches(word.c_str(), e.name.c_str(), DotStar::DotlessOnly))
                names.push_back(e.name);
        }
        std::sort(names.begin() + static_cast<long>(first), names.end(), LessNoCase);
    }
    return names;
}

bool WriteArchive(const std::string& archive, const WriteOptions& options, ArcFs& fs, ArcUi& ui)
{
    return options.append ? Append(archive, options, fs, ui) : Create(archive, options, fs, ui);
}
