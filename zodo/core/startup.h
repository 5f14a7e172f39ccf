// What the pager does with its command line.
#ifndef ZODO_STARTUP_H
#define ZODO_STARTUP_H

#include <string>

namespace zodo {

enum class StartKind { OpenDialog, Print, Open };

struct StartRequest {
    StartKind kind;
    std::string path;   // the path to open or print, as written
};

// Blanks before the argument are skipped. "/p" (either case) prints the
// path that follows its blanks; anything else is the whole path, blanks
// inside and after kept; nothing shows the Open dialog.
StartRequest ClassifyCommandLine(const char* line);

}   // namespace zodo

#endif
