// The keys of zodo.ini that Save Options writes, as "section/key", in the
// order it writes them: what the unit and end-to-end tests expect.
#ifndef TESTS_ZODO_OPTIONS_KEYS_H
#define TESTS_ZODO_OPTIONS_KEYS_H

#include <string>
#include <vector>

inline std::vector<std::string> ExpectedOptionKeys()
{
    std::vector<std::string> keys = {
        "tabbing/length", "tabbing/margin", "colors/hicolor", "colors/locolor", "tools/editor"};
    const char* fontKeys[] = {"Height",
                              "Width",
                              "Escapement",
                              "Orientation",
                              "Weight",
                              "Italic",
                              "Underline",
                              "StrikeOut",
                              "CharSet",
                              "OutPrecision",
                              "ClipPrecision",
                              "Quality",
                              "PitchAndFamily",
                              "FaceName"};
    for (const char* section : {"font", "lpfont"})
        for (const char* key : fontKeys)
            keys.push_back(std::string(section) + "/" + key);
    for (const char* key : {"left", "top", "right", "bottom"})
        keys.push_back(std::string("Position/") + key);
    return keys;
}

#endif
