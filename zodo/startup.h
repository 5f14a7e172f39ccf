// What the pager does with its command line.
#ifndef ZODO_STARTUP_H
#define ZODO_STARTUP_H

#include <string>

namespace zodo {

enum class StartKind { OpenDialog, Print, Open };

struct StartRequest {
  StartKind kind;
  std::string path;  // the path to open or print, as written
};

// Blanks before the argument are skipped. "/p" (either case) prints the
// path that follows its blanks; anything else is the whole path, blanks
// inside and after kept; nothing shows the Open dialog.
StartRequest ClassifyCommandLine(const char* line);

// The file name in a path argument: one leading double quote removed and
// the name cut at its last double quote, so that "c:\my files\a.txt" and
// c:\my files\a.txt name the same file.
std::string UnquotedPath(const std::string& path);

}  // namespace zodo

#endif
