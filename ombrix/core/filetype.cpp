#include "filetype.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdio>
#include <cstring>

#include "filelist.h"
#include "message.h"
#include "outtext.h"

const MagicEntry g_magicTable[29] = {
    {0, 1, "\xe9", "DOS executable (.com)"},
    {0, 1, "\xeb", "DOS executable (.com)"},
    {0, 1, "\xf0", "DOS library"},
    {0, 1, "\x1a", "ARC archive"},
    {0, 1, "\x80", "OMF object libray (Microsoft relocatable)"},
    {0, 2, "LZ", "DOS executable (.exe)"},
    {0, 2, "MZ", "DOS executable (.exe)"},
    {0, 2, "\x1f\x1e", "packed file"},
    {0, 2, "\x1f\x9d", "compressed file"},
    {0, 2, "\x1f\x8b", "GNU gzip compressed file"},
    {0, 2, "#!", "UNIX shell script"},
    {0, 2, "\xdb\xa5", "MS Word for Windows 2.0 document"},
    {0, 2, "\x9b\xa5", "MS Word for Windows 1.0 document"},
    {0, 2, "?_", "Windows help file"},
    {0, 3, "ZOO", "ZOO archive"},
    {0, 4, "PMCC", "Windows GRP file"},
    {0, 4, "RIFF", "Windows WAV sound file"},
    {0, 4, "pk\x08\x08", "TurboC BGI file"},
    {0, 4, "PK\x08\x08", "TurboC font file"},
    {0, 4, "PK\x03\x04", "ZIP archive"},
    {0, 4, "KWAJ", "Microsoft setup compressed file"},
    {1, 4, "FONT", "DOS code-page information file"},
    {257, 5, "ustar", "USTAR format tar archive"},
    {0, 5, "begin", "uuencoded file"},
    {0, 6, "070707", "cpio archive with ASCII header"},
    {0, 6, "070701", "SVR4 cpio archive"},
    {0, 6, "070702", "new SVR4 cpio format"},
    {369, 9, "MICROSOFT", "Windows PIF file"},
    {-1, 0, nullptr, nullptr},
};

namespace {
// Registry names and values are held in 80 bytes.
const unsigned kKeyBuffer = 80;
const size_t kMagicBuffer = 512;

#ifdef _WIN32

// The default value of a key below root; empty when it cannot be read or
// does not fit (a cut class would name another key).
void ReadDefault(HKEY root, const char* key, char* value)
{
    std::memset(value, 0, kKeyBuffer);
    LONG size = static_cast<LONG>(kKeyBuffer);
    if (RegQueryValueA(root, key, value, &size) != ERROR_SUCCESS)
        std::memset(value, 0, kKeyBuffer);
    value[kKeyBuffer - 1] = 0;
}

// The registry's kind for the extension of name: the description of its
// class, else the class. False when it has none.
bool RegistryKind(const char* name, char* result, size_t size)
{
    const char* dot = std::strrchr(name, '.');
    if (!dot)
        return false;
    // An extension that does not fit the key buffer is not looked up: cut,
    // it could name a registered one.
    if (std::strlen(dot) >= kKeyBuffer)
        return false;
    char extension[kKeyBuffer];
    std::strcpy(extension, dot);
    HKEY root;
    if (RegOpenKeyA(HKEY_CLASSES_ROOT, nullptr, &root) != ERROR_SUCCESS)
        return false;
    char type[kKeyBuffer];
    char description[kKeyBuffer];
    ReadDefault(root, extension, type);
    description[0] = 0;
    if (type[0])
        ReadDefault(root, type, description);
    RegCloseKey(root);
    const char* kind = description[0] ? description : type;
    if (!kind[0])
        return false;
    std::snprintf(result, size, "%s", kind);
    return true;
}
#else
// Elsewhere there is no registry: every extension is unknown to it.
bool RegistryKind(const char*, char*, size_t)
{
    return false;
}
#endif

// The bytes that the magic test and the text test look at.
struct Sample {
    unsigned char bytes[kMagicBuffer];
    size_t count;   // bytes read
};

// Reads the first bytes of the file; false when it cannot be opened. Bytes
// past the end of a short file stay 0xff, which no row asks for at the
// places a short file lacks.
bool ReadSample(const char* name, Sample& sample)
{
    std::memset(sample.bytes, 0xff, sizeof sample.bytes);
    sample.count = 0;
    FILE* file = std::fopen(name, "rb");
    if (!file)
        return false;
    sample.count = std::fread(sample.bytes, 1, sizeof sample.bytes, file);
    std::fclose(file);
    return true;
}

const char* MagicKind(const Sample& sample)
{
    for (const MagicEntry* row = g_magicTable; row->offset != -1; ++row)
        if (std::memcmp(sample.bytes + row->offset, row->bytes, static_cast<size_t>(row->length)) == 0)
            return row->text;
    return nullptr;
}

// Every byte read below 0x80, control characters and NUL included.
bool LooksLikeText(const Sample& sample)
{
    for (size_t i = 0; i < sample.count; ++i)
        if (sample.bytes[i] >= 0x80)
            return false;
    return true;
}
}

void FileTypeIdentify(const char* name, bool magicFirst)
{
    char line[512];
    std::snprintf(line, sizeof line, "%-24s ", name);
    AppendOutput(line);

    char registered[kKeyBuffer];
    const char* kind = nullptr;
    if (!magicFirst && RegistryKind(name, registered, sizeof registered))
        kind = registered;
    if (!kind) {
        Sample sample;
        if (!ReadSample(name, sample)) {
            kind = "(Unknown file type)";
        } else {
            kind = MagicKind(sample);
            if (!kind && magicFirst && RegistryKind(name, registered, sizeof registered))
                kind = registered;
            if (!kind)
                kind = LooksLikeText(sample) ? "ASCII text file" : "data file";
        }
    }
    std::snprintf(line, sizeof line, "%s\r\n", kind);
    AppendOutput(line);
}

const char* ClassifyStart(const unsigned char* bytes, size_t count, bool* looksLikeText)
{
    Sample sample;
    std::memset(sample.bytes, 0xff, sizeof sample.bytes);
    sample.count = count < sizeof sample.bytes ? count : sizeof sample.bytes;
    if (sample.count > 0)
        std::memcpy(sample.bytes, bytes, sample.count);
    *looksLikeText = LooksLikeText(sample);
    return MagicKind(sample);
}

void FileTypeListRegistration()
{
#ifndef _WIN32
    ToolMessage("cant access Windows registration database");
#else
    HKEY root;
    if (RegOpenKeyA(HKEY_CLASSES_ROOT, nullptr, &root) != ERROR_SUCCESS) {
        ToolMessage("cant access Windows registration database");
        return;
    }
    char name[kKeyBuffer];
    for (DWORD index = 0;; ++index) {
        LONG status = RegEnumKeyA(root, index, name, kKeyBuffer);
        if (status == ERROR_MORE_DATA)
            continue;   // a name too long to hold is passed over, not cut
        if (status != ERROR_SUCCESS)
            break;
        if (name[0] != '.')
            continue;
        char type[kKeyBuffer];
        char description[kKeyBuffer];
        ReadDefault(root, name, type);
        description[0] = 0;
        if (type[0])
            ReadDefault(root, type, description);
        char line[512];
        int n = std::snprintf(line, sizeof line, "%s:\t", name);
        std::snprintf(line + n, sizeof line - static_cast<size_t>(n), "%-16.16s %s\r\n", type, description);
        AppendOutput(line);
    }
    RegCloseKey(root);
#endif
}

void FileTypeListMagic()
{
    for (const MagicEntry* row = g_magicTable; row->offset != -1; ++row) {
        const unsigned char* bytes = reinterpret_cast<const unsigned char*>(row->bytes);
        bool printable = true;
        for (int i = 0; i < row->length; ++i)
            if (bytes[i] < 0x20 || bytes[i] > 0x7e)
                printable = false;
        char shown[64];
        if (printable) {
            std::snprintf(shown, sizeof shown, "%.*s", row->length, row->bytes);
        } else {
            int at = std::snprintf(shown, sizeof shown, "0x");
            for (int i = 0; i < row->length; ++i)
                at += std::snprintf(shown + at, sizeof shown - static_cast<size_t>(at), "%02x", bytes[i]);
        }
        char line[512];
        std::snprintf(line, sizeof line, "%d\t%d\t%-16.16s\t%s\r\n", row->offset, row->length, shown, row->text);
        AppendOutput(line);
    }
}

bool FileTypeRun(const char* directory, const char* files, const FileTypeOptions& options)
{
    std::snprintf(g_outputDir, sizeof g_outputDir, "%s", directory ? directory : "");
    ResetOutput();
    bool whole = true;
    switch (options.debug) {
    case kFileTypeRegistration:
        FileTypeListRegistration();
        break;
    case kFileTypeMagic:
        FileTypeListMagic();
        break;
    default:
        whole = ExpandFileList(files) != 0;
        for (int i = 0; whole && i < g_fileCount; ++i)
            FileTypeIdentify(g_fileNames[i], options.magicFirst);
        break;
    }
    return CloseOutputSpill() && whole;
}
