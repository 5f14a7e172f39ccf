// The member reader and the lister.
#include "arcreader.h"

#include <cstring>
#include <vector>

const char kCorruptArchive[] = "Corrupt archive - sorry";

ArcReader::Result ArcReader::Next(ArcMember* m)
{
    if (corrupt_)
        return kCorrupt;
    if (end_ >= 0)
        return kEnd;
    if (!in_.Skip(payload_ + padding_)) {
        truncated_ = true;
        end_ = in_.Tell();
        return kEnd;
    }
    payload_ = padding_ = 0;
    long long start = in_.Tell();
    *m = ArcMember();
    if (type_ == kArcCpio) {
        unsigned char h[kCpioHeaderSize];
        if (in_.Read(h, sizeof h) < sizeof h) {
            end_ = start;
            return kEnd;
        }
        CpioHeader ch;
        if (!ParseCpioHeader(h, &ch))
            return Corrupt();
        std::vector<unsigned char> name(static_cast<size_t>(ch.namesize));
        if (in_.Read(name.data(), name.size()) < name.size() || !ParseCpioName(name.data(), ch.namesize, &m->name))
            return Corrupt();
        if (m->name == "TRAILER!!!") {
            end_ = start;
            return kEnd;
        }
        m->st = ch.st;
        m->kind = CpioKind(ch.st);
        payload_ = ch.st.size;
        return kMember;
    }
    unsigned char block[kTarBlock];
    if (in_.Read(block, sizeof block) < sizeof block || TarIsEnd(block)) {
        end_ = start;
        return kEnd;
    }
    TarHeader th;
    if (!ParseTarHeader(block, &th))
        return Corrupt();
    m->name = th.name;
    m->st = th.st;
    m->kind = TarKind(th, type_);
    m->st.isDir = m->kind == kMemberDir;
    m->typeflag = th.typeflag;
    m->checksumOk = th.checksumOk;
    long long data = TarDataBytes(th, type_);
    payload_ = data < th.st.size ? data : th.st.size;
    padding_ = data - payload_;
    return kMember;
}

long long ArcReader::ReadData(void* buf, size_t n)
{
    // Compared unsigned: a request past what a long long holds must not
    // pass for a small one.
    if (static_cast<unsigned long long>(payload_) < n)
        n = static_cast<size_t>(payload_);
    if (n == 0)
        return 0;
    size_t got = in_.Read(buf, n);
    payload_ -= static_cast<long long>(got);
    if (got < n) {
        truncated_ = true;
        return -1;
    }
    return static_cast<long long>(got);
}

bool ListArchive(ArcStream& in, int type, const std::function<bool(const ArcMember&)>& add, ArcUi& ui)
{
    ArcReader reader(in, type);
    ArcMember m;
    for (;;) {
        switch (reader.Next(&m)) {
        case ArcReader::kEnd:
            return true;
        case ArcReader::kCorrupt:
            ui.Message(kCorruptArchive);
            return false;
        case ArcReader::kMember:
            break;
        }
        if (!add(m)) {
            ui.Message(type == kArcCpio ? "Listbox full - try unchecking Verbose"
                                        : "Listbox full - try unchecking verbose");
            return false;
        }
    }
}

int OpenArchiveType(const std::string& path, ArcFs& fs, ArcUi& ui)
{
    std::unique_ptr<ArcStream> in = fs.OpenRead(path);
    if (!in) {
        ui.Message("cant open " + path);
        return kArcUnknown;
    }
    unsigned char block[kTarBlock];
    size_t got = in->Read(block, sizeof block);
    in->Close();
    if (got < sizeof block) {
        ui.Message("Cant read archive - sorry");
        return kArcUnknown;
    }
    int type = DetectArchiveType(block, got);
    if (type == kArcUnknown)
        ui.Message("Unknown archive type - sorry");
    return type;
}
