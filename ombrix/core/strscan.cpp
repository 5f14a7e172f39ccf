#include "strscan.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

#include "filelist.h"
#include "message.h"
#include "outtext.h"

namespace {
// A run longer than this is cut into lines of this length.
const int kMaxRun = 512;
const size_t kIoBuffer = 1 << 16;

// Byte source that can give back the byte it read last.
class ByteReader {
public:
    explicit ByteReader(FILE* file) : m_file(file), m_buffer(kIoBuffer) {}

    int Get()
    {
        if (m_at == m_end) {
            m_at = 0;
            m_end = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
            if (m_end == 0)
                return EOF;
        }
        ++m_position;
        return m_buffer[m_at++];
    }
    // The byte just read is read again by the next Get.
    void Unread()
    {
        --m_at;
        --m_position;
    }
    long long Position() const { return m_position; }

private:
    FILE* m_file;
    std::vector<unsigned char> m_buffer;
    size_t m_at = 0;
    size_t m_end = 0;
    long long m_position = 0;   // of the next byte of the file
};

bool Printable(int c)
{
    return c >= 0x20 && c <= 0x7e;
}

void AppendRun(const char* run, int length, long long offset, int offsets)
{
    char line[32 + kMaxRun + 3];
    int at = 0;
    switch (offsets) {
    case kOffsetsDecimal:
        at = std::snprintf(line, sizeof line, "%8lld: ", offset);
        break;
    case kOffsetsOctal:
        at = std::snprintf(line, sizeof line, "%8llo: ", static_cast<unsigned long long>(offset));
        break;
    case kOffsetsHex:
        at = std::snprintf(line, sizeof line, "%8llx: ", static_cast<unsigned long long>(offset));
        break;
    default:
        break;
    }
    std::memcpy(line + at, run, static_cast<size_t>(length));
    std::memcpy(line + at + length, "\r\n", 3);
    AppendOutput(line);
}
}

bool StringsScanFile(const char* name, int minLength, int offsets)
{
    FILE* file = std::fopen(name, "rb");
    if (!file) {
        ToolMessage("cant open input file");
        return false;
    }
    char header[512];
    std::snprintf(header, sizeof header, "====> %s <====\r\n\r\n", name);
    LowercaseText(header);
    AppendOutput(header);

    ByteReader reader(file);
    char run[kMaxRun + 1];
    int length = 0;
    long long start = 0;   // position of the run's first byte
    bool cutRun = false;   // the next byte ends the run: it reached its limit
    for (;;) {
        long long here = reader.Position();
        int c = cutRun ? 0 : reader.Get();
        bool end = false;
        if (cutRun) {
            cutRun = false;
            end = true;
        } else if (c == EOF) {
            break;
        } else if (c == 0 || c == '\n') {
            end = true;
        } else if (c == '\r') {
            int next = reader.Get();
            if (next == '\n') {
                end = true;
            } else {
                if (next != EOF)
                    reader.Unread();
                length = 0;
            }
        } else if (Printable(c)) {
            if (length == 0)
                start = here;
            run[length++] = static_cast<char>(c);
            if (length == kMaxRun)
                cutRun = true;
        } else {
            length = 0;
        }
        if (!end)
            continue;
        // An empty run is placed at the string end that closes it.
        if (length >= minLength)
            AppendRun(run, length, length == 0 ? here : start, offsets);
        length = 0;
    }
    AppendOutput("\r\n");
    std::fclose(file);
    return true;
}

bool StringsRun(const char* directory, const char* files, const StringsOptions& options)
{
    std::snprintf(g_outputDir, sizeof g_outputDir, "%s", directory ? directory : "");
    ResetOutput();
    if (!ExpandFileList(files)) {
        ToolMessage("Cant find input file");
        return false;
    }
    bool whole = true;
    for (int i = 0; i < g_fileCount && whole; ++i)
        whole = StringsScanFile(g_fileNames[i], options.minLength, options.offsets);
    return CloseOutputSpill() && whole;
}
