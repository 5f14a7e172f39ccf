// The script argument of vantic's benchmarks: a "\n" (backslash, n) starts a
// new script line, as a line end typed into the script field would.
#ifndef VANTIC_BENCH_SCRIPT_H
#define VANTIC_BENCH_SCRIPT_H

#include <string>

inline std::string ScriptFromArgument(const char* argument)
{
    std::string script;
    for (const char* p = argument; *p; ++p) {
        if (p[0] == '\\' && p[1] == 'n') {
            script += "\r\n";
            ++p;
        } else {
            script += *p;
        }
    }
    return script;
}

#endif
