#include "search.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <thread>

#include "fastscan.h"
#include "scanfs.h"
#include "message.h"
#include "names.h"
#include "nextline.h"
#include "regex.h"
#include "sysio.h"

namespace {

const size_t kBlockSize = 1 << 20;   // bytes of a file read at once
const size_t kLineLimit = 510;       // longest line, line end included
const size_t kReadSize = 511;        // what one line read takes at most

const char kTruncated[] = "**** Line truncated - results unreliable\r\n";

// "%6ld:  " for a line number, without the cost of a formatted print; the
// end of what it wrote.
char* FormatLineNumber(char* out, long number)
{
    char digits[24];
    int n = 0;
    unsigned long value = static_cast<unsigned long>(number);
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value);
    char* p = out;
    for (int pad = n; pad < 6; ++pad)
        *p++ = ' ';
    while (n)
        *p++ = digits[--n];
    *p++ = ':';
    *p++ = ' ';
    *p++ = ' ';
    *p = 0;
    return p;
}

// The line that begins a file's results: the file's name, after the path
// of its directory when descending.
std::string FileHeader(bool descend, const char* path, const char* separator, const char* name)
{
    std::string header = "====> ";
    if (descend) {
        header += path;
        header += separator;
    }
    header += name;
    header += " <====\r\n\r\n";
    return header;
}

}   // namespace

// A pattern ready for matching: its code, the anchoring its compile left,
// and what the code says about literal text that every match must hold.
struct CQuarnSearch::Pattern {
    char code[REGEX_CODE_SIZE];
    bool anchored = false;
    // The code is nothing but literal characters: matching is a plain
    // comparison, at the line start (anchored), at its end (before "$"), or
    // anywhere.
    bool plainLiteral = false;
    bool endAnchor = false;
    // The longest run of literal characters that every match holds, found
    // before the matcher is asked at all.
    char literal[REGEX_CODE_SIZE];
    size_t literalLength = 0;
    LiteralFinder finder;

    void Analyse();
};

// An entry of a directory's table: files by their lower-cased name, and by
// the name as the directory has it, which opens without the case-blind
// lookup that a lower-cased name can cost.
struct CQuarnSearch::DirEntry {
    char name[260];
    char foundName[260];
    bool directory;
};

namespace {

int CompareEntryNames(const void* a, const void* b)
{
    return _stricmp(static_cast<const CQuarnSearch::DirEntry*>(a)->name,
                    static_cast<const CQuarnSearch::DirEntry*>(b)->name);
}

void AddFileEntry(CQuarnSearch::DirEntry& entry, const char* name)
{
    std::memcpy(entry.foundName, name, sizeof entry.foundName);
    entry.foundName[sizeof entry.foundName - 1] = 0;
    // Up to the terminator only: the rest of the name is never read.
    for (size_t i = 0; i < sizeof entry.name; ++i) {
        entry.name[i] = LowerLetter(entry.foundName[i]);
        if (!entry.name[i])
            break;
    }
    entry.directory = false;
}

}   // namespace

void CQuarnSearch::Pattern::Analyse()
{
    // Group marks consume no text, so literal characters on both sides of
    // one stay one run; every other item ends the run.
    const unsigned char* ip = reinterpret_cast<const unsigned char*>(code);
    const unsigned char* end = ip + REGEX_CODE_SIZE;
    size_t runStart = 0, runLength = 0, bestStart = 0, bestLength = 0;
    size_t collected = 0;
    char chars[REGEX_CODE_SIZE];
    bool onlyLiteral = true;
    bool sawEndAnchor = false;
    bool understood = false;
    while (ip < end) {
        unsigned char op = *ip;
        if (op == REGEX_END) {
            understood = true;
            break;
        }
        size_t size = 0;
        switch (op) {
        case REGEX_CHAR:
            size = 2;
            break;
        case REGEX_GROUP_START:
        case REGEX_GROUP_END:
        case REGEX_BACKREF:
        case REGEX_BACKREF | REGEX_STAR:
        case REGEX_CHAR | REGEX_STAR:
            size = 2;
            break;
        case REGEX_ANY:
        case REGEX_ANY | REGEX_STAR:
        case REGEX_EOL:
            size = 1;
            break;
        case REGEX_CLASS:
        case REGEX_CLASS | REGEX_STAR:
            size = 1 + REGEX_CLASS_BYTES;
            break;
        case REGEX_CHAR | REGEX_INTERVAL:
            size = 4;
            break;
        case REGEX_ANY | REGEX_INTERVAL:
            size = 3;
            break;
        case REGEX_CLASS | REGEX_INTERVAL:
            size = 3 + REGEX_CLASS_BYTES;
            break;
        default:
            size = 0;   // code this analysis does not know: leave it all to the matcher
            break;
        }
        if (size == 0 || ip + size > end)
            break;
        if (op == REGEX_CHAR) {
            if (runLength == 0)
                runStart = collected;
            chars[collected++] = static_cast<char>(ip[1]);
            ++runLength;
            if (runLength > bestLength) {
                bestStart = runStart;
                bestLength = runLength;
            }
            if (sawEndAnchor)
                onlyLiteral = false;
        } else if (op == REGEX_GROUP_START || op == REGEX_GROUP_END) {
            // no text consumed
        } else if (op == REGEX_EOL) {
            sawEndAnchor = true;
            runLength = 0;
        } else {
            onlyLiteral = false;
            runLength = 0;
        }
        ip += size;
    }
    if (!understood) {
        plainLiteral = false;
        literalLength = 0;
        finder.Prepare(literal, 0);
        return;
    }
    plainLiteral = onlyLiteral;
    endAnchor = sawEndAnchor;
    if (plainLiteral) {
        std::memcpy(literal, chars, collected);
        literalLength = collected;
    } else {
        std::memcpy(literal, chars + bestStart, bestLength);
        literalLength = bestLength;
    }
    finder.Prepare(literal, literalLength);
}

CQuarnSearch::CQuarnSearch()
    : m_patternCount(0),
      m_lineNumbers(0),
      m_ignoreCase(0),
      m_descend(0),
      m_unmatched(0),
      m_patternReadPos(0),
      m_lastLineTooLong(false),
      m_compiledCount(0),
      m_skipReady(false)
{
    PlaceSpill();
}

CQuarnSearch::~CQuarnSearch()
{
    CloseSpill();
}

CString CQuarnSearch::MaskPreset(const char* commandLine)
{
    if (!commandLine)
        return CString("*.*");
    // Only the last path component can hold the extension: a dot in a
    // directory name says nothing about the file.
    const char* base = commandLine;
    for (const char* p = commandLine; *p; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':')
            base = p + 1;
    }
    const char* dot = std::strrchr(base, '.');
    if (!dot)
        return CString("*.*");
    CString mask("*.");
    mask += dot + 1;
    mask.MakeLower();
    return mask;
}

CString CQuarnSearch::CurrentDirectoryLower()
{
    char directory[512];
    if (!_getcwd(directory, sizeof directory))
        directory[0] = 0;
    LowerBytes(directory, std::strlen(directory));
    return CString(directory);
}

void CQuarnSearch::ResetResults()
{
    m_output.Reset();
    PlaceSpill();
}

void CQuarnSearch::PlaceSpill()
{
    m_output.SetSpillDirectory(m_descend ? static_cast<const char*>(m_directory) : nullptr);
}

char* CQuarnSearch::GetNextPatternLine(char* buffer)
{
    bool overflow = false;
    char* end = GetNextTextLine(
        m_patternsText, m_patternsText.GetLength(), m_patternReadPos, buffer, kPatternLineSize, overflow);
    m_lastLineTooLong = overflow;
    return end;
}

void CQuarnSearch::SplitPatterns()
{
    char buffer[kPatternLineSize];
    m_patternReadPos = 0;
    m_patternCount = 0;
    while (GetNextPatternLine(buffer)) {
        if (m_patterns.GetSize() <= m_patternCount)
            m_patterns.Add(CString());
        if (m_ignoreCase)
            LowerBytes(buffer, std::strlen(buffer));
        m_patterns.SetAt(m_patternCount, buffer);
        if (static_cast<int>(m_patternTooLong.size()) <= m_patternCount)
            m_patternTooLong.resize(static_cast<size_t>(m_patternCount) + 1);
        m_patternTooLong[static_cast<size_t>(m_patternCount)] = m_lastLineTooLong ? 1 : 0;
        ++m_patternCount;
    }
}

// What a thread needs to search a file: the read block, the block
// lower-cased when ignoring case, where each pattern's literal next occurs,
// and the matcher's own state.
struct CQuarnSearch::Scratch {
    std::vector<char> block;
    std::vector<char> lower;
    std::vector<size_t> occurrence;
    RegexMatchState regex;
};

// Results of a search in turn go straight into the output text.
struct CQuarnSearch::DirectOutput {
    COutputText& output;
    void Add(const char* text, size_t length) { output.Append(text, length); }
    bool Dropped() const { return false; }
};

// The worker threads, each searching files on its own scratch.
class CQuarnSearch::Workers final : public FileWorkers::Task {
public:
    Workers(const CQuarnSearch& search, std::vector<Scratch>& scratch, unsigned threads)
        : m_search(search), m_scratch(scratch), m_pool(threads, *this)
    {
    }
    FileWorkers& Pool() { return m_pool; }

    int Run(unsigned worker, const std::string& path, const std::string& header, FileWorkers::Output& out) override
    {
        return m_search.SearchOne(m_scratch[worker], path.c_str(), header, out);
    }

private:
    const CQuarnSearch& m_search;
    std::vector<Scratch>& m_scratch;
    FileWorkers m_pool;   // last: its threads end before the rest goes
};

bool CQuarnSearch::PreparePatterns(unsigned threads)
{
    try {
        m_compiled.assign(static_cast<size_t>(m_patternCount), Pattern());
        if (m_scratch.size() < threads)
            m_scratch.resize(threads);
        for (Scratch& each : m_scratch) {
            each.occurrence.assign(static_cast<size_t>(m_patternCount), 0);
            if (each.block.size() < kBlockSize + 1)
                each.block.resize(kBlockSize + 1);
            if (m_ignoreCase && each.lower.size() < kBlockSize + 1)
                each.lower.resize(kBlockSize + 1);
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (m_patternTooLong.size() < static_cast<size_t>(m_patternCount))
        m_patternTooLong.resize(static_cast<size_t>(m_patternCount));
    m_compiledCount = 0;
    m_skipReady = false;
    // Compiled before any file is searched, in their order, up to the first
    // that does not compile: a line that reaches that one ends the search,
    // as compiling each when a line first reaches it would.
    for (int i = 0; i < m_patternCount; ++i) {
        if (!CompilePattern(i))
            break;
    }
    return true;
}

bool CQuarnSearch::CompilePattern(int index)
{
    Pattern& pattern = m_compiled[static_cast<size_t>(index)];
    if (m_patternTooLong[static_cast<size_t>(index)])
        return false;
    const CString& text = m_patterns[index];
    if (text.IsEmpty()) {
        // An empty expression keeps the code already in the buffer: the
        // pattern before it, which was compiled just before it on every
        // line. The first pattern finds the buffer empty.
        if (index == 0)
            return false;
        pattern = m_compiled[static_cast<size_t>(index) - 1];
        pattern.finder.Prepare(pattern.literal, pattern.literalLength);
    } else {
        std::memset(pattern.code, 0, sizeof pattern.code);
        if (!RegexCompile(text, pattern.code, pattern.code + sizeof pattern.code, 0))
            return false;
        pattern.anchored = g_regexAnchored;
        pattern.Analyse();
    }
    m_compiledCount = index + 1;
    if (m_compiledCount == m_patternCount) {
        m_skipReady = !m_unmatched;
        for (const Pattern& each : m_compiled) {
            if (each.literalLength == 0)
                m_skipReady = false;
        }
    }
    return true;
}

int CQuarnSearch::MatchLine(const char* line, const char* lineEnd, RegexMatchState& regex) const
{
    size_t length = static_cast<size_t>(lineEnd - line);
    for (int i = 0; i < m_patternCount; ++i) {
        if (i >= m_compiledCount)
            return -1;
        const Pattern& pattern = m_compiled[static_cast<size_t>(i)];
        size_t n = pattern.literalLength;
        bool matched;
        if (pattern.plainLiteral) {
            if (pattern.anchored && pattern.endAnchor)
                matched = length == n && std::memcmp(line, pattern.literal, n) == 0;
            else if (pattern.anchored)
                matched = length >= n && std::memcmp(line, pattern.literal, n) == 0;
            else if (pattern.endAnchor)
                matched = length >= n && std::memcmp(lineEnd - n, pattern.literal, n) == 0;
            else
                matched = pattern.finder.Find(line, lineEnd) != nullptr;
        } else if (n && !pattern.finder.Find(line, lineEnd)) {
            matched = false;
        } else if (!pattern.anchored && static_cast<unsigned char>(pattern.code[0]) == REGEX_CLASS) {
            // Only where the leading class holds can a match start, and it
            // never holds at the line end: try the rest of the code there
            // alone, as the matcher's own scan would.
            const unsigned char* bitmap = reinterpret_cast<const unsigned char*>(pattern.code) + 1;
            matched = false;
            for (const char* p = line; p < lineEnd; ++p) {
                unsigned bit = static_cast<unsigned char>(*p) & 0x7Fu;
                if ((bitmap[bit >> 3] & g_regexBitMasks[bit & 7u]) && RegexAdvanceIn(regex, p, pattern.code)) {
                    matched = true;
                    break;
                }
            }
        } else {
            // Each pattern carries its own anchoring.
            matched = RegexStepIn(regex, line, pattern.code, pattern.anchored) != 0;
        }
        if (matched)
            return 1;
    }
    return 0;
}

template <class Output>
int CQuarnSearch::SearchOne(Scratch& scratch, const char* name, const std::string& header, Output& out) const
{
    WholeFileReader file;
    if (!file.Open(name))
        return kNotOpened;
    out.Add(header.data(), header.size());
    return ScanFile(file, scratch, out);
}

// The block reads go straight into the block; a short read is the end of
// the file.
template <class Output>
int CQuarnSearch::ScanFile(WholeFileReader& file, Scratch& scratch, Output& out) const
{
    char* data = scratch.block.data();
    char* text = m_ignoreCase ? scratch.lower.data() : data;   // what the patterns see
    size_t pos = 0, length = 0;
    bool atEnd = false;
    long lineNumber = 1;
    bool selected = false;
    const size_t kNone = static_cast<size_t>(-1);
    const size_t kUnknown = static_cast<size_t>(-2);
    for (size_t& each : scratch.occurrence)
        each = kUnknown;

    for (;;) {
        if (!atEnd && length - pos <= kReadSize) {
            size_t keep = length - pos;
            std::memmove(data, data + pos, keep);
            if (text != data)
                std::memmove(text, text + pos, keep);
            // A file no longer wanted is left where it is.
            if (out.Dropped())
                return kSearched;
            size_t wanted = kBlockSize - keep;
            size_t got = file.Read(data + keep, wanted);
            if (text != data)
                LowerCopy(text + keep, data + keep, got);
            length = keep + got;
            pos = 0;
            if (got < wanted)   // a file reads short only at its end
                atEnd = true;
            for (size_t& each : scratch.occurrence)
                each = kUnknown;
        }
        if (pos >= length)
            break;

        if (m_skipReady) {
            // Lines that end before the first place where any pattern's
            // literal occurs cannot match: count them and check their
            // length without asking the patterns.
            size_t candidate = length;
            for (int i = 0; i < m_patternCount; ++i) {
                size_t& at = scratch.occurrence[static_cast<size_t>(i)];
                if (at == kUnknown || (at != kNone && at < pos)) {
                    const char* found = m_compiled[static_cast<size_t>(i)].finder.Find(text + pos, text + length);
                    at = found ? static_cast<size_t>(found - text) : kNone;
                }
                if (at != kNone && at < candidate)
                    candidate = at;
            }
            const char* candidateAt = data + candidate;
            const char* lineStart = data + pos;
            for (;;) {
                const char* lineFeed = ScanByte(lineStart, candidateAt, '\n');
                if (!lineFeed || static_cast<size_t>(lineFeed - lineStart) + 1 > kLineLimit)
                    break;
                ++lineNumber;
                lineStart = lineFeed + 1;
            }
            pos = static_cast<size_t>(lineStart - data);
            if (pos >= length || (!atEnd && length - pos <= kReadSize))
                continue;
        }

        // One line as a line read of kReadSize characters takes it.
        size_t windowEnd = length - pos > kReadSize ? pos + kReadSize : length;
        const char* lineFeed = ScanByte(data + pos, data + windowEnd, '\n');
        size_t unitEnd = lineFeed ? static_cast<size_t>(lineFeed - data) + 1 : windowEnd;
        const char* nul = ScanNul(data + pos, data + unitEnd);
        size_t lineEnd = nul ? static_cast<size_t>(nul - data) : unitEnd;
        if (lineEnd - pos > kLineLimit) {
            out.Add(kTruncated, sizeof kTruncated - 1);
            break;
        }
        size_t matchEnd = lineEnd;
        while (matchEnd > pos && (text[matchEnd - 1] == '\r' || text[matchEnd - 1] == '\n'))
            --matchEnd;
        char saved = text[matchEnd];
        text[matchEnd] = 0;
        int matched = MatchLine(text + pos, text + matchEnd, scratch.regex);
        text[matchEnd] = saved;
        if (matched < 0)
            return kPatternError;
        if ((matched == 1) != (m_unmatched != 0)) {
            if (m_lineNumbers) {
                char number[32];
                out.Add(number, static_cast<size_t>(FormatLineNumber(number, lineNumber) - number));
            }
            // The line holds no NUL: one ends it.
            out.Add(data + pos, lineEnd - pos);
            selected = true;
        }
        ++lineNumber;
        pos = unitEnd;
    }
    if (selected)
        out.Add("\r\n", 2);
    return kSearched;
}

int CQuarnSearch::FinishFile(int outcome)
{
    switch (outcome) {
    case kSearched:
    case kNotOpened:
        return 1;
    case kPatternError:
        ToolMessage("Error in pattern");
        return 0;
    default:
        ToolMessage("Out of Memory");
        return 0;
    }
}

void CQuarnSearch::AddPiece(const FileWorkers::Piece& piece)
{
    // Text that fits beside what is there goes in at once; otherwise chunk
    // by chunk, as the search in turn adds it, so that the spill starts, or
    // fails, at the same chunk.
    const std::string& text = piece.text;
    size_t held = static_cast<size_t>(m_resultText.GetLength());
    if (!m_output.Spilling() && held <= static_cast<size_t>(kResultCap) &&
        text.size() <= static_cast<size_t>(kResultCap) - held) {
        m_output.Append(text.data(), text.size());
        return;
    }
    size_t start = 0;
    for (size_t end : piece.ends) {
        m_output.Append(text.data() + start, end - start);
        start = end;
    }
}

bool CQuarnSearch::RunSearch(const char* directory)
{
    bool searched = false;
    PlaceSpill();
    unsigned threads = m_threads;
    if (threads == 0)
        threads = std::max(std::thread::hardware_concurrency(), 1u);
    if (!PreparePatterns(threads))
        ToolMessage("Out of Memory");
    else
        searched = SearchWithWorkers(directory, threads);
    // A spill file that missed a write has been reported, and the text says
    // the results are incomplete.
    return CloseSpill() && searched;
}

bool CQuarnSearch::SearchWithWorkers(const char* directory, unsigned threads)
{
    char here[4096];
    if (threads > 1 && _getcwd(here, sizeof here)) {
        m_realPath = here;
        try {
            m_workers.reset(new Workers(*this, m_scratch, threads));
        } catch (const std::exception&) {
            m_workers.reset();   // no threads to be had: every file searched in turn
        }
    }
    m_stopped = false;
    m_spillPath.clear();
    bool searched = SearchDirectory(directory) != 0;
    if (m_workers) {
        // What the walk left in flight, up to the first thing that ends the
        // search.
        searched = !m_stopped && Drain();
        m_pending.clear();
        m_workers.reset();
    }
    return searched;
}

int CQuarnSearch::Tell(const char* message, bool ends)
{
    if (m_workers) {
        m_pending.emplace_back();
        m_pending.back().message = message;
        m_pending.back().ends = ends;
    } else {
        ToolMessage(message);
    }
    return ends ? 0 : 1;
}

int CQuarnSearch::TakeOldest()
{
    while (!m_pending.empty()) {
        Pending next = std::move(m_pending.front());
        m_pending.pop_front();
        int result = 1;
        if (next.message.empty()) {
            result =
                FinishFile(m_workers->Pool().TakeNext([this](const FileWorkers::Piece& piece) { AddPiece(piece); }));
        } else {
            ToolMessage(next.message.c_str());
            result = next.ends ? 0 : 1;
        }
        if (!result) {
            // Nothing after this is searched or told.
            m_stopped = true;
            m_pending.clear();
            m_workers->Pool().Clear();
            return 0;
        }
        if (next.message.empty()) {
            if (m_spillPath.empty() && m_output.Spilling()) {
                // Made just now, in the directory the search is in.
                char full[4096];
                if (_fullpath(full, m_output.SpillName(), sizeof full))
                    m_spillPath = full;
            }
            return 1;
        }
    }
    return 1;
}

int CQuarnSearch::Drain()
{
    while (!m_pending.empty()) {
        m_workers->Pool().WaitForFinished(m_workers->Pool().InFlight());
        if (!TakeOldest())
            return 0;
    }
    return 1;
}

int CQuarnSearch::SearchDirectory(const char* path)
{
    DirEntry* table = new (std::nothrow) DirEntry[kTableSize];
    if (!table)
        return Tell("Out of Memory", true);
    int count = 0;

    // One listing of the directory answers the masks it can and names the
    // subdirectories; a mask it cannot answer is listed by the platform.
    std::vector<ListedName>& listing = m_listing;
    bool listed = false;

    const char* masks = m_fileMasks;
    int masksLength = m_fileMasks.GetLength();
    int at = 0;
    while (at < masksLength) {
        int start = at;
        while (at < masksLength && masks[at] != ' ')
            ++at;
        int maskLength = at - start;
        while (at < masksLength && (masks[at] == ' ' || masks[at] == '\t'))
            ++at;
        // A mask that does not fit the mask buffer matches nothing.
        if (maskLength == 0 || maskLength >= kMaskSize)
            continue;
        char mask[kMaskSize];
        std::memcpy(mask, masks + start, static_cast<size_t>(maskLength));
        mask[maskLength] = 0;
        int first = count;
        if (ListingAnswersMask(mask)) {
            if (!listed) {
                ListCurrentDirectory(listing);
                listed = true;
            }
            for (const ListedName& each : listing) {
                if (count >= kTableSize)
                    break;
                if (each.directory || !ListedNameMatches(mask, each))
                    continue;
                AddFileEntry(table[count++], each.name);
            }
        } else {
            _finddata_t found;
            intptr_t search = _findfirst(mask, &found);
            if (search != -1) {
                do {
                    if (count >= kTableSize)
                        break;
                    if (found.attrib & _A_SUBDIR)
                        continue;
                    AddFileEntry(table[count++], found.name);
                } while (_findnext(search, &found) == 0);
                _findclose(search);
            }
        }
        if (count - first > 1)
            std::qsort(table + first, static_cast<size_t>(count - first), sizeof(DirEntry), CompareEntryNames);
    }

    if (m_descend) {
        if (!listed)
            ListCurrentDirectory(listing);
        for (const ListedName& each : listing) {
            if (count >= kTableSize)
                break;
            if (!each.directory)
                continue;
            DirEntry& entry = table[count++];
            std::memcpy(entry.name, each.name, sizeof entry.name);
            std::memcpy(entry.foundName, each.name, sizeof entry.foundName);
            entry.directory = true;
        }
    }

    if (count == 0) {
        delete[] table;
        if (!m_descend)
            return Tell("cant find file", true);
        return 1;
    }

    size_t pathLength = std::strlen(path);
    const char* separator = pathLength && path[pathLength - 1] == '\\' ? "" : "\\";
    int result = 1;
    for (int i = 0; i < count && result; ++i) {
        const char* name = table[i].name;
        if (table[i].directory) {
            // Until the results spill, the directory the search is in can
            // decide where the spill file goes: the files of this one are
            // finished before the search leaves it.
            if (m_workers && !m_output.Spilling() && !Drain()) {
                result = 0;
                break;
            }
            if (_chdir(name) != 0) {
                CString message;
                message.Format("cant change directory [%s]", static_cast<const char*>(name));
                Tell(message, false);
                continue;
            }
            CString subpath(path);
            subpath += separator;
            subpath += name;
            subpath.MakeLower();
            size_t realLength = m_realPath.size();
            if (m_workers) {
                if (m_realPath.empty() || m_realPath.back() != kDirSeparator)
                    m_realPath += kDirSeparator;
                m_realPath += table[i].foundName;
            }
            result = SearchDirectory(subpath);
            m_realPath.resize(realLength);
            _chdir("..");
        } else if (m_workers) {
            FileWorkers& pool = m_workers->Pool();
            if (pool.InFlight() >= pool.Window()) {
                // Half the files in flight taken at once.
                pool.WaitForFinished(pool.Window() / 2);
                do
                    result = TakeOldest();
                while (result && pool.OldestFinished());
            }
            if (!result)
                break;
            std::string full = m_realPath;
            if (full.empty() || full.back() != kDirSeparator)
                full += kDirSeparator;
            full += table[i].foundName;
            // The spill file, found by the search, is read once the results
            // before it are in it, as the search in turn reads it.
            if (!m_spillPath.empty() && _stricmp(full.c_str(), m_spillPath.c_str()) == 0 && !Drain()) {
                result = 0;
                break;
            }
            pool.Submit(full, FileHeader(m_descend != 0, path, separator, name));
            m_pending.emplace_back();
        } else {
            DirectOutput out{m_output};
            result = FinishFile(
                SearchOne(m_scratch[0], table[i].foundName, FileHeader(m_descend != 0, path, separator, name), out));
        }
    }
    if (result && m_workers && !m_output.Spilling())
        result = Drain();
    delete[] table;
    return result;
}
