// Times quarn's search engine in a console program under Wine, without the
// program's windows, on a directory tree, and the bare file-system calls it
// makes, to see where a search's time goes and whether Wine's server lets
// opens on several threads overlap:
//
//   quarn_engine_bench.exe DIRECTORY PATTERN
//
// Prints the time of one bare request to the system (under Wine, a round
// trip to its server), then, for 1, 2, 4 and one thread per processor, the
// time to open and close every file of the tree, and to open, read whole
// and close it; then the whole search ("*.txt", descending, line numbers)
// in turn and on 2, 4 and one worker thread per processor (best of three,
// taking turns), with its time a file, and whether each gave the results of
// the search in turn. Not a test: nothing here fails on a figure.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "message.h"
#include "search.h"

namespace {

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void ListTree(const std::string& directory, std::vector<std::string>& files)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListTree(directory + "\\" + name, files);
        else
            files.push_back(directory + "\\" + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Seconds for `threads` threads to take every file once, the next file
// going to whichever thread is free.
double OverFiles(const std::vector<std::string>& files, unsigned threads, bool read)
{
    std::atomic<size_t> next{0};
    auto work = [&] {
        std::vector<char> buffer(read ? 1 << 20 : 0);
        for (size_t i; (i = next++) < files.size();) {
            HANDLE file = CreateFileA(files[i].c_str(),
                                      GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr,
                                      OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN,
                                      nullptr);
            if (file == INVALID_HANDLE_VALUE)
                continue;
            DWORD got = 0;
            while (read && ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) &&
                   got == buffer.size()) {
            }
            CloseHandle(file);
        }
    };
    double start = Now();
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back(work);
    for (std::thread& each : pool)
        each.join();
    return Now() - start;
}

std::string g_messages;
void Record(const char* text)
{
    g_messages += text;
    g_messages += '\n';
}

// One whole search; the results (the spill file's, when it made one) go
// into results.
// Seconds of processor time the process has used, on all its threads.
double ProcessorSeconds()
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

double Search(const std::string& directory, const char* pattern, unsigned threads, std::string& results,
              double& processor)
{
    CQuarnSearch search;
    search.m_threads = threads;
    search.m_directory = directory.c_str();
    search.m_fileMasks = "*.txt";
    search.m_patternsText = pattern;
    search.m_lineNumbers = 1;
    search.m_descend = 1;
    search.ResetResults();
    search.SplitPatterns();
    double start = Now();
    double startProcessor = ProcessorSeconds();
    search.RunSearch(CQuarnSearch::CurrentDirectoryLower());
    double seconds = Now() - start;
    processor = ProcessorSeconds() - startProcessor;
    results = static_cast<const char*>(search.m_resultText);
    const char* spill = search.m_output.SpillName();
    if (spill && *spill && results.find("Results written to file: ") != std::string::npos) {
        results.clear();
        FILE* file = std::fopen(spill, "rb");
        char block[65536];
        size_t got;
        while (file && (got = std::fread(block, 1, sizeof block, file)) > 0)
            results.append(block, got);
        if (file)
            std::fclose(file);
        DeleteFileA(spill);
    }
    return seconds;
}

}   // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: quarn_engine_bench DIRECTORY PATTERN [THREADS...]\n");
        return 2;
    }
    SetToolMessageHandler(Record);
    char full[MAX_PATH];
    if (!GetFullPathNameA(argv[1], sizeof full, full, nullptr) || !SetCurrentDirectoryA(full)) {
        std::fprintf(stderr, "quarn_engine_bench: cannot enter %s\n", argv[1]);
        return 1;
    }
    std::string directory = full;
    std::vector<std::string> files;
    ListTree(directory, files);
    unsigned processors = std::thread::hardware_concurrency();
    std::printf("%zu files, %u processors\n", files.size(), processors);
    // One request to Wine's server and its answer, the least a file call
    // can cost: setting an event that nobody waits on.
    {
        HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        const int kRequests = 2000;
        double start = Now();
        for (int i = 0; i < kRequests; ++i)
            ResetEvent(event);
        std::printf("one request to the system (an event reset): %.1f us\n", (Now() - start) * 1e6 / kRequests);
        CloseHandle(event);
    }
    for (unsigned threads : {1u, 2u, 4u, processors}) {
        double open = OverFiles(files, threads, false);
        double read = OverFiles(files, threads, true);
        std::printf("%u threads: open and close %.3f s (%.1f us a file); open, read whole and close %.3f s\n",
                    threads,
                    open,
                    open * 1e6 / static_cast<double>(files.size()),
                    read);
    }
    // Each way three times, taking turns, so that a busy moment of the
    // machine does not fall on one way only; the best of each. The thread
    // counts may be given after the pattern (1 is the search in turn).
    std::vector<unsigned> ways = {1u, 2u, 4u, processors};
    if (argc > 3) {
        ways.clear();
        for (int i = 3; i < argc; ++i)
            ways.push_back(static_cast<unsigned>(std::atoi(argv[i])));
    }
    std::vector<double> best(ways.size(), 1e9), processor(ways.size(), 0);
    std::vector<std::string> results(ways.size());
    for (int round = 0; round < 3; ++round) {
        for (size_t way = 0; way < ways.size(); ++way) {
            double used = 0;
            double seconds = Search(directory, argv[2], ways[way], results[way], used);
            if (seconds < best[way]) {
                best[way] = seconds;
                processor[way] = used;
            }
        }
    }
    double count = static_cast<double>(files.size() ? files.size() : 1);
    for (size_t way = 0; way < ways.size(); ++way) {
        if (ways[way] <= 1)
            std::printf("search in turn");
        else
            std::printf("search on %u worker threads%s", ways[way], ways[way] == processors ? " (the default)" : "");
        std::printf(": %.3f s, %.1f us a file, processor time %.3f s, %zu bytes of results%s\n",
                    best[way],
                    best[way] * 1e6 / count,
                    processor[way],
                    results[way].size(),
                    way == 0                     ? ""
                    : results[way] == results[0] ? ", the same"
                                                 : ", DIFFERENT");
    }
    if (!g_messages.empty())
        std::printf("messages: %s", g_messages.c_str());
    return 0;
}
