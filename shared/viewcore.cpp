#include "viewcore.h"

#include <cstdio>
#include <cstring>

#include "names.h"
#include "regex.h"

std::string SearchExpression(const std::string& pattern, bool anchorStart, bool anchorEnd, bool ignoreCase)
{
    std::string text = anchorStart ? "^" + pattern : pattern;
    if (ignoreCase)
        text = LowerName(text);
    if (anchorEnd)
        text += '$';
    return text;
}

bool CompileSearchExpression(const std::string& expression, char* code, int codeSize)
{
    std::memset(code, 0, static_cast<size_t>(codeSize));
    // The engine takes an empty expression as "the last one again"; a
    // search has no last one to fall back on.
    if (expression.empty())
        return false;
    return RegexCompile(expression.c_str(), code, code + codeSize, 0) != nullptr;
}

int MarkIndex(const char* field)
{
    char c = field ? field[0] : '\0';
    return c >= 'a' && c <= 'z' ? c - 'a' : -1;
}

std::string MarksText(const long long values[kMarkCount], const char* label, int digits)
{
    std::string text;
    for (int i = 0; i < kMarkCount; ++i) {
        if (values[i] < 0)
            continue;
        char line[64];
        std::snprintf(line, sizeof line, "%c\t%s%0*lld\r\n", 'a' + i, label, digits, values[i]);
        text += line;
    }
    return text;
}

int RowsPerPage(int pageHeight, int rowHeight)
{
    if (rowHeight <= 0)
        return 1;
    long long rows = (static_cast<long long>(pageHeight) - 4LL * rowHeight) / rowHeight;
    if (rows < 1)
        return 1;
    return rows > 0x7fffffff ? 0x7fffffff : static_cast<int>(rows);
}

long long FirstRowOfPage(int page, int rowsPerPage)
{
    if (page < 1)
        page = 1;
    return static_cast<long long>(rowsPerPage) * (page - 1);
}

std::string PrintHeader(std::time_t when, const char* path, int page)
{
    // Spelled out rather than taken from ctime, whose day of the month
    // differs between runtimes, so that every build prints the same.
    static const char days[] = "SunMonTueWedThuFriSat";
    static const char months[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    char date[64] = "";
    if (const std::tm* t = std::localtime(&when)) {
        if (t->tm_wday >= 0 && t->tm_wday < 7 && t->tm_mon >= 0 && t->tm_mon < 12)
            std::snprintf(date,
                          sizeof date,
                          "%.3s %.3s %02d %02d:%02d:%02d %d",
                          days + 3 * t->tm_wday,
                          months + 3 * t->tm_mon,
                          t->tm_mday,
                          t->tm_hour,
                          t->tm_min,
                          t->tm_sec,
                          t->tm_year + 1900);
    }
    return std::string(date) + "  " + path + "  Page " + std::to_string(page);
}

int FittingChars(const std::string& text, int x, int pageWidth, const std::function<int(char)>& widthOf)
{
    long long end = x;
    int n = 0;
    for (char c : text) {
        end += widthOf(c);
        if (end > pageWidth)
            break;
        ++n;
    }
    return n;
}
