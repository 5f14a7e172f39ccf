// Extraction: the member walk, the options, the name check and the copy.
#include "arcextract.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <set>
#include <vector>

#include "arcformat.h"
#include "arcname.h"
#include "arcreader.h"

namespace {

// Data moves 1 MB at a time: a large file in few calls, and a small one
// in one read and one write.
const size_t kCopyChunk = 1 << 20;

class Extractor {
public:
    Extractor(ArcStream& in, int type, const std::string& target, const ExtractOptions& options, ArcFs& fs,
              ArcUi& ui)
        : reader_(in, type), type_(type), target_(target), options_(options), fs_(fs), ui_(ui), buffer_(kCopyChunk)
    {
    }

    bool Run()
    {
        if (options_.selectedOnly && options_.selected.empty()) {
            ui_.Message("No files selected");
            return false;
        }
        int last = options_.selectedOnly ? options_.selected.back() : -1;
        ArcMember m;
        for (int index = 0;; index++) {
            if (last >= 0 && index > last)
                return true;
            ArcReader::Result r = reader_.Next(&m);
            if (r == ArcReader::kEnd)
                return true;
            if (r == ArcReader::kCorrupt) {
                ui_.Message(kCorruptArchive);
                return false;
            }
            if (options_.selectedOnly &&
                !std::binary_search(options_.selected.begin(), options_.selected.end(), index))
                continue;
            if (!Member(m))
                return false;
        }
    }

private:
    // One member; false stops the extraction.
    bool Member(const ArcMember& m)
    {
        if (m.kind == kMemberDir) {
            std::string clean;
            bool slash;
            if (!CheckMemberName(m.name, &clean, &slash)) {
                Refuse(m.name);
                return true;
            }
            MakePath(clean);
            return true;
        }
        if (m.kind != kMemberFile)
            return true;
        if (!m.checksumOk) {
            ArcUi::Answer a = ui_.AskYesNoCancel("Header checksum error for file " + m.name +
                                                 "!!!  This could indicate a media fault.  "
                                                 "Select YES to extract the file anyway, "
                                                 "NO to skip this file, "
                                                 "or CANCEL to abandon.");
            if (a == ArcUi::kCancel)
                return false;
            if (a == ArcUi::kNo)
                return true;
        }
        std::string name = m.name;
        if (options_.rename) {
            std::string to;
            if (!ui_.AskRename(m.name, &to))
                return false;
            if (to.empty())
                return true;
            if (to != ".")
                name = to;
        }
        std::string clean;
        bool slash;
        if (!CheckMemberName(name, &clean, &slash) || clean.empty()) {
            Refuse(name);
            return true;
        }
        if (slash) {
            ui_.Message(name + ": create file fails");
            return true;
        }
        std::string path = target_ + "/" + clean;
        ArcStatus existing;
        bool exists = fs_.Stat(path, &existing);
        if (exists && options_.noOverwrite)
            return true;
        if (exists && options_.ignoreOlder && m.st.mtime < existing.mtime)
            return true;
        size_t cut = clean.rfind('/');
        if (cut != std::string::npos && !MakePath(clean.substr(0, cut)))
            return true;
        if (exists && (existing.isDir || existing.isLink)) {
            ui_.Message(name + ": create file fails");
            return true;
        }
        return Copy(m, name, path, exists);
    }

    // Writes the data; a file that exists already is written beside its
    // name and replaced only when the new one is whole.
    bool Copy(const ArcMember& m, const std::string& name, const std::string& path, bool exists)
    {
        std::string temp = path;
        std::unique_ptr<ArcStream> out = exists ? fs_.CreateBeside(path, &temp) : fs_.Create(path);
        if (!out) {
            ui_.Message(name + ": create file fails");
            return true;
        }
        ui_.Progress(name);
        for (;;) {
            long long got = reader_.ReadData(buffer_.data(), buffer_.size());
            if (got == 0)
                break;
            if (got < 0) {
                out->Close();
                fs_.Remove(temp);
                ui_.Message(type_ == kArcCpio ? "I/O error reading cpio file" : "I/O error reading tar file");
                return false;
            }
            if (!out->Write(buffer_.data(), static_cast<size_t>(got))) {
                out->Close();
                fs_.Remove(temp);
                ui_.Message(name + ": write error - extraction stopped");
                return false;
            }
        }
        if (!out->Close()) {
            fs_.Remove(temp);
            ui_.Message(name + ": write error - extraction stopped");
            return false;
        }
        if (temp != path && !fs_.Replace(temp, path)) {
            fs_.Remove(temp);
            ui_.Message(name + ": create file fails");
            return true;
        }
        if (options_.restoreTimes)
            fs_.SetTimes(path, m.st.mtime);
        if (!(m.st.mode & 0200u))
            fs_.MakeReadOnly(path);
        return true;
    }

    // Makes every missing directory of a checked relative path below the
    // target. A component that exists as anything but a plain directory, or
    // cannot be made, stops the member.
    bool MakePath(const std::string& clean)
    {
        std::string path = target_;
        size_t pos = 0;
        while (pos < clean.size()) {
            size_t slash = clean.find('/', pos);
            if (slash == std::string::npos)
                slash = clean.size();
            path += "/" + clean.substr(pos, slash - pos);
            pos = slash + 1;
            if (madeDirs_.count(path))
                continue;
            ArcStatus st;
            if (fs_.Stat(path, &st) ? (st.isDir && !st.isLink) : fs_.MakeDir(path)) {
                madeDirs_.insert(path);
                continue;
            }
            ui_.Message(clean.substr(0, slash) + ": cant create directory");
            return false;
        }
        return true;
    }

    void Refuse(const std::string& name) { ui_.Message(name + ": unsafe name - not extracted"); }

    ArcReader reader_;
    int type_;
    std::string target_;
    const ExtractOptions& options_;
    ArcFs& fs_;
    ArcUi& ui_;
    std::vector<char> buffer_;
    std::set<std::string> madeDirs_;   // directories known to be plain ones in this run
};

}  // namespace

bool ExtractArchive(ArcStream& in, int type, const std::string& target, const ExtractOptions& options, ArcFs& fs,
                    ArcUi& ui)
{
    try {
        return Extractor(in, type, target, options, fs, ui).Run();
    } catch (const std::bad_alloc&) {
        ui.Message(kExtractOutOfMemory);
        return false;
    }
}

bool AllocateSelection(size_t count, std::vector<int>* selected)
{
    selected->clear();
    if (count > SIZE_MAX / sizeof(int) || count > selected->max_size())
        return false;
    try {
        selected->resize(count);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

const char kExtractOutOfMemory[] = "Out of memory - sorry";
