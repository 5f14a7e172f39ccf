#include "startup.h"

#include <cctype>

namespace zodo {

StartRequest ClassifyCommandLine(const char* line)
{
    if (!line)
        line = "";
    // Launchers leave a blank after the program name when they have no file.
    while (*line == ' ' || *line == '\t')
        ++line;
    if (!*line)
        return {StartKind::OpenDialog, ""};
    if (line[0] == '/' && (line[1] == 'p' || line[1] == 'P')) {
        const char* p = line + 2;
        while (*p && std::isspace(static_cast<unsigned char>(*p)))
            ++p;
        return {StartKind::Print, p};
    }
    return {StartKind::Open, line};
}

}   // namespace zodo
