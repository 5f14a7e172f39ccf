// Matching speed of compiled expressions over a large generated text: a
// literal, a class with closures, and a back-reference. Prints lines per
// second for each; it is a measurement, not a test.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "regex.h"

namespace {

const int kLines = 200000;
const double kMinSeconds = 1.0;

// Deterministic text, so runs compare: lines of 40 to 120 characters made of
// words, capitalised words, numbers and now and then the literal searched for.
std::vector<std::string> GenerateText()
{
    static const char* const kWords[] = {
        "the",      "quick", "brown", "fox",    "jumps",   "over",   "lazy", "dog",  "reading", "writing",
        "matching", "line",  "file",  "search", "pattern", "engine", "text", "byte", "code",    "window",
    };
    const int wordCount = sizeof kWords / sizeof kWords[0];
    unsigned long state = 12345;
    auto next = [&state](unsigned long bound) {
        state = state * 6364136223846793005UL + 1442695040888963407UL;
        return static_cast<unsigned long>((state >> 33) % bound);
    };

    std::vector<std::string> lines;
    lines.reserve(kLines);
    for (int i = 0; i < kLines; ++i) {
        std::string line;
        const size_t target = 40 + next(81);
        while (line.size() < target) {
            if (!line.empty())
                line += ' ';
            unsigned long pick = next(100);
            if (pick < 2) {
                line += "needle";
            } else if (pick < 12) {
                line += std::to_string(next(100000));
            } else {
                std::string word = kWords[next(wordCount)];
                if (pick < 22)
                    word[0] = static_cast<char>(word[0] - 'a' + 'A');
                line += word;
                if (pick >= 95) {   // a doubled word now and then
                    line += ' ';
                    line += word;
                }
            }
        }
        lines.push_back(line);
    }
    return lines;
}

void Measure(const char* name, const char* expression, const std::vector<std::string>& lines)
{
    char code[REGEX_CODE_SIZE] = {};
    if (RegexCompile(expression, code, code + sizeof code, 0) == nullptr) {
        std::fprintf(stderr, "%s: expression does not compile\n", name);
        std::exit(1);
    }
    long matches = 0;
    long scanned = 0;
    const auto start = std::chrono::steady_clock::now();
    double seconds = 0;
    do {
        for (const std::string& line : lines)
            matches += RegexStep(line.c_str(), code);
        scanned += static_cast<long>(lines.size());
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    } while (seconds < kMinSeconds);
    const long passes = scanned / static_cast<long>(lines.size());
    std::printf("%-18s %-26s %12.0f lines/s  (%ld of %zu lines match)\n",
                name,
                expression,
                static_cast<double>(scanned) / seconds,
                matches / passes,
                lines.size());
}

}   // namespace

int main()
{
    const std::vector<std::string> lines = GenerateText();
    size_t bytes = 0;
    for (const std::string& line : lines)
        bytes += line.size();
    std::printf("regex: %zu generated lines, %.1f characters a line on average\n",
                lines.size(),
                static_cast<double>(bytes) / static_cast<double>(lines.size()));
    Measure("literal", "needle", lines);
    Measure("class-and-closure", "[A-Z][a-z]*ing [0-9]*", lines);
    Measure("back-reference", "\\([a-z][a-z]*\\) \\1", lines);
    return 0;
}
