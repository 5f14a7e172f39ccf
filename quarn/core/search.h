// quarn's search: the dialog's choices, the patterns cut into lines, the
// walk through the directory tree and the result text with its spill file.
// Plain code without windows: the document derives from it and adds only the
// dialog and the framework's calls; messages go through ToolMessage.
#ifndef QUARN_SEARCH_H
#define QUARN_SEARCH_H

#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "afxstr.h"
#include "outtext.h"
#include "regex.h"
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
    CString m_directory;      // the dialog's Directory field
    CString m_fileMasks;      // blank-separated wildcard masks
    CString m_patternsText;   // one pattern a line
    int m_lineNumbers;
    int m_ignoreCase;
    int m_descend;
    int m_unmatched;

    // Threads that search files: 0 one for each processor, 1 none (every
    // file opened, read and searched in turn on the search's thread). Each
    // worker opens, reads, searches and closes a file of its own, collecting
    // its results, which the search's thread takes in the order of the search
    // in turn. Under Wine every open, read and close is a round trip to its
    // server, and the workers overlap those waits as well as the matching.
    unsigned m_threads = 0;

    int m_patternReadPos;     // read position of GetNextPatternLine
    bool m_lastLineTooLong;   // the last line GetNextPatternLine gave did not fit

    struct DirEntry;

private:
    struct Pattern;
    struct Scratch;
    struct DirectOutput;
    class Workers;
    // What searching one file came to.
    enum { kPatternError = 0, kSearched = 1, kNotOpened = 2 };

    bool PreparePatterns(unsigned threads);
    // Tests one line (NUL-terminated, line end removed); 1 match, 0 none,
    // -1 a pattern that does not compile.
    int MatchLine(const char* line, const char* lineEnd, RegexMatchState& regex) const;
    bool CompilePattern(int index);
    // Opens the file and searches it, writing its header and results to out.
    template <class Output>
    int SearchOne(Scratch& scratch, const char* name, const std::string& header, Output& out) const;
    template <class Output>
    int ScanFile(WholeFileReader& file, Scratch& scratch, Output& out) const;
    // The search's side of a file: its results added, its errors told.
    int FinishFile(int outcome);
    void AddPiece(const FileWorkers::Piece& piece);
    bool SearchWithWorkers(const char* directory, unsigned threads);
    // With workers the walk through the tree runs ahead of the results:
    // what the search in turn would tell the user waits in m_pending, in
    // its place among the files, until the results before it are in.
    // Tell shows or queues a message; 0 when it ends the search.
    int Tell(const char* message, bool ends);
    // The oldest file in flight taken, with the messages before it; 0 when
    // the search ends there.
    int TakeOldest();
    int Drain();
    struct Pending {
        std::string message;   // empty: a file given to the workers
        bool ends = false;
    };
    std::deque<Pending> m_pending;
    bool m_stopped = false;    // something taken ended the search
    std::string m_spillPath;   // the spill file's full path, once it is made
    void PlaceSpill();

    std::vector<unsigned char> m_patternTooLong;   // per pattern line: did not fit the buffer
    std::vector<Pattern> m_compiled;
    int m_compiledCount;                  // leading patterns compiled without error
    bool m_skipReady;                     // every pattern compiled, each with literal text to look for
    std::vector<Scratch> m_scratch;       // per worker (one without workers): blocks and match state
    std::vector<ListedName> m_listing;    // the directory being listed
    std::unique_ptr<Workers> m_workers;   // during a run with worker threads
    std::string m_realPath;               // the directory being searched, as the file system names it
};

#endif
