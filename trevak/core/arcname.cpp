// Member names as safe paths below the target directory.
#include "arcname.h"

#include <cstring>

#include "names.h"

namespace {

bool IsDeviceName(const std::string& component)
{
    // Windows opens the device for "nul", "nul.txt" and "nul .txt" alike.
    std::string base;
    for (char c : component) {
        if (c == '.')
            break;
        base.push_back(LowerLetter(c));
    }
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    static const char* const kPlain[] = {"con", "prn", "aux", "nul"};
    for (const char* d : kPlain) {
        if (base == d)
            return true;
    }
    if (base.size() != 4 || (base.compare(0, 3, "com") != 0 && base.compare(0, 3, "lpt") != 0))
        return false;
    // The superscript digits one to three (code page 1252) name the same
    // ports as 1 to 3.
    unsigned char digit = static_cast<unsigned char>(base[3]);
    return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

bool OnlyDotsAndBlanks(const std::string& component)
{
    return component.find_first_not_of(". ") == std::string::npos;
}

}   // namespace

bool CheckMemberName(const std::string& stored, std::string* clean, bool* trailingSlash)
{
    std::string name = stored;
    for (char& c : name) {
        if (c == '\\')
            c = '/';
    }
    clean->clear();
    *trailingSlash = !name.empty() && name.back() == '/';
    if (name.empty())
        return true;
    if (name[0] == '/' || name.find(':') != std::string::npos)
        return false;
    size_t pos = 0;
    while (pos <= name.size()) {
        size_t slash = name.find('/', pos);
        if (slash == std::string::npos)
            slash = name.size();
        std::string component = name.substr(pos, slash - pos);
        pos = slash + 1;
        if (component.empty() || component == ".")
            continue;
        if (OnlyDotsAndBlanks(component) || IsDeviceName(component))
            return false;
        if (!clean->empty())
            clean->push_back('/');
        clean->append(component);
    }
    return true;
}
