// Helpers shared by the engine's unit tests.
#ifndef TAMREL_REGEX_TEST_UTIL_H
#define TAMREL_REGEX_TEST_UTIL_H

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "regex.h"

namespace regex_test {

typedef std::vector<int> Bytes;

inline Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

inline Bytes ToBytes(const char* begin, const char* end)
{
    Bytes bytes;
    for (const char* p = begin; p < end; ++p)
        bytes.push_back(static_cast<unsigned char>(*p));
    return bytes;
}

// The 16-byte bitmap of a class whose members are the given 7-bit characters
// (or, negated, every character 1-127 but those).
inline Bytes Bitmap(const std::string& members, bool negated = false)
{
    Bytes map(16, 0);
    for (int c = 1; c < 128; ++c) {
        bool listed = members.find(static_cast<char>(c)) != std::string::npos;
        if (listed != negated)
            map[c / 8] |= 1 << (c % 8);
    }
    return map;
}

// A code buffer of exactly the given size, on the heap so that the sanitizer
// build sees any write past it.
class CodeBuffer {
public:
    explicit CodeBuffer(size_t size = REGEX_CODE_SIZE) : m_size(size), m_data(new char[size]()) {}
    char* begin() { return m_data.get(); }
    char* end() { return m_data.get() + m_size; }
    const char* code() const { return m_data.get(); }

    // Compiles and returns the code bytes up to the returned end, or sets ok false.
    Bytes Compile(const std::string& expression, char delimiter, bool* ok)
    {
        char* stop = RegexCompile(expression.c_str(), begin(), end(), delimiter);
        *ok = stop != nullptr;
        return stop != nullptr ? ToBytes(begin(), stop) : Bytes();
    }

private:
    size_t m_size;
    std::unique_ptr<char[]> m_data;
};

// A line in a heap block of exactly its length plus the NUL, so that the
// sanitizer build catches any read past the line's end.
class Line {
public:
    explicit Line(const std::string& text) : m_data(new char[text.size() + 1])
    {
        std::memcpy(m_data.get(), text.c_str(), text.size() + 1);
    }
    const char* get() const { return m_data.get(); }
    long Offset(const char* p) const { return p == nullptr ? -1 : static_cast<long>(p - m_data.get()); }

private:
    std::unique_ptr<char[]> m_data;
};

// Readable form of an expression or line for failure messages.
inline std::string Show(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c < 32 || c > 126) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else
            out += static_cast<char>(c);
    }
    return out;
}

}   // namespace regex_test

#endif
