// A console driver of the archiver's engine for the interoperability tests:
// the same listing, extraction and writing the program runs, with messages
// on standard error and every question answered Yes.
//
//   trevak_cli list ARCHIVE [-v]
//   trevak_cli extract ARCHIVE TARGET
//   trevak_cli create cpio|ustar|tar ARCHIVE SOURCE PATTERN [-n]   (-n: do not descend)
//   trevak_cli append ARCHIVE SOURCE PATTERN [-n]
#include <cstdio>
#include <cstring>
#include <string>

#include "arcextract.h"
#include "arcformat.h"
#include "arcreader.h"
#include "arcwrite.h"

namespace {

class ConsoleUi : public ArcUi {
public:
    void Message(const std::string& text) override
    {
        fprintf(stderr, "%s\n", text.c_str());
        messages++;
    }
    Answer AskYesNoCancel(const std::string& text) override
    {
        Message(text);
        return kYes;
    }
    bool AskRename(const std::string& from, std::string* to) override
    {
        *to = ".";
        return true;
    }
    void Progress(const std::string&) override {}
    int messages = 0;
};

int Usage()
{
    fprintf(stderr, "usage: trevak_cli list|extract|create|append ...\n");
    return 2;
}

}   // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return Usage();
    ConsoleUi ui;
    ArcFs& fs = SystemFs();
    std::string cmd = argv[1];
    if (cmd == "list" || cmd == "extract") {
        int type = OpenArchiveType(argv[2], fs, ui);
        if (type == kArcUnknown)
            return 1;
        std::unique_ptr<ArcStream> in = fs.OpenRead(argv[2]);
        if (!in)
            return 1;
        if (cmd == "list") {
            bool verbose = argc > 3 && strcmp(argv[3], "-v") == 0;
            bool ok = ListArchive(
                *in,
                type,
                [&](const ArcMember& m) {
                    printf("%s\n", FormatMemberLine(m.name, m.st, verbose).c_str());
                    return true;
                },
                ui);
            return ok ? 0 : 1;
        }
        if (argc < 4)
            return Usage();
        ExtractOptions options;
        return ExtractArchive(*in, type, argv[3], options, fs, ui) && ui.messages == 0 ? 0 : 1;
    }
    WriteOptions options;
    int arg = 2;
    if (cmd == "create") {
        if (argc < 6)
            return Usage();
        std::string format = argv[arg++];
        options.type = format == "cpio" ? kArcCpio : format == "tar" ? kArcTar : kArcUstar;
    } else if (cmd == "append") {
        if (argc < 5)
            return Usage();
        options.append = true;
        options.type = OpenArchiveType(argv[arg], fs, ui);
        if (options.type == kArcUnknown)
            return 1;
    } else {
        return Usage();
    }
    std::string archive = argv[arg++];
    options.source = argv[arg++];
    options.pattern = argv[arg++];
    options.descend = !(arg < argc && strcmp(argv[arg], "-n") == 0);
    return WriteArchive(archive, options, fs, ui) ? 0 : 1;
}
