// quarn's search: the dialog's choices, the patterns cut into lines, the
// walk through the directory tree and the result text with its spill file.
// Plain code without windows: the document derives from it and adds only the
// dialog and the framework's calls; messages go through ToolMessage.
#ifndef QUARN_SEARCH_H
#define QUARN_SEARCH_H

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "afxstr.h"
#include "outtext.h"
#include "scanfs.h"

class CQuarnSearch {
public:
    enum {
        kPatternLineSize = 512,   // a pattern line holds 511 characters
        kMaskSize = 260,          // a file mask holds 259 characters
        kTableSize = 1024,        // entries searched in one directory
        kResultCap = 32767,       // characters the result text holds before it spills
    };

    CQuarnSearch();
    virtual ~CQuarnSearch();
    CQuarnSearch(const CQuarnSearch&) = delete;
    CQuarnSearch& operator=(const CQuarnSearch&) = delete;

    // The Filenames preset from the program's command line: "*." and the
    // extension of the line's last path component, lower-cased, or "*.*".
    static CString MaskPreset(const char* commandLine);

    // The current directory, lower-cased: the document title and the place
    // where the search starts.
    static CString CurrentDirectoryLower();

    // Start of a run: no results, no spill file.
    void ResetResults();

    // Cuts the patterns text into the pattern array (lower-cased when
    // ignoring case) and sets the pattern count.
    void SplitPatterns();

    // The next line of the patterns text into a buffer of kPatternLineSize
    // characters; the end of the copied text, or null when the text is used
    // up. Reads from m_patternReadPos.
    char* GetNextPatternLine(char* buffer);

    // The search and the end of a run: searches `directory` (the current
    // directory), then closes the spill file. True when the search ran to its
    // end and the spill file, if one was made, holds every result.
    bool RunSearch(const char* directory);

    // One directory level of the search; `path` is also the current
    // directory. FALSE ends the whole search.
    int SearchDirectory(const char* path);

    // Appends one chunk of results to the result text, or to the spill file
    // once the text would pass kResultCap characters.
    void AddOutput(const char* text) { m_output.Append(text); }

    // Closes the spill file of the run, when one was opened. False after a
    // write to it failed (the user has been told).
    bool CloseSpill() { return m_output.CloseSpill(); }

    // The dialog's choices and the results, in the document's order.
    int m_patternCount;
    CStringArray m_patterns;
    // The results, spilling into the current directory, or into the
    // Directory field's directory when descending.
    COutputText m_output;
    CString& m_resultText = m_output.m_text;
    CString m_directory;       // the dialog's Directory field
    CString m_fileMasks;       // blank-separated wildcard masks
    CString m_patternsText;    // one pattern a line
    int m_lineNumbers;
    int m_ignoreCase;
    int m_descend;
    int m_unmatched;

    // Threads that open, read and close files ahead of the matching: 0 one
    // for each processor up to kMaxReadThreads, 1 none (every file opened
    // and read in turn). Under Wine each of those calls is a round trip to
    // its server, and the threads overlap the waits; more than two threads
    // mostly lost time handing files over to the search's thread, most of
    // all on a busy machine (scripts/bench quarn measures 1, 2, 4 and 8).
    static constexpr unsigned kMaxReadThreads = 2;
    unsigned m_readThreads = 0;

    int m_patternReadPos;      // read position of GetNextPatternLine
    bool m_lastLineTooLong;    // the last line GetNextPatternLine gave did not fit


    struct DirEntry;

private:
    struct Pattern;

    bool PreparePatterns();
    // Tests one line (NUL-terminated, line end removed); 1 match, 0 none,
    // -1 a pattern that does not compile.
    int MatchLine(const char* line, const char* lineEnd);
    bool CompilePattern(int index);
    int SearchFile(const char* name, const char* header);
    bool SearchWithReadAhead(const char* directory);
    void PlaceSpill();

    std::vector<unsigned char> m_patternTooLong;   // per pattern line: did not fit the buffer
    std::vector<Pattern> m_compiled;
    int m_compiledCount;       // leading patterns compiled without error
    bool m_skipReady;          // every pattern compiled, each with literal text to look for
    std::vector<size_t> m_occurrence;  // per pattern: next place in the block where its literal occurs
    std::vector<char> m_block; // file read buffer
    std::vector<char> m_lower; // the same block lower-cased, when ignoring case
    std::vector<ListedName> m_listing;  // the directory being listed
    std::unique_ptr<ReadAhead> m_readAhead;  // during a run with read-ahead threads
    std::string m_realPath;    // the directory being searched, as the file system names it
};

#endif
