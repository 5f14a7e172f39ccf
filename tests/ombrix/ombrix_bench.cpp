// Times ombrix over one large text file as a user would run it: the program
// is started with a utility's flag through the automation library, the
// dialog is filled and OK is pressed, and the clock stops when the output
// view shows the result. Runs word count, tail of 10 lines, tail of many
// lines and head after a long skip.
//
//   ombrix_bench.exe FILE TAIL_LINES HEAD_SKIP
//
// FILE is a name in the current directory, which the program inherits.
// Prints one line per run in seconds. Not a test: nothing here fails on a
// figure.
#include <windows.h>

#include <cstdio>
#include <string>

#include "auto.h"
#include "bench_support.h"
#include "ombrix/resource.h"

using namespace tamrel_auto;
using namespace tamrel_bench;

namespace {
// One run: starts ombrix with flag, lets fill set the dialog's fields,
// presses OK and waits for the view's text. Prints the times and returns
// the text shown.
std::string TimeRun(const char* label, const char* flag, const char* caption,
                    void (*fill)(const Window&, const char* const*), const char* const* values)
{
    char directory[MAX_PATH];
    GetCurrentDirectoryA(sizeof directory, directory);
    RunTimes times;
    Process process = StartAndPressOk(
        "ombrix.exe", flag, directory, caption, [&](const Window& dialog) { fill(dialog, values); }, &times);
    Output output = WaitForOutput(process, " - UNIX Utilities", "the result", &times);
    std::printf("%s: start to result shown: %.3f s; OK to result shown: %.3f s\n",
                label,
                times.StartToFinish(),
                times.OkToFinish());
    CloseAndWait(process, output);
    return output.shown;
}

void FillWc(const Window& dialog, const char* const* values)
{
    dialog.Child(IDC_WC_FILENAMES).SetText(values[0]);
}

void FillTail(const Window& dialog, const char* const* values)
{
    dialog.Child(IDC_TAIL_FILES).SetText(values[0]);
    dialog.Child(std::string(values[1]) == "head" ? IDC_TAIL_HEAD : IDC_TAIL_TAIL).SelectRadio();
    dialog.Child(IDC_TAIL_SKIP).SetText(values[2]);
    dialog.Child(IDC_TAIL_LINES).SetText(values[3]);
}

// The output, or what the spill file named by the notice holds (which is
// then removed).
std::string Result(const std::string& shown)
{
    std::string spill = SpillFileName(shown);
    if (spill.empty())
        return shown;
    std::string text;
    TakeSpillFile(spill, &text);
    return text;
}

// A digest of a text that the shell can compare: its size and the sum of
// its bytes.
void PrintDigest(const char* label, const std::string& text)
{
    unsigned long long sum = 0;
    for (unsigned char c : text)
        sum += c;
    std::printf("%s: %zu bytes, byte sum %llu\n", label, text.size(), sum);
}
}

int main(int argc, char** argv)
{
    // With the file alone, only the word count is timed (the large file's run).
    if (argc != 2 && !CheckUsage(argc, 3, "ombrix_bench FILE [TAIL_LINES HEAD_SKIP]"))
        return 2;
    const char* file = argv[1];
    return Run("ombrix_bench", [&] {
        const char* wc[] = {file};
        std::string counts = TimeRun("wc", "-w", "WC for Windows", FillWc, wc);
        std::printf("wc result: %s", counts.substr(0, counts.find("\r\n") + 2).c_str());
        if (argc == 2)
            return 0;

        // Header "====> name <====", an empty line, the lines, an empty line.
        auto body = [](const std::string& text) {
            size_t start = text.find("\r\n\r\n") + 4;
            return text.substr(start, text.size() - start - 2);
        };
        const char* tail10[] = {file, "tail", "0", "10"};
        PrintDigest("tail 10 lines",
                    body(Result(TimeRun("tail 10 lines", "-t", "Tail for Windows", FillTail, tail10))));
        const char* tailMany[] = {file, "tail", "0", argv[2]};
        std::string label = std::string("tail ") + argv[2] + " lines";
        PrintDigest(label.c_str(), body(Result(TimeRun(label.c_str(), "-t", "Tail for Windows", FillTail, tailMany))));
        const char* head[] = {file, "head", argv[3], "10"};
        label = std::string("head 10 lines after ") + argv[3];
        PrintDigest(label.c_str(), body(Result(TimeRun(label.c_str(), "-t", "Tail for Windows", FillTail, head))));
        return 0;
    });
}
