#include "afxstr.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {
// Every empty string points here, so an empty CString costs no allocation
// and its text is always a valid "".
char g_emptyText[1] = {0};

int SafeLength(const char* text)
{
    return text ? static_cast<int>(std::strlen(text)) : 0;
}
}

CString::CString() : m_data(g_emptyText), m_length(0), m_capacity(0) {}

CString::CString(const CString& other) : CString()
{
    Assign(other.m_data, other.m_length);
}

CString::CString(const char* text) : CString()
{
    Assign(text, SafeLength(text));
}

CString::CString(const char* text, int length) : CString()
{
    Assign(text, text ? length : 0);
}

CString::CString(char ch, int repeat) : CString()
{
    if (repeat > 0) {
        Reserve(repeat);
        std::memset(m_data, ch, static_cast<size_t>(repeat));
        m_length = repeat;
        m_data[m_length] = 0;
    }
}

CString::~CString()
{
    if (m_capacity)
        std::free(m_data);
}

CString& CString::operator=(const CString& other)
{
    if (this != &other)
        Assign(other.m_data, other.m_length);
    return *this;
}

CString& CString::operator=(const char* text)
{
    // The text may lie inside this string's own buffer.
    if (text >= m_data && text <= m_data + m_length && m_capacity) {
        CString copy(text);
        return *this = copy;
    }
    Assign(text, SafeLength(text));
    return *this;
}

CString& CString::operator=(char ch)
{
    Assign(&ch, 1);
    return *this;
}

void CString::Reserve(int capacity)
{
    if (capacity <= m_capacity)
        return;
    int grown = m_capacity ? m_capacity + m_capacity / 2 : 0;
    if (grown < capacity)
        grown = capacity;
    char* data = static_cast<char*>(m_capacity ? std::realloc(m_data, static_cast<size_t>(grown) + 1)
                                               : std::malloc(static_cast<size_t>(grown) + 1));
    if (!data)
        throw std::bad_alloc();
    if (!m_capacity)
        data[0] = 0;
    m_data = data;
    m_capacity = grown;
}

void CString::Assign(const char* text, int length)
{
    if (length <= 0) {
        Empty();
        return;
    }
    Reserve(length);
    std::memmove(m_data, text, static_cast<size_t>(length));
    m_length = length;
    m_data[m_length] = 0;
}

void CString::Empty()
{
    if (m_capacity)
        std::free(m_data);
    m_data = g_emptyText;
    m_length = 0;
    m_capacity = 0;
}

void CString::SetAt(int index, char ch)
{
    if (index >= 0 && index < m_length)
        m_data[index] = ch;
}

void CString::Append(const char* text, int length)
{
    if (!text || length <= 0)
        return;
    if (m_capacity && text >= m_data && text <= m_data + m_length) {
        CString copy(text, length);
        Append(copy.m_data, copy.m_length);
        return;
    }
    Reserve(m_length + length);
    std::memcpy(m_data + m_length, text, static_cast<size_t>(length));
    m_length += length;
    m_data[m_length] = 0;
}

CString& CString::operator+=(const CString& other)
{
    Append(other.m_data, other.m_length);
    return *this;
}

CString& CString::operator+=(const char* text)
{
    Append(text, SafeLength(text));
    return *this;
}

CString& CString::operator+=(char ch)
{
    Append(&ch, 1);
    return *this;
}

CString operator+(const CString& a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, const char* b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const char* a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, char b)
{
    CString r(a);
    r += b;
    return r;
}

int CString::Compare(const char* text) const
{
    return std::strcmp(m_data, text ? text : "");
}

int CString::CompareNoCase(const char* text) const
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_data);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(text ? text : "");
    for (;; ++a, ++b) {
        int ca = std::tolower(*a);
        int cb = std::tolower(*b);
        if (ca != cb)
            return ca - cb;
        if (!ca)
            return 0;
    }
}

CString CString::Left(int count) const
{
    if (count < 0)
        count = 0;
    if (count > m_length)
        count = m_length;
    return CString(m_data, count);
}

CString CString::Right(int count) const
{
    if (count < 0)
        count = 0;
    if (count > m_length)
        count = m_length;
    return CString(m_data + m_length - count, count);
}

CString CString::Mid(int first) const
{
    return Mid(first, m_length);
}

CString CString::Mid(int first, int count) const
{
    if (first < 0)
        first = 0;
    if (first > m_length)
        first = m_length;
    if (count < 0)
        count = 0;
    if (count > m_length - first)
        count = m_length - first;
    return CString(m_data + first, count);
}

int CString::Find(char ch) const
{
    return Find(ch, 0);
}

int CString::Find(char ch, int start) const
{
    if (start < 0 || start >= m_length)
        return -1;
    const void* p = std::memchr(m_data + start, ch, static_cast<size_t>(m_length - start));
    return p ? static_cast<int>(static_cast<const char*>(p) - m_data) : -1;
}

int CString::Find(const char* sub) const
{
    return Find(sub, 0);
}

int CString::Find(const char* sub, int start) const
{
    if (start < 0 || start > m_length || !sub)
        return -1;
    const char* p = std::strstr(m_data + start, sub);
    return p ? static_cast<int>(p - m_data) : -1;
}

int CString::ReverseFind(char ch) const
{
    for (int i = m_length - 1; i >= 0; --i)
        if (m_data[i] == ch)
            return i;
    return -1;
}

int CString::FindOneOf(const char* set) const
{
    size_t n = std::strcspn(m_data, set);
    return n < static_cast<size_t>(m_length) ? static_cast<int>(n) : -1;
}

void CString::MakeLower()
{
    for (int i = 0; i < m_length; ++i) {
        int c = static_cast<unsigned char>(m_data[i]);
        if (std::isupper(c))
            m_data[i] = static_cast<char>(std::tolower(c));
    }
}

void CString::MakeUpper()
{
    for (int i = 0; i < m_length; ++i) {
        int c = static_cast<unsigned char>(m_data[i]);
        if (std::islower(c))
            m_data[i] = static_cast<char>(std::toupper(c));
    }
}

namespace {
bool IsTrimmed(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
}

void CString::TrimLeft()
{
    int n = 0;
    while (n < m_length && IsTrimmed(m_data[n]))
        ++n;
    if (n)
        Delete(0, n);
}

void CString::TrimRight()
{
    int n = m_length;
    while (n > 0 && IsTrimmed(m_data[n - 1]))
        --n;
    if (n < m_length) {
        if (n == 0) {
            Empty();
        } else {
            m_length = n;
            m_data[n] = 0;
        }
    }
}

int CString::Replace(char from, char to)
{
    int count = 0;
    for (int i = 0; i < m_length; ++i)
        if (m_data[i] == from) {
            m_data[i] = to;
            ++count;
        }
    return count;
}

int CString::Replace(const char* from, const char* to)
{
    int fromLength = SafeLength(from);
    if (fromLength == 0)
        return 0;
    CString result;
    int count = 0;
    int pos = 0;
    for (;;) {
        int hit = Find(from, pos);
        if (hit < 0)
            break;
        result.Append(m_data + pos, hit - pos);
        result += to;
        pos = hit + fromLength;
        ++count;
    }
    if (count) {
        result.Append(m_data + pos, m_length - pos);
        *this = result;
    }
    return count;
}

int CString::Remove(char ch)
{
    int out = 0;
    for (int i = 0; i < m_length; ++i)
        if (m_data[i] != ch)
            m_data[out++] = m_data[i];
    int removed = m_length - out;
    if (removed) {
        m_length = out;
        m_data[out] = 0;
    }
    return removed;
}

int CString::Insert(int index, char ch)
{
    char text[2] = {ch, 0};
    return Insert(index, text);
}

int CString::Insert(int index, const char* text)
{
    if (index < 0)
        index = 0;
    if (index > m_length)
        index = m_length;
    CString result(m_data, index);
    result += text;
    result.Append(m_data + index, m_length - index);
    *this = result;
    return m_length;
}

int CString::Delete(int index, int count)
{
    if (index < 0)
        index = 0;
    if (count <= 0 || index >= m_length)
        return m_length;
    if (count > m_length - index)
        count = m_length - index;
    std::memmove(m_data + index, m_data + index + count, static_cast<size_t>(m_length - index - count + 1));
    m_length -= count;
    return m_length;
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int needed = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (needed <= 0) {
        va_end(again);
        Empty();
        return;
    }
    CString result;
    result.Reserve(needed);
    std::vsnprintf(result.m_data, static_cast<size_t>(needed) + 1, format, again);
    va_end(again);
    result.m_length = needed;
    *this = result;
}

char* CString::GetBuffer(int minLength)
{
    if (minLength < m_length)
        minLength = m_length;
    if (minLength < 1)
        minLength = 1;
    Reserve(minLength);
    return m_data;
}

char* CString::GetBufferSetLength(int length)
{
    char* data = GetBuffer(length);
    m_length = length < 0 ? 0 : length;
    m_data[m_length] = 0;
    return data;
}

void CString::ReleaseBuffer(int newLength)
{
    if (!m_capacity)
        return;
    if (newLength < 0)
        newLength = static_cast<int>(std::strlen(m_data));
    if (newLength > m_capacity)
        newLength = m_capacity;
    m_length = newLength;
    m_data[m_length] = 0;
}
