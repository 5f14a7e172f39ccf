// Fuzz target for the archiver's listers and extractor.
//
// Input: a flags byte, a selection byte, then the archive bytes.
//
// flags & 0x03  archive type: cpio, ustar, old tar, or decided from the data
// flags & 0x04  extract only the members whose index bit is set in the selection byte
// flags & 0x08  do not overwrite;  0x10 ignore older;  0x20 restore times
// flags & 0x40  rename every member to the name in its own archive text
//
// The archive is listed as each type, then extracted into a scratch
// directory through a file system that aborts on any change to a path that
// is not inside the scratch directory, or that passes through a link. After
// each input the directory holding the scratch directory must hold nothing
// else.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "arcextract.h"
#include "arcformat.h"
#include "arcfs.h"
#include "arcreader.h"

namespace fs = std::filesystem;

namespace {

void Check(bool condition)
{
    if (!condition)
        abort();
}

std::string g_root;      // holds only the scratch directory
std::string g_scratch;   // the target of every extraction

// Inside the scratch directory, lexically and on disk: no ".." component, and
// no component below the scratch directory that is a link.
void CheckInside(const std::string& path)
{
    Check(path.size() > g_scratch.size() && path.compare(0, g_scratch.size() + 1, g_scratch + "/") == 0);
    std::string rest = path.substr(g_scratch.size() + 1);
    std::string walked = g_scratch;
    size_t pos = 0;
    while (pos <= rest.size()) {
        size_t slash = rest.find('/', pos);
        if (slash == std::string::npos)
            slash = rest.size();
        std::string component = rest.substr(pos, slash - pos);
        Check(!component.empty() && component != "." && component != "..");
        walked += "/" + component;
        struct stat st;
        if (lstat(walked.c_str(), &st) == 0)
            Check(!S_ISLNK(st.st_mode));
        pos = slash + 1;
    }
}

class GuardFs : public ArcFs {
public:
    std::unique_ptr<ArcStream> OpenRead(const std::string& p) override { return base_.OpenRead(p); }
    std::unique_ptr<ArcStream> Create(const std::string& p) override
    {
        CheckInside(p);
        return base_.Create(p);
    }
    std::unique_ptr<ArcStream> OpenUpdate(const std::string& p) override
    {
        CheckInside(p);
        return base_.OpenUpdate(p);
    }
    bool Stat(const std::string& p, ArcStatus* st) override { return base_.Stat(p, st); }
    bool MakeDir(const std::string& p) override
    {
        CheckInside(p);
        return base_.MakeDir(p);
    }
    bool RemoveDir(const std::string& p) override
    {
        CheckInside(p);
        return base_.RemoveDir(p);
    }
    bool SetTimes(const std::string& p, long long t) override
    {
        CheckInside(p);
        return base_.SetTimes(p, t);
    }
    bool MakeReadOnly(const std::string& p) override
    {
        CheckInside(p);
        return base_.MakeReadOnly(p);
    }
    bool ListDir(const std::string& p, std::vector<ArcDirEntry>* out) override { return base_.ListDir(p, out); }
    std::unique_ptr<ArcStream> CreateBeside(const std::string& target, std::string* temp) override
    {
        CheckInside(target);
        std::unique_ptr<ArcStream> s = base_.CreateBeside(target, temp);
        if (s)
            CheckInside(*temp);
        return s;
    }
    bool Replace(const std::string& a, const std::string& b) override
    {
        CheckInside(a);
        CheckInside(b);
        return base_.Replace(a, b);
    }
    bool Remove(const std::string& p) override
    {
        CheckInside(p);
        return base_.Remove(p);
    }
    ArcFileId Identity(const std::string& p) override { return base_.Identity(p); }

private:
    ArcFs& base_ = SystemFs();
};

class FuzzUi : public ArcUi {
public:
    explicit FuzzUi(bool rename) : rename_(rename) {}
    void Message(const std::string&) override {}
    Answer AskYesNoCancel(const std::string&) override { return kYes; }
    bool AskRename(const std::string& from, std::string* to) override
    {
        // A hostile answer: the member's own name turned around.
        *to = std::string(from.rbegin(), from.rend());
        return rename_;
    }
    void Progress(const std::string&) override {}

private:
    bool rename_;
};

void RemoveRoot()
{
    std::error_code ec;
    fs::remove_all(g_root, ec);
}

void Setup()
{
    if (!g_root.empty())
        return;
    char tmpl[] = "/tmp/trevak-fuzz-XXXXXX";
    Check(mkdtemp(tmpl) != nullptr);
    g_root = tmpl;
    g_scratch = g_root + "/scratch";
    atexit(RemoveRoot);
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Setup();
    if (size < 2)
        return 0;
    unsigned flags = data[0], selection = data[1];
    const unsigned char* archive = data + 2;
    size_t n = size - 2;

    FuzzUi quiet(false);
    for (int type : {kArcCpio, kArcUstar, kArcTar}) {
        ArcMemStream in(archive, n);
        size_t lines = 0;
        ListArchive(
            in,
            type,
            [&](const ArcMember& m) {
                Check(m.st.size >= 0 && m.st.size <= kMaxMemberSize);
                FormatMemberLine(m.name, m.st, true);
                return ++lines < 2000;
            },
            quiet);
    }

    int type = static_cast<int>(flags & 3);
    if (type == 3) {
        type = DetectArchiveType(archive, n);
        if (type == kArcUnknown)
            return 0;
    }
    std::error_code ec;
    Check(fs::create_directory(g_scratch, ec) || fs::is_directory(g_scratch));
    ExtractOptions o;
    o.selectedOnly = (flags & 0x04) != 0;
    for (int i = 0; i < 8; i++) {
        if (selection & (1u << i))
            o.selected.push_back(i);
    }
    o.noOverwrite = (flags & 0x08) != 0;
    o.ignoreOlder = (flags & 0x10) != 0;
    o.restoreTimes = (flags & 0x20) != 0;
    o.rename = (flags & 0x40) != 0;
    o.writers = (flags & 0x80) != 0 ? 4 : 1;
    GuardFs guard;
    FuzzUi ui(true);
    ArcMemStream in(archive, n);
    ExtractArchive(in, type, g_scratch, o, guard, ui);

    for (auto& e : fs::directory_iterator(g_root))
        Check(e.path().filename() == "scratch");
    fs::remove_all(g_scratch, ec);
    Check(!ec);
    return 0;
}
