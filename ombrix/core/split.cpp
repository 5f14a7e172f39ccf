#include "split.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "afxstr.h"
#include "fileout.h"
#include "message.h"
#include "names.h"
#include "samefile.h"

namespace {
// Part names are formatted in a buffer of this size.
const size_t kNameBuffer = 1024;
// A line unit holds at most this many bytes, line feed included; a longer
// line counts as several.
const size_t kMaxLineUnit = 1023;
const size_t kIoBuffer = 1 << 16;

bool FormatPartName(char* name, const char* base, const char* extension)
{
    int n = std::snprintf(name, kNameBuffer, "%s.%s", base, extension);
    return n >= 0 && static_cast<size_t>(n) < kNameBuffer;
}

// Opens a part for writing unless it is the file being read. Shows the
// message itself; null on failure.
FILE* CreatePart(const char* name, const char* input)
{
    if (SameFile(name, input)) {
        ToolMessage(kOutputIsInputMessage);
        return nullptr;
    }
    FILE* part = std::fopen(name, "wb");
    if (!part)
        ToolMessage("cant create output file");
    else
        std::setvbuf(part, nullptr, _IOFBF, kIoBuffer);
    return part;
}

// Reads the input through one buffer and hands out runs of bytes.
class Reader {
public:
    explicit Reader(FILE* file) : m_file(file), m_buffer(kIoBuffer) {}

    // Bytes available now, refilling when empty; 0 at the end.
    size_t Available()
    {
        if (m_at == m_end) {
            m_at = 0;
            m_end = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
        }
        return m_end - m_at;
    }
    const char* Data() const { return m_buffer.data() + m_at; }
    void Consume(size_t n) { m_at += n; }

private:
    FILE* m_file;
    std::vector<char> m_buffer;
    size_t m_at = 0;
    size_t m_end = 0;
};

// Steps the last three characters; true when the third from the end
// passed 'z'. A character that is not a lower-case letter steps through the
// codes that follow it up to 'z'.
bool StepName(char* name)
{
    size_t length = std::strlen(name);
    if (length < 3)
        return true;
    unsigned char* last = reinterpret_cast<unsigned char*>(name + length - 1);
    for (int i = 0; i < 3; ++i) {
        unsigned int code = last[-i] + 1u;
        if (code <= 'z') {
            last[-i] = static_cast<unsigned char>(code);
            return false;
        }
        last[-i] = 'a';
    }
    return true;
}

// A part that missed a write is removed, so that no short part is left to
// be joined later, and the user is told which it was.
void PartFailed(FILE* part, const char* name)
{
    if (part)
        CloseStream(part);
    DiscardShortFile(name);
    CString message("cant write output file ");
    message += name;
    ToolMessage(message);
}

bool Exists(const char* name)
{
    FILE* file = std::fopen(name, "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

// Copies whole lines from the reader's buffer to part, at most limit of
// them (0: no limit), and returns how many it completed. A line that goes on
// past the buffer is copied as far as it goes; lineSoFar carries its length
// to the next call. written turns false when the part missed the write.
long long TakeLines(Reader& reader, FILE* part, size_t& lineSoFar, long long limit, bool& written)
{
    size_t available = reader.Available();
    const char* data = reader.Data();
    size_t at = 0;
    long long done = 0;
    while (at < available && (limit == 0 || done < limit)) {
        size_t room = kMaxLineUnit - lineSoFar;
        size_t span = available - at < room ? available - at : room;
        const void* feed = std::memchr(data + at, '\n', span);
        size_t take = feed ? static_cast<size_t>(static_cast<const char*>(feed) - (data + at)) + 1 : span;
        at += take;
        lineSoFar += take;
        if (feed || lineSoFar == kMaxLineUnit) {
            ++done;
            lineSoFar = 0;
        }
    }
    if (!WriteBytes(part, data, at))
        written = false;
    reader.Consume(at);
    return done;
}
}

bool NextPartName(char* name)
{
    if (!StepName(name))
        return false;
    ToolMessage("Too many output files.\r\nUse larger units.");
    return true;
}

void SplitBaseName(const char* filename, char* base, size_t size)
{
    const char* dot = std::strrchr(filename, '.');
    size_t length = dot ? static_cast<size_t>(dot - filename) : std::strlen(filename);
    if (length >= size)
        length = size - 1;
    std::memcpy(base, filename, length);
    base[length] = 0;
}

bool SplitIntoParts(const char* input, const char* base, const char* extension, int units, long long unitsPerFile)
{
    FILE* in = std::fopen(input, "rb");
    if (!in) {
        ToolMessage("cant open input file");
        return false;
    }
    char name[kNameBuffer];
    if (!FormatPartName(name, base, extension)) {
        std::fclose(in);
        ToolMessage("cant create output file");
        return false;
    }
    FILE* part = CreatePart(name, input);
    if (!part) {
        std::fclose(in);
        return false;
    }

    // A part holds so many lines, or so many bytes: every other unit is a
    // byte or a block of 1024, and only the last block of the input can be
    // short. 0: the part never fills.
    long long bytesPerUnit = units == kSplitBytes ? 1 : 1024;
    long long capacity = unitsPerFile <= 0 ? 0 : units == kSplitLines ? unitsPerFile : unitsPerFile * bytesPerUnit;
    long long filled = 0;
    size_t lineSoFar = 0;
    Reader reader(in);
    while (reader.Available() > 0) {
        bool written = true;
        if (units == kSplitLines) {
            filled += TakeLines(reader, part, lineSoFar, capacity == 0 ? 0 : capacity - filled, written);
            // An unterminated last line is a unit of its own.
            if (lineSoFar > 0 && reader.Available() == 0) {
                lineSoFar = 0;
                ++filled;
            }
        } else {
            size_t available = reader.Available();
            size_t take = available;
            if (capacity > 0 && capacity - filled < static_cast<long long>(available))
                take = static_cast<size_t>(capacity - filled);
            written = WriteBytes(part, reader.Data(), take);
            reader.Consume(take);
            filled += static_cast<long long>(take);
            // A short last block fills its unit.
            if (capacity > 0 && filled % bytesPerUnit != 0 && reader.Available() == 0)
                filled += bytesPerUnit - filled % bytesPerUnit;
        }
        if (!written) {
            PartFailed(part, name);
            std::fclose(in);
            return false;
        }
        if (capacity == 0 || filled < capacity)
            continue;
        // Full: the next part begins at once, so an input that ends on a
        // boundary leaves an empty last part.
        if (!CloseStream(part)) {
            PartFailed(nullptr, name);
            std::fclose(in);
            return false;
        }
        if (NextPartName(name)) {
            std::fclose(in);
            return false;
        }
        part = CreatePart(name, input);
        if (!part) {
            std::fclose(in);
            return false;
        }
        filled = 0;
    }
    std::fclose(in);
    if (!CloseStream(part)) {
        PartFailed(nullptr, name);
        return false;
    }
    return true;
}

bool SplitJoinParts(const char* output, const char* base, const char* extension)
{
    char name[kNameBuffer];
    if (!FormatPartName(name, base, extension)) {
        ToolMessage("No files to unsplit");
        return false;
    }
    FILE* in = std::fopen(name, "rb");
    if (!in) {
        ToolMessage("No files to unsplit");
        return false;
    }
    // The output must not be one of the parts it is joined from, nor the
    // first missing name, which would then be read as the next part.
    char probe[kNameBuffer];
    std::strcpy(probe, name);
    for (;;) {
        if (SameFile(probe, output)) {
            std::fclose(in);
            ToolMessage(kOutputIsInputMessage);
            return false;
        }
        if (!Exists(probe) || StepName(probe))
            break;
    }
    // The joined file is made beside the output and takes its place only
    // when whole, so a failure leaves a file of that name as it was.
    char temporary[260];
    FILE* out = CreateReplacement(output, temporary);
    if (!out) {
        std::fclose(in);
        ToolMessage("cant create output file");
        return false;
    }
    std::vector<char> buffer(kIoBuffer);
    bool written = true;
    for (;;) {
        size_t n;
        while (written && (n = std::fread(buffer.data(), 1, buffer.size(), in)) > 0)
            written = WriteBytes(out, buffer.data(), n);
        std::fclose(in);
        if (!written || NextPartName(name))
            break;
        in = std::fopen(name, "rb");
        if (!in)
            break;
    }
    return ReportReplacement(FinishReplacement(out, temporary, output, written), output);
}

bool SplitRun(const char* filename, const char* extension, const SplitOptions& options)
{
    long long perFile = options.unitsPerFile;
    if (options.units == kSplitMegabytes)
        perFile *= 1024;
    const std::string lowered = LowerName(extension ? extension : "");
    char base[kNameBuffer];
    SplitBaseName(filename, base, sizeof base);
    if (options.type == kUnsplit)
        return SplitJoinParts(filename, base, lowered.c_str());
    return SplitIntoParts(filename, base, lowered.c_str(), options.units, perFile);
}
